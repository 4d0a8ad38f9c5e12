// Tests of the local cluster node (tools/korvane-node), through real sockets on 127.0.0.1.

#include "LineFeed.h"
#include "LocalClusterNode.h"

#include <QFile>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QtTest>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int Timeout = 10000;
const QByteArray PromptEnd = " dxspider >\r\n";
const QByteArray BellEnd = "\a\a\r\n";

bool waitUntil(const std::function<bool()>& done)
{
    return QTest::qWaitFor(done, Timeout);
}

// A client of the node that keeps what it received since its mark.
class Client final
{
public:
    explicit Client(quint16 port) { m_socket.connectToHost(QHostAddress::LocalHost, port); }

    QByteArray received() const { return m_received.mid(m_mark); }
    bool isConnected() const { return m_socket.state() == QAbstractSocket::ConnectedState; }
    void send(QByteArrayView bytes) { m_socket.write(bytes.data(), bytes.size()); }

    bool waitFor(QByteArrayView piece)
    {
        return waitUntil([&] { return read().contains(piece); });
    }

    bool waitForBellLines(qsizetype count)
    {
        return waitUntil([&] { return read().count(BellEnd) >= count; });
    }

    bool waitForBytes(qsizetype count)
    {
        return waitUntil([&] { return read().size() >= count; });
    }

    bool waitForClose()
    {
        return waitUntil([&] {
            read();
            return m_socket.state() == QAbstractSocket::UnconnectedState;
        });
    }

    // Waits for the login prompt, sends the callsign and waits for the prompt after the greeting;
    // the mark is then just after that prompt.
    bool logIn(const QByteArray& call = "F4TST")
    {
        if (!waitFor("login: "))
            return false;
        send(call + "\r\n");
        if (!waitFor(PromptEnd))
            return false;
        m_mark += received().indexOf(PromptEnd) + PromptEnd.size();
        return true;
    }

    // Sends a command and returns what came back up to and including the next prompt.
    QByteArray command(const QByteArray& line)
    {
        read();
        m_mark = m_received.size();
        send(line + "\r\n");
        if (!waitFor(PromptEnd))
            return {};
        return received().left(received().indexOf(PromptEnd) + PromptEnd.size());
    }

private:
    QByteArray read()
    {
        m_received += m_socket.readAll();
        return received();
    }

    QTcpSocket m_socket;
    QByteArray m_received;
    qsizetype m_mark = 0;
};

// A plain socket, to tell a close (FIN) from an abort (RST), which QTcpSocket reports alike.
class RawClient final
{
public:
    explicit RawClient(quint16 port) : m_fd(::socket(AF_INET, SOCK_STREAM, 0))
    {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        m_connected = ::connect(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        ::fcntl(m_fd, F_SETFL, O_NONBLOCK);
    }
    ~RawClient() { ::close(m_fd); }
    Q_DISABLE_COPY_MOVE(RawClient)

    bool isConnected() const { return m_connected; }
    void send(QByteArrayView bytes) { QCOMPARE(::send(m_fd, bytes.data(), bytes.size(), 0), bytes.size()); }

    // Reads what has arrived; true once the node has ended the connection.
    bool readToEnd()
    {
        char buffer[4096];
        for (;;) {
            const ssize_t n = ::recv(m_fd, buffer, sizeof buffer, 0);
            if (n > 0) {
                received.append(buffer, n);
                continue;
            }
            if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
                return false;
            resetByNode = n < 0 && errno == ECONNRESET;
            return true;
        }
    }

    QByteArray received;
    bool resetByNode = false;

private:
    int m_fd;
    bool m_connected = false;
};

QList<QByteArray> bellLines(const QByteArray& bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    lines.removeLast(); // the text after the last line end
    for (QByteArray& line : lines) {
        if (!line.endsWith("\a\a\r"))
            return {};
        line.chop(3);
    }
    return lines;
}

// The lines with the times they carry blanked out, for comparing two runs.
QStringList withoutTimes(const QList<QByteArray>& lines)
{
    static const QRegularExpression time(u"\\d{4}Z|<\\d\\d>"_qs);
    QStringList texts;
    for (const QByteArray& line : lines)
        texts.append(QString::fromLatin1(line).replace(time, u"#"_qs));
    return texts;
}

bool endsEveryLineWithCrLf(const QByteArray& bytes)
{
    return bytes.count('\n') == bytes.count("\r\n") && bytes.count('\r') == bytes.count("\r\n");
}

// True when hhmm is the current UTC time, or the minute before (the line may be a little older).
bool isNow(const QString& hhmm)
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    return hhmm == now.toString(u"hhmm"_qs) || hhmm == now.addSecs(-60).toString(u"hhmm"_qs);
}

