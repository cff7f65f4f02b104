// SPDX-License-Identifier: GPL-3.0-or-later
// The sample program's road to the virtual robot inside the program, with no window and no
// device: compiled, planned, played through the port's player, stored and run by the robot.
#include "robot/instructioncode.h"
#include "robot/wireplan.h"
#include "robot/wireplayer.h"
#include "sim/simline.h"

#include <QFile>
#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestSimLine : public QObject
{
    Q_OBJECT
private slots:
    void sampleProgramIsStoredAndRuns();
    void refusesLikeAPort_data();
    void refusesLikeAPort();
};

namespace {

QString sampleProgram()
{
    QFile file(QStringLiteral(RK25_SOURCE_DIR "/data/Data/文字入力サンプル.rk5"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    for (QString &line : lines)
        line.remove(u'\r');
    // The first line names the file's kind; the screen hands the rest to the compiler.
    return lines.mid(1).join(u"\r\n"_s);
}

}

void TestSimLine::sampleProgramIsStoredAndRuns()
{
    const QString program = sampleProgram();
    QVERIFY(!program.isEmpty());
    const WirePlan plan = wirePlanForText(program, ScreenKind::Text, true);
    QVERIFY2(plan.ok, qPrintable(plan.messages.join(u'\n')));

    sim::SimLine line;
    connectModemLineHandlers(line);
    QVERIFY(line.Open());
    QVERIFY(line.dtrRequested() && line.rtsRequested());
    WirePlayer *player = WirePlayer::of(&line);
    WirePlayback playback(plan);
    QSignalSpy finished(&playback, &WirePlayback::finished);
    QVERIFY(player->play(&playback));
    QVERIFY(finished.wait(int(plan.totalPauseMs()) + 5000));

    // What the robot received, and the pauses it got, on the line's own clock.
    const QList<sim::SimLine::Arrival> &got = line.arrivals();
    QByteArray values;
    for (const sim::SimLine::Arrival &a : got)
        values.append(char(a.value));
    QCOMPARE(values, plan.values());
    for (int i = 1; i < got.size(); ++i)
        QVERIFY2(got[i].atNs - got[i - 1].atNs >= qint64(plan.bytes[i - 1].pauseMs) * 1000000,
                 qPrintable(QString::number(i)));
    // The robot confirms: it holds the program image and waits to run it.
    QCOMPARE(line.robot().state(), sim::RobotState::HasProgram);
    QCOMPARE(line.robot().program().left(plan.image.size()), plan.image);

    // The run byte starts it; its first instructions set the speed and drive forward.
    QStringList events;
    line.robot().onEvent = [&events](const sim::RobotEvent &e) { events << e.text; };
    WirePlayback run(runPlan(ScreenKind::Text));
    QSignalSpy runDone(&run, &WirePlayback::finished);
    QVERIFY(player->play(&run));
    QVERIFY(runDone.wait(2000));
    QCOMPARE(line.arrivals().last().value, CMD_START_TEXT);
    QVERIFY(QTest::qWaitFor([&] { return line.robot().wheels().left != 0; }, 3000));
    QCOMPARE(line.robot().state(), sim::RobotState::Running);
    QVERIFY2(events.size() >= 2 && events[0].startsWith(u"speed"_s), qPrintable(events.join(u'|')));
    QVERIFY(line.Close());
}

void TestSimLine::refusesLikeAPort_data()
{
    QTest::addColumn<bool>("open");
    QTest::addColumn<bool>("claimed");
    QTest::newRow("closed") << false << false;
    QTest::newRow("held by a transfer") << true << true;
}

void TestSimLine::refusesLikeAPort()
{
    QFETCH(bool, open);
    QFETCH(bool, claimed);
    sim::SimLine line;
    if (open)
        QVERIFY(line.Open());
    QObject transfer;
    if (claimed)
        QVERIFY(line.claimLine(&transfer));
    QSignalSpy written(&line, &RobotLine::written);
    QVERIFY(!line.WriteByte(CMD_START));
    QVERIFY(!line.lastError().isEmpty());
    QVERIFY(line.arrivals().isEmpty());
    WirePlayback run(runPlan(ScreenKind::Icon));
    QVERIFY(!WirePlayer::of(&line)->play(&run));
    QCOMPARE(run.failure(), claimed ? WirePlayer::Failure::LineBusy : WirePlayer::Failure::PortNotOpen);
    QTest::qWait(20);
    QCOMPARE(written.size(), 0);
}

QTEST_GUILESS_MAIN(TestSimLine)
#include "tst_simline.moc"
