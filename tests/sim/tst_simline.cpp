// SPDX-License-Identifier: GPL-3.0-or-later
// The sample program's road to the virtual robot inside the program, with no window and no
// device: compiled, planned, played through the port's player, stored and run by the robot.
#include "robot/instructioncode.h"
#include "robot/programtransfer.h"
#include "robot/wireplan.h"
#include "robot/wireplayer.h"
#include "sim/simline.h"
#include "support/testenv.h"

#include <QFile>
#include <QSignalSpy>
#include <QtTest>

#include <algorithm>

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
    QFile file(testenv::sourceDir() + u"/data/Data/文字入力サンプル.rk5"_s);
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

    sim::SimLine line;
    connectModemLineHandlers(line);
    // Closed: the road opens it, as it opens a port that is not sound.
    ProgramTransfer road(&line);
    QSignalSpy refused(&road, &ProgramTransfer::refused);
    QSignalSpy finished(&road, &ProgramTransfer::finished);
    QList<int> bar;
    connect(&road, &ProgramTransfer::progressChanged, this, [&bar](int percent) { bar << percent; });
    QVERIFY(road.prepare(program, ScreenKind::Text, true));
    const WirePlan plan = road.plan();
    QVERIFY(plan.ok);
    QVERIFY(road.play());
    QVERIFY(line.isOpen() && line.dtrRequested() && line.rtsRequested());
    QVERIFY(line.lineClaimed());
    QVERIFY(finished.wait(int(plan.totalPauseMs()) + 5000));
    QCOMPARE(refused.size(), 0);
    QVERIFY(!line.lineClaimed());
    QVERIFY(!bar.isEmpty());
    QVERIFY(std::is_sorted(bar.cbegin(), bar.cend()));
    QCOMPARE(bar.last(), 100);
    WirePlayer *player = WirePlayer::of(&line);

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
    QTest::addColumn<QString>("program");
    QTest::addColumn<bool>("claimed");
    QTest::addColumn<ProgramTransfer::Refusal>("why");
    QTest::newRow("does not compile") << u"motor(fwd"_s << false << ProgramTransfer::Refusal::NotAccepted;
    QTest::newRow("held by a transfer") << u"motor(fwd,fwd)"_s << true << ProgramTransfer::Refusal::LineBusy;
}

void TestSimLine::refusesLikeAPort()
{
    QFETCH(QString, program);
    QFETCH(bool, claimed);
    QFETCH(ProgramTransfer::Refusal, why);
    sim::SimLine line;
    // A closed line takes no byte.
    QVERIFY(!line.WriteByte(CMD_START));
    QVERIFY(!line.lastError().isEmpty());
    QVERIFY(line.Open());
    QObject transfer;
    if (claimed)
        QVERIFY(line.claimLine(&transfer));
    ProgramTransfer road(&line);
    QSignalSpy refused(&road, &ProgramTransfer::refused);
    QVERIFY(!road.prepare(program, ScreenKind::Text, true));
    QCOMPARE(refused.size(), 1);
    QCOMPARE(refused[0].at(0).value<ProgramTransfer::Refusal>(), why);
    QVERIFY(!refused[0].at(1).toString().isEmpty());
    QVERIFY(!road.play());
    QTest::qWait(20);
    QVERIFY(line.arrivals().isEmpty());
}

QTEST_GUILESS_MAIN(TestSimLine)
#include "tst_simline.moc"
