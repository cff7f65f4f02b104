// SPDX-License-Identifier: GPL-3.0-or-later
#include "route/routemodel.h"
#include "route/routescreenmodel.h"
#include "route/routetext.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class TestRouteText : public QObject
{
    Q_OBJECT
private slots:
    void segment_data();
    void segment();
    void diagonalWaits_data();
    void diagonalWaits();
    void workedExample();
    void zeroLengthPointKeepsHeadingAndAddsNoLines();
    void lineLimitRefusesAndChangesNothing_data();
    void lineLimitRefusesAndChangesNothing();
    void pointBeyondRecord57IsRefused();
    void removeLastPointRestoresHeading();
    void removingOnlySegmentAbandonsRoute();
    void coordinateListSkipsLeftEdge();
    void newPointDropsStaleRecordData();
    void labelCoordinate_data();
    void labelCoordinate();
    void target_data();
    void target();
    void screenHistory_data();
    void screenHistory();
};

using Lines = QStringList;

void TestRouteText::segment_data()
{
    QTest::addColumn<int>("heading");
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<Lines>("lines");
    QTest::addColumn<int>("newHeading");

    QTest::newRow("same direction: run only")
        << 90 << QPoint(250, 400) << QPoint(250, 300) << Lines{"motor(fwd,fwd)", "wait(20)"} << 90;
    QTest::newRow("reverse turns right")
        << 90 << QPoint(200, 350) << QPoint(200, 450)
        << Lines{"motor(fwd,rev)", "wait(10)", "motor(fwd,fwd)", "wait(20)"} << 270;
    QTest::newRow("reverse from left turns right")
        << 180 << QPoint(200, 200) << QPoint(210, 200)
        << Lines{"motor(fwd,rev)", "wait(10)", "motor(fwd,fwd)", "wait(2)"} << 0;
    QTest::newRow("315 to 0 is a left 45")
        << 315 << QPoint(0, 0) << QPoint(10, 0)
        << Lines{"motor(rev,fwd)", "wait(2)", "motor(fwd,fwd)", "wait(2)"} << 0;
    QTest::newRow("0 to 315 is a right 45")
        << 0 << QPoint(0, 0) << QPoint(10, 10)
        << Lines{"motor(fwd,rev)", "wait(2)", "motor(fwd,fwd)", "wait(3)"} << 315;
    QTest::newRow("left 135 waits 8")
        << 0 << QPoint(100, 100) << QPoint(70, 70)
        << Lines{"motor(rev,fwd)", "wait(8)", "motor(fwd,fwd)", "wait(8)"} << 135;
    QTest::newRow("right 135 from 0")
        << 0 << QPoint(100, 100) << QPoint(70, 130)
        << Lines{"motor(fwd,rev)", "wait(8)", "motor(fwd,fwd)", "wait(8)"} << 225;
    QTest::newRow("right 135 waits 8")
        << 90 << QPoint(100, 100) << QPoint(110, 110)
        << Lines{"motor(fwd,rev)", "wait(8)", "motor(fwd,fwd)", "wait(3)"} << 315;
    QTest::newRow("left 90 waits 5")
        << 90 << QPoint(100, 100) << QPoint(0, 100)
        << Lines{"motor(rev,fwd)", "wait(5)", "motor(fwd,fwd)", "wait(20)"} << 180;
    QTest::newRow("up-right diagonal")
        << 45 << QPoint(0, 500) << QPoint(500, 0) << Lines{"motor(fwd,fwd)", "wait(141)"} << 45;
    QTest::newRow("whole floor on an axis")
        << 0 << QPoint(0, 0) << QPoint(500, 0) << Lines{"motor(fwd,fwd)", "wait(100)"} << 0;
    QTest::newRow("two cells down-left")
        << 225 << QPoint(100, 100) << QPoint(80, 120) << Lines{"motor(fwd,fwd)", "wait(6)"} << 225;
    QTest::newRow("heading outside 0..359 is taken modulo 360")
        << 450 << QPoint(0, 0) << QPoint(0, -10) << Lines{"motor(fwd,fwd)", "wait(2)"} << 90;
    // Coordinates from a file can be anything; the difference must not overflow.
    QTest::newRow("extreme coordinates")
        << std::numeric_limits<int>::min() << QPoint(std::numeric_limits<int>::min(), 0) << QPoint(500, 0)
        << Lines{"motor(rev,fwd)", "wait(7)", "motor(fwd,fwd)", "wait(429496836)"} << 0; // -2^31 degrees is 232: a left turn of 128
    QTest::newRow("zero length keeps the heading")
        << 135 << QPoint(30, 40) << QPoint(30, 40) << Lines{} << 135;
}

