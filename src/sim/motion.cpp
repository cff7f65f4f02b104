// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/motion.h"

#include "icon/iconprogram.h"

#include <cmath>
#include <numbers>

namespace sim {

namespace {

double radians(double degrees)
{
    return degrees * std::numbers::pi / 180.0;
}

// Rotates the centre about a point beside it, the side given in degrees from the heading
// (+90 left, -90 right).
Pose pivot(const Pose &start, double sideDegrees, double turnDegrees)
{
    const double side = radians(start.heading + sideDegrees);
    const double px = start.x + halfTread() * std::cos(side);
    const double py = start.y + halfTread() * std::sin(side);
    const double dx = start.x - px;
    const double dy = start.y - py;
    const double c = std::cos(radians(turnDegrees));
    const double s = std::sin(radians(turnDegrees));
    return {px + dx * c - dy * s, py + dx * s + dy * c, normalizedHeading(start.heading + turnDegrees)};
}

}

double spinDegreesPerSecond()
{
    return 360.0 / ROTATE_FACTOR;
}

double pivotDegreesPerSecond()
{
    return 360.0 / TURN_FACTOR;
}

double halfTread()
{
    // TREAD is kept in single precision by the preview; 5.27 is what it stands for.
    return std::round(double(TREAD) * 100.0) / 200.0;
}

bool isMotorCode(quint8 code)
{
    Wheels unused;
    return wheelsOfMotorCode(code, unused);
}

bool wheelsOfMotorCode(quint8 code, Wheels &wheels)
{
    int base = 0;
    if (code >= 64 && code <= 74)
        base = 64;
    else if (code >= 80 && code <= 90)
        base = 80;
    else
        return false;
    const int left = (code - base) / 4;
    const int right = (code - base) % 4;
    if (left > 2 || right > 2)
        return false;
    // Direction numbers: stop 0, fwd 1, rev 2.
    auto sense = [](int direction) { return direction == 2 ? -1 : direction; };
    wheels = {sense(left), sense(right)};
    return true;
}

double normalizedHeading(double degrees)
{
    double h = std::fmod(degrees, 360.0);
    if (h < 0)
        h += 360.0;
    // fmod of a tiny negative value plus 360 rounds to 360 itself.
    return h >= 360.0 ? 0.0 : h;
}

Pose poseAfter(const Pose &start, Wheels wheels, double seconds)
{
    if (seconds <= 0 || (wheels.left == 0 && wheels.right == 0))
        return start;
    if (wheels.left == wheels.right) {
        const double distance = wheels.left * STRAIGHT_SPEED_CM_PER_S * seconds;
        const double h = radians(start.heading);
        return {start.x + distance * std::cos(h), start.y + distance * std::sin(h), start.heading};
    }
    if (wheels.left == -wheels.right) {
        // Left wheel forward turns clockwise.
        const double turn = -wheels.left * spinDegreesPerSecond() * seconds;
        return {start.x, start.y, normalizedHeading(start.heading + turn)};
    }
    const double turn = pivotDegreesPerSecond() * seconds;
    if (wheels.left == 0) // about the left wheel: right wheel forward turns left
        return pivot(start, 90, wheels.right * turn);
    // about the right wheel: left wheel forward turns right
    return pivot(start, -90, -wheels.left * turn);
}

}