// The fields of a spot line, cut by its columns; nothing when the columns are not where they belong:
// the frequency ending at column 24, the callsign at 27, the comment at 40 and the time at 70.
struct SpotFields
{
    QString spotter, frequency, call, comment, time, locator;
};

std::optional<SpotFields> spotFields(const QByteArray& line)
{
    static const QRegularExpression columns(
        u"^DX de ([^ :]+): +(\\d+\\.\\d)  (\\S.{12})(.{30})(\\d{4})Z(?: ([A-R]{2}\\d\\d))?$"_qs);
    const QRegularExpressionMatch match = columns.match(QString::fromLatin1(line));
    if (!match.hasMatch() || match.capturedEnd(2) != 24)
        return std::nullopt;
    return SpotFields{match.captured(1),           match.captured(2), match.captured(3).trimmed(),
                      match.captured(4).trimmed(), match.captured(5), match.captured(6)};
}

// The index of the amateur band from 160 m to 70 cm that holds khz, or -1.
int bandOf(double khz)
{
    static constexpr std::pair<double, double> bands[] = {
        {1800, 2000},   {3500, 4000},   {5350, 5367},     {7000, 7300},     {10100, 10150},
        {14000, 14350}, {18068, 18168}, {21000, 21450},   {24890, 24990},   {28000, 29700},
        {50000, 54000}, {70000, 70500}, {144000, 148000}, {430000, 440000},
    };
    for (int i = 0; i < int(std::size(bands)); ++i) {
        if (khz >= bands[i].first && khz <= bands[i].second)
            return i;
    }
    return -1;
}

} // namespace

class TestLocalClusterNode : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup();

    void loginGreetsAndPrompts_data();
    void loginGreetsAndPrompts();
    void commandsAnswerBeforeThePrompt_data();
    void commandsAnswerBeforeThePrompt();
    void stationKeepsWhatWasSet();
    void dxCommandBroadcastsSpot_data();
    void dxCommandBroadcastsSpot();
    void showDxListsNewestFirst_data();
    void showDxListsNewestFirst();
    void byeClosesWithoutAWord_data();
    void byeClosesWithoutAWord();
    void negotiatesWhenAsked();
    void synthesisSendsCountedLinesAndStops();
    void synthesisCanSendSpotsOnly();
    void feedModesDeliverTheSameLines_data();
    void feedModesDeliverTheSameLines();
    void sessionFilePlaysAsItIs_data();
    void sessionFilePlaysAsItIs();
    void feedCutsWritesAsAsked_data();
    void feedCutsWritesAsAsked();
    void endlessInputIsCutOff_data();
    void endlessInputIsCutOff();
    void dropEndsTheConnection_data();
    void dropEndsTheConnection();

private:
    bool startNode(const NodeOptions& options = {});
    quint16 port() const { return m_node->port(); }

    std::unique_ptr<LocalClusterNode> m_node;
};

bool TestLocalClusterNode::startNode(const NodeOptions& options)
{
    m_node = std::make_unique<LocalClusterNode>(options);
    return m_node->listen();
}

void TestLocalClusterNode::cleanup()
{
    m_node.reset();
}

