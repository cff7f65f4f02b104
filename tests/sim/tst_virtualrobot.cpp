// SPDX-License-Identifier: GPL-3.0-or-later
#include "robot/instructioncode.h"
#include "robot/programimage.h"
#include "robot/tsmr.h"
#include "sim/virtualrobot.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using sim::RobotState;
using sim::VirtualRobot;

// The robot behind the line: receiver, interpreter and motion on the simulated clock.
class TestVirtualRobot : public QObject
{
    Q_OBJECT
private slots:
    void runs_data();
    void runs();
    void conditions_data();
    void conditions();
    void whileEndsWhenInputChanges_data();
    void whileEndsWhenInputChanges();
    void startHeaderWaitsForFrontSwitch();
    void endlessLoopsStillLetTimePass_data();
    void endlessLoopsStillLetTimePass();
    void remoteControlDriving();
    void remoteControlIgnoresOtherBytes();
    void byteMidRunStopsFirst_data();
    void byteMidRunStopsFirst();
    void unknownBytesStop_data();
    void unknownBytesStop();
    void blocksStoredWhateverTheirValues();
    void startWithoutProgramDoesNothing();
    void operationTest();
    void stopsAtContact_data();
    void stopsAtContact();
    void hostileWorldNeverOverlaps();
};

namespace {

// The image the icon screen would send for the text; a text that does not compile gives an
// unknown byte, so the run fails loudly.
QByteArray image(const QString &text, bool header = false)
{
    TSmr smr(text);
    const bool ok = smr.Compile();
    if (!ok)
        qWarning() << smr.messages();
    return buildProgramImage(ok ? smr.codeLines() : QStringList{u"255"_s}, ScreenKind::Icon, header);
}

void feed(VirtualRobot &robot, const QByteArray &bytes)
{
    for (char b : bytes)
        robot.receive(quint8(b));
}

// Sends the image as the transfer does (block number, 40 bytes, per block), time standing still.
void transfer(VirtualRobot &robot, const QByteArray &img)
{
    for (int block = 0; block * BLOCK_SIZE < qMin(img.size(), MAX_IMAGE_BYTES); ++block) {
        robot.receive(blockNumber(block));
        feed(robot, img.mid(block * BLOCK_SIZE, BLOCK_SIZE));
    }
}

// Runs until nothing moves any more (or the limit), returns when it ended.
qint64 runToEnd(VirtualRobot &robot, qint64 limitMs = 600000)
{
    while (robot.busy() && robot.now() < limitMs)
        robot.advanceTo(robot.now() + 100);
    return robot.now();
}

bool near(double a, double b)
{
    return std::abs(a - b) < 1e-6;
}

QString describe(const sim::Pose &p)
{
    return u"(%1, %2, %3)"_s.arg(p.x, 0, 'f', 4).arg(p.y, 0, 'f', 4).arg(p.heading, 0, 'f', 4);
}

#define COMPARE_POSE(pose, ex, ey, eh)                                                                       \
    QVERIFY2(near((pose).x, ex) && near((pose).y, ey) && near(std::remainder((pose).heading - (eh), 360.0), 0), \
             qPrintable(describe(pose)))

}

