#pragma once

#include <QWidget>

#include <memory>

class QTimer;

namespace Ui {
class TSplashForm;
}

// The build label from a file version: "Build " and the version, or empty when there is none.
QString buildTextFor(const QString& fileVersion);

// The borderless window shown while the program starts: a picture, the version and a short notice.
// Creating it sets BuildText; its timer fires once, 2.5 seconds later, which ends the splash wait.
class TSplashForm final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TSplashForm)

public:
    explicit TSplashForm(QWidget* parent = nullptr);
    ~TSplashForm() override;

    // Enabled from creation until it has fired once.
    const QTimer* SplashTimer() const { return m_splashTimer; }

    void FormCreate();
    void EndTimer();

private:
    std::unique_ptr<Ui::TSplashForm> m_ui;
    QTimer* m_splashTimer;
};
