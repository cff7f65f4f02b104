// SPDX-License-Identifier: GPL-3.0-or-later
#include "route/routetext.h"

#include "common/rounding.h"
#include "icon/iconprogram.h"

#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

// sqrt(2) to the 64-bit mantissa of the extended type; the run lengths are computed there so
// that every wait matches the one the robot's timing was tuned with.
constexpr long double SQRT2 = 1.41421356237309504880168872420969808L;

long long nearestExtended(long double value)
{
    return roundHalfEven(static_cast<double>(value));
}

int runWaitUnits(long double length)
{
    const long double cells = length / 10.0L;
    return static_cast<int>(
        nearestExtended(cells * static_cast<long double>(CELL_FACTOR) * TIME_FACTOR));
}

}

int segmentHeading(qint64 dX, qint64 dY)
{
    // y grows downwards, so a negative dY points up the floor.
    if (dX == 0)
        return dY < 0 ? 90 : dY > 0 ? 270 : -1;
    if (dX < 0)
        return dY < 0 ? 135 : dY > 0 ? 225 : 180;
    return dY < 0 ? 45 : dY > 0 ? 315 : 0;
}

int turnWaitUnits(int angle)
{
    const int product = angle * ROTATE_FACTOR;
    return static_cast<int>(nearestExtended(static_cast<long double>(product) / 360 * TIME_FACTOR));
}

int axisRunWaitUnits(qint64 length)
{
    return runWaitUnits(static_cast<long double>(length));
}

int diagonalRunWaitUnits(qint64 absDY)
{
    return runWaitUnits(static_cast<long double>(absDY) * SQRT2);
}

QString waitLine(int units)
{
    return u"wait(%1)"_s.arg(units);
}

SegmentText segmentToText(int x0, int y0, int x1, int y1, int currentHeading)
{
    SegmentText text;
    // Wide enough for any two coordinates a route file can hold.
    const qint64 dX = qint64(x1) - x0;
    const qint64 dY = qint64(y1) - y0;
    const int theta = segmentHeading(dX, dY);
    if (theta < 0) {
        text.heading = currentHeading;
        return text;
    }

    const int d = static_cast<int>(((theta - qint64(currentHeading)) % 360 + 360) % 360);
    if (d != 0) {
        int angle = d;
        if (d < 180) {
            text.turnCommand = QString::fromUtf16(TURN_LEFT_COMMAND);
        } else {
            text.turnCommand = QString::fromUtf16(TURN_RIGHT_COMMAND);
            angle = 360 - d;
        }
        text.turnWait = waitLine(turnWaitUnits(angle));
    }

    const bool diagonal = dX != 0 && dY != 0;
    text.forwardCommand = QString::fromUtf16(FORWARD_COMMAND);
    text.forwardWait = waitLine(diagonal ? diagonalRunWaitUnits(std::abs(dY))
                                         : axisRunWaitUnits(std::abs(dX != 0 ? dX : dY)));
    text.heading = theta;
    return text;
}
