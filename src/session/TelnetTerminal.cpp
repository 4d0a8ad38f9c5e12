#include "TelnetTerminal.h"

#include "TelnetProtocol.h"
#include "TerminalAccessible.h"
#include "TerminalError.h"
#include "TerminalKeys.h"
#include "TerminalOptionsDialog.h"
#include "TerminalTexts.h"
#include "TextRules.h"

#include <QAccessible>
#include <QApplication>
#include <QHostAddress>
#include <QHostInfo>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStandardPaths>

#include <netdb.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr int ScrollbackLines = 15;
constexpr int DesignedCharWidth = 11;
constexpr QMargins TextMargins(6, 4, 6, 4);
constexpr int WheelLines = 3;
constexpr int AccessibilityDelayMs = 500;

const QColor MarginColour = Qt::black;
const QColor DefaultBackground(0, 128, 0);
const QColor DefaultForeground = Qt::white;

QString resolveError(const QString& reason)
{
    return TerminalTexts::ResolveFailed + reason;
}

quint16 resolvePort(const QString& port)
{
    bool isNumber = false;
    const uint number = port.toUInt(&isNumber);
    if (isNumber) {
        if (number == 0 || number > 0xFFFF)
            throw TerminalError(resolveError(QStringLiteral("Invalid port number '%1'").arg(port)));
        return quint16(number);
    }
    const servent* service = ::getservbyname(port.toLatin1().constData(), "tcp");
    if (service == nullptr)
        throw TerminalError(
            resolveError(QStringLiteral("Cannot resolve port '%1' - unknown TCP service").arg(port)));
    return ntohs(quint16(service->s_port));
}

// A dotted address as it is, a name through the system's resolver (blocking); IPv4 first.
QHostAddress resolveHost(const QString& host)
{
    if (QHostAddress address; address.setAddress(host))
        return address;
    const QHostInfo info = QHostInfo::fromName(host);
    const QList<QHostAddress> addresses = info.addresses();
    if (info.error() != QHostInfo::NoError || addresses.isEmpty())
        throw TerminalError(resolveError(
            QStringLiteral("Cannot resolve host address '%1' - %2").arg(host, info.errorString())));
    const auto ipv4 = std::find_if(addresses.begin(), addresses.end(), [](const QHostAddress& address) {
        return address.protocol() == QAbstractSocket::IPv4Protocol;
    });
    return ipv4 != addresses.end() ? *ipv4 : addresses.first();
}

bool movesFocusOut(const QKeyEvent& event)
{
    return (event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab) &&
           event.modifiers().testFlag(Qt::ControlModifier);
}

// The platforms' keyboard right click: the Menu key, or Shift+F10.
bool clicksRight(const QKeyEvent& event)
{
    return event.key() == Qt::Key_Menu ||
           (event.key() == Qt::Key_F10 && event.modifiers() == Qt::ShiftModifier);
}

} // namespace

TelnetTerminal::TelnetTerminal(QWidget* parent)
    : QFrame(parent), m_screen(TerminalOptions().rows, TerminalOptions().columns, ScrollbackLines),
      m_scrollBar(new QScrollBar(Qt::Vertical, this)), m_port(QStringLiteral("telnet")),
      m_location(QStringLiteral("TNCNX")),
      m_optionsFolder(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)),
      m_charWidth(DesignedCharWidth)
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(TerminalTexts::AccessibleName);
    setAccessibleDescription(tr("The telnet session with the cluster node; what you type is sent to it"));
    installTerminalAccessibility();

    m_scrollBar->setRange(0, 0);
    m_scrollBar->setFocusPolicy(Qt::NoFocus);
    connect(m_scrollBar, &QScrollBar::valueChanged, this, qOverload<>(&QWidget::update));

    m_accessibilityTimer.setSingleShot(true);
    m_accessibilityTimer.setInterval(AccessibilityDelayMs);
    connect(&m_accessibilityTimer, &QTimer::timeout, this, &TelnetTerminal::announceScreen);

    connect(&m_session, &TelnetSession::attemptFinished, this, &TelnetTerminal::attemptFinished);
    connect(&m_session, &TelnetSession::dataReceived, this, &TelnetTerminal::blockReceived);
    connect(&m_session, &TelnetSession::closed, this, &TelnetTerminal::sessionEnded);
    applyOptions(m_defaults);
}

