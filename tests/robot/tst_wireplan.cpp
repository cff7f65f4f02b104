// SPDX-License-Identifier: GPL-3.0-or-later
#include "robot/instructioncode.h"
#include "robot/wireplan.h"

#include <QtTest>

#include "support/wiretiming.h"

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(WirePlan)

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
    void restAfterStop_data();
    void restAfterStop();
    void commandPlans_data();
    void commandPlans();
    void remoteRule_data();
    void remoteRule();
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
    for (int block = 0; block * BLOCK_SIZE < length; ++block) {
        expected.append(char(block + 1));
        expected.append(image.mid(block * BLOCK_SIZE, BLOCK_SIZE));
    }
    QCOMPARE(plan.values(), expected);

    const int bytePause = kind == ScreenKind::Route ? 80 : 60;
    int lastProgress = 0;
    for (int i = 0; i < plan.bytes.size(); ++i) {
        const WireByte &b = plan.bytes.at(i);
        const bool endsBlock = i + 1 == plan.bytes.size() || plan.bytes.at(i + 1).blockNumber;
        const int want = b.blockNumber ? 100 : bytePause + (endsBlock ? 500 : 0);
        QVERIFY2(b.pauseMs == want, qPrintable(u"byte %1: pause %2, want %3"_s.arg(i).arg(b.pauseMs).arg(want)));
        QCOMPARE(b.blockNumber, i % (BLOCK_SIZE + 1) == 0);
        if (b.blockNumber)
            QCOMPARE(b.progress, lastProgress);
        QVERIFY(b.progress >= lastProgress);
        // The bar moves after the byte's own pause, before a block's end pause.
        if (!b.blockNumber)
            QCOMPARE(b.progressAfterMs, bytePause);
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

    const WirePlan plan = wirePlanForText(u"motor(fwd,fwd)\r\nforward please"_s, kind, how);
    if (wire.isEmpty()) {
        QVERIFY(!plan.ok);
        QVERIFY(!plan.messages.isEmpty());
        QVERIFY2(plan.messages.first().startsWith(u"2行目が違います"_s), qPrintable(plan.messages.first()));
        QVERIFY(plan.bytes.isEmpty());
    } else {
        QVERIFY(plan.ok);
        QCOMPARE(plan.values(), wire);
        QCOMPARE(plan.bytes.last().progress, 100);
    }
}

