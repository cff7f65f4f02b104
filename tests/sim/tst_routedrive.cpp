// SPDX-License-Identifier: GPL-3.0-or-later
#include "robot/wireplan.h"
#include "route/routemodel.h"
#include "sim/replay.h"

#include <QtTest>

#include <cmath>
#include <numbers>

using namespace Qt::StringLiterals;

// A route as the route screen records it, sent and run from the route's start point between the
// walls: the robot ends where the route's own bytes take it, on the floor's scale of 3.5 cm a cell.
class TestRouteDrive : public QObject
{
    Q_OBJECT
private slots:
    void endsWhereTheBytesSay_data();
    void endsWhereTheBytesSay();
};

void TestRouteDrive::endsWhereTheBytesSay_data()
{
    QTest::addColumn<QList<QPoint>>("points"); // grid units, y downwards; the first is the start
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("heading");

    QTest::newRow("square back to the start")
        << QList<QPoint>{{250, 400}, {250, 300}, {350, 300}, {350, 400}, {250, 400}} << 0.0 << 0.0 << 180.0;
    QTest::newRow("up and right, 20 cells each")
        << QList<QPoint>{{100, 400}, {100, 200}, {300, 200}} << 70.0 << 70.0 << 0.0;
    QTest::newRow("there and back: a half turn")
        << QList<QPoint>{{250, 250}, {250, 150}, {250, 250}} << 0.0 << 0.0 << 270.0;
    QTest::newRow("left turn then down")
        << QList<QPoint>{{250, 250}, {150, 250}, {150, 300}} << -35.0 << -17.5 << 270.0;
    // A 45-degree turn is two wait units (36 degrees) and one diagonal cell three (5.25 cm):
    // the robot follows the bytes, not the drawing.
    const double h = (90.0 - 36.0) * std::numbers::pi / 180.0;
    QTest::newRow("one diagonal cell")
        << QList<QPoint>{{250, 250}, {260, 240}} << 5.25 * std::cos(h) << 5.25 * std::sin(h) << 54.0;
}

void TestRouteDrive::endsWhereTheBytesSay()
{
    QFETCH(QList<QPoint>, points);
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(double, heading);
    RouteModel route;
    route.startRoute(points.first().x(), points.first().y());
    for (const QPoint &p : points.mid(1))
        QCOMPARE(route.addPoint(p.x(), p.y(), 0, 0, routeLineLimit(true)), AddPointResult::Added);

    QList<sim::WireLine> wire;
    const WirePlan plan = wirePlanForText(route.programText().join(u"\r\n"_s), ScreenKind::Route, true);
    QVERIFY(plan.ok);
    for (const WireByte &b : plan.bytes)
        wire.append({b.value, b.pauseMs});
    const QPointF start = sim::floorPointOfGrid(points.first());
    const sim::ReplayResult r = sim::replayWire(wire, {}, {sim::walledFloor(), {start.x(), start.y(), 90}});
    QVERIFY(r.ended);
    QVERIFY2(!r.trace.join(u'\n').contains(u"contact"_s), qPrintable(r.trace.join(u'\n')));
    QVERIFY2(std::abs(r.pose.x - x) < 0.1 && std::abs(r.pose.y - y) < 0.1, qPrintable(sim::poseLine(r.pose)));
    QVERIFY2(std::abs(std::remainder(r.pose.heading - heading, 360.0)) < 0.1, qPrintable(sim::poseLine(r.pose)));
}

QTEST_GUILESS_MAIN(TestRouteDrive)
#include "tst_routedrive.moc"
