#pragma once

#include "TelnetSession.h"
#include "TerminalOptions.h"
#include "VtScreen.h"

#include <QFrame>
#include <QTimer>

class QScrollBar;

// The session pane: holds the telnet session with one cluster node, paints its VT100 screen,
// sends what the user types and reports the session's events to the window. Connect and
// SendText raise TerminalError.
class TelnetTerminal final : public QFrame
{
    Q_OBJECT
    Q_PROPERTY(QString HostName READ HostName WRITE setHostName)
    Q_PROPERTY(QString Port READ Port WRITE setPort)
    Q_PROPERTY(QString Location READ Location WRITE setLocation)
    Q_PROPERTY(bool LocalEcho READ LocalEcho WRITE setLocalEcho)
    Q_PROPERTY(bool UpperLock READ UpperLock WRITE setUpperLock)
    Q_PROPERTY(quint16 Error READ Error)
    Q_PROPERTY(int LineHeight READ LineHeight WRITE setLineHeight)
    Q_PROPERTY(int CharWidth READ CharWidth WRITE setCharWidth)
    Q_PROPERTY(double LineZoom READ LineZoom WRITE setLineZoom)
    Q_PROPERTY(double CharZoom READ CharZoom WRITE setCharZoom)
    Q_PROPERTY(QString OptionsFolder READ OptionsFolder WRITE setOptionsFolder)

public:
    explicit TelnetTerminal(QWidget* parent = nullptr);
    ~TelnetTerminal() override;
    Q_DISABLE_COPY_MOVE(TelnetTerminal)

    QString HostName() const { return m_hostName; }
    void setHostName(const QString& hostName) { m_hostName = hostName; }
    QString Port() const { return m_port; }
    void setPort(const QString& port) { m_port = port; }
    // Sent to the node when it asks for our location (SEND-LOCATION).
    QString Location() const { return m_location; }
    void setLocation(const QString& location) { m_location = location; }
    // Typed keys are drawn in the pane as well as sent.
    bool LocalEcho() const { return m_options.localEcho; }
    void setLocalEcho(bool on);
    // Typed letters are sent in upper case.
    bool UpperLock() const { return m_options.upperLock; }
    void setUpperLock(bool on);
    // Result of the last connect attempt or close, as a Winsock code; 0 is success.
    quint16 Error() const { return m_error; }

    // The character cell as designed, and the zooms that give its painted size.
    int LineHeight() const { return m_options.lineHeight; }
    void setLineHeight(int pixels);
    int CharWidth() const { return m_charWidth; }
    void setCharWidth(int pixels);
    double LineZoom() const { return m_options.lineZoom; }
    void setLineZoom(double zoom);
    double CharZoom() const { return m_options.charZoom; }
    void setCharZoom(double zoom);

    // Where the options file "TNEMULVT.INI" lives; the program's settings folder by default.
    QString OptionsFolder() const { return m_optionsFolder; }
    void setOptionsFolder(const QString& folder) { m_optionsFolder = folder; }

    // Clears the screen, closes an open session and starts a non-blocking attempt to reach HostName
    // at Port; nothing when HostName is empty. Raises TerminalError when the port or host is
    // missing or cannot be resolved (the host name lookup blocks).
    void Connect();
    // Closes an open session, reporting sessionClosed before it returns.
    void Disconnect();
    // Queues the text's bytes for the node. Raises TerminalError when no session is connected;
    // an attempt still in progress is abandoned first.
    void SendText(const QString& text);
    // The "Options" dialog for HostName's settings; nothing when HostName is empty.
    void ShowOptionsDialog();

    bool isConnected() const { return m_session.state() == TelnetSession::State::Connected; }
    const VtScreen& screen() const { return m_screen; }
    // The painted rectangle of a screen cell, and the cell (column, row) under a point.
    QRect cellRect(int row, int column) const;
    QPoint cellAt(QPoint position) const;

    QSize sizeHint() const override;

Q_SIGNALS:
    // An attempt has completed; Error tells whether it succeeded.
    void sessionConnected();
    // An open session or attempt has closed, for whatever reason.
    void sessionClosed();
    // One read from the node, telnet sequences removed; raised before the pane shows the bytes.
    void dataAvailable(const QByteArray& block);
    // A mouse button pressed on the pane; the Menu key and Shift+F10 press the right one at the cursor.
    void mousePressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position);

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void attemptFinished(quint16 error, const QString& reason);
    void blockReceived(const QByteArray& block);
    void sessionEnded(quint16 code);

    void showText(const QString& text);
    void showBytes(QByteArrayView bytes);
    void screenChanged();
    void announceScreen();

    void applyOptions(const TerminalOptions& options);
    void layoutChanged();

    QPointF textOrigin() const;
    QSizeF cellSize() const;
    int scrollOffset() const;
    void paintCell(QPainter& painter, const QRectF& area, const VtCell& cell) const;
    void paintCursor(QPainter& painter) const;

    TelnetSession m_session;
    VtScreen m_screen;
    QScrollBar* m_scrollBar;
    QTimer m_accessibilityTimer;
    QString m_accessibleText;
    QString m_hostName;
    QString m_port;
    QString m_location;
    QString m_optionsFolder;
    quint16 m_error = 0;
    int m_charWidth;
    // What the program has set, and what is in use (the first with the host's stored options on it).
    TerminalOptions m_defaults;
    TerminalOptions m_options;
};