void TestRouteText::segment()
{
    QFETCH(int, heading);
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(Lines, lines);
    QFETCH(int, newHeading);

    const SegmentText text = segmentToText(from.x(), from.y(), to.x(), to.y(), heading);
    Lines got;
    for (const QString &field : {text.turnCommand, text.turnWait, text.forwardCommand, text.forwardWait}) {
        if (!field.isEmpty())
            got << field;
    }
    QCOMPARE(got, lines);
    QCOMPARE(text.heading, newHeading);
    // Fields come in pairs: a command never stands without its wait.
    QCOMPARE(text.turnCommand.isEmpty(), text.turnWait.isEmpty());
    QCOMPARE(text.forwardCommand.isEmpty(), text.forwardWait.isEmpty());
}

void TestRouteText::diagonalWaits_data()
{
    QTest::addColumn<int>("absDY");
    QTest::addColumn<int>("diagonal");
    QTest::addColumn<int>("axis");
    QTest::newRow("1 cell") << 10 << 3 << 2;
    QTest::newRow("2 cells") << 20 << 6 << 4;
    QTest::newRow("3 cells") << 30 << 8 << 6;
    QTest::newRow("4 cells") << 40 << 11 << 8;
    QTest::newRow("5 cells") << 50 << 14 << 10;
    QTest::newRow("10 cells") << 100 << 28 << 20;
    QTest::newRow("50 cells") << 500 << 141 << 100;
}

void TestRouteText::diagonalWaits()
{
    QFETCH(int, absDY);
    QFETCH(int, diagonal);
    QFETCH(int, axis);
    QCOMPARE(diagonalRunWaitUnits(absDY), diagonal);
    QCOMPARE(axisRunWaitUnits(absDY), axis);
    for (const auto &[sx, sy] : {std::pair{1, 1}, {1, -1}, {-1, 1}, {-1, -1}}) {
        const SegmentText text = segmentToText(250, 250, 250 + sx * absDY, 250 + sy * absDY,
                                               segmentHeading(sx, sy));
        QCOMPARE(text.forwardWait, waitLine(diagonal));
        QVERIFY(text.turnCommand.isEmpty());
    }
}

void TestRouteText::workedExample()
{
    struct Step
    {
        int x, y;
        Lines lines;
        int heading;
    };
    const QList<Step> steps = {
        {250, 300, {"motor(fwd,fwd)", "wait(20)"}, 90},
        {350, 300, {"motor(fwd,rev)", "wait(5)", "motor(fwd,fwd)", "wait(20)"}, 0},
        {300, 250, {"motor(rev,fwd)", "wait(8)", "motor(fwd,fwd)", "wait(14)"}, 135},
        {200, 250, {"motor(rev,fwd)", "wait(2)", "motor(fwd,fwd)", "wait(20)"}, 180},
        {200, 350, {"motor(rev,fwd)", "wait(5)", "motor(fwd,fwd)", "wait(20)"}, 270},
        {200, 250, {"motor(fwd,rev)", "wait(10)", "motor(fwd,fwd)", "wait(20)"}, 90},
    };

    RouteModel route;
    route.startRoute(250, 400);
    QCOMPARE(route.currentHeading(), 90);
    QCOMPARE(route.record(0), (RoutePoint{{}, {}, {}, {}, 250, 400, 0, 0, 0}));

    Lines allLines;
    QList<int> lineRecords;
    Lines coordinates{"250,400"};
    for (int i = 0; i < steps.size(); ++i) {
        const Step &step = steps[i];
        QCOMPARE(route.addPoint(step.x, step.y, 0, 0, routeLineLimit(true)), AddPointResult::Added);
        QCOMPARE(route.lastIndex(), i + 1);
        const RoutePoint &point = route.record(i + 1);
        Lines got;
        for (const QString &field : point.textFields()) {
            if (!field.isEmpty())
                got << field;
        }
        QCOMPARE(got, step.lines);
        QCOMPARE(point.heading, step.heading);
        QCOMPARE(route.currentHeading(), step.heading);
        allLines += step.lines;
        lineRecords += QList<int>(step.lines.size(), i + 1);
        coordinates << QStringLiteral("%1,%2").arg(step.x).arg(step.y);
        QCOMPARE(route.programText(), allLines);
        QCOMPARE(route.lineRecords(), lineRecords);
        QCOMPARE(route.coordinateList(), coordinates);
    }
    QCOMPARE(route.lineCount(), 22);
    QCOMPARE(route.programText().size(), 22);
}

