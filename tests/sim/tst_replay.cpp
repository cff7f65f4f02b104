// SPDX-License-Identifier: GPL-3.0-or-later
#include "robot/wireplan.h"
#include "sim/replay.h"
#include "sim/trialrun.h"

#include <QtTest>

using namespace Qt::StringLiterals;

// The windowless replay of a recorded transfer, and the same bytes tried inside the program.
class TestReplay : public QObject
{
    Q_OBJECT
private slots:
    void wireLines_data();
    void wireLines();
    void switchPresses_data();
    void switchPresses();
    void poseLines_data();
    void poseLines();
    void replaysTransfer_data();
    void replaysTransfer();
    void traceFollowsTheProgram();
};

void TestReplay::wireLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("badLine");
    QTest::newRow("two lines") << u"1 100\n69 60\n"_s << true << 2 << 0;
    QTest::newRow("CR LF and blank lines") << u"1 100\r\n\r\n  254   500  \r\n"_s << true << 2 << 0;
    QTest::newRow("empty") << QString() << true << 0 << 0;
    QTest::newRow("byte above 255") << u"1 100\n256 60\n"_s << false << 0 << 2;
    QTest::newRow("pause missing") << u"4\n"_s << false << 0 << 1;
    QTest::newRow("negative pause") << u"4 -5\n"_s << false << 0 << 1;
    QTest::newRow("words") << u"1 100\n\nbyte pause\n"_s << false << 0 << 3;
}

void TestReplay::wireLines()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(int, count);
    QFETCH(int, badLine);
    QList<sim::WireLine> lines;
    int bad = -1;
    QCOMPARE(sim::parseWireLines(text, lines, bad), ok);
    QCOMPARE(bad, badLine);
    if (ok)
        QCOMPARE(lines.size(), count);
}

void TestReplay::switchPresses_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("which");
    QTest::addColumn<qint64>("atMs");
    QTest::newRow("front, whole seconds") << u"sw1@12"_s << true << 1 << qint64(12000);
    QTest::newRow("rear, fraction") << u"sw2@0.25"_s << true << 2 << qint64(250);
    QTest::newRow("no switch 3") << u"sw3@1"_s << false << 0 << qint64(0);
    QTest::newRow("no time") << u"sw1@"_s << false << 0 << qint64(0);
    QTest::newRow("negative time") << u"sw1@-1"_s << false << 0 << qint64(0);
    QTest::newRow("io is no switch") << u"io1@1"_s << false << 0 << qint64(0);
}

void TestReplay::switchPresses()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(int, which);
    QFETCH(qint64, atMs);
    sim::SwitchPress p;
    QCOMPARE(sim::parseSwitchPress(text, p), ok);
    if (ok) {
        QCOMPARE(p.which, which);
        QCOMPARE(p.atMs, atMs);
    }
}

void TestReplay::poseLines_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("heading");
    QTest::addColumn<QString>("line");
    QTest::newRow("start") << 0.0 << 0.0 << 90.0 << u"pose 0.00 0.00 90.0"_s;
    QTest::newRow("noise is no minus") << -1e-12 << -0.004 << 90.0 << u"pose 0.00 0.00 90.0"_s;
    QTest::newRow("rounded") << -5.27 << 123.456 << 180.04 << u"pose -5.27 123.46 180.0"_s;
    QTest::newRow("just below a full turn") << 1.0 << 2.0 << 359.97 << u"pose 1.00 2.00 0.0"_s;
    QTest::newRow("negative heading") << 1.0 << 2.0 << -90.0 << u"pose 1.00 2.00 270.0"_s;
}

void TestReplay::poseLines()
{
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(double, heading);
    QFETCH(QString, line);
    QCOMPARE(sim::poseLine({x, y, heading}), line);
}

namespace {

QList<sim::WireLine> wireOf(const QString &text, ScreenKind kind, bool how)
{
    QList<sim::WireLine> lines;
    for (const WireByte &b : wirePlanForText(text, kind, how).bytes)
        lines.append({b.value, b.pauseMs});
    return lines;
}

}

