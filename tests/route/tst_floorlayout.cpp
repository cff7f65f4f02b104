// SPDX-License-Identifier: GPL-3.0-or-later
#include "route/floorlayout.h"

#include <QtTest>

using namespace Qt::StringLiterals;

// Where the floor's grid, markers and band repaints go, at the three zooms.
class TestFloorLayout : public QObject
{
    Q_OBJECT
private slots:
    void pointsSnapToCells_data();
    void pointsSnapToCells();
    void bandFollowsPointer_data();
    void bandFollowsPointer();
    void gridAndScales_data();
    void gridAndScales();
    void markers_data();
    void markers();
    void markersBeyondTheEdgeStayOnTheFloor();
    void bandCoverHoldsTheWholeBand_data();
    void bandCoverHoldsTheWholeBand();
    void scrollAfterZoom_data();
    void scrollAfterZoom();
};

void TestFloorLayout::pointsSnapToCells_data()
{
    QTest::addColumn<QPoint>("pixel");
    QTest::addColumn<int>("zoom");
    QTest::addColumn<QPoint>("cell");
    QTest::addColumn<QPoint>("grid");
    QTest::newRow("exact corner") << QPoint(250, 400) << 1 << QPoint(250, 400) << QPoint(250, 400);
    QTest::newRow("half goes to even cell, down") << QPoint(25, 35) << 1 << QPoint(20, 40) << QPoint(25, 35);
    QTest::newRow("zoom 2 halves") << QPoint(30, 50) << 2 << QPoint(40, 40) << QPoint(15, 25);
    QTest::newRow("zoom 3 half pixel to even") << QPoint(45, 7) << 3 << QPoint(60, 0) << QPoint(15, 2);
    QTest::newRow("far edge") << QPoint(1499, 1499) << 3 << QPoint(1500, 1500) << QPoint(500, 500);
    QTest::newRow("beyond the floor") << QPoint(-14, 516) << 1 << QPoint(-10, 520) << QPoint(-14, 516);
}

void TestFloorLayout::pointsSnapToCells()
{
    QFETCH(QPoint, pixel);
    QFETCH(int, zoom);
    QFETCH(QPoint, cell);
    QFETCH(QPoint, grid);
    QCOMPARE(snappedToCell(pixel, zoom), cell);
    QCOMPARE(gridPointOf(pixel, zoom), grid);
}

void TestFloorLayout::bandFollowsPointer_data()
{
    QTest::addColumn<QPoint>("start");
    QTest::addColumn<QPoint>("pointer");
    QTest::addColumn<QPoint>("previous");
    QTest::addColumn<int>("zoom");
    QTest::addColumn<QPoint>("target");
    // The pointer exactly on the start's column or row still moves the band.
    QTest::newRow("straight up") << QPoint(250, 400) << QPoint(250, 296) << QPoint(260, 300) << 1 << QPoint(250, 300);
    QTest::newRow("straight left at zoom 3") << QPoint(900, 900) << QPoint(616, 900) << QPoint(900, 600) << 3
                                             << QPoint(630, 900);
    QTest::newRow("on the start keeps the target") << QPoint(250, 400) << QPoint(250, 400) << QPoint(250, 300) << 1
                                                   << QPoint(250, 300);
    QTest::newRow("shallow is horizontal") << QPoint(100, 100) << QPoint(200, 130) << QPoint() << 1 << QPoint(200, 100);
    QTest::newRow("diagonal from dx") << QPoint(100, 100) << QPoint(160, 140) << QPoint() << 1 << QPoint(160, 160);
    QTest::newRow("diagonal from dy") << QPoint(100, 100) << QPoint(60, 150) << QPoint() << 1 << QPoint(50, 150);
    QTest::newRow("diagonal beyond the floor") << QPoint(1470, 750) << QPoint(1500, 800) << QPoint() << 3
                                               << QPoint(1530, 810);
}

void TestFloorLayout::bandFollowsPointer()
{
    QFETCH(QPoint, start);
    QFETCH(QPoint, pointer);
    QFETCH(QPoint, previous);
    QFETCH(int, zoom);
    QFETCH(QPoint, target);
    QCOMPARE(bandTarget(start, pointer, previous, zoom), target);
}

void TestFloorLayout::gridAndScales_data()
{
    QTest::addColumn<int>("zoom");
    QTest::newRow("zoom 1") << 1;
    QTest::newRow("zoom 2") << 2;
    QTest::newRow("zoom 3") << 3;
}

