// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/motion.h"

#include <QtTest>

using namespace Qt::StringLiterals;

// The wheels' motion on the floor, from a fresh robot at (0, 0) facing up.
class TestMotion : public QObject
{
    Q_OBJECT
private slots:
    void endPose_data();
    void endPose();
    void splitRunsEndAlike_data();
    void splitRunsEndAlike();
    void motorCodes_data();
    void motorCodes();
};

namespace {
constexpr double HALF = 5.27;
}

void TestMotion::endPose_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<double>("seconds");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("heading");

    QTest::newRow("forward 1.0 s") << 69 << 1.0 << 0.0 << 17.5 << 90.0;
    QTest::newRow("backward 1.0 s") << 74 << 1.0 << 0.0 << -17.5 << 90.0;
    QTest::newRow("route cell 0.2 s") << 69 << 0.2 << 0.0 << 3.5 << 90.0;
    QTest::newRow("spin right 90 in 0.5 s") << 70 << 0.5 << 0.0 << 0.0 << 0.0;
    QTest::newRow("spin left 90 in 0.5 s") << 73 << 0.5 << 0.0 << 0.0 << 180.0;
    QTest::newRow("spin right past zero") << 70 << 1.0 << 0.0 << 0.0 << 270.0;
    QTest::newRow("forward left about the left wheel") << 65 << 1.0 << -HALF << HALF << 180.0;
    QTest::newRow("forward right about the right wheel") << 68 << 1.0 << HALF << HALF << 0.0;
    QTest::newRow("backward about the left wheel") << 66 << 1.0 << -HALF << -HALF << 0.0;
    QTest::newRow("backward about the right wheel") << 72 << 1.0 << HALF << -HALF << 180.0;
    // An arc, not a chord: half of the quarter turn lands on the circle about the wheel.
    QTest::newRow("eighth turn on the arc") << 65 << 0.5 << -HALF + HALF * std::cos(M_PI / 4)
                                            << HALF * std::sin(M_PI / 4) << 135.0;
    QTest::newRow("full turn about a wheel comes back") << 65 << 4.0 << 0.0 << 0.0 << 90.0;
    QTest::newRow("stand") << 64 << 3.0 << 0.0 << 0.0 << 90.0;
    QTest::newRow("set 1 forward moves like set 2") << 85 << 1.0 << 0.0 << 17.5 << 90.0;
    QTest::newRow("set 1 pivot moves like set 2") << 81 << 1.0 << -HALF << HALF << 180.0;
}

void TestMotion::endPose()
{
    QFETCH(int, code);
    QFETCH(double, seconds);
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(double, heading);
    sim::Wheels wheels;
    QVERIFY(sim::wheelsOfMotorCode(quint8(code), wheels));
    const sim::Pose p = sim::poseAfter(sim::Pose(), wheels, seconds);
    QVERIFY2(std::abs(p.x - x) < 1e-9, qPrintable(QString::number(p.x, 'f', 12)));
    QVERIFY2(std::abs(p.y - y) < 1e-9, qPrintable(QString::number(p.y, 'f', 12)));
    // 360 and 0 are the same heading; the value itself stays below 360.
    QVERIFY(p.heading >= 0 && p.heading < 360);
    const double dh = std::remainder(p.heading - heading, 360.0);
    QVERIFY2(std::abs(dh) < 1e-9, qPrintable(QString::number(p.heading, 'f', 12)));
}

void TestMotion::splitRunsEndAlike_data()
{
    QTest::addColumn<int>("code");
    QTest::newRow("straight") << 69;
    QTest::newRow("spin") << 73;
    QTest::newRow("pivot left wheel") << 66;
    QTest::newRow("pivot right wheel") << 68;
}

// A window draws the robot many times along one instruction; the pieces must add up to the
// whole, or the robot would drift off its exact path.
void TestMotion::splitRunsEndAlike()
{
    QFETCH(int, code);
    sim::Wheels wheels;
    QVERIFY(sim::wheelsOfMotorCode(quint8(code), wheels));
    const sim::Pose start{12.0, -30.0, 33.0};
    const sim::Pose whole = sim::poseAfter(start, wheels, 2.7);
    sim::Pose pieces = start;
    for (int i = 0; i < 27; ++i)
        pieces = sim::poseAfter(pieces, wheels, 0.1);
    QVERIFY(std::abs(whole.x - pieces.x) < 1e-9);
    QVERIFY(std::abs(whole.y - pieces.y) < 1e-9);
    QVERIFY(std::abs(std::remainder(whole.heading - pieces.heading, 360.0)) < 1e-9);
}

void TestMotion::motorCodes_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("motor");
    for (int unused : {67, 71, 83, 87})
        QTest::addRow("unused %d", unused) << unused << false;
    for (int other : {0, 63, 75, 79, 91, 254})
        QTest::addRow("not a motor code %d", other) << other << false;
    for (int code : {64, 74, 80, 90})
        QTest::addRow("motor code %d", code) << code << true;
}

void TestMotion::motorCodes()
{
    QFETCH(int, code);
    QFETCH(bool, motor);
    QCOMPARE(sim::isMotorCode(quint8(code)), motor);
}

QTEST_GUILESS_MAIN(TestMotion)
#include "tst_motion.moc"
