// SPDX-License-Identifier: GPL-3.0-or-later
#include "route/floorlayout.h"

#include "common/rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

constexpr int MARKER_SIZE = 24;
constexpr int DIAGONAL_ARROW_SIZE = 34;
constexpr int MARKER_OFFSET = 12;
constexpr int CONE_WIDTH = 25;
constexpr int CONE_HEIGHT = 30;
constexpr int CONE_OFFSET_Y = 15;
// The labels stand this far from the bottom edge and left of their line.
constexpr int LABEL_FROM_BOTTOM = 15;
constexpr int LABEL_LEFT_OF_LINE = 10;
constexpr int LABEL_LEFT_MARGIN = 5;
// A long diagonal band is covered in pieces of about this length.
constexpr int COVER_PIECE = 24;

int nearest(double v)
{
    return static_cast<int>(roundHalfEven(v));
}

bool insideFloor(QPoint p, int zoom)
{
    const int size = floorPixels(zoom);
    return p.x() >= 0 && p.y() >= 0 && p.x() <= size && p.y() <= size;
}

// A picture of a point beyond the floor's edge (or of the segment to it) is moved inside, whole.
QRect keptOnFloor(QRect rect, QPoint anchor, int zoom)
{
    if (insideFloor(anchor, zoom))
        return rect;
    const int size = floorPixels(zoom);
    rect.moveLeft(std::clamp(rect.left(), 0, size - rect.width()));
    rect.moveTop(std::clamp(rect.top(), 0, size - rect.height()));
    return rect;
}

QPoint pixelOf(const RoutePoint &p, int zoom)
{
    return QPoint(p.x * zoom, p.y * zoom);
}

// The upward arrow turned onto a heading (counter-clockwise from the right), in -180..180.
int clockwiseTurnOfArrow(int heading)
{
    int turn = ((90 - heading) % 360 + 360) % 360;
    return turn > 180 ? turn - 360 : turn;
}

QRect pointMarkerRect(QPoint pixel)
{
    return QRect(pixel.x() - MARKER_OFFSET, pixel.y() - MARKER_OFFSET, MARKER_SIZE, MARKER_SIZE);
}

} // namespace

int floorPixels(int zoom)
{
    return FLOOR_GRID_UNITS * zoom;
}

QPoint gridPointOf(QPoint pixel, int zoom)
{
    const double z = std::max(zoom, 1);
    return QPoint(nearest(pixel.x() / z), nearest(pixel.y() / z));
}

QPoint snappedToCell(QPoint pixel, int zoom)
{
    const double cell = FLOOR_CELL_UNITS * std::max(zoom, 1);
    return QPoint(nearest(pixel.x() / cell) * static_cast<int>(cell),
                  nearest(pixel.y() / cell) * static_cast<int>(cell));
}

bool routeRecordsOnFloor(const std::array<RoutePoint, ROUTE_RECORD_COUNT> &records)
{
    const auto within = [](int v) { return v >= 0 && v <= FLOOR_GRID_UNITS; };
    const auto reached = [](int v) { return v >= -FLOOR_DIAGONAL_REACH && v <= FLOOR_GRID_UNITS + FLOOR_DIAGONAL_REACH; };
    if (!within(records[0].x) || !within(records[0].y))
        return false;
    for (int i = 1; i < ROUTE_USED_RECORDS; ++i) {
        const RoutePoint &from = records[static_cast<size_t>(i - 1)];
        const RoutePoint &to = records[static_cast<size_t>(i)];
        if (!reached(to.x) || !reached(to.y))
            return false;
        const bool xMoved = to.x != from.x;
        const bool yMoved = to.y != from.y;
        // An unused record (0, 0) after the last point passes too: its x lies on the floor.
        if ((xMoved || yMoved) && !(xMoved && within(to.x)) && !(yMoved && within(to.y)))
            return false;
    }
    return true;
}

QList<GridLine> floorGridLines(int zoom)
{
    const int size = floorPixels(zoom);
    const int lines = FLOOR_GRID_UNITS / FLOOR_CELL_UNITS;
    QList<GridLine> result;
    result.reserve(2 * (lines + 1));
    for (int i = 0; i <= lines; ++i) {
        const int at = i * FLOOR_CELL_UNITS * zoom;
        result.append({QLine(at, 0, at, size), i % 5 == 0 ? 2 : 1});
    }
    for (int j = 0; j <= lines; ++j) {
        const int at = j * FLOOR_CELL_UNITS * zoom;
        result.append({QLine(0, at, size, at), j % 5 == 0 ? 2 : 1});
    }
    return result;
}

