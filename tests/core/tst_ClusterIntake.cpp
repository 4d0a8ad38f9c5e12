#include "ClusterIntake.h"

#include <QTest>

#include <stdexcept>

class tst_ClusterIntake final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void assemblesLinesWhereverBlocksSplit_data();
    void assemblesLinesWhereverBlocksSplit();
    void cutsALineWithoutEndAtTheLimit();
    void keepsOrderWhenAHandlerLetsBlocksIn();
    void goesOnAfterAHandlerFails();
    void finishesAfterTheQueuedLines();
};

namespace {

// Every line the intake hands on, for bytes fed in blocks of blockSize (0: all at once).
QStringList linesOf(const QByteArray& stream, qsizetype blockSize)
{
    QStringList lines;
    ClusterIntake intake([&](const QString& line) { lines.append(line); });
    const qsizetype step = blockSize > 0 ? blockSize : qMax<qsizetype>(stream.size(), 1);
    for (qsizetype at = 0; at < stream.size(); at += step)
        intake.receive(QByteArrayView(stream).sliced(at, qMin(step, stream.size() - at)));
    intake.finish();
    return lines;
}

} // namespace

void tst_ClusterIntake::assemblesLinesWhereverBlocksSplit_data()
{
    QTest::addColumn<QByteArray>("stream");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("CR LF") << QByteArray("one\r\ntwo\r\n") << QStringList{u"one"_qs, u"two"_qs};
    QTest::newRow("LF CR, LF and CR")
        << QByteArray("a\n\rb\nc\rd\r") << QStringList{u"a"_qs, u"b"_qs, u"c"_qs, u"d"_qs};
    QTest::newRow("empty lines skipped") << QByteArray("\r\n\r\n\na\r\n\r\n") << QStringList{u"a"_qs};
    QTest::newRow("bells and blanks trimmed")
        << QByteArray("\a  DX de F4TST: x\a\a\r\n") << QStringList{u"DX de F4TST: x"_qs};
    QTest::newRow("a line of controls only is nothing")
        << QByteArray("\a\a \t\r\nz\r\n") << QStringList{u"z"_qs};
    QTest::newRow("telnet CR NUL") << QByteArray("a\r\0b\0c\r\n", 9) << QStringList{u"a"_qs, u"bc"_qs};
    QTest::newRow("unterminated tail at the end")
        << QByteArray("a\r\nlogin: ") << QStringList{u"a"_qs, u"login:"_qs};
    QTest::newRow("UTF-8 per line") << QByteArray("Cura\xc3\xa7"
                                                  "ao\r\nCaf\xe9\r\n")
                                    << QStringList{u"Cura\u00e7ao"_qs, u"Caf\u00e9"_qs};
    QTest::newRow("many lines in one block")
        << QByteArray("DX de A: 1\r\nDX de B: 2\r\nDX de C: 3\r\n")
        << QStringList{u"DX de A: 1"_qs, u"DX de B: 2"_qs, u"DX de C: 3"_qs};
}

void tst_ClusterIntake::assemblesLinesWhereverBlocksSplit()
{
    QFETCH(QByteArray, stream);
    QFETCH(QStringList, lines);
    QCOMPARE(linesOf(stream, 0), lines);
    for (qsizetype block = 1; block < stream.size(); ++block)
        QCOMPARE(linesOf(stream, block), lines);
    // Split once at every position.
    for (qsizetype at = 1; at < stream.size(); ++at) {
        QStringList got;
        ClusterIntake intake([&](const QString& line) { got.append(line); });
        intake.receive(QByteArrayView(stream).first(at));
        intake.receive(QByteArrayView(stream).sliced(at));
        intake.finish();
        QCOMPARE(got, lines);
    }
}

void tst_ClusterIntake::cutsALineWithoutEndAtTheLimit()
{
    const qsizetype limit = LineAssembler::MaxLineBytes;
    const QByteArray stream = QByteArray(limit + 100, 'x') + "\r\nend\r\n";
    const QStringList expected{QString(limit, u'x'), QString(100, u'x'), u"end"_qs};
    QCOMPARE(linesOf(stream, 0), expected);
    QCOMPARE(linesOf(stream, 1000), expected);

    LineAssembler lines;
    for (int i = 0; i < 1000; ++i) {
        lines.append(QByteArray(1000, 'y'));
        while (lines.nextLine()) {
        }
        QVERIFY(lines.pendingBytes() < limit);
    }
}

void tst_ClusterIntake::keepsOrderWhenAHandlerLetsBlocksIn()
{
    QStringList handled;
    ClusterIntake* self = nullptr;
    ClusterIntake intake([&](const QString& line) {
        handled.append(line);
        if (line == u"a1")
            self->receive("b1\r\nb2\r\n"); // arrives while a1 is being handled
    });
    self = &intake;
    intake.receive("a1\r\na2\r\na3\r\n");
    QCOMPARE(handled, (QStringList{u"a1"_qs, u"a2"_qs, u"a3"_qs, u"b1"_qs, u"b2"_qs}));
}

void tst_ClusterIntake::goesOnAfterAHandlerFails()
{
    QStringList handled;
    ClusterIntake intake([&](const QString& line) {
        handled.append(line);
        if (line == u"bad")
            throw std::runtime_error("handler failed");
    });
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, intake.receive("bad\r\nnext\r\n"));
    intake.receive("last\r\n");
    QCOMPARE(handled, (QStringList{u"bad"_qs, u"next"_qs, u"last"_qs}));
}

void tst_ClusterIntake::finishesAfterTheQueuedLines()
{
    QStringList handled;
    ClusterIntake* self = nullptr;
    ClusterIntake intake([&](const QString& line) {
        handled.append(line);
        if (line == u"a")
            self->finish(); // the session closes while a line is being handled
    });
    self = &intake;
    intake.receive("a\r\nb\r\ntail");
    QCOMPARE(handled, (QStringList{u"a"_qs, u"b"_qs, u"tail"_qs}));
}

QTEST_GUILESS_MAIN(tst_ClusterIntake)
#include "tst_ClusterIntake.moc"