void TestLocalClusterNode::loginGreetsAndPrompts_data()
{
    QTest::addColumn<QByteArray>("typed");
    QTest::addColumn<QByteArray>("expectedStart");

    QTest::newRow("CR LF, lower case") << QByteArray("f4tst\r\n") << QByteArray("login: Hello F4TST,");
    QTest::newRow("LF") << QByteArray("F4TST\n") << QByteArray("login: Hello F4TST,");
    QTest::newRow("CR") << QByteArray("F4tst\r") << QByteArray("login: Hello F4TST,");
    QTest::newRow("telnet CR NUL") << QByteArray("F4TST\r\0", 7) << QByteArray("login: Hello F4TST,");
    QTest::newRow("telnet command first") << QByteArray("\xff\xfb\x18"
                                                        "F4TST\r\n")
                                          << QByteArray("login: Hello F4TST,");
    QTest::newRow("empty line first")
        << QByteArray("\r\nF4TST\r\n") << QByteArray("login: login: Hello F4TST,");
}

void TestLocalClusterNode::loginGreetsAndPrompts()
{
    QFETCH(QByteArray, typed);
    QFETCH(QByteArray, expectedStart);
    NodeOptions options;
    options.nodeCall = u"PI4TST"_qs;
    QVERIFY(startNode(options));
    Client client(port());

    QVERIFY(client.waitFor("login: "));
    QCOMPARE(client.received(), QByteArray("login: "));
    client.send(typed);
    QVERIFY(client.waitFor(PromptEnd));

    const QByteArray received = client.received();
    QVERIFY2(received.startsWith(expectedStart), received.constData());
    QVERIFY(received.endsWith(PromptEnd));
    QVERIFY(endsEveryLineWithCrLf(received));
    QVERIFY(received.count("\r\n") >= 4); // a greeting of several lines before the prompt

    const QByteArray prompt = received.mid(received.lastIndexOf("\r\n", received.size() - 3) + 2).chopped(2);
    static const QRegularExpression form(
        u"^F4TST de PI4TST (\\d\\d-[A-Z][a-z]{2}-\\d{4}) (\\d{4})Z dxspider >$"_qs);
    const QRegularExpressionMatch match = form.match(QString::fromLatin1(prompt));
    QVERIFY2(match.hasMatch(), prompt.constData());
    QCOMPARE(match.captured(1),
             QLocale::c().toString(QDateTime::currentDateTimeUtc().date(), u"dd-MMM-yyyy"_qs));
    QVERIFY(isNow(match.captured(2)));
}

void TestLocalClusterNode::commandsAnswerBeforeThePrompt_data()
{
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QByteArray>("reply");

    QTest::newRow("SET/QTH") << QByteArray("SET/QTH Paris") << QByteArray("QTH set to Paris\r\n");
    QTest::newRow("set/name") << QByteArray("set/name Fred") << QByteArray("Name set to Fred\r\n");
    QTest::newRow("SET/LOC") << QByteArray("SET/LOC 48 51 N 2 21 E")
                             << QByteArray("Location set to 48 51 N 2 21 E\r\n");
    QTest::newRow("SET/QTH without text")
        << QByteArray("SET/QTH") << QByteArray("Usage: SET/QTH <your town>\r\n");
    QTest::newRow("SH/U") << QByteArray("SH/U") << QByteArray("Callsigns connected to GB7TST\r\nF4TST\r\n");
    QTest::newRow("show/users") << QByteArray("show/users")
                                << QByteArray("Callsigns connected to GB7TST\r\nF4TST\r\n");
    QTest::newRow("SHOW/COMMANDS") << QByteArray("SHOW/COMMANDS")
                                   << QByteArray("Commands of GB7TST:\r\nANNOUNCE BYE DX QUIT SET/LOCATION "
                                                 "SET/NAME SET/QTH SHOW/COMMANDS SHOW/DX SHOW/STATION "
                                                 "SHOW/USERS\r\n");
    QTest::newRow("SH/ST unknown") << QByteArray("SH/ST g4xyz") << QByteArray("Station G4XYZ not known\r\n");
    QTest::newRow("SH/DX before any spot") << QByteArray("SH/DX") << QByteArray();
    QTest::newRow("DX without callsign")
        << QByteArray("DX 14025") << QByteArray("Usage: DX <frequency> <callsign> [comment]\r\n");
    QTest::newRow("DX without frequency")
        << QByteArray("DX JA1ABC test") << QByteArray("Usage: DX <frequency> <callsign> [comment]\r\n");
    QTest::newRow("ANNOUNCE without text") << QByteArray("AN") << QByteArray("Usage: ANNOUNCE <text>\r\n");
    QTest::newRow("unknown") << QByteArray("xyzzy 1") << QByteArray("Command 'xyzzy' not found\r\n");
    QTest::newRow("too short") << QByteArray("SH/D") << QByteArray("Command 'SH/D' not found\r\n");
    QTest::newRow("count where none is taken")
        << QByteArray("SET/QTH/5 Paris") << QByteArray("Command 'SET/QTH/5' not found\r\n");
    QTest::newRow("empty line") << QByteArray("") << QByteArray();
}