TelnetTerminal::~TelnetTerminal() = default;

void TelnetTerminal::setLocalEcho(bool on)
{
    m_defaults.localEcho = m_options.localEcho = on;
}

void TelnetTerminal::setUpperLock(bool on)
{
    m_defaults.upperLock = m_options.upperLock = on;
}

void TelnetTerminal::setLineHeight(int pixels)
{
    m_defaults.lineHeight = m_options.lineHeight = std::clamp(pixels, 1, TerminalOptions::MaxLineHeight);
    layoutChanged();
}

void TelnetTerminal::setCharWidth(int pixels)
{
    m_charWidth = std::max(pixels, 1);
    layoutChanged();
}

void TelnetTerminal::setLineZoom(double zoom)
{
    m_defaults.lineZoom = m_options.lineZoom =
        std::clamp(zoom, TerminalOptions::MinZoom, TerminalOptions::MaxZoom);
    layoutChanged();
}

void TelnetTerminal::setCharZoom(double zoom)
{
    m_defaults.charZoom = m_options.charZoom =
        std::clamp(zoom, TerminalOptions::MinZoom, TerminalOptions::MaxZoom);
    layoutChanged();
}

// ---- Session

void TelnetTerminal::Connect()
{
    if (m_hostName.isEmpty())
        return;
    m_screen.clear();
    screenChanged();
    m_session.close(0);

    const QString port = trimControls(m_port);
    if (port.isEmpty())
        throw TerminalError(TerminalTexts::NoPort);
    const QString host = trimControls(m_hostName);
    if (host.isEmpty())
        throw TerminalError(TerminalTexts::NoHost);
    applyOptions(TerminalOptions::load(m_optionsFolder, host, m_defaults));
    const quint16 portNumber = resolvePort(port);
    const QHostAddress address = resolveHost(host);

    // Shown before the attempt starts, so that a failure reported at once comes after it.
    showText(TerminalTexts::Connecting + host + u'\'' + TerminalTexts::LineEnd);
    m_session.open(address, portNumber, wireBytes(m_location));
    setFocus();
}

void TelnetTerminal::Disconnect()
{
    m_session.shutdown();
}

void TelnetTerminal::SendText(const QString& text)
{
    if (m_session.state() == TelnetSession::State::Connecting)
        m_session.close(TelnetSession::NotConnected);
    if (!isConnected())
        throw TerminalError(TerminalTexts::NotConnected);
    m_session.send(wireBytes(text));
}

void TelnetTerminal::attemptFinished(quint16 error, const QString& reason)
{
    if (error == 0) {
        showText(TerminalTexts::Connected + TerminalTexts::LineEnd);
    } else {
        showText(TerminalTexts::ConnectionFailed + reason + TerminalTexts::LineEnd);
        QApplication::beep();
    }
    m_error = error;
    Q_EMIT sessionConnected();
}

void TelnetTerminal::blockReceived(const QByteArray& block)
{
    const quint64 attempt = m_session.attempt();
    Q_EMIT dataAvailable(block);
    // A handler may have started another session on a cleared screen; the block is not its.
    if (m_session.attempt() == attempt)
        showBytes(block);
}

void TelnetTerminal::sessionEnded(quint16 code)
{
    showText(TerminalTexts::LineEnd + TerminalTexts::ServerClosed + TerminalTexts::LineEnd);
    QApplication::beep();
    m_error = code;
    Q_EMIT sessionClosed();
}

// ---- Screen

void TelnetTerminal::showText(const QString& text)
{
    m_screen.writeText(text);
    screenChanged();
}

void TelnetTerminal::showBytes(QByteArrayView bytes)
{
    m_screen.write(bytes);
    screenChanged();
}