void TestWirePlan::exampleWithStartHeader()
{
    const WirePlan plan = wirePlanForText(u"motor(fwd,fwd)\r\nwait(10)"_s, ScreenKind::Icon, false);
    QVERIFY(plan.ok);
    const QByteArray head("\x01\xC1\x40\x01\xC9\x45\x0A\xFE", 8);
    QCOMPARE(plan.values(), head + QByteArray(33, char(TERMINATOR)));
    // The header and the fill come from no line of the pupil's text.
    QCOMPARE(plan.imageLines, QList<int>({0, 0, 0, 0, 1, 1}) + QList<int>(34, 0));
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

void TestWirePlan::restAfterStop_data()
{
    QTest::addColumn<int>("compiledCount");
    QTest::addColumn<int>("sent");
    QTest::addColumn<int>("restCount"); // bytes that follow, all 254
    // One block is 41 bytes on the wire: its number and 40 bytes.
    QTest::newRow("nothing sent yet") << 20 << 0 << 0;
    QTest::newRow("just the block number") << 20 << 1 << 40;
    QTest::newRow("in the middle of block 1") << 20 << 6 << 35;
    QTest::newRow("one byte short of the end") << 20 << 40 << 1;
    QTest::newRow("block 1 complete, transfer done") << 20 << 41 << 0;
    QTest::newRow("between blocks 1 and 2") << 100 << 41 << 0;
    QTest::newRow("block number 2 sent") << 100 << 42 << 40;
    QTest::newRow("in the middle of block 3") << 100 << 100 << 23;
    QTest::newRow("past the end") << 100 << 200 << 0;
}

void TestWirePlan::restAfterStop()
{
    QFETCH(int, compiledCount);
    QFETCH(int, sent);
    QFETCH(int, restCount);
    const WirePlan plan = wirePlan(compiled(compiledCount), ScreenKind::Route, true);
    QVERIFY(plan.ok);
    const QList<WireByte> rest = ::restAfterStop(plan, sent);
    QCOMPARE(rest.size(), restCount);
    for (int i = 0; i < rest.size(); ++i) {
        const WireByte &planned = plan.bytes.at(sent + i);
        QCOMPARE(int(rest[i].value), int(TERMINATOR));
        QVERIFY(!rest[i].blockNumber);
        // At the planned pauses, the block's end pause included, so the robot gets its time.
        QCOMPARE(rest[i].pauseMs, planned.pauseMs);
        QCOMPARE(rest[i].progress, planned.progress);
    }
    if (restCount > 0)
        QCOMPARE(rest.last().pauseMs, ROUTE_BYTE_PAUSE_MS + BLOCK_END_PAUSE_MS);
}

void TestWirePlan::commandPlans_data()
{
    QTest::addColumn<WirePlan>("plan");
    QTest::addColumn<QByteArray>("wire");
    QTest::addColumn<QList<int>>("pauses");
    QTest::addColumn<int>("restAfterFirst");
    QTest::newRow("operation test at 20") << operationTestPlan(20) << QByteArray("\x06\x14\x14")
                                          << QList<int>{100, 100, 100} << 2;
    QTest::newRow("operation test at 50") << operationTestPlan(50) << QByteArray("\x06\x32\x32")
                                          << QList<int>{100, 100, 100} << 2;
    QTest::newRow("run, icon") << runPlan(ScreenKind::Icon) << QByteArray("\x04") << QList<int>{0} << 0;
    QTest::newRow("run, route") << runPlan(ScreenKind::Route) << QByteArray("\x04") << QList<int>{0} << 0;
    QTest::newRow("run, text") << runPlan(ScreenKind::Text) << QByteArray("\x07") << QList<int>{0} << 0;
}

void TestWirePlan::commandPlans()
{
    QFETCH(WirePlan, plan);
    QFETCH(QByteArray, wire);
    QFETCH(QList<int>, pauses);
    QFETCH(int, restAfterFirst);
    QVERIFY(plan.ok);
    QCOMPARE(plan.values(), wire);
    QCOMPARE(plan.bytes.size(), pauses.size());
    for (int i = 0; i < pauses.size(); ++i) {
        QCOMPARE(plan.bytes[i].pauseMs, pauses[i]);
        QVERIFY(plan.bytes[i].progress < 0); // no bar
    }
    // A stopped test still sends its speed bytes: 6 alone would leave the robot waiting.
    const QList<WireByte> rest = ::restAfterStop(plan, 1);
    QCOMPARE(rest.size(), restAfterFirst);
    for (int i = 0; i < rest.size(); ++i)
        QCOMPARE(rest[i].value, plan.bytes[i + 1].value);
}

void TestWirePlan::remoteRule_data()
{
    QTest::addColumn<QByteArray>("waiting");
    QTest::addColumn<int>("next");
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("nothing waits") << QByteArray() << 69 << QByteArray("\x45");
    QTest::newRow("a held key repeats its code") << QByteArray("\x45") << 69 << QByteArray("\x45");
    QTest::newRow("a new code replaces the waiting one") << QByteArray("\x45") << 70 << QByteArray("\x46");
    QTest::newRow("stop replaces a drive") << QByteArray("\x45") << 64 << QByteArray("\x40");
    QTest::newRow("a drive replaces a waiting stop") << QByteArray("\x40") << 74 << QByteArray("\x4a");
    QTest::newRow("5 stays ahead of a drive") << QByteArray("\x05") << 69 << QByteArray("\x05\x45");
    QTest::newRow("5 stays ahead of stop") << QByteArray("\x05\x45") << 64 << QByteArray("\x05\x40");
    QTest::newRow("5 replaces drives and a waiting 5") << QByteArray("\x05\x45") << 5 << QByteArray("\x05");
    QTest::newRow("254 replaces everything") << QByteArray("\x05\x45") << 254 << QByteArray("\xfe");
}

void TestWirePlan::remoteRule()
{
    QFETCH(QByteArray, waiting);
    QFETCH(int, next);
    QFETCH(QByteArray, after);
    QList<WireByte> queue;
    for (char c : waiting)
        queue.append(remoteByte(quint8(c)));
    QByteArray got;
    for (const WireByte &b : remoteWaitingAfter(queue, remoteByte(quint8(next))))
        got.append(char(b.value));
    QCOMPARE(got, after);
}

QTEST_GUILESS_MAIN(TestWirePlan)
#include "tst_wireplan.moc"