void TestFloorLayout::gridAndScales()
{
    QFETCH(int, zoom);
    const int size = 500 * zoom;
    QCOMPARE(floorPixels(zoom), size);
    const QList<GridLine> lines = floorGridLines(zoom);
    QCOMPARE(lines.size(), 102);
    for (int i = 0; i <= 50; ++i) {
        const GridLine &v = lines[i];
        const GridLine &h = lines[51 + i];
        QCOMPARE(v.line, QLine(i * 10 * zoom, 0, i * 10 * zoom, size));
        QCOMPARE(h.line, QLine(0, i * 10 * zoom, size, i * 10 * zoom));
        QCOMPARE(v.width, i % 5 == 0 ? 2 : 1);
        QCOMPARE(h.width, v.width);
    }
    const QList<ScaleLabel> labels = floorScaleLabels(zoom);
    QCOMPARE(labels.size(), 9);
    // Along the bottom: 35..140 just left of their lines.
    for (int k = 1; k <= 4; ++k) {
        QCOMPARE(labels[k - 1].text, QString::number(35 * k) + u"cm"_s);
        QCOMPARE(labels[k - 1].at, QPoint(k * 100 * zoom - 10, size - 15));
    }
    // Up the left side, counted from the bottom edge.
    for (int k = 0; k <= 4; ++k) {
        QCOMPARE(labels[4 + k].text, QString::number(35 * k) + u"cm"_s);
        QCOMPARE(labels[4 + k].at, QPoint(5, size - 15 - k * 100 * zoom));
    }
}

namespace {

// The worked route: a start at (250, 400) and six points.
RouteModel workedRoute()
{
    RouteModel model;
    model.startRoute(250, 400);
    const QPoint points[] = {{250, 300}, {350, 300}, {300, 250}, {200, 250}, {200, 350}, {200, 250}};
    for (const QPoint &p : points)
        model.addPoint(p.x(), p.y(), 0, 0, 115);
    return model;
}

}

void TestFloorLayout::markers_data()
{
    QTest::addColumn<int>("zoom");
    QTest::addColumn<bool>("finished");
    QTest::newRow("open route, zoom 1") << 1 << false;
    QTest::newRow("finished route, zoom 1") << 1 << true;
    QTest::newRow("finished route, zoom 3") << 3 << true;
}

void TestFloorLayout::markers()
{
    QFETCH(int, zoom);
    QFETCH(bool, finished);
    const RouteModel model = workedRoute();
    const QList<QPoint> cones = {{100, 100}, {420, 37}};
    const QList<FloorMarker> m = floorMarkers({&model, true, finished}, cones, zoom);
    QCOMPARE(m.size(), 1 + 6 + (finished ? 1 : 0) + 2);

    QCOMPARE(m[0].kind, MarkerKind::Start);
    QCOMPARE(m[0].name, u"meirei_image0"_s);
    QCOMPARE(m[0].rect, QRect(250 * zoom - 12, 400 * zoom - 12, 24, 24));

    // Segment 1 runs up: no turn of the picture, 24 pixels, at the middle minus 12.
    QCOMPARE(m[1].name, u"meirei_image1"_s);
    QCOMPARE(m[1].rotation, 0);
    QCOMPARE(m[1].rect, QRect(250 * zoom - 12, 350 * zoom - 12, 24, 24));
    // Segment 2 runs right: a quarter turn clockwise.
    QCOMPARE(m[2].rotation, 90);
    QCOMPARE(m[2].rect, QRect(300 * zoom - 12, 300 * zoom - 12, 24, 24));
    // Segment 3 runs up-left: 34 pixels, turned 45 degrees counter-clockwise.
    QCOMPARE(m[3].rotation, -45);
    QCOMPARE(m[3].rect, QRect(325 * zoom - 12, 275 * zoom - 12, 34, 34));
    QCOMPARE(m[4].rotation, -90);
    QCOMPARE(m[5].rotation, 180);
    QCOMPARE(m[6].rotation, 0);
    for (int n = 1; n <= 6; ++n)
        QCOMPARE(m[n].kind, MarkerKind::Arrow);

    int next = 7;
    if (finished) {
        QCOMPARE(m[7].kind, MarkerKind::End);
        QCOMPARE(m[7].name, u"meirei_image7"_s);
        QCOMPARE(m[7].rect, QRect(200 * zoom - 12, 250 * zoom - 12, 24, 24));
        next = 8;
    }
    QCOMPARE(m[next].kind, MarkerKind::Cone);
    QCOMPARE(m[next].name, u"shogaibutu_image0"_s);
    QCOMPARE(m[next].rect, QRect(100 * zoom - 12, 100 * zoom - 15, 25, 30));
    QCOMPARE(m[next + 1].name, u"shogaibutu_image1"_s);
    QCOMPARE(m[next + 1].rect, QRect(420 * zoom - 12, 37 * zoom - 15, 25, 30));

    QCOMPARE(routeLines({&model, true, finished}, zoom).size(), 6);
    QCOMPARE(routeLines({&model, true, finished}, zoom).at(2), QLine(350 * zoom, 300 * zoom, 300 * zoom, 250 * zoom));
    // Without a route only the cones show.
    QCOMPARE(floorMarkers({&model, false, false}, cones, zoom).size(), 2);
    QVERIFY(routeLines({&model, false, false}, zoom).isEmpty());
}