void TestVirtualRobot::runs_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("heading");
    QTest::addColumn<qint64>("endMs");

    QTest::newRow("straight 1.0 s") << u"motor(fwd,fwd)\nwait(10)"_s << 0.0 << 17.5 << 90.0 << 1000ll;
    QTest::newRow("spin 90 degrees") << u"motor(fwd,rev)\nwait(5)"_s << 0.0 << 0.0 << 0.0 << 500ll;
    QTest::newRow("pivot a quarter about the left wheel")
        << u"motor(stop,fwd)\nwait(10)"_s << -5.27 << 5.27 << 180.0 << 1000ll;
    QTest::newRow("nested loops") << u"loop(2)\nloop(3)\nmotor(fwd,fwd)\nwait(1)\nendloop\nendloop"_s << 0.0
                                  << 10.5 << 90.0 << 600ll;
    QTest::newRow("loop draws a square and comes back")
        << u"loop(4)\nmotor(rev,fwd)\nwait(5)\nmotor(fwd,fwd)\nwait(10)\nendloop"_s << 0.0 << 0.0 << 90.0 << 6000ll;
    QTest::newRow("loop after a loop") << u"loop(2)\nmotor(fwd,fwd)\nwait(2)\nendloop\nloop(3)\nmotor(rev,rev)\nwait(1)\nendloop"_s
                                       << 0.0 << 1.75 << 90.0 << 700ll;
    QTest::newRow("empty loop body takes a tenth a round") << u"loop(5)\nendloop\nmotor(fwd,fwd)\nwait(1)"_s << 0.0
                                                           << 1.75 << 90.0 << 600ll;
    QTest::newRow("if without the else") << u"if(sw1=on)\nmotor(fwd,fwd)\nwait(10)\nendif\nmotor(rev,rev)\nwait(2)"_s
                                         << 0.0 << -3.5 << 90.0 << 200ll;
    QTest::newRow("while that never holds is skipped") << u"while(sw2=on)\nmotor(fwd,fwd)\nwait(10)\nendwhile"_s
                                                       << 0.0 << 0.0 << 90.0 << 0ll;
    QTest::newRow("speed leaves the motion alone") << u"speed(10,50)\nmotor(fwd,fwd)\nwait(10)"_s << 0.0 << 17.5
                                                   << 90.0 << 1000ll;
    QTest::newRow("motor set 1") << u"motor_set 1\nmotor(rev,rev)\nwait(10)"_s << 0.0 << -17.5 << 90.0 << 1000ll;
    QTest::newRow("io waits hold the wheels")
        << u"motor(fwd,fwd)\nwait(2)\nsetio1(out)\nio1(on)\nwait(4)\nio1(off)\nwait(4)"_s << 0.0 << 17.5 << 90.0
        << 1000ll;
    QTest::newRow("longest wait") << u"motor(fwd,fwd)\nwait(255)"_s << 0.0 << 446.25 << 90.0 << 25500ll;
}

void TestVirtualRobot::runs()
{
    QFETCH(QString, text);
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(double, heading);
    QFETCH(qint64, endMs);
    VirtualRobot robot;
    qint64 endedAt = -1;
    robot.onEvent = [&](const sim::RobotEvent &e) {
        if (e.text == u"// おわり")
            endedAt = e.ms;
    };
    transfer(robot, image(text));
    QCOMPARE(robot.state(), RobotState::HasProgram);
    robot.receive(CMD_START);
    runToEnd(robot);
    QVERIFY(!robot.busy());
    QCOMPARE(robot.state(), RobotState::HasProgram);
    QCOMPARE(endedAt, endMs);
    COMPARE_POSE(robot.pose(), x, y, heading);
    QCOMPARE(robot.wheels(), sim::Wheels());
}

void TestVirtualRobot::conditions_data()
{
    QTest::addColumn<QString>("condition");
    QTest::addColumn<int>("inputs"); // bits: 1 sw1 pressed, 2 sw2 pressed, 4 io1 high, 8 io2 high
    QTest::addColumn<bool>("holds");

    // Each condition depends on its own input alone: the others are set both ways.
    struct Row { const char *cond; int bit; bool holdsWhenSet; };
    const Row rows[] = {{"sw1=on", 1, true},  {"sw1=off", 1, false}, {"sw2=on", 2, true}, {"sw2=off", 2, false},
                        {"io1=hi", 4, true}, {"io1=lo", 4, false},  {"io2=hi", 8, true}, {"io2=lo", 8, false}};
    for (const Row &r : rows) {
        for (bool set : {true, false}) {
            for (bool othersSet : {true, false}) {
                const int inputs = (set ? r.bit : 0) | (othersSet ? 15 & ~r.bit : 0);
                QTest::addRow("%s, input %s, others %s", r.cond, set ? "set" : "clear", othersSet ? "set" : "clear")
                    << QString::fromLatin1(r.cond) << inputs << (set == r.holdsWhenSet);
            }
        }
    }
}