void TestLocalClusterNode::commandsAnswerBeforeThePrompt()
{
    QFETCH(QByteArray, command);
    QFETCH(QByteArray, reply);
    QVERIFY(startNode());
    Client client(port());
    QVERIFY(client.logIn());

    const QByteArray answer = client.command(command);
    QVERIFY2(answer.startsWith(reply), answer.constData());
    static const QRegularExpression prompt(
        u"^F4TST de GB7TST \\d\\d-\\w{3}-\\d{4} \\d{4}Z dxspider >\r\n$"_qs);
    QVERIFY2(prompt.match(QString::fromLatin1(answer.mid(reply.size()))).hasMatch(), answer.constData());
}

void TestLocalClusterNode::stationKeepsWhatWasSet()
{
    QVERIFY(startNode());
    QSignalSpy commands(m_node.get(), &LocalClusterNode::commandReceived);
    Client fred(port());
    Client other(port());
    QVERIFY(fred.logIn("F4TST"));
    QVERIFY(other.logIn("G4ABC"));

    fred.command("SET/NAME Fred");
    fred.command("SET/QTH Paris");
    fred.command("set/loc 48 51 N 2 21 E");
    QCOMPARE(commands.size(), 3);
    QCOMPARE(commands.at(2), QVariantList({u"F4TST"_qs, u"set/loc 48 51 N 2 21 E"_qs}));

    const QByteArray station = other.command("SH/ST f4tst");
    QVERIFY2(station.startsWith("Call:      F4TST\r\nName:      Fred\r\nQTH:       Paris\r\n"
                                "Location:  48 51 N 2 21 E\r\nConnected: yes\r\n"),
             station.constData());

    fred.send("BYE\r\n");
    QVERIFY(fred.waitForClose());
    QVERIFY(other.command("SH/ST F4TST").contains("Connected: no\r\n"));
    QVERIFY(other.command("SH/U").startsWith("Callsigns connected to GB7TST\r\nG4ABC\r\n"));
}

void TestLocalClusterNode::dxCommandBroadcastsSpot_data()
{
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QString>("frequency");
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("comment");

    QTest::newRow("call first") << QByteArray("DX JA1ABC 14025 test spot") << u"14025.0"_qs << u"JA1ABC"_qs
                                << u"test spot"_qs;
    QTest::newRow("frequency first, lower case")
        << QByteArray("dx 7004.5 ea8/dl2xyz tnx QSO") << u"7004.5"_qs << u"EA8/DL2XYZ"_qs << u"tnx QSO"_qs;
    QTest::newRow("ten digits of frequency") << QByteArray("DX 10368100 PA0QRB rain scatter")
                                             << u"10368100.0"_qs << u"PA0QRB"_qs << u"rain scatter"_qs;
    QTest::newRow("no comment") << QByteArray("DX K1ABC 1830") << u"1830.0"_qs << u"K1ABC"_qs << QString();
    QTest::newRow("long comment cut to its column")
        << QByteArray("DX JA1ABC 14025.0 a comment much longer than its thirty columns") << u"14025.0"_qs
        << u"JA1ABC"_qs << u"a comment much longer than its"_qs;
}

