// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "route/routemodel.h"

#include <QLine>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

// Where everything on the route screen's floor stands, in pixels of the floor picture at a
// zoom of 1, 2 or 3 pixels per grid unit. The floor view paints what this says; nothing here
// knows a widget, so the positions can be checked without a window.

inline constexpr int FLOOR_GRID_UNITS = 500;
inline constexpr int FLOOR_CELL_UNITS = 10;
inline constexpr int FLOOR_CELLS = FLOOR_GRID_UNITS / FLOOR_CELL_UNITS;
// On the real floor a cell is 3.5 cm; the scales name every tenth line (35 cm).
inline constexpr double FLOOR_CELL_CM = 3.5;
inline constexpr int FLOOR_CELLS_PER_LABEL = 10;
inline constexpr int FLOOR_CM_PER_LABEL = 35;
static_assert(FLOOR_CELLS_PER_LABEL * FLOOR_CELL_CM == FLOOR_CM_PER_LABEL);
inline constexpr int FLOOR_MIN_ZOOM = 1;
inline constexpr int FLOOR_MAX_ZOOM = 3;
inline constexpr int ROUTE_MAX_OBSTACLES = 10;
// The rubber band and the route's lines are this wide.
inline constexpr int ROUTE_LINE_WIDTH = 3;

// Width (and height) of the floor picture.
int floorPixels(int zoom);

// A pixel position to the nearest grid coordinate, and the nearest cell corner in pixels.
QPoint gridPointOf(QPoint pixel, int zoom);
QPoint snappedToCell(QPoint pixel, int zoom);

struct GridLine
{
    QLine line;
    int width = 1; // 2 on every fifth line
};
struct ScaleLabel
{
    QPoint at; // where the text is drawn (its baseline's left end)
    QString text;
};
// The 51 vertical and 51 horizontal lines of the grid.
QList<GridLine> floorGridLines(int zoom);
// The "cm" scales: along the bottom 35..140, up the left side 0..140 counted from the bottom.
QList<ScaleLabel> floorScaleLabels(int zoom);

enum class MarkerKind { Start, Arrow, End, Cone };

struct FloorMarker
{
    MarkerKind kind = MarkerKind::Start;
    QString name;     // "meirei_image" + n, or "shogaibutu_image" + n
    QRect rect;       // where the picture is stretched to
    int rotation = 0; // clockwise degrees on the screen that turn the upward arrow along its segment
};

// What the floor shows of a route.
struct FloorRoute
{
    const RouteModel *model = nullptr;
    bool shown = false;    // a route is on the floor (a start point at least)
    bool finished = false; // it was ended with the right button: the end marker shows
};

// The route's lines, from point to point, in pixels.
QList<QLine> routeLines(const FloorRoute &route, int zoom);

// The start, one arrow per segment and the end of a finished route, then one cone per obstacle.
// The arrow and end of a point beyond the floor's edge (a diagonal near the edge) are moved
// inside, so that they stay whole on the floor.
QList<FloorMarker> floorMarkers(const FloorRoute &route, const QList<QPoint> &obstacles, int zoom);

// How far beyond an edge a route point can lie (grid units). Only a diagonal's end gets there:
// its length comes from the pointer's other axis, which reaches at most 500 x (sqrt 2 + 1)
// from its start while the bend keeps it diagonal (beyond 22.5 degrees), so the end passes
// the pointer by at most 500 x sqrt 2 (707), snapped to the next cell corner.
inline constexpr int FLOOR_DIAGONAL_REACH = 710;

// Whether points drawn on the floor can give these records (0..57, a file's as read): the
// start within the floor, and each later point has the coordinate a straight segment moves,
// or one of the two a diagonal moves, within the floor (it is the pointer's), and none lies
// beyond FLOOR_DIAGONAL_REACH. The keyboard and the mouse place no other points.
bool routeRecordsOnFloor(const std::array<RoutePoint, ROUTE_RECORD_COUNT> &records);

// The rubber band's target for the pointer (pixels), as routeTarget bends and snaps it; a
// pointer straight above, below or beside the segment start aims there too, so the band never
// stays behind on a target the pointer has left. Only a pointer on the start keeps previous.
QPoint bandTarget(QPoint start, QPoint pointer, QPoint previous, int zoom);

// The arrow of a segment: 24 pixels along an axis, 34 on a diagonal.
int arrowSize(int heading);

// Rectangles that together cover a straight line of the given pen width, kept small for a long
// diagonal, so that repainting a rubber band touches little more than the band itself.
QList<QRect> lineCover(QLine line, int penWidth);

// Where the scroll view goes after a zoom change: centred on the last point of a route, or
// without one centred across and at the bottom. Not yet limited to the scroll ranges.
QPoint zoomScrollPosition(bool hasRoute, QPoint lastPoint, int zoom, QSize view);