// if and elseif on every switch and IO condition: the taken branch decides the way.
void TestVirtualRobot::conditions()
{
    QFETCH(QString, condition);
    QFETCH(int, inputs);
    QFETCH(bool, holds);
    VirtualRobot robot;
    robot.setSwitch(1, inputs & 1);
    robot.setSwitch(2, inputs & 2);
    robot.setIoInput(1, inputs & 4);
    robot.setIoInput(2, inputs & 8);
    transfer(robot, image(u"if(%1)\nmotor(fwd,fwd)\nwait(10)\nelseif\nmotor(rev,rev)\nwait(10)\nendif\n"
                          u"motor(fwd,rev)\nwait(5)"_s.arg(condition)));
    robot.receive(CMD_START);
    runToEnd(robot);
    COMPARE_POSE(robot.pose(), 0.0, holds ? 17.5 : -17.5, 0.0);
}

void TestVirtualRobot::whileEndsWhenInputChanges_data()
{
    QTest::addColumn<QString>("condition");
    QTest::addColumn<int>("input"); // 1 sw1, 2 sw2, 3 io1, 4 io2
    QTest::addColumn<bool>("startValue");
    QTest::newRow("sw1=off") << u"sw1=off"_s << 1 << false;
    QTest::newRow("sw1=on") << u"sw1=on"_s << 1 << true;
    QTest::newRow("sw2=off") << u"sw2=off"_s << 2 << false;
    QTest::newRow("sw2=on") << u"sw2=on"_s << 2 << true;
    QTest::newRow("io1=lo") << u"io1=lo"_s << 3 << false;
    QTest::newRow("io1=hi") << u"io1=hi"_s << 3 << true;
    QTest::newRow("io2=lo") << u"io2=lo"_s << 4 << false;
    QTest::newRow("io2=hi") << u"io2=hi"_s << 4 << true;
}

void TestVirtualRobot::whileEndsWhenInputChanges()
{
    QFETCH(QString, condition);
    QFETCH(int, input);
    QFETCH(bool, startValue);
    VirtualRobot robot;
    auto set = [&](bool v) { input <= 2 ? robot.setSwitch(input, v) : robot.setIoInput(input - 2, v); };
    set(startValue);
    transfer(robot, image(u"while(%1)\nmotor(fwd,fwd)\nwait(1)\nendwhile"_s.arg(condition)));
    robot.receive(CMD_START);
    robot.advanceTo(1000);
    QVERIFY(robot.busy());
    set(!startValue);
    // The check at 1.0 s already ran; the next one, a tenth later, ends the block.
    runToEnd(robot);
    COMPARE_POSE(robot.pose(), 0.0, 11 * 1.75, 90.0);
}

void TestVirtualRobot::startHeaderWaitsForFrontSwitch()
{
    VirtualRobot robot;
    transfer(robot, image(u"motor(fwd,fwd)\nwait(10)"_s, true));
    QCOMPARE(robot.program().left(4), QByteArray("\xC1\x40\x01\xC9"));
    robot.receive(CMD_START);
    robot.advanceTo(5000);
    QVERIFY(robot.busy());
    QVERIFY(robot.currentOffset() >= 0 && robot.currentOffset() < 4);
    COMPARE_POSE(robot.pose(), 0.0, 0.0, 90.0);
    // The rear switch is not the one the header waits for.
    robot.setSwitch(2, true);
    robot.advanceTo(6000);
    QVERIFY(robot.currentOffset() < 4);
    robot.setSwitch(1, true);
    robot.advanceTo(6500);
    robot.setSwitch(1, false);
    runToEnd(robot);
    QVERIFY(!robot.busy());
    COMPARE_POSE(robot.pose(), 0.0, 17.5, 90.0);
    QCOMPARE(robot.lastEnd(), u"おわりまで動きました"_s);
}

void TestVirtualRobot::endlessLoopsStillLetTimePass_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty while(1)") << u"while(1)\nendwhile"_s;
    QTest::newRow("while(1) with only an if inside") << u"while(1)\nif(sw1=on)\nendif\nendwhile"_s;
    QTest::newRow("empty while on a switch") << u"while(sw1=off)\nendwhile"_s;
    QTest::newRow("loops in loops, all empty") << u"loop(255)\nloop(255)\nloop(255)\nendloop\nendloop\nendloop"_s;
}