void TestLocalClusterNode::dxCommandBroadcastsSpot()
{
    QFETCH(QByteArray, command);
    QFETCH(QString, frequency);
    QFETCH(QString, call);
    QFETCH(QString, comment);
    QVERIFY(startNode());
    Client spotter(port());
    Client other(port());
    QVERIFY(spotter.logIn("F4TST"));
    QVERIFY(other.logIn("G4ABC"));

    const QByteArray answer = spotter.command(command);
    QVERIFY(other.waitForBellLines(1));
    const QByteArray line = other.received();
    QVERIFY2(answer.startsWith(line), answer.constData()); // the spot, then the prompt
    QVERIFY(line.endsWith(BellEnd));

    const auto fields = spotFields(line.chopped(BellEnd.size()));
    QVERIFY2(fields, line.constData());
    QCOMPARE(fields->spotter, u"F4TST"_qs);
    QCOMPARE(fields->frequency, frequency);
    QCOMPARE(fields->call, call);
    QCOMPARE(fields->comment, comment);
    QVERIFY(isNow(fields->time));
    QCOMPARE(fields->locator, QString());
}

void TestLocalClusterNode::showDxListsNewestFirst_data()
{
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<int>("count");

    QTest::newRow("SH/DX 5") << QByteArray("SH/DX 5") << 3;
    QTest::newRow("SHOW/DX") << QByteArray("SHOW/DX") << 3;
    QTest::newRow("sh/dx/2") << QByteArray("sh/dx/2") << 2;
    QTest::newRow("show/dx 1") << QByteArray("show/dx 1") << 1;
    QTest::newRow("SH/DX/2 14") << QByteArray("SH/DX/2 14") << 2;
}

void TestLocalClusterNode::showDxListsNewestFirst()
{
    QFETCH(QByteArray, command);
    QFETCH(int, count);
    QVERIFY(startNode());
    Client client(port());
    QVERIFY(client.logIn());
    const QDateTime given(QDate(2026, 12, 11), QTime(12, 27), Qt::UTC);
    m_node->sendSpot({21025.0, u"K0ABC"_qs, u"given spot"_qs, u"N0XX"_qs, given, u"EN34"_qs});
    client.command("DX JA1ABC 14025 test spot");
    client.command("DX 7004.5 EA8/DL2XYZ tnx");

    const QByteArray answer = client.command(command);
    const QList<QByteArray> lines = answer.split('\n').mid(0, count);
    QCOMPARE(answer.count("\r\n"), count + 1);
    static const QRegularExpression dateAndTime(u"\\d\\d-[A-Z][a-z]{2}-\\d{4} \\d{4}Z"_qs);
    const QStringList expected = {
        u"   7004.5 EA8/DL2XYZ  # tnx                           <F4TST>\r"_qs,
        u"  14025.0 JA1ABC      # test spot                     <F4TST>\r"_qs,
        u"  21025.0 K0ABC       11-Dec-2026 1227Z given spot                    <N0XX>\r"_qs,
    };
    for (int i = 0; i < count; ++i) {
        const QString text = QString::fromLatin1(lines[i]);
        QCOMPARE(i < 2 ? QString(text).replace(dateAndTime, u"#"_qs) : text, expected[i]);
    }
}

void TestLocalClusterNode::byeClosesWithoutAWord_data()
{
    QTest::addColumn<QByteArray>("command");
    QTest::newRow("BYE") << QByteArray("BYE");
    QTest::newRow("b") << QByteArray("b");
    QTest::newRow("quit") << QByteArray("quit");
}

void TestLocalClusterNode::byeClosesWithoutAWord()
{
    QFETCH(QByteArray, command);
    QVERIFY(startNode());
    Client client(port());
    QVERIFY(client.logIn());

    client.send(command + "\r\n");
    QVERIFY(client.waitForClose());
    QCOMPARE(client.received(), QByteArray());
}

