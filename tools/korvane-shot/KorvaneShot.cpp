// Shows the splash and the main window on the X display and saves what the screen shows of them as PNG
// files: the splash, the main window at its default and designed sizes and narrowed, and each page of
// the two tab sets. Run it in a program folder (one holding Dxcc.dta); a recorded session, when given,
// is fed to the window first, as the cluster session would deliver it.
// Usage: korvane-shot OUTPUT_FOLDER [SESSION_FILE]

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QPixmap>
#include <QScreen>
#include <QTabWidget>
#include <QTextStream>
#include <QTimer>

#include "Fonts.h"
#include "Main.h"
#include "SettingsStore.h"
#include "ProgBtn.h"
#include "SplashFrm.h"

namespace {

// Lets the window system map, expose and paint what was just shown or resized.
void settle()
{
    QEventLoop loop;
    QTimer::singleShot(400, &loop, &QEventLoop::quit);
    loop.exec();
}

bool save(QWidget* widget, const QDir& folder, const QString& name)
{
    settle();
    const QPoint origin = widget->mapTo(widget->window(), QPoint());
    const QPixmap shot = widget->screen()->grabWindow(widget->window()->winId(), origin.x(), origin.y(),
                                                      widget->width(), widget->height());
    const QString path = folder.filePath(name + QStringLiteral(".png"));
    const bool saved = shot.save(path);
    QTextStream(stdout) << (saved ? "saved " : "could not save ") << path << '\n';
    return saved;
}

// Feeds the bytes of a recorded session in blocks of one socket read.
void feedSession(TTelForm& window, const QString& path)
{
    QFile session(path);
    if (!session.open(QIODevice::ReadOnly)) {
        QTextStream(stderr) << "cannot read " << path << '\n';
        return;
    }
    while (!session.atEnd())
        window.DataAvailable(session.read(2048));
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 2 && argc != 3) {
        QTextStream(stderr) << "usage: korvane-shot OUTPUT_FOLDER [SESSION_FILE]\n";
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    registerFonts();
    bool saved = true;

    TSplashForm splash;
    splash.show();
    saved &= save(&splash, folder, QStringLiteral("splash"));
    splash.hide();

    // Settings of its own, kept in the program folder it runs in: the user's own stay untouched.
    SettingsStore settings(QDir::current().filePath(QStringLiteral("KORVANE.conf")));
    TTelForm window(FormServices{nullptr, nullptr, &settings, {}});
    window.CreateForm();
    window.CheckInternet(); // as the first tick of the Internet watch does
    // Watch a callsign of the sample session, so that the Alert page shows a fired alert.
    window.findChild<QLineEdit*>(QStringLiteral("AlertEdit2"))->setText(QStringLiteral("JA1ABC"));
    window.findChild<QCheckBox*>(QStringLiteral("AlertCheckBox"))->click();
    if (argc == 3)
        feedSession(window, QString::fromLocal8Bit(argv[2]));
    window.show();
    saved &= save(&window, folder, QStringLiteral("main-default"));
    window.resize(900, 632);
    saved &= save(&window, folder, QStringLiteral("main-900x632"));
    window.resize(744, 632);
    saved &= save(&window, folder, QStringLiteral("main-744x632"));
    window.resize(900, 632);

    for (const char* pageName : {"ControlPage", "SpotPage"}) {
        auto* pages = window.findChild<QTabWidget*>(QString::fromLatin1(pageName));
        for (int index = 0; pages && index < pages->count(); ++index) {
            pages->setCurrentIndex(index);
            saved &= save(pages, folder, QStringLiteral("page-") + pages->widget(index)->objectName());
        }
    }

    TProgBtnForm editor(&window);
    editor.setMacro(1, QStringLiteral("Last 10 spots"), QStringLiteral("SH/DX 10"));
    editor.show();
    saved &= save(&editor, folder, QStringLiteral("macro-editor"));
    return saved ? 0 : 1;
}