void TestVirtualRobot::endlessLoopsStillLetTimePass()
{
    QFETCH(QString, text);
    VirtualRobot robot;
    int events = 0;
    robot.onEvent = [&](const sim::RobotEvent &) { ++events; };
    transfer(robot, image(text));
    robot.receive(CMD_START);
    robot.advanceTo(60000);
    QVERIFY(robot.busy());
    QCOMPARE(robot.now(), qint64(60000));
    // At least a tenth of a second per round: 600 rounds at most, each a few instructions.
    QVERIFY2(events <= 600 * 4 + 8, qPrintable(QString::number(events)));
    robot.receive(TERMINATOR);
    QVERIFY(!robot.busy());
}

void TestVirtualRobot::remoteControlDriving()
{
    VirtualRobot robot;
    robot.receive(CMD_REMOTE);
    QCOMPARE(robot.state(), RobotState::Remote);
    robot.advanceTo(500);
    robot.receive(69); // forward, for one second
    robot.advanceTo(1500);
    robot.receive(73); // spin left, half a second: a quarter
    robot.advanceTo(2000);
    robot.receive(64);
    robot.advanceTo(2600);
    robot.receive(68); // a quarter about the right wheel, which stands on the north side now
    robot.advanceTo(3600);
    COMPARE_POSE(robot.pose(), -5.27, 17.5 + 5.27, 90.0);
    robot.receive(TERMINATOR);
    QCOMPARE(robot.state(), RobotState::Waiting);
    robot.advanceTo(10000);
    COMPARE_POSE(robot.pose(), -5.27, 22.77, 90.0);
}

void TestVirtualRobot::remoteControlIgnoresOtherBytes()
{
    VirtualRobot robot;
    robot.receive(CMD_REMOTE);
    robot.receive(69);
    robot.advanceTo(1000);
    // Not drive codes and no commands: the robot goes on driving.
    for (quint8 b : {quint8(CMD_REMOTE), quint8(67), quint8(85), quint8(0), quint8(200)})
        robot.receive(b);
    QCOMPARE(robot.state(), RobotState::Remote);
    robot.advanceTo(2000);
    COMPARE_POSE(robot.pose(), 0.0, 35.0, 90.0);
    // A block number ends driving and starts a reception.
    robot.receive(1);
    QCOMPARE(robot.state(), RobotState::Receiving);
    robot.advanceTo(3000);
    COMPARE_POSE(robot.pose(), 0.0, 35.0, 90.0);
}

void TestVirtualRobot::byteMidRunStopsFirst_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<RobotState>("after");
    QTest::newRow("terminator") << int(TERMINATOR) << RobotState::HasProgram;
    QTest::newRow("block number") << 1 << RobotState::Receiving;
    QTest::newRow("remote control") << int(CMD_REMOTE) << RobotState::Remote;
    QTest::newRow("start again") << int(CMD_START) << RobotState::Running;
    QTest::newRow("a stray byte") << 100 << RobotState::HasProgram;
}

void TestVirtualRobot::byteMidRunStopsFirst()
{
    QFETCH(int, byte);
    QFETCH(RobotState, after);
    VirtualRobot robot;
    transfer(robot, image(u"motor(fwd,fwd)\nwait(50)"_s));
    robot.receive(CMD_START);
    robot.advanceTo(1000);
    robot.receive(quint8(byte));
    QCOMPARE(robot.state(), after);
    if (after == RobotState::Running) {
        // Started again from its first byte where it stood.
        robot.advanceTo(2000);
        COMPARE_POSE(robot.pose(), 0.0, 35.0, 90.0);
        return;
    }
    robot.advanceTo(5000);
    COMPARE_POSE(robot.pose(), 0.0, 17.5, 90.0);
    // Says why the run ended, unless driving by remote control or a new program has begun since.
    QCOMPARE(robot.lastEnd().isEmpty(), after == RobotState::Remote || after == RobotState::Receiving);
}