void TestLocalClusterNode::negotiatesWhenAsked()
{
    NodeOptions options;
    options.negotiate = true;
    QVERIFY(startNode(options));
    QSignalSpy log(m_node.get(), &LocalClusterNode::logged);
    Client client(port());

    QVERIFY(client.waitFor("login: "));
    QCOMPARE(client.received(), QByteArray("\xff\xfd\x18"
                                           "\xff\xfb\x01"
                                           "\xff\xfb\x03"
                                           "login: "));

    // Agrees to what the node raised, asks for window size, offers terminal speed.
    client.send("\xff\xfb\x18"
                "\xff\xfd\x01"
                "\xff\xfd\x03"
                "\xff\xfd\x1f"
                "\xff\xfb\x20");
    const QByteArray answers = "\xff\xfa\x18\x01\xff\xf0"
                               "\xff\xfc\x1f"
                               "\xff\xfe\x20";
    QVERIFY(client.waitFor(answers));
    QVERIFY(client.received().endsWith(answers));

    client.send(QByteArray("\xff\xfa\x18\x00"
                           "VT100"
                           "\xff\xf0",
                           11));
    QVERIFY(waitUntil([&] {
        return std::any_of(log.cbegin(), log.cend(), [](const QVariantList& entry) {
            return entry.at(0).toString().endsWith(u"telnet: SB TERMINAL-TYPE IS VT100"_qs);
        });
    }));

    // With ECHO agreed the node echoes what is typed.
    client.send("f4tst\r\n");
    QVERIFY(client.waitFor(PromptEnd));
    QVERIFY(client.received().contains(answers + "f4tst\r\nHello F4TST,"));
}

void TestLocalClusterNode::synthesisSendsCountedLinesAndStops()
{
    constexpr int count = 300;
    NodeOptions options;
    options.synthesisedLines = count;
    options.seed = 7;
    QVERIFY(startNode(options));
    Client first(port());
    QVERIFY(first.logIn());
    QVERIFY(first.waitForBellLines(count));
    const QList<QByteArray> lines = bellLines(first.received());
    QCOMPARE(lines.size(), count);

    static const QRegularExpression announcement(u"^To ALL de [A-Z0-9]+: \\S.*$"_qs);
    static const QRegularExpression wcy(u"^WCY de DK0WCY-1 <\\d\\d> : K=\\d expK=\\d A=\\d+ R=\\d+ SFI=\\d+ "
                                        u"SA=[a-z]{3} GMF=[a-z]{3} Au=(no|yes)$"_qs);
    static const QRegularExpression wwv(
        u"^WWV de [A-Z0-9]+ <\\d\\d>:   SFI=\\d+, A=\\d+, K=\\d, .+ -> .+$"_qs);
    int spots = 0, announcements = 0, wcys = 0, wwvs = 0;
    QSet<int> bands;
    QList<SpotFields> spotList;
    for (const QByteArray& line : lines) {
        const QString text = QString::fromLatin1(line);
        if (const auto fields = spotFields(line)) {
            ++spots;
            const double khz = fields->frequency.toDouble();
            QVERIFY2(bandOf(khz) >= 0, line.constData());
            bands.insert(bandOf(khz));
            QVERIFY(isNow(fields->time));
            spotList.append(*fields);
        } else if (announcement.match(text).hasMatch()) {
            ++announcements;
        } else if (wcy.match(text).hasMatch()) {
            ++wcys;
        } else {
            QVERIFY2(wwv.match(text).hasMatch(), line.constData());
            ++wwvs;
        }
    }
    QVERIFY(spots > count / 2);
    QVERIFY(announcements > 0 && wcys > 0 && wwvs > 0);
    QCOMPARE(bands.size(), 14); // 160 m to 70 cm

    // Then silence, with the session kept; the made-up spots are the node's for SHOW/DX.
    QTest::qWait(300);
    QCOMPARE(first.received().count(BellEnd), count);
    QVERIFY(first.isConnected());
    const QList<QByteArray> listed = first.command("SH/DX 3").split('\n');
    for (int i = 0; i < 3; ++i) {
        const SpotFields& spot = spotList.at(spotList.size() - 1 - i);
        QVERIFY2(listed[i].startsWith(spot.frequency.rightJustified(9).toLatin1() + ' ' +
                                      spot.call.leftJustified(11).toLatin1() + ' '),
                 listed[i].constData());
    }

    // The same seed gives the next client the same lines.
    Client second(port());
    QVERIFY(second.logIn("G4ABC"));
    QVERIFY(second.waitForBellLines(count));
    QCOMPARE(withoutTimes(bellLines(second.received())), withoutTimes(lines));
}

