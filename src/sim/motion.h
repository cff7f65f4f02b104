// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// The virtual robot (rk25-robot) lives in this folder, without a window except robotwindow.* and
// floorview.*:
//   motion.*        how the two wheels move the robot on the floor (this file)
//   world.*         the walls, cones and wall pieces it runs into, and its own outline
//   disassembler.*  stored bytes back into program text
//   virtualrobot.*  the receiver of the serial line and the interpreter of the instruction code
//   replay.*        the --replay mode: a recorded wire stream run in simulated time
//   ptyline.*       the pseudo-terminal the application reaches as "comN"
//
// Units everywhere: centimetres on the floor, x to the right, y up the floor; headings in
// degrees counter-clockwise from +x; simulated time in milliseconds.

namespace sim {

// The application's own calibration: the route screen drives 3.5 cm of floor in 0.2 s.
inline constexpr double STRAIGHT_SPEED_CM_PER_S = 3.5 / 0.2;
// A full turn on the spot takes ROTATE_FACTOR seconds, one about a standing wheel TURN_FACTOR.
double spinDegreesPerSecond();
double pivotDegreesPerSecond();
// The wheel that stands still during a pivot turn is half the tread from the centre.
double halfTread();

inline constexpr double START_HEADING = 90;

struct Pose
{
    double x = 0;
    double y = 0;
    double heading = START_HEADING;
};

// Each wheel: -1 backward, 0 stopped, 1 forward.
struct Wheels
{
    int left = 0;
    int right = 0;
    bool operator==(const Wheels &) const = default;
};

// The wheels a motor code sets, for both code families (64..74 and 80..90); nothing for the
// unused codes and for any other byte.
bool wheelsOfMotorCode(quint8 code, Wheels &wheels);
bool isMotorCode(quint8 code);

// Where the robot stands after driving with the wheels for the time, integrated exactly (a
// pivot or spin is an arc, not a chain of steps). The heading stays in [0, 360).
Pose poseAfter(const Pose &start, Wheels wheels, double seconds);

// Degrees into [0, 360).
double normalizedHeading(double degrees);

}