void TestVirtualRobot::unknownBytesStop_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<double>("y");
    QTest::newRow("zero after a run") << QByteArray("\x45\x0a\x00\x45\x0a", 5) << 17.5;
    QTest::newRow("unused motor code") << QByteArray("\x45\x0a\x43\x0a\x45\x0a") << 17.5;
    QTest::newRow("block number inside a program") << QByteArray("\x02\x45\x0a") << 0.0;
    QTest::newRow("255") << QByteArray("\xff") << 0.0;
    // A motor code in the very last byte has no wait byte left (after 59 stands and an endwhile
    // without its while, which does nothing).
    QByteArray stands;
    for (int i = 0; i < 59; ++i)
        stands.append("\x40\x01");
    QTest::newRow("cut off by the end of the store") << stands + QByteArray("\xc9\x45") << 0.0;
}

void TestVirtualRobot::unknownBytesStop()
{
    QFETCH(QByteArray, stored);
    QFETCH(double, y);
    VirtualRobot robot;
    QByteArray img = stored.left(MAX_IMAGE_BYTES);
    img += QByteArray(MAX_IMAGE_BYTES - img.size(), char(TERMINATOR));
    transfer(robot, img);
    robot.receive(CMD_START);
    runToEnd(robot, 100000);
    QVERIFY(!robot.busy());
    QCOMPARE(robot.state(), RobotState::HasProgram);
    QVERIFY(!robot.lastEnd().isEmpty());
    QVERIFY(robot.lastEnd() != u"おわりまで動きました"_s);
    COMPARE_POSE(robot.pose(), 0.0, y, 90.0);
}

void TestVirtualRobot::blocksStoredWhateverTheirValues()
{
    VirtualRobot robot;
    QByteArray block2;
    for (int i = 0; i < BLOCK_SIZE; ++i)
        block2.append(char(QByteArray("\x01\x04\x05\x06\x07\xfe\x02\x03").at(i % 8)));
    robot.receive(2);
    QCOMPARE(robot.state(), RobotState::Receiving);
    QCOMPARE(robot.receivingBlock(), 2);
    feed(robot, block2.left(39));
    QCOMPARE(robot.state(), RobotState::Receiving);
    robot.receive(quint8(block2.at(39)));
    QCOMPARE(robot.state(), RobotState::HasProgram);
    QCOMPARE(robot.program().mid(40, 40), block2);
    QCOMPARE(robot.program().left(40), QByteArray(40, char(TERMINATOR)));
    QCOMPARE(robot.program().mid(80), QByteArray(40, char(TERMINATOR)));
    COMPARE_POSE(robot.pose(), 0.0, 0.0, 90.0);
}

void TestVirtualRobot::startWithoutProgramDoesNothing()
{
    VirtualRobot robot;
    robot.receive(TERMINATOR);
    robot.receive(CMD_START_TEXT);
    QCOMPARE(robot.state(), RobotState::Waiting);
    QVERIFY(!robot.busy());
    QVERIFY(!robot.lastEnd().isEmpty());
}

void TestVirtualRobot::operationTest()
{
    VirtualRobot robot;
    robot.receive(CMD_TEST);
    robot.receive(30);
    QCOMPARE(robot.state(), RobotState::Test);
    robot.advanceTo(100);
    COMPARE_POSE(robot.pose(), 0.0, 0.0, 90.0); // still waiting for the second value
    robot.receive(40);
    QCOMPARE(robot.speedLeft(), 30);
    QCOMPARE(robot.speedRight(), 40);
    robot.advanceTo(1100);
    COMPARE_POSE(robot.pose(), 0.0, 17.5, 90.0);
    runToEnd(robot);
    QCOMPARE(robot.state(), RobotState::Waiting);
    COMPARE_POSE(robot.pose(), 0.0, 0.0, 90.0);
}