void TestRouteText::zeroLengthPointKeepsHeadingAndAddsNoLines()
{
    RouteModel route;
    route.startRoute(100, 100);
    route.addPoint(200, 100, 0, 0, 115);
    const int lines = route.lineCount();
    QCOMPARE(route.addPoint(200, 100, 0, 0, 115), AddPointResult::Added);
    QCOMPARE(route.lastIndex(), 2);
    QCOMPARE(route.lineCount(), lines);
    QCOMPARE(route.record(2), (RoutePoint{{}, {}, {}, {}, 200, 100, 0, 0, 0}));
    QCOMPARE(route.currentHeading(), 0);
    QCOMPARE(route.coordinateList().size(), 3);
}

void TestRouteText::lineLimitRefusesAndChangesNothing_data()
{
    QTest::addColumn<bool>("how");
    QTest::addColumn<int>("limit");
    QTest::newRow("how true") << true << 115;
    QTest::newRow("how false") << false << 110;
}

void TestRouteText::lineLimitRefusesAndChangesNothing()
{
    QFETCH(bool, how);
    QFETCH(int, limit);
    QCOMPARE(routeLineLimit(how), limit);

    // A zigzag of right-angle turns uses 4 lines per point, a straight start 2.
    RouteModel route;
    route.startRoute(10, 490);
    int x = 10, y = 490;
    int step = 0;
    while (route.lineCount() < limit) {
        if (step % 2 == 0)
            y -= 10;
        else
            x += 10;
        ++step;
        QCOMPARE(route.addPoint(x, y, 0, 0, limit), AddPointResult::Added);
    }
    QVERIFY(route.lineCount() >= limit);
    QVERIFY(route.lineCount() < limit + 4);
    const RouteModel before = route;
    QCOMPARE(route.addPoint(x + 10, y, 0, 0, limit), AddPointResult::LineLimit);
    QCOMPARE(route.lastIndex(), before.lastIndex());
    QCOMPARE(route.records(), before.records());
    QCOMPARE(route.programText(), before.programText());
    // At the limit even a point that would add no lines is refused.
    QCOMPARE(route.addPoint(x, y, 0, 0, limit), AddPointResult::LineLimit);
}

void TestRouteText::pointBeyondRecord57IsRefused()
{
    RouteModel route;
    route.startRoute(100, 100);
    for (int i = 1; i <= ROUTE_LAST_RECORD; ++i)
        QCOMPARE(route.addPoint(100, 100, 0, 0, 115), AddPointResult::Added);
    QCOMPARE(route.lastIndex(), 57);
    QCOMPARE(route.addPoint(100, 100, 0, 0, 115), AddPointResult::RecordLimit);
    QCOMPARE(route.addPoint(200, 100, 0, 0, 115), AddPointResult::RecordLimit);
    QCOMPARE(route.lastIndex(), 57);
    QCOMPARE(route.lineCount(), 0);
    QCOMPARE(route.record(58), RoutePoint());
}

