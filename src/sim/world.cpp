// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/world.h"

#include <QVarLengthArray>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>

namespace sim {

namespace {

// A probe this long decides whether a motion that starts in contact leads into the obstacle.
constexpr double PROBE_CM = 0.01;
constexpr int BISECTION_STEPS = 60;
// Guards the speed bounds against rounding, so the conservative steps never overshoot.
constexpr double BOUND_MARGIN = 1.0001;

struct Vec
{
    double u = 0;
    double v = 0;
};

double radians(double degrees)
{
    return degrees * std::numbers::pi / 180.0;
}

const std::array<BodyPart, BODY_PART_COUNT> &parts()
{
    static const std::array<BodyPart, BODY_PART_COUNT> table = [] {
        const double t = halfTread();
        return std::array<BodyPart, BODY_PART_COUNT>{{
            {-4.0, 4.0, -3.0, 3.0, 3.0},           // body 14 x 12, corners of 3
            {-2.4, 2.4, t - 0.4, t + 0.4, 0.6},     // left wheel 6 x 2
            {-2.4, 2.4, -t - 0.4, -t + 0.4, 0.6},   // right wheel
            {7.0, 8.6, -5.0, 5.0, 0.0},             // front switch plate
            {-8.6, -7.0, -5.0, 5.0, 0.0},           // rear switch plate
        }};
    }();
    return table;
}

double pointRectDistance(Vec p, const BodyPart &r)
{
    const double du = std::max({r.u0 - p.u, 0.0, p.u - r.u1});
    const double dv = std::max({r.v0 - p.v, 0.0, p.v - r.v1});
    return std::hypot(du, dv);
}

double pointSegmentDistance(Vec p, Vec a, Vec b)
{
    const double du = b.u - a.u;
    const double dv = b.v - a.v;
    const double len2 = du * du + dv * dv;
    double t = len2 > 0 ? ((p.u - a.u) * du + (p.v - a.v) * dv) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.u - (a.u + t * du), p.v - (a.v + t * dv));
}

// Liang-Barsky: does the segment cross the rectangle?
bool segmentMeetsRect(Vec a, Vec b, const BodyPart &r)
{
    double t0 = 0;
    double t1 = 1;
    const double d[2] = {b.u - a.u, b.v - a.v};
    const double lo[2] = {r.u0 - a.u, r.v0 - a.v};
    const double hi[2] = {r.u1 - a.u, r.v1 - a.v};
    for (int i = 0; i < 2; ++i) {
        if (d[i] == 0) {
            if (lo[i] > 0 || hi[i] < 0)
                return false;
            continue;
        }
        double ta = lo[i] / d[i];
        double tb = hi[i] / d[i];
        if (ta > tb)
            std::swap(ta, tb);
        t0 = std::max(t0, ta);
        t1 = std::min(t1, tb);
        if (t0 > t1)
            return false;
    }
    return true;
}

double segmentRectDistance(Vec a, Vec b, const BodyPart &r)
{
    if (segmentMeetsRect(a, b, r))
        return 0;
    double best = std::min(pointRectDistance(a, r), pointRectDistance(b, r));
    for (Vec c : {Vec{r.u0, r.v0}, Vec{r.u0, r.v1}, Vec{r.u1, r.v0}, Vec{r.u1, r.v1}})
        best = std::min(best, pointSegmentDistance(c, a, b));
    return best;
}

// The world seen from the robot: the trigonometry is done once per pose, not per part.
struct LocalView
{
    double x = 0;
    double y = 0;
    double c = 1;
    double s = 0;
    QVarLengthArray<Vec, 16> cones;
    QVarLengthArray<std::pair<Vec, Vec>, 8> pieces;
};

LocalView localView(const World &world, const Pose &pose)
{
    LocalView view;
    const double h = radians(pose.heading);
    view.x = pose.x;
    view.y = pose.y;
    view.c = std::cos(h);
    view.s = std::sin(h);
    auto local = [&](double x, double y) {
        const double dx = x - pose.x;
        const double dy = y - pose.y;
        return Vec{dx * view.c + dy * view.s, -dx * view.s + dy * view.c};
    };
    for (const QPointF &cone : world.cones)
        view.cones.append(local(cone.x(), cone.y()));
    for (const QLineF &piece : world.pieces)
        view.pieces.append({local(piece.x1(), piece.y1()), local(piece.x2(), piece.y2())});
    return view;
}

double partClearance(const World &world, const LocalView &view, const BodyPart &part)
{
    double best = std::numeric_limits<double>::infinity();
    if (world.walls) {
        for (Vec k : {Vec{part.u0, part.v0}, Vec{part.u0, part.v1}, Vec{part.u1, part.v0}, Vec{part.u1, part.v1}}) {
            const double x = view.x + k.u * view.c - k.v * view.s;
            const double y = view.y + k.u * view.s + k.v * view.c;
            best = std::min({best, x, y, FLOOR_SIDE_CM - x, FLOOR_SIDE_CM - y});
        }
        best -= part.radius;
    }
    for (const Vec &p : view.cones) {
        const double d = pointRectDistance(p, part);
        // A centre inside the rectangle is a deep overlap.
        best = std::min(best, (d > 0 ? d : -1.0) - part.radius - CONE_DIAMETER_CM / 2);
    }
    for (const auto &[a, b] : view.pieces) {
        const double d = segmentRectDistance(a, b, part);
        best = std::min(best, (d > 0 ? d : -1.0) - part.radius - WALL_PIECE_THICKNESS_CM / 2);
    }
    return best;
}

// The farthest any point of the outline is from a centre of rotation in the robot's frame.
double reachFrom(Vec centre)
{
    double best = 0;
    for (const BodyPart &p : parts()) {
        for (Vec k : {Vec{p.u0, p.v0}, Vec{p.u0, p.v1}, Vec{p.u1, p.v0}, Vec{p.u1, p.v1}})
            best = std::max(best, std::hypot(k.u - centre.u, k.v - centre.v) + p.radius);
    }
    return best;
}

}