void TestVirtualRobot::stopsAtContact_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("header");
    QTest::addColumn<bool>("walls");
    QTest::addColumn<QList<QPointF>>("cones");
    QTest::addColumn<sim::Pose>("start");
    QTest::addColumn<sim::Pose>("end");
    QTest::addColumn<QStringList>("contacts"); // "MS swN on|off", in order
    QTest::addColumn<qint64>("endMs");

    const double mid = sim::FLOOR_SIDE_CM / 2;
    // The plate's edge is 8.6 cm before the centre: the top wall stops the centre at 166.4.
    const double atTop = sim::FLOOR_SIDE_CM - 8.6;
    const QString forward2s = u"motor(fwd,fwd)\nwait(20)"_s;
    QTest::newRow("straight into the top wall: on at 16.4 cm / 17.5 cm/s = 937.1 ms")
        << forward2s << false << true << QList<QPointF>() << sim::Pose{mid, 150, 90} << sim::Pose{mid, atTop, 90}
        << QStringList{u"938 sw1 on"_s} << 2000ll;
    QTest::newRow("backing off turns it off at once")
        << u"motor(rev,rev)\nwait(10)"_s << false << true << QList<QPointF>() << sim::Pose{mid, atTop, 90}
        << sim::Pose{mid, atTop - 17.5, 90} << QStringList{u"0 sw1 on"_s, u"0 sw1 off"_s} << 1000ll;
    QTest::newRow("pushing on against the wall: the wheels turn, the body stays")
        << forward2s << false << true << QList<QPointF>() << sim::Pose{mid, atTop, 90} << sim::Pose{mid, atTop, 90}
        << QStringList{u"0 sw1 on"_s} << 2000ll;
    // Facing right, 9 cm below the top wall: the front-left plate corner (8.6, 5) comes up to
    // the wall when 8.6 sin a + 5 cos a = 9, at a = 34.61 degrees, after 192.3 ms at 180 degrees/s.
    QTest::newRow("spin beside a wall stops at contact")
        << u"motor(rev,fwd)\nwait(5)"_s << false << true << QList<QPointF>() << sim::Pose{mid, 166, 0}
        << sim::Pose{mid, 166, 34.6116508528} << QStringList{u"193 sw1 on"_s} << 500ll;
    // About the left wheel (5.27 cm above the centre): the same plate corner, 8.604 cm from the
    // wheel, meets the wall after 27.49 degrees at 90 degrees/s.
    QTest::newRow("pivot beside a wall stops at contact")
        << u"motor(stop,fwd)\nwait(5)"_s << false << true << QList<QPointF>() << sim::Pose{mid, 166, 0}
        << sim::Pose{89.9324835612, 166.5949680510, 27.4885816252} << QStringList{u"306 sw1 on"_s} << 500ll;
    QTest::newRow("a cone stops it the same way (plate at 100 - 4.375)")
        << u"motor(fwd,fwd)\nwait(30)"_s << false << true << QList<QPointF>{{mid, 100}} << sim::Pose{mid, 50, 90}
        << sim::Pose{mid, 100 - 4.375 - 8.6, 90} << QStringList{u"2116 sw1 on"_s} << 3000ll;
    QTest::newRow("a cone beside the way is passed")
        << u"motor(fwd,fwd)\nwait(30)"_s << false << true << QList<QPointF>{{mid + 11, 100}}
        << sim::Pose{mid, 50, 90} << sim::Pose{mid, 102.5, 90} << QStringList() << 3000ll;
    QTest::newRow("the rear switch from a backward run into the lower wall")
        << u"motor(rev,rev)\nwait(30)"_s << false << true << QList<QPointF>() << sim::Pose{mid, 50, 90}
        << sim::Pose{mid, 8.6, 90} << QStringList{u"2366 sw2 on"_s} << 3000ll;
    QTest::newRow("while(sw1=off) and forward end at the wall")
        << u"while(sw1=off)\nmotor(fwd,fwd)\nwait(1)\nendwhile"_s << false << true << QList<QPointF>()
        << sim::Pose{mid, 150, 90} << sim::Pose{mid, atTop, 90} << QStringList{u"938 sw1 on"_s} << 1000ll;
    QTest::newRow("the start header is released by a contact")
        << u"motor(rev,rev)\nwait(10)"_s << true << true << QList<QPointF>() << sim::Pose{mid, 8.6, 270}
        << sim::Pose{mid, 26.1, 270} << QStringList{u"0 sw1 on"_s, u"0 sw1 off"_s} << 1000ll;
    QTest::newRow("walls off: the open floor of old")
        << forward2s << false << false << QList<QPointF>() << sim::Pose{mid, 150, 90} << sim::Pose{mid, 185, 90}
        << QStringList() << 2000ll;
}