void TestRouteText::removeLastPointRestoresHeading()
{
    RouteModel route;
    route.startRoute(250, 400);
    route.addPoint(250, 300, 0, 0, 115); // up
    route.addPoint(350, 300, 0, 0, 115); // right
    route.addPoint(350, 400, 0, 0, 115); // down
    QCOMPARE(route.currentHeading(), 270);
    QVERIFY(route.removeLastPoint());
    QCOMPARE(route.lastIndex(), 2);
    QCOMPARE(route.currentHeading(), 0);
    QCOMPARE(route.record(3), RoutePoint());
    QCOMPARE(route.lineCount(), 6);
    QCOMPARE(route.programText(),
             (Lines{"motor(fwd,fwd)", "wait(20)", "motor(fwd,rev)", "wait(5)", "motor(fwd,fwd)", "wait(20)"}));
    QCOMPARE(route.coordinateList(), (Lines{"250,400", "250,300", "350,300"}));
    // The next segment turns from the remaining direction (right), so going up is a left turn.
    route.addPoint(350, 200, 0, 0, 115);
    QCOMPARE(route.record(3).turnCommand, u"motor(rev,fwd)"_s);
    QCOMPARE(route.record(3).turnWait, u"wait(5)"_s);
}

void TestRouteText::removingOnlySegmentAbandonsRoute()
{
    RouteModel route;
    route.startRoute(250, 400);
    route.addPoint(350, 400, 0, 0, 115);
    QCOMPARE(route.currentHeading(), 0);
    QVERIFY(!route.removeLastPoint());
    QCOMPARE(route.lastIndex(), 0);
    QCOMPARE(route.currentHeading(), 90);
    QVERIFY(route.programText().isEmpty());
    QVERIFY(route.coordinateList().isEmpty());
    QCOMPARE(route.lineCount(), 0);
    // With only the start left, removing again stays at 0 and never reaches before record 0.
    QVERIFY(!route.removeLastPoint());
    QCOMPARE(route.lastIndex(), 0);
}

void TestRouteText::coordinateListSkipsLeftEdge()
{
    RouteModel route;
    route.startRoute(0, 300);
    route.addPoint(0, 200, 0, 0, 115);
    route.addPoint(100, 200, 0, 0, 115);
    route.addPoint(0, 200, 0, 0, 115);
    QCOMPARE(route.coordinateList(), (Lines{"100,200"}));
    QCOMPARE(route.lineCount(), 10);
    route.clear();
    QCOMPARE(route.lineCount(), 0);
    QCOMPARE(route.records(), RouteModel().records());
}

void TestRouteText::newPointDropsStaleRecordData()
{
    // Records past the last point can hold data (a file whose middle point lies on x = 0).
    std::array<RoutePoint, ROUTE_RECORD_COUNT> records{};
    records[0] = {{}, {}, {}, {}, 100, 100, 0, 0, 0};
    records[1] = {{}, {}, "motor(fwd,fwd)", "wait(20)", 0, 0, 0, 0, 90};
    records[2] = {"motor(fwd,rev)", "wait(5)", "motor(fwd,fwd)", "wait(20)", 100, 0, 0, 0, 0};
    RouteModel route;
    QVERIFY(route.assignRecords(records));
    QCOMPARE(route.lastIndex(), 1);
    QCOMPARE(route.currentHeading(), 90);
    QCOMPARE(route.lineCount(), 6);
    // The next point goes to record 2, straight on: no turn may be left over from the file.
    QCOMPARE(route.addPoint(0, -10, 0, 0, 115), AddPointResult::Added);
    QCOMPARE(route.record(2), (RoutePoint{{}, {}, "motor(fwd,fwd)", "wait(2)", 0, -10, 0, 0, 90}));
}

void TestRouteText::labelCoordinate_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("zoom");
    QTest::addColumn<int>("label");
    QTest::newRow("vertical run, x") << 250 << 250 << 0 << 1 << 238;
    QTest::newRow("vertical run, y") << 400 << 300 << 0 << 1 << 338;
    QTest::newRow("horizontal run, x") << 250 << 350 << 0 << 1 << 288;
    QTest::newRow("zoom 2") << 500 << 700 << 0 << 2 << 294;
    QTest::newRow("kept inside on the left") << 0 << 0 << 0 << 1 << 0;
    QTest::newRow("scrolled view") << 200 << 300 << -100 << 2 << 69;
    QTest::newRow("kept inside on the right") << 1500 << 1500 << 0 << 3 << 496;
}

void TestRouteText::labelCoordinate()
{
    QFETCH(int, start);
    QFETCH(int, end);
    QFETCH(int, offset);
    QFETCH(int, zoom);
    QFETCH(int, label);
    QCOMPARE(routeLabelCoordinate(start, end, offset, zoom * 500, zoom), label);
}