QPointF floorPointOfGrid(QPoint grid)
{
    const double cmPerUnit = FLOOR_CELL_CM / FLOOR_CELL_UNITS;
    return {grid.x() * cmPerUnit, (FLOOR_GRID_UNITS - grid.y()) * cmPerUnit};
}

const BodyPart &bodyPart(int index)
{
    return parts().at(size_t(index));
}

double bodyHalfLength()
{
    return parts()[FRONT_SWITCH].u1;
}

World walledFloor()
{
    World w;
    w.walls = true;
    return w;
}

double clearance(const World &world, const Pose &pose, int part)
{
    const LocalView view = localView(world, pose);
    if (part >= 0)
        return partClearance(world, view, bodyPart(part));
    double best = std::numeric_limits<double>::infinity();
    for (const BodyPart &p : parts())
        best = std::min(best, partClearance(world, view, p));
    return best;
}

bool overlaps(const World &world, const Pose &pose)
{
    return !world.isOpen() && clearance(world, pose) < 0;
}

bool switchTouches(const World &world, const Pose &pose, int which)
{
    return !world.isOpen() && clearance(world, pose, which == 1 ? FRONT_SWITCH : REAR_SWITCH) <= TOUCH_CM;
}

double freeUntil(const World &world, const std::function<Pose(double)> &path, double from, double to,
                 double speedBound)
{
    if (world.isOpen() || to <= from || speedBound <= 0)
        return std::max(from, to);
    const double bound = speedBound * BOUND_MARGIN;
    const double probe = PROBE_CM / bound;
    double s = from;
    while (s < to) {
        const double d = clearance(world, path(s));
        // Far from everything: no point can close the gap faster than the bound.
        if (d / bound >= probe) {
            s = std::min(to, s + d / bound);
            continue;
        }
        const double next = std::min(to, s + probe);
        const double dn = clearance(world, path(next));
        if (dn >= 0 || (d < 0 && dn > d)) {
            s = next;
            continue;
        }
        if (d < 0)
            return s;
        // The contact lies in [s, next): the last free parameter.
        double lo = s;
        double hi = next;
        for (int i = 0; i < BISECTION_STEPS && hi - lo > 0; ++i) {
            const double mid = (lo + hi) / 2;
            if (clearance(world, path(mid)) >= 0)
                lo = mid;
            else
                hi = mid;
        }
        return lo;
    }
    return to;
}

double freeSecondsOfWheels(const World &world, const Pose &start, Wheels wheels, double from, double to)
{
    if (world.isOpen() || (wheels.left == 0 && wheels.right == 0))
        return std::max(from, to);
    double bound = 0;
    if (wheels.left == wheels.right)
        bound = STRAIGHT_SPEED_CM_PER_S;
    else if (wheels.left == -wheels.right)
        bound = radians(spinDegreesPerSecond()) * reachFrom({0, 0});
    else
        bound = radians(pivotDegreesPerSecond()) * reachFrom({0, wheels.left == 0 ? halfTread() : -halfTread()});
    return freeUntil(world, [&](double s) { return poseAfter(start, wheels, s); }, from, to, bound);
}

Pose draggedTo(const World &world, const Pose &from, const Pose &to)
{
    const double turn = std::remainder(to.heading - from.heading, 360.0);
    auto turned = [&](double f) { return Pose{from.x, from.y, normalizedHeading(from.heading + f * turn)}; };
    const double turnedPart = freeUntil(world, turned, 0, 1, std::abs(radians(turn)) * reachFrom({0, 0}));
    const Pose after = turnedPart < 1 ? turned(turnedPart) : Pose{from.x, from.y, normalizedHeading(to.heading)};
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    auto moved = [&](double f) { return Pose{after.x + f * dx, after.y + f * dy, after.heading}; };
    const double movedPart = freeUntil(world, moved, 0, 1, std::hypot(dx, dy));
    return movedPart < 1 ? moved(movedPart) : Pose{to.x, to.y, after.heading};
}

}
