// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

// One route segment turned into program text: a turn on the spot from the robot's current
// direction into the segment's direction, then a straight run. The robot language knows no
// distances or angles, only motor states held for a number of wait units, so both are timed.

// Seconds to drive one floor cell (10 grid units). Held in single precision on purpose: the
// wait lengths of long diagonal runs depend on the exact value 0.20000000298...
inline constexpr float CELL_FACTOR = 0.2f;

inline constexpr char16_t TURN_LEFT_COMMAND[] = u"motor(rev,fwd)";
inline constexpr char16_t TURN_RIGHT_COMMAND[] = u"motor(fwd,rev)";
inline constexpr char16_t FORWARD_COMMAND[] = u"motor(fwd,fwd)";

struct SegmentText
{
    QString turnCommand;    // TURN_LEFT_COMMAND, TURN_RIGHT_COMMAND or empty (no turn)
    QString turnWait;       // "wait(n)" for the turn, or empty
    QString forwardCommand; // FORWARD_COMMAND, or empty for a segment of zero length
    QString forwardWait;    // "wait(n)" for the run, or empty
    int heading = 0;        // the segment's direction; the robot's heading after it
};

// Converts the segment from (x0, y0) to (x1, y1), in grid units (x to the right, y downwards),
// for a robot facing currentHeading (degrees counter-clockwise from the right: 0 right, 90 up).
// A zero-length segment gives four empty texts and keeps currentHeading. A half turn is always
// made to the right. Headings outside 0..359 are taken modulo 360.
SegmentText segmentToText(int x0, int y0, int x1, int y1, int currentHeading);

// Direction of a segment in degrees (0, 45, ... 315), or -1 for a zero-length segment.
int segmentHeading(qint64 dX, qint64 dY);

// Wait units of a turn on the spot by angle degrees (45 -> 2, 90 -> 5, 135 -> 8, 180 -> 10).
int turnWaitUnits(int angle);

// Wait units of a straight run: along an axis by its length, diagonally by abs(dY) (the run is
// then abs(dY) * sqrt(2) long). Axis runs give 2 per cell; diagonal runs of 1, 2, 3 cells 3, 6, 8.
int axisRunWaitUnits(qint64 length);
int diagonalRunWaitUnits(qint64 absDY);

// "wait(" n ")".
QString waitLine(int units);