void TestRouteText::target_data()
{
    QTest::addColumn<QPoint>("pointer");
    QTest::addColumn<int>("zoom");
    QTest::addColumn<QPoint>("target");
    // From a start at (100, 200); the previous target is (130, 170).
    QTest::newRow("flat: horizontal") << QPoint(160, 190) << 1 << QPoint(160, 200);
    QTest::newRow("just below 22.5 degrees") << QPoint(200, 159) << 1 << QPoint(200, 200); // 22.3
    QTest::newRow("just above 22.5 degrees: diagonal from dx") << QPoint(200, 158) << 1 << QPoint(200, 100);
    QTest::newRow("45 degrees") << QPoint(64, 236) << 1 << QPoint(60, 240);
    QTest::newRow("steep: diagonal from dy") << QPoint(136, 147) << 1 << QPoint(150, 150);
    QTest::newRow("just above 67.5 degrees: vertical") << QPoint(141, 101) << 1 << QPoint(100, 100);
    QTest::newRow("diagonal may leave the floor") << QPoint(10, 380) << 1 << QPoint(-80, 380);
    QTest::newRow("on the start's column keeps the previous target") << QPoint(100, 300) << 1 << QPoint(130, 170);
    QTest::newRow("snap halves to even cells") << QPoint(125, 203) << 1 << QPoint(120, 200);
    QTest::newRow("zoom 2 snaps to 20 pixels") << QPoint(171, 201) << 2 << QPoint(180, 200);
}

void TestRouteText::target()
{
    QFETCH(QPoint, pointer);
    QFETCH(int, zoom);
    QFETCH(QPoint, target);
    QCOMPARE(routeTarget(QPoint(100, 200), pointer, QPoint(130, 170), zoom), target);
}

QTEST_GUILESS_MAIN(TestRouteText)
void TestRouteText::screenHistory_data()
{
    // A route drawn (one segment, still open), then finished; the pupil places a cone on it
    // and steps back or forward from the mode given.
    QTest::addColumn<int>("modeBefore");
    QTest::addColumn<int>("undos");
    QTest::addColumn<int>("redos");
    QTest::addColumn<int>("modeAfter");
    QTest::addColumn<int>("cones");
    QTest::addColumn<bool>("modified");
    const int idle = RouteScreenModel::Idle;
    const int placing = RouteScreenModel::PlacingObstacles;
    const int drawing = RouteScreenModel::Drawing;
    QTest::newRow("placing, back to the finished route") << placing << 1 << 0 << placing << 0 << true;
    QTest::newRow("placing, back to the route still drawn") << placing << 2 << 0 << drawing << 0 << true;
    QTest::newRow("resting, back to the route still drawn") << idle << 2 << 0 << drawing << 0 << true;
    QTest::newRow("back to the empty floor") << idle << 3 << 0 << idle << 0 << false;
    QTest::newRow("and forward again") << idle << 3 << 3 << idle << 1 << true;
    QTest::newRow("no step beyond the first") << idle << 5 << 0 << idle << 0 << false;
}

void TestRouteText::screenHistory()
{
    QFETCH(int, modeBefore);
    QFETCH(int, undos);
    QFETCH(int, redos);
    QFETCH(int, modeAfter);
    QFETCH(int, cones);
    QFETCH(bool, modified);
    RouteScreenModel model;
    model.forgetHistory();
    model.route.startRoute(25, 40);
    model.mode = RouteScreenModel::Drawing;
    QCOMPARE(model.route.addPoint(25, 30, 0, 0, 100), AddPointResult::Added);
    QVERIFY(model.record());
    model.mode = RouteScreenModel::Idle;
    QVERIFY(model.record());
    QVERIFY(!model.record()); // nothing changed
    model.obstacles.append(QPoint(100, 100));
    QVERIFY(model.record());
    model.mode = RouteScreenModel::Mode(modeBefore);
    for (int i = 0; i < undos; ++i)
        model.undo();
    for (int i = 0; i < redos; ++i)
        model.redo();
    QCOMPARE(int(model.mode), modeAfter);
    QCOMPARE(model.obstacles.size(), cones);
    QCOMPARE(model.modified(), modified);
}

#include "tst_routetext.moc"
