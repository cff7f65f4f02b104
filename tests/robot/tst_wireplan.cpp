#include "robot/instructioncode.h"
#include "robot/wireplan.h"

#include <QtTest>

Q_DECLARE_METATYPE(ScreenKind)

// The wire plan is every byte a send puts on the line with the pause after it; these tests
// check it as plain data, without a port.
class TestWirePlan : public QObject
{
    Q_OBJECT
private slots:
    void blocks_data();
    void blocks();
    void refusals_data();
    void refusals();
    void compileFailure_data();
    void compileFailure();
    void exampleWithStartHeader();
    void progressRoundsHalvesToEven();
    void fullTransferTakesItsTime_data();
    void fullTransferTakesItsTime();
};

namespace {

// Compiled lines with values that differ from their neighbours, so that a byte out of place
// shows. 254 and the block numbers are left out so they cannot be mistaken for fill.
QStringList compiled(int count)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines.append(QString::number(10 + (i * 7) % 200));
    return lines;
}

QByteArray asBytes(const QStringList &lines)
{
    QByteArray out;
    for (const QString &l : lines)
        out.append(static_cast<char>(l.toInt()));
    return out;
}

const QByteArray header("\xC1\x40\x01\xC9", 4);

}

void TestWirePlan::blocks_data()
{
    QTest::addColumn<ScreenKind>("kind");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("how");
    QTest::addColumn<int>("length");

    // count compiled bytes; the image is header? + count + 254, filled to length.
    QTest::newRow("icon 1") << ScreenKind::Icon << 1 << true << 40;
    QTest::newRow("icon 38") << ScreenKind::Icon << 38 << true << 40;
    QTest::newRow("icon 39 fills exactly one block") << ScreenKind::Icon << 39 << true << 40;
    QTest::newRow("icon 40") << ScreenKind::Icon << 40 << true << 80;
    QTest::newRow("icon 79 two full blocks") << ScreenKind::Icon << 79 << true << 80;
    QTest::newRow("icon 80") << ScreenKind::Icon << 80 << true << 120;
    QTest::newRow("icon 119 largest") << ScreenKind::Icon << 119 << true << 120;
    QTest::newRow("icon header 1") << ScreenKind::Icon << 1 << false << 40;
    QTest::newRow("icon header 35 one block") << ScreenKind::Icon << 35 << false << 40;
    QTest::newRow("icon header 36 spills") << ScreenKind::Icon << 36 << false << 80;
    QTest::newRow("icon header 75") << ScreenKind::Icon << 75 << false << 80;
    QTest::newRow("icon header 115 largest") << ScreenKind::Icon << 115 << false << 120;
    QTest::newRow("text 39") << ScreenKind::Text << 39 << true << 40;
    QTest::newRow("text 79") << ScreenKind::Text << 79 << true << 80;
    QTest::newRow("text 119 no fill") << ScreenKind::Text << 119 << true << 120;
    QTest::newRow("text ignores the start mode") << ScreenKind::Text << 39 << false << 40;
    QTest::newRow("route 1") << ScreenKind::Route << 1 << true << 40;
    QTest::newRow("route 38") << ScreenKind::Route << 38 << true << 40;
    QTest::newRow("route 39 gets an extra block") << ScreenKind::Route << 39 << true << 80;
    QTest::newRow("route 79 gets an extra block") << ScreenKind::Route << 79 << true << 120;
    QTest::newRow("route 119") << ScreenKind::Route << 119 << true << 120;
    QTest::newRow("route header 35 extra block") << ScreenKind::Route << 35 << false << 80;
    QTest::newRow("route header 115") << ScreenKind::Route << 115 << false << 120;
}

void TestWirePlan::blocks()
{
    QFETCH(ScreenKind, kind);
    QFETCH(int, count);
    QFETCH(bool, how);
    QFETCH(int, length);

    const QStringList lines = compiled(count);
    const WirePlan plan = wirePlan(lines, kind, how);
    QVERIFY2(plan.ok, qPrintable(plan.messages.join(u' ')));

    QByteArray image;
    if (!how && kind != ScreenKind::Text)
        image += header;
    image += asBytes(lines);
    image.append(char(TERMINATOR));
    image.append(QByteArray(length - image.size(), char(TERMINATOR)));

    QByteArray expected;
    for (int block = 0; block * BlockSize < length; ++block) {
        expected.append(char(block + 1));
        expected.append(image.mid(block * BlockSize, BlockSize));
    }
    QCOMPARE(plan.values(), expected);

    const int bytePause = kind == ScreenKind::Route ? 80 : 60;
    int lastProgress = 0;
    for (int i = 0; i < plan.bytes.size(); ++i) {
        const WireByte &b = plan.bytes.at(i);
        const bool endsBlock = i + 1 == plan.bytes.size() || plan.bytes.at(i + 1).blockNumber;
        const int want = b.blockNumber ? 100 : bytePause + (endsBlock ? 500 : 0);
        QVERIFY2(b.pauseMs == want, qPrintable(u"byte %1: pause %2, want %3"_qs.arg(i).arg(b.pauseMs).arg(want)));
        QCOMPARE(b.blockNumber, i % (BlockSize + 1) == 0);
        if (b.blockNumber)
            QCOMPARE(b.progress, lastProgress);
        QVERIFY(b.progress >= lastProgress);
        lastProgress = b.progress;
    }
    QCOMPARE(lastProgress, 100);
}

