#pragma once

#include <QTimer>
#include <QWidget>

class QMainWindow;
struct TSpotRec;

// What a screen reader says of events away from the keyboard focus: a session state change, an alert, a
// new spot. Qt 6.4 has no announcement event; AT-SPI readers (Orca) speak a notification whenever it
// is shown, so the announcer is an invisible notification in the status bar, shown anew with every
// text as its name.
class Announcer final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Announcer)

public:
    // About the time a reader takes to say one line: a spot waits so long after any announcement.
    static constexpr int SpotPause = 2000; // ms

    explicit Announcer(QWidget* parent = nullptr);
    ~Announcer() override;

    // The window's announcer, made on first use.
    static Announcer& of(QMainWindow* window);

    // Readers fetch the name only when they come to the event, so two texts shown in one go would
    // both be read as the second: of what one pass of the event loop announces, the last is said.
    void announce(const QString& text);
    // A busy node brings dozens of spots a second, far more than anyone can listen to: a spot is said
    // at once after a pause, those that follow within the pause as one line, their count and the newest.
    void announceSpot(const TSpotRec& spot);

private:
    void say();
    void sayWaitingSpots();

    QTimer m_sayOnce;
    QString m_text;
    QTimer m_spotPause;
    QString m_newestSpot;
    int m_waitingSpots = 0;
};