void TestFloorLayout::markersBeyondTheEdgeStayOnTheFloor()
{
    // A diagonal from near the right edge ends far outside the floor.
    RouteModel model;
    model.startRoute(490, 250);
    model.addPoint(890, 650, 0, 0, 115);
    for (int zoom = 1; zoom <= 3; ++zoom) {
        const QList<FloorMarker> m = floorMarkers({&model, true, true}, {}, zoom);
        QCOMPARE(m.size(), 3);
        const QRect floor(0, 0, 500 * zoom, 500 * zoom);
        QVERIFY2(floor.contains(m[1].rect), qPrintable(u"arrow at zoom %1"_s.arg(zoom)));
        QVERIFY2(floor.contains(m[2].rect), qPrintable(u"end at zoom %1"_s.arg(zoom)));
        QCOMPARE(m[2].rect.size(), QSize(24, 24));
        QCOMPARE(m[1].rect.size(), QSize(34, 34));
        // The line itself still runs to the point the program drives to.
        QCOMPARE(routeLines({&model, true, true}, zoom).at(0).p2(), QPoint(890 * zoom, 650 * zoom));
    }
    // A short diagonal just over the edge: its middle lies on the edge, its arrow inside.
    RouteModel over;
    over.startRoute(480, 250);
    over.addPoint(520, 290, 0, 0, 115);
    const QList<FloorMarker> m = floorMarkers({&over, true, true}, {}, 1);
    QVERIFY(QRect(0, 0, 500, 500).contains(m[1].rect));
    QVERIFY(QRect(0, 0, 500, 500).contains(m[2].rect));
    // A start on the edge itself is a point on the floor and stays where it is.
    RouteModel edge;
    edge.startRoute(0, 500);
    QCOMPARE(floorMarkers({&edge, true, false}, {}, 1).at(0).rect, QRect(-12, 488, 24, 24));
}

void TestFloorLayout::bandCoverHoldsTheWholeBand_data()
{
    QTest::addColumn<QLine>("band");
    QTest::newRow("horizontal") << QLine(30, 60, 1470, 60);
    QTest::newRow("vertical up") << QLine(600, 1500, 600, 0);
    QTest::newRow("long diagonal") << QLine(0, 0, 1500, 1500);
    QTest::newRow("diagonal up-left") << QLine(900, 900, 300, 300);
    QTest::newRow("diagonal down-left") << QLine(900, 300, 330, 870);
    QTest::newRow("one cell") << QLine(90, 90, 120, 60);
}

void TestFloorLayout::bandCoverHoldsTheWholeBand()
{
    QFETCH(QLine, band);
    const QList<QRect> cover = lineCover(band, ROUTE_LINE_WIDTH);
    const auto covered = [&cover](QPoint p) {
        return std::any_of(cover.begin(), cover.end(), [p](const QRect &r) { return r.contains(p); });
    };
    // Every pixel of the band and its width on both sides must be repainted.
    const int steps = std::max(std::abs(band.dx()), std::abs(band.dy()));
    for (int i = 0; i <= steps; ++i) {
        const QPoint c(band.x1() + band.dx() * i / steps, band.y1() + band.dy() * i / steps);
        for (int ox = -1; ox <= 1; ++ox) {
            for (int oy = -1; oy <= 1; ++oy)
                QVERIFY2(covered(c + QPoint(ox, oy)), qPrintable(u"pixel %1,%2"_s.arg(c.x()).arg(c.y())));
        }
    }
    // A long diagonal costs a thin strip, not its whole bounding box.
    qint64 area = 0;
    for (const QRect &r : cover)
        area += qint64(r.width()) * r.height();
    const qint64 box = qint64(std::abs(band.dx()) + 4) * (std::abs(band.dy()) + 4);
    if (band.dx() != 0 && band.dy() != 0 && std::abs(band.dx()) > 100)
        QVERIFY2(area * 10 < box, qPrintable(u"%1 of %2"_s.arg(area).arg(box)));
}

void TestFloorLayout::scrollAfterZoom_data()
{
    QTest::addColumn<bool>("hasRoute");
    QTest::addColumn<QPoint>("last");
    QTest::addColumn<int>("zoom");
    QTest::addColumn<QPoint>("expected");
    QTest::newRow("route, zoom 3") << true << QPoint(200, 250) << 3 << QPoint(350, 500);
    QTest::newRow("route, zoom 2, near the corner") << true << QPoint(10, 20) << 2 << QPoint(-230, -210);
    QTest::newRow("no route, zoom 2") << false << QPoint() << 2 << QPoint(250, 1000);
    QTest::newRow("no route, zoom 3") << false << QPoint() << 3 << QPoint(500, 1500);
}

void TestFloorLayout::scrollAfterZoom()
{
    QFETCH(bool, hasRoute);
    QFETCH(QPoint, last);
    QFETCH(int, zoom);
    QFETCH(QPoint, expected);
    QCOMPARE(zoomScrollPosition(hasRoute, last, zoom, QSize(500, 500)), expected);
}

QTEST_APPLESS_MAIN(TestFloorLayout)
#include "tst_floorlayout.moc"