void TestReplay::replaysTransfer_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("how");
    QTest::addColumn<QStringList>("presses");
    QTest::addColumn<bool>("ended");
    QTest::addColumn<QString>("pose");

    const QString forward = u"motor(fwd,fwd)\r\nwait(10)"_s;
    QTest::newRow("starts at once") << forward << int(ScreenKind::Icon) << true << QStringList() << true
                                    << u"pose 0.00 17.50 90.0"_s;
    QTest::newRow("waits for the front switch, pressed")
        << forward << int(ScreenKind::Icon) << false << QStringList{u"sw1@12"_s} << true << u"pose 0.00 17.50 90.0"_s;
    QTest::newRow("pressed during the transfer is too early")
        << forward << int(ScreenKind::Icon) << false << QStringList{u"sw1@1"_s} << false << u"pose 0.00 0.00 90.0"_s;
    QTest::newRow("the rear switch does not start it")
        << forward << int(ScreenKind::Route) << false << QStringList{u"sw2@12"_s} << false << u"pose 0.00 0.00 90.0"_s;
    QTest::newRow("three blocks")
        << QStringList(59, u"motor(fwd,rev)\r\nwait(1)"_s).join(u"\r\n"_s) << int(ScreenKind::Text) << true
        << QStringList() << true << u"pose 0.00 0.00 108.0"_s;
    QTest::newRow("endless program runs out of time")
        << u"while(1)\r\nmotor(fwd,rev)\r\nwait(20)\r\nendwhile"_s << int(ScreenKind::Text) << true << QStringList()
        << false << u"pose 0.00 0.00 90.0"_s;
}

void TestReplay::replaysTransfer()
{
    QFETCH(QString, text);
    QFETCH(int, kind);
    QFETCH(bool, how);
    QFETCH(QStringList, presses);
    QFETCH(bool, ended);
    QFETCH(QString, pose);
    QList<sim::SwitchPress> at;
    for (const QString &p : presses) {
        sim::SwitchPress press;
        QVERIFY(sim::parseSwitchPress(p, press));
        at.append(press);
    }
    const sim::ReplayResult r = sim::replayWire(wireOf(text, ScreenKind(kind), how), at);
    QCOMPARE(r.ended, ended);
    QCOMPARE(sim::poseLine(r.pose), pose);

    // Tried inside the program (no switch pressed), the robot ends where the replay put it.
    if (!presses.isEmpty())
        return;
    const WirePlan plan = wirePlanForText(text, ScreenKind(kind), how);
    const sim::ReplayWorld world;
    sim::TrialRun trial;
    trial.start(plan.values(), startCommand(ScreenKind(kind)), plan.imageLines, world.world, world.start);
    for (qint64 ms = 0; !trial.finished() && ms < sim::REPLAY_RUN_LIMIT_MS; ms += 100)
        trial.advance(100);
    QCOMPARE(trial.finished(), ended);
    const sim::Pose end = trial.robot().pose();
    QCOMPARE(sim::poseLine({end.x - world.start.x, end.y - world.start.y, end.heading}), pose);
}

void TestReplay::traceFollowsTheProgram()
{
    const QList<sim::WireLine> wire = wireOf(u"loop(2)\r\nmotor(rev,fwd)\r\nwait(5)\r\nendloop"_s, ScreenKind::Icon, true);
    // The run button comes when the last pause of the transfer is over.
    qint64 start = 0;
    for (const sim::WireLine &line : wire)
        start += line.pauseMs;
    auto at = [start](qint64 ms, const QString &rest) {
        return QString::number(double(start + ms) / 1000.0, 'f', 3) + u' ' + rest;
    };
    const QStringList expected{at(0, u"0 loop(2)"_s),     at(0, u"2 motor(rev,fwd) wait(5)"_s),
                               at(500, u"4 endloop"_s),   at(500, u"2 motor(rev,fwd) wait(5)"_s),
                               at(1000, u"4 endloop"_s),  at(1000, u"5 // おわり"_s)};
    const sim::ReplayResult r = sim::replayWire(wire, {});
    QCOMPARE(r.trace, expected);
    QCOMPARE(sim::poseLine(r.pose), u"pose 0.00 0.00 270.0"_s);

    // Step by step, the running line follows the loop back (endloop takes no time).
    const WirePlan plan = wirePlanForText(u"loop(2)\r\nmotor(rev,fwd)\r\nwait(5)\r\nendloop"_s, ScreenKind::Icon, true);
    sim::TrialRun trial;
    trial.start(plan.values(), startCommand(ScreenKind::Icon), plan.imageLines, sim::World(), sim::DEFAULT_START);
    QList<int> lines{trial.currentLine()};
    while (trial.step())
        lines.append(trial.currentLine());
    QCOMPARE(lines, (QList<int>{2, 2, 0}));
    QVERIFY(trial.finished());
}

QTEST_GUILESS_MAIN(TestReplay)
#include "tst_replay.moc"
