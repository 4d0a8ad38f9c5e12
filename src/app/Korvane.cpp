// Entry point: shows the splash window for at least its 2.5 seconds, builds the main window while the
// splash is still up, then runs the event loop until the main window closes.

#include <QApplication>
#include <QTimer>

#include <memory>

#include "Fonts.h"
#include "Main.h"
#include "SplashFrm.h"

int main(int argc, char* argv[])
{
    // Qt initialises the application object in its constructor, which must come before any window.
    QApplication app(argc, argv);
    registerFonts();

    auto splash = std::make_unique<TSplashForm>();
    splash->show();
    splash->repaint();
    // Sleeps between events instead of spinning; the timer's own event ends the wait.
    while (splash->SplashTimer()->isActive())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);

    QCoreApplication::setOrganizationName(QStringLiteral("QERNO Software"));
    QCoreApplication::setApplicationName(QStringLiteral("KORVANE"));
    app.setProperty("HelpFile", QStringLiteral("KORVANE.CHM")); // kept for reference; nothing opens it

    TTelForm mainWindow;
    mainWindow.CreateForm();
    splash->hide();
    splash.reset();
    if (mainWindow.endRequested())
        return 1;
    mainWindow.show();
    return app.exec();
}
