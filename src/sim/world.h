// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "route/floorlayout.h"
#include "sim/motion.h"

#include <QLineF>
#include <QList>
#include <QPointF>

#include <functional>

// What the robot can run into: the floor of the route screen with its walls, cones and wall
// pieces, and the robot's own outline. Floor coordinates: cm, origin at the floor's lower-left
// corner, x to the right, y up.

namespace sim {

inline constexpr double FLOOR_SIDE_CM = FLOOR_CELLS * FLOOR_CELL_CM;
// A cone is a disc as wide as the route screen's cone picture (25 grid units of 0.35 cm).
inline constexpr double CONE_DIAMETER_CM = 8.75;
inline constexpr int MAX_CONES = ROUTE_MAX_OBSTACLES;
// A wall piece is a straight wall of this thickness (its ends rounded).
inline constexpr double WALL_PIECE_THICKNESS_CM = 2.0;

// A freshly started robot stands in the middle of the floor's width, one half cell short of
// the fifth grid line above the lower wall (17.5 cm), facing up: a route drawn from the bottom
// middle of the route screen runs inside the walls from there.
inline constexpr double DEFAULT_START_X_CM = FLOOR_SIDE_CM / 2;
inline constexpr double DEFAULT_START_Y_CM = 17.5;
inline constexpr Pose DEFAULT_START{DEFAULT_START_X_CM, DEFAULT_START_Y_CM, START_HEADING};

// A route's grid point (units of 0.35 cm, y downwards) on the floor in cm.
QPointF floorPointOfGrid(QPoint grid);

// One piece of the robot's outline in its own frame (u forward along the heading, v to its
// left): the rectangle [u0, u1] x [v0, v1] grown by radius, so a radius rounds its corners.
struct BodyPart
{
    double u0 = 0;
    double u1 = 0;
    double v0 = 0;
    double v1 = 0;
    double radius = 0;
};

// The outline the window draws: the body (14 cm long, 12 cm wide, corners rounded by 3 cm), the
// two wheels (6 x 2 cm, centred half the tread to each side), and the front and rear switch
// plates (10 cm wide, 1.6 cm deep) on the front and rear edges; 17.2 cm from plate to plate.
enum BodyPartIndex { BODY = 0, LEFT_WHEEL, RIGHT_WHEEL, FRONT_SWITCH, REAR_SWITCH, BODY_PART_COUNT };
const BodyPart &bodyPart(int index);
// From the centre to the outer edge of a switch plate.
double bodyHalfLength();

// The switches report contact while their plate is this close to a wall or cone; a motion that
// stops at contact leaves far less than this.
inline constexpr double TOUCH_CM = 1e-6;

struct World
{
    bool walls = false;
    QList<QPointF> cones;
    QList<QLineF> pieces;

    // Nothing to run into: motion is free everywhere, as on an open floor.
    bool isOpen() const { return !walls && cones.isEmpty() && pieces.isEmpty(); }
};

// The floor with its walls and nothing on it.
World walledFloor();

// Distance between the part (or, with part -1, the whole outline) at the pose and the nearest
// wall, cone or wall piece; 0 or less where they overlap.
double clearance(const World &world, const Pose &pose, int part = -1);
bool overlaps(const World &world, const Pose &pose);
// The switch's plate (1 front, 2 rear) touches something.
bool switchTouches(const World &world, const Pose &pose, int which);

// Moves along a path of poses (parameter from `from` to `to`; no point of the outline moves
// faster than speedBound per unit of the parameter) and returns how far it gets: `to` when the
// way is free, else the parameter at which the outline comes into contact. A motion that starts
// in contact and leads away, or along the contact, is free; one that starts overlapping (a cone
// put onto the robot) is free only while it comes out.
double freeUntil(const World &world, const std::function<Pose(double)> &path, double from, double to,
                 double speedBound);

// The same for the wheels' motion from a pose, the parameter in seconds.
double freeSecondsOfWheels(const World &world, const Pose &start, Wheels wheels, double from, double to);

// Where a drag of the robot from a pose towards another ends: turned first on the spot, then
// moved in a straight line, each stopped at contact.
Pose draggedTo(const World &world, const Pose &from, const Pose &to);

}