void TestLocalClusterNode::synthesisCanSendSpotsOnly()
{
    constexpr int count = 200;
    NodeOptions options;
    options.synthesisedLines = count;
    options.spotsOnly = true;
    QVERIFY(startNode(options));
    Client client(port());
    QVERIFY(client.logIn());
    QVERIFY(client.waitForBellLines(count));
    const QList<QByteArray> lines = bellLines(client.received());
    QCOMPARE(lines.size(), count);
    for (const QByteArray& line : lines)
        QVERIFY2(spotFields(line), line.constData());
}

void TestLocalClusterNode::feedModesDeliverTheSameLines_data()
{
    QTest::addColumn<double>("rate");
    QTest::addColumn<int>("burst");
    QTest::addColumn<bool>("split");

    QTest::newRow("paced") << 500.0 << 1 << false;
    QTest::newRow("bursts") << 0.0 << 7 << false;
    QTest::newRow("split") << 0.0 << 1 << true;
    QTest::newRow("paced bursts, split") << 500.0 << 3 << true;
}

void TestLocalClusterNode::feedModesDeliverTheSameLines()
{
    QFETCH(double, rate);
    QFETCH(int, burst);
    QFETCH(bool, split);
    constexpr int count = 60;
    NodeOptions plain;
    plain.synthesisedLines = count;
    plain.seed = 11;
    QVERIFY(startNode(plain));
    Client reference(port());
    QVERIFY(reference.logIn());
    QVERIFY(reference.waitForBellLines(count));

    NodeOptions cut = plain;
    cut.rate = rate;
    cut.burst = burst;
    cut.split = split;
    QVERIFY(startNode(cut));
    Client client(port());
    QVERIFY(client.logIn());
    QVERIFY(client.waitForBellLines(count));
    QCOMPARE(withoutTimes(bellLines(client.received())), withoutTimes(bellLines(reference.received())));
}

void TestLocalClusterNode::sessionFilePlaysAsItIs_data()
{
    QTest::addColumn<double>("rate");
    QTest::addColumn<int>("burst");
    QTest::addColumn<bool>("split");

    QTest::newRow("all at once") << 0.0 << 1 << false;
    QTest::newRow("paced bursts, split") << 200.0 << 4 << true;
}