QList<ScaleLabel> floorScaleLabels(int zoom)
{
    const int size = floorPixels(zoom);
    const int step = FLOOR_CELLS_PER_LABEL * FLOOR_CELL_UNITS * zoom;
    QList<ScaleLabel> result;
    for (int k = 1; k <= 4; ++k)
        result.append({QPoint(k * step - LABEL_LEFT_OF_LINE, size - LABEL_FROM_BOTTOM),
                       QString::number(k * FLOOR_CM_PER_LABEL) + u"cm"_s});
    for (int k = 0; k <= 4; ++k)
        result.append({QPoint(LABEL_LEFT_MARGIN, size - LABEL_FROM_BOTTOM - k * step),
                       QString::number(k * FLOOR_CM_PER_LABEL) + u"cm"_s});
    return result;
}

QList<QLine> routeLines(const FloorRoute &route, int zoom)
{
    QList<QLine> lines;
    if (!route.model || !route.shown)
        return lines;
    for (int n = 1; n <= route.model->lastIndex(); ++n)
        lines.append(QLine(pixelOf(route.model->record(n - 1), zoom), pixelOf(route.model->record(n), zoom)));
    return lines;
}

QPoint bandTarget(QPoint start, QPoint pointer, QPoint previous, int zoom)
{
    if (pointer.x() == start.x() && pointer.y() != start.y())
        return snappedToCell(QPoint(start.x(), pointer.y()), zoom);
    if (pointer.y() == start.y() && pointer.x() != start.x())
        return snappedToCell(QPoint(pointer.x(), start.y()), zoom);
    return routeTarget(start, pointer, previous, zoom);
}

int arrowSize(int heading)
{
    return heading % 90 == 0 ? MARKER_SIZE : DIAGONAL_ARROW_SIZE;
}

QList<FloorMarker> floorMarkers(const FloorRoute &route, const QList<QPoint> &obstacles, int zoom)
{
    QList<FloorMarker> markers;
    if (route.model && route.shown) {
        const RouteModel &m = *route.model;
        const QPoint start = pixelOf(m.record(0), zoom);
        markers.append({MarkerKind::Start, u"meirei_image0"_s, keptOnFloor(pointMarkerRect(start), start, zoom), 0});
        for (int n = 1; n <= m.lastIndex(); ++n) {
            const RoutePoint &a = m.record(n - 1);
            const RoutePoint &b = m.record(n);
            const QPoint middle(nearest(zoom * (a.x + (b.x - a.x) / 2.0)), nearest(zoom * (a.y + (b.y - a.y) / 2.0)));
            const int size = arrowSize(b.heading);
            const QRect rect(middle.x() - MARKER_OFFSET, middle.y() - MARKER_OFFSET, size, size);
            markers.append({MarkerKind::Arrow, u"meirei_image"_s + QString::number(n), keptOnFloor(rect, pixelOf(b, zoom), zoom),
                            clockwiseTurnOfArrow(b.heading)});
        }
        if (route.finished) {
            const QPoint end = pixelOf(m.record(m.lastIndex()), zoom);
            markers.append({MarkerKind::End, u"meirei_image"_s + QString::number(m.lastIndex() + 1),
                            keptOnFloor(pointMarkerRect(end), end, zoom), 0});
        }
    }
    for (qsizetype i = 0; i < obstacles.size(); ++i) {
        const QPoint at(obstacles[i].x() * zoom, obstacles[i].y() * zoom);
        markers.append({MarkerKind::Cone, u"shogaibutu_image"_s + QString::number(i),
                        QRect(at.x() - MARKER_OFFSET, at.y() - CONE_OFFSET_Y, CONE_WIDTH, CONE_HEIGHT), 0});
    }
    return markers;
}

QList<QRect> lineCover(QLine line, int penWidth)
{
    const int pad = penWidth / 2 + 1;
    const QPoint a = line.p1();
    const QPoint b = line.p2();
    const int dx = b.x() - a.x();
    const int dy = b.y() - a.y();
    const auto box = [pad](QPoint p, QPoint q) {
        return QRect(QPoint(std::min(p.x(), q.x()) - pad, std::min(p.y(), q.y()) - pad),
                     QPoint(std::max(p.x(), q.x()) + pad, std::max(p.y(), q.y()) + pad));
    };
    if (dx == 0 || dy == 0)
        return {box(a, b)};
    const int pieces = std::max(1, static_cast<int>(std::ceil(std::hypot(dx, dy) / COVER_PIECE)));
    QList<QRect> rects;
    rects.reserve(pieces);
    QPoint from = a;
    for (int i = 1; i <= pieces; ++i) {
        const QPoint to(a.x() + nearest(static_cast<double>(dx) * i / pieces),
                        a.y() + nearest(static_cast<double>(dy) * i / pieces));
        rects.append(box(from, to));
        from = to;
    }
    return rects;
}

QPoint zoomScrollPosition(bool hasRoute, QPoint lastPoint, int zoom, QSize view)
{
    if (hasRoute)
        return QPoint(nearest(zoom * lastPoint.x() - view.width() / 2.0),
                      nearest(zoom * lastPoint.y() - view.height() / 2.0));
    return QPoint(nearest(zoom * view.width() / 2.0 - view.width() / 2.0), zoom * view.height());
}