// Keeps the view where the user scrolled it, or at the newest line when it was there.
void TelnetTerminal::screenChanged()
{
    const bool atNewest = m_scrollBar->value() == m_scrollBar->maximum();
    m_scrollBar->setRange(0, m_screen.scrollbackCount());
    m_scrollBar->setPageStep(m_screen.rows());
    if (atNewest)
        m_scrollBar->setValue(m_scrollBar->maximum());
    update();
    if (!m_accessibilityTimer.isActive())
        m_accessibilityTimer.start();
}

// At most one accessibility update per delay, however fast the node writes.
void TelnetTerminal::announceScreen()
{
    if (!QAccessible::isActive())
        return;
    QString text = m_screen.text();
    QAccessibleTextUpdateEvent event(this, 0, m_accessibleText, text);
    QAccessible::updateAccessibility(&event);
    m_accessibleText = std::move(text);
}

// ---- Options

void TelnetTerminal::ShowOptionsDialog()
{
    const QString host = trimControls(m_hostName);
    if (host.isEmpty())
        return;
    TerminalOptionsDialog dialog(m_options, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    applyOptions(dialog.options());
    if (!m_options.save(m_optionsFolder, host))
        throw TerminalError(tr("Options: cannot write '%1'").arg(TerminalOptions::filePath(m_optionsFolder)));
}

void TelnetTerminal::applyOptions(const TerminalOptions& options)
{
    m_options = options;
    if (m_screen.rows() != options.rows || m_screen.columns() != options.columns)
        m_screen.resize(options.rows, options.columns);
    m_screen.setAutoCarriageReturn(options.autoCarriageReturn);
    m_screen.setAutoLineFeed(options.autoLineFeed);
    QFont font(options.fontFamily);
    font.setPointSize(options.fontSize);
    font.setStyleHint(QFont::SansSerif); // a near face where this one is missing
    setFont(font);
    layoutChanged();
    screenChanged();
}

void TelnetTerminal::layoutChanged()
{
    updateGeometry();
    update();
}

// ---- Painting

QSizeF TelnetTerminal::cellSize() const
{
    return QSizeF(m_charWidth * m_options.charZoom, m_options.lineHeight * m_options.lineZoom);
}

QPointF TelnetTerminal::textOrigin() const
{
    const QRect contents = contentsRect();
    return QPointF(contents.left() + TextMargins.left(), contents.top() + TextMargins.top());
}

QRect TelnetTerminal::cellRect(int row, int column) const
{
    const QSizeF cell = cellSize();
    const QPointF origin = textOrigin() + QPointF(column * cell.width(), row * cell.height());
    return QRectF(origin, cell).toAlignedRect();
}

QPoint TelnetTerminal::cellAt(QPoint position) const
{
    const QSizeF cell = cellSize();
    const QPointF offset = QPointF(position) - textOrigin();
    return QPoint(int(std::floor(offset.x() / cell.width())), int(std::floor(offset.y() / cell.height())));
}

// Rows scrolled back from the newest: view row r shows screen row r minus this.
int TelnetTerminal::scrollOffset() const
{
    return m_scrollBar->maximum() - m_scrollBar->value();
}

QSize TelnetTerminal::sizeHint() const
{
    const QSizeF cell = cellSize();
    const QSizeF text(m_screen.columns() * cell.width(), m_screen.rows() * cell.height());
    const int frame = 2 * frameWidth();
    return QSize(int(std::ceil(text.width())) + TextMargins.left() + TextMargins.right() + frame +
                     m_scrollBar->sizeHint().width(),
                 int(std::ceil(text.height())) + TextMargins.top() + TextMargins.bottom() + frame);
}

void TelnetTerminal::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QRect contents = contentsRect();
    contents.setRight(m_scrollBar->geometry().left() - 1);
    painter.fillRect(contents, MarginColour);
    painter.setClipRect(contents);

    const QSizeF cell = cellSize();
    const QRectF textArea(textOrigin(),
                          QSizeF(m_screen.columns() * cell.width(), m_screen.rows() * cell.height()));
    painter.fillRect(textArea, DefaultBackground);
    const int offset = scrollOffset();
    for (int row = 0; row < m_screen.rows(); ++row) {
        for (int column = 0; column < m_screen.columns(); ++column) {
            const QRectF area(textArea.topLeft() + QPointF(column * cell.width(), row * cell.height()), cell);
            paintCell(painter, area, m_screen.cell(row - offset, column));
        }
    }
    if (offset == 0 && hasFocus())
        paintCursor(painter);

    painter.setClipping(false);
    drawFrame(&painter);
}