// A motion into a wall or cone stops the body at contact, and the switch whose plate touches
// turns on at that millisecond.
void TestVirtualRobot::stopsAtContact()
{
    QFETCH(QString, text);
    QFETCH(bool, header);
    QFETCH(bool, walls);
    QFETCH(QList<QPointF>, cones);
    QFETCH(sim::Pose, start);
    QFETCH(sim::Pose, end);
    QFETCH(QStringList, contacts);
    QFETCH(qint64, endMs);
    VirtualRobot robot;
    QStringList seen;
    qint64 endedAt = -1;
    robot.onEvent = [&](const sim::RobotEvent &e) {
        if (e.text.startsWith(u"contact "))
            seen << u"%1 %2"_s.arg(e.ms).arg(e.text.mid(8));
        if (e.text == u"// おわり")
            endedAt = e.ms;
    };
    robot.placeAt(start);
    sim::World world;
    world.walls = walls;
    world.cones = cones;
    robot.setWorld(world);
    transfer(robot, image(text, header));
    robot.receive(CMD_START);
    runToEnd(robot);
    QCOMPARE(seen, contacts);
    QCOMPARE(endedAt, endMs);
    COMPARE_POSE(robot.pose(), end.x, end.y, end.heading);
    if (!contacts.isEmpty()) {
        // Not a millisecond before: the first contact's switch reads off just before it.
        const int which = contacts.first().section(u' ', 1, 1).mid(2).toInt();
        const qint64 at = contacts.first().section(u' ', 0, 0).toLongLong();
        if (at > 0) {
            VirtualRobot again;
            again.placeAt(start);
            again.setWorld(world);
            transfer(again, image(text, header));
            again.receive(CMD_START);
            again.advanceTo(at - 1);
            QVERIFY(!again.contact(which));
            again.advanceTo(at);
            QVERIFY(again.contact(which));
            QVERIFY(which == 1 ? again.inputs().sw1 : again.inputs().sw2);
        }
    }
}

// Spins, pivots and drives among many cones and wall pieces: however it goes, the body never
// overlaps anything at any moment.
void TestVirtualRobot::hostileWorldNeverOverlaps()
{
    sim::World world = sim::walledFloor();
    for (int i = 0; i < sim::MAX_CONES; ++i)
        world.cones.append({15.0 + 16.0 * i, 40.0 + 11.0 * (i % 4)});
    world.pieces.append({{30, 120}, {140, 150}});
    VirtualRobot robot;
    robot.placeAt({60, 95, 70});
    robot.setWorld(world);
    QVERIFY(!sim::overlaps(world, robot.pose()));
    transfer(robot, image(u"loop(12)\nmotor(fwd,fwd)\nwait(25)\nmotor(stop,fwd)\nwait(7)\nmotor(rev,rev)\nwait(4)\n"
                          u"motor(fwd,rev)\nwait(3)\nmotor(rev,stop)\nwait(6)\nendloop"_s));
    robot.receive(CMD_START);
    int contacts = 0;
    robot.onEvent = [&](const sim::RobotEvent &e) { contacts += e.text.startsWith(u"contact "); };
    while (robot.busy()) {
        robot.advanceTo(robot.now() + 7);
        QVERIFY2(sim::clearance(world, robot.pose()) >= 0, qPrintable(describe(robot.pose())));
    }
    // It did meet things on the way; else the test proves nothing.
    QVERIFY(contacts > 0);
}

QTEST_GUILESS_MAIN(TestVirtualRobot)
#include "tst_virtualrobot.moc"