void TestLocalClusterNode::sessionFilePlaysAsItIs()
{
    QFETCH(double, rate);
    QFETCH(int, burst);
    QFETCH(bool, split);
    QFile file(QStringLiteral(KORVANE_FIXTURES_DIR "/session-dxspider.raw"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    NodeOptions options;
    options.session = file.readAll();
    options.rate = rate;
    options.burst = burst;
    options.split = split;
    QVERIFY(startNode(options));
    Client client(port());
    QVERIFY(client.logIn());

    QVERIFY(client.waitForBytes(options.session.size()));
    QCOMPARE(client.received(), options.session);
}

void TestLocalClusterNode::feedCutsWritesAsAsked_data()
{
    QTest::addColumn<int>("burst");
    QTest::addColumn<bool>("split");

    QTest::newRow("a line per write") << 1 << false;
    QTest::newRow("bursts of four") << 4 << false;
    QTest::newRow("split") << 1 << true;
    QTest::newRow("bursts of three, split") << 3 << true;
}

void TestLocalClusterNode::feedCutsWritesAsAsked()
{
    QFETCH(int, burst);
    QFETCH(bool, split);
    QList<QByteArray> source;
    for (int i = 0; i < 10; ++i)
        source.append("line " + QByteArray::number(i) + BellEnd);
    const auto feedOf = [&](qsizetype& next) {
        return LineFeed([&] { return source.at(next++); }, int(source.size()), burst, split, 5);
    };
    const qsizetype bursts = (source.size() + burst - 1) / burst;

    qsizetype next = 0;
    LineFeed feed = feedOf(next);
    QList<QByteArray> writes;
    while (!feed.finished())
        writes.append(feed.nextWrite());
    QCOMPARE(writes.join(), source.join());
    QCOMPARE(feed.nextWrite(), QByteArray());

    if (!split) {
        QCOMPARE(writes.size(), bursts);
        for (qsizetype i = 0; i < writes.size(); ++i)
            QCOMPARE(writes[i].count('\n'), std::min<qsizetype>(burst, source.size() - i * burst));
        return;
    }
    QCOMPARE(writes.size(), bursts + 1); // the rest of the last line comes alone
    for (qsizetype i = 0; i + 1 < writes.size(); ++i)
        QVERIFY2(!writes[i].endsWith('\n'), writes[i].constData());

    // What is held back completes the cut line, so that a reply sent now follows a whole line.
    qsizetype again = 0;
    LineFeed held = feedOf(again);
    const QByteArray first = held.nextWrite();
    QCOMPARE(first + held.takeHeldBack(), source.mid(0, burst).join());
    QVERIFY(source.mid(burst).join().startsWith(held.nextWrite()));
}

void TestLocalClusterNode::endlessInputIsCutOff_data()
{
    QTest::addColumn<bool>("loggedIn");
    QTest::addColumn<QByteArray>("opening");

    QTest::newRow("line before login") << false << QByteArray();
    QTest::newRow("line after login") << true << QByteArray();
    QTest::newRow("subnegotiation") << false << QByteArray("\xff\xfa\x18");
}

void TestLocalClusterNode::endlessInputIsCutOff()
{
    QFETCH(bool, loggedIn);
    QFETCH(QByteArray, opening);
    QVERIFY(startNode());
    Client client(port());
    QVERIFY(loggedIn ? client.logIn() : client.waitFor("login: "));

    client.send(opening + QByteArray(64 * 1024, 'A'));
    QVERIFY(client.waitForClose());

    Client next(port()); // the node goes on serving
    QVERIFY(next.logIn());
}

void TestLocalClusterNode::dropEndsTheConnection_data()
{
    QTest::addColumn<int>("dropAfter");
    QTest::addColumn<bool>("reset");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("linesBeforeTheEnd");

    QTest::newRow("drop after 5 lines") << 5 << false << 20 << 5;
    QTest::newRow("RST after 5 lines") << 5 << true << 20 << 5;
    QTest::newRow("RST at the end of the feed") << 0 << true << 3 << 3;
}

void TestLocalClusterNode::dropEndsTheConnection()
{
    QFETCH(int, dropAfter);
    QFETCH(bool, reset);
    QFETCH(int, count);
    QFETCH(int, linesBeforeTheEnd);
    NodeOptions options;
    options.synthesisedLines = count;
    options.dropAfter = dropAfter;
    options.reset = reset;
    options.rate = 200;
    QVERIFY(startNode(options));
    RawClient client(port());
    QVERIFY(client.isConnected());
    QVERIFY(waitUntil([&] { return !client.readToEnd() && client.received.contains("login: "); }));

    client.send("F4TST\r\n");
    QVERIFY(waitUntil([&] { return client.readToEnd(); }));
    QCOMPARE(client.resetByNode, reset);
    QCOMPARE(client.received.count(BellEnd), linesBeforeTheEnd);
}

QTEST_GUILESS_MAIN(TestLocalClusterNode)
#include "tst_LocalClusterNode.moc"