void TelnetTerminal::paintCell(QPainter& painter, const QRectF& area, const VtCell& cell) const
{
    const bool coloured = !m_options.monochrome;
    QColor foreground = coloured ? cell.foreground.value_or(DefaultForeground) : DefaultForeground;
    QColor background = coloured ? cell.background.value_or(DefaultBackground) : DefaultBackground;
    if (cell.reverse)
        std::swap(foreground, background);
    if (background != DefaultBackground)
        painter.fillRect(area, background);
    if (cell.text.isEmpty() || cell.text == u" ")
        return;
    QFont face = font();
    face.setBold(cell.bold);
    face.setUnderline(cell.underline);
    painter.setFont(face);
    painter.setPen(foreground);
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, cell.text);
}

void TelnetTerminal::paintCursor(QPainter& painter) const
{
    const QPoint cursor = m_screen.cursor();
    const QRect cell = cellRect(cursor.y(), std::min(cursor.x(), m_screen.columns() - 1));
    painter.fillRect(QRect(cell.left(), cell.bottom() - 1, cell.width(), 2), DefaultForeground);
}

void TelnetTerminal::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    const QRect contents = contentsRect();
    const int width = m_scrollBar->sizeHint().width();
    m_scrollBar->setGeometry(contents.right() - width + 1, contents.top(), width, contents.height());
}

void TelnetTerminal::changeEvent(QEvent* event)
{
    // A font set from outside becomes the program's choice; applyOptions() sets the same one.
    if (event->type() == QEvent::FontChange) {
        const QFont current = font();
        if (current.family() != m_options.fontFamily || current.pointSize() != m_options.fontSize) {
            m_defaults.fontFamily = m_options.fontFamily = current.family();
            m_defaults.fontSize = m_options.fontSize = current.pointSize();
        }
        layoutChanged();
    }
    QFrame::changeEvent(event);
}

// ---- Keyboard and mouse

bool TelnetTerminal::event(QEvent* event)
{
    // Keys the node gets are not taken by the window's shortcuts (Alt still reaches the menus).
    if (event->type() == QEvent::ShortcutOverride) {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (!key.modifiers().testFlag(Qt::AltModifier) && !movesFocusOut(key) &&
            !keyBytes(key, m_options.upperLock).isEmpty()) {
            event->accept();
            return true;
        }
    }
    return QFrame::event(event);
}

void TelnetTerminal::keyPressEvent(QKeyEvent* event)
{
    if (movesFocusOut(*event)) {
        const bool forward = event->key() == Qt::Key_Tab && !event->modifiers().testFlag(Qt::ShiftModifier);
        QFrame::focusNextPrevChild(forward);
        return;
    }
    if (clicksRight(*event)) {
        const QPoint cursor = m_screen.cursor();
        Q_EMIT mousePressed(Qt::RightButton, event->modifiers(), cellRect(cursor.y(), cursor.x()).center());
        return;
    }
    const QByteArray bytes = keyBytes(*event, m_options.upperLock);
    if (bytes.isEmpty()) {
        QFrame::keyPressEvent(event);
        return;
    }
    if (!isConnected())
        return; // typing goes nowhere without a session
    m_session.send(bytes);
    m_scrollBar->setValue(m_scrollBar->maximum());
    if (m_options.localEcho)
        showBytes(bytes);
}

// Tab belongs to the node; Ctrl+Tab and Ctrl+Shift+Tab leave the pane.
bool TelnetTerminal::focusNextPrevChild(bool)
{
    return false;
}

void TelnetTerminal::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    Q_EMIT mousePressed(event->button(), event->modifiers(), event->position().toPoint());
}

void TelnetTerminal::wheelEvent(QWheelEvent* event)
{
    const int steps = event->angleDelta().y() / QWheelEvent::DefaultDeltasPerStep;
    m_scrollBar->setValue(m_scrollBar->value() - steps * WheelLines);
    event->accept();
}