void TestWirePlan::refusals_data()
{
    QTest::addColumn<ScreenKind>("kind");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("how");
    QTest::addColumn<QString>("message");

    const QString tooManyLines = textTooLongMessage();
    const QString tooLong = imageTooLongMessage();
    QTest::newRow("text 120") << ScreenKind::Text << 120 << true << tooManyLines;
    QTest::newRow("text 200") << ScreenKind::Text << 200 << true << tooManyLines;
    QTest::newRow("icon 120") << ScreenKind::Icon << 120 << true << tooLong;
    // The header pushes a program that fits on its own past the robot's three blocks.
    QTest::newRow("icon header 116") << ScreenKind::Icon << 116 << false << tooLong;
    QTest::newRow("route header 116") << ScreenKind::Route << 116 << false << tooLong;
    QTest::newRow("route 120") << ScreenKind::Route << 120 << true << tooLong;
}

void TestWirePlan::refusals()
{
    QFETCH(ScreenKind, kind);
    QFETCH(int, count);
    QFETCH(bool, how);
    QFETCH(QString, message);

    const WirePlan plan = wirePlan(compiled(count), kind, how);
    QVERIFY(!plan.ok);
    QVERIFY(plan.bytes.isEmpty());
    QCOMPARE(plan.messages, QStringList{message});
}

void TestWirePlan::compileFailure_data()
{
    QTest::addColumn<ScreenKind>("kind");
    QTest::addColumn<bool>("how");
    QTest::addColumn<QByteArray>("wire"); // empty: refused with the compiler's messages

    const QByteArray fill40(40, char(TERMINATOR));
    QTest::newRow("icon refuses") << ScreenKind::Icon << true << QByteArray();
    QTest::newRow("text refuses") << ScreenKind::Text << true << QByteArray();
    QTest::newRow("route sends an empty program")
        << ScreenKind::Route << true << QByteArray("\x01") + fill40;
    QTest::newRow("route sends the header alone")
        << ScreenKind::Route << false << QByteArray("\x01") + header + fill40.left(36);
}

void TestWirePlan::compileFailure()
{
    QFETCH(ScreenKind, kind);
    QFETCH(bool, how);
    QFETCH(QByteArray, wire);

    const WirePlan plan = wirePlanForText(u"motor(fwd,fwd)\r\nforward please"_qs, kind, how);
    if (wire.isEmpty()) {
        QVERIFY(!plan.ok);
        QVERIFY(!plan.messages.isEmpty());
        QVERIFY2(plan.messages.first().startsWith(u"2行目が違います"_qs), qPrintable(plan.messages.first()));
        QVERIFY(plan.bytes.isEmpty());
    } else {
        QVERIFY(plan.ok);
        QCOMPARE(plan.values(), wire);
        QCOMPARE(plan.bytes.last().progress, 100);
    }
}

void TestWirePlan::exampleWithStartHeader()
{
    const WirePlan plan = wirePlanForText(u"motor(fwd,fwd)\r\nwait(10)"_qs, ScreenKind::Icon, false);
    QVERIFY(plan.ok);
    const QByteArray head("\x01\xC1\x40\x01\xC9\x45\x0A\xFE", 8);
    QCOMPARE(plan.values(), head + QByteArray(33, char(TERMINATOR)));
    QCOMPARE(plan.bytes.size(), 41);
    QCOMPARE(plan.bytes.first().pauseMs, 100);
    QCOMPARE(plan.bytes.last().pauseMs, 560);
    QCOMPARE(plan.totalPauseMs(), 100 + 40 * 60 + 500);
}

void TestWirePlan::progressRoundsHalvesToEven()
{
    // Two blocks of 40: 1.25 % a byte. Position 2 gives 2.5 and position 6 gives 7.5.
    const WirePlan plan = wirePlan(compiled(50), ScreenKind::Icon, true);
    QVERIFY(plan.ok);
    QCOMPARE(plan.image.size(), 80);
    QCOMPARE(plan.bytes.at(1).progress, 1);  // position 1
    QCOMPARE(plan.bytes.at(2).progress, 2);  // 2.5
    QCOMPARE(plan.bytes.at(6).progress, 8);  // 7.5
    QCOMPARE(plan.bytes.at(40).progress, 50);
    QCOMPARE(plan.bytes.at(41).progress, 50); // block number 2
    QCOMPARE(plan.bytes.at(42).progress, 51); // position 41: 51.25
}

void TestWirePlan::fullTransferTakesItsTime_data()
{
    QTest::addColumn<ScreenKind>("kind");
    QTest::addColumn<qint64>("total");
    QTest::newRow("icon") << ScreenKind::Icon << qint64(9000);
    QTest::newRow("text") << ScreenKind::Text << qint64(9000);
    QTest::newRow("route") << ScreenKind::Route << qint64(11400);
}

void TestWirePlan::fullTransferTakesItsTime()
{
    QFETCH(ScreenKind, kind);
    QFETCH(qint64, total);
    const WirePlan plan = wirePlan(compiled(100), kind, true);
    QVERIFY(plan.ok);
    QCOMPARE(plan.bytes.size(), 123);
    QCOMPARE(plan.totalPauseMs(), total);
}

QTEST_GUILESS_MAIN(TestWirePlan)
#include "tst_wireplan.moc"
