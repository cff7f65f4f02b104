// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <array>
#include <optional>

// Byte values the application sends to the robot. The robot never answers; these constants and
// the image layout in programimage.h are all that the two sides share.

inline constexpr quint8 CMD_START = 4;       // run button of the icon and route screens
inline constexpr quint8 CMD_REMOTE = 5;      // enter remote-control driving
inline constexpr quint8 CMD_TEST = 6;        // operation test, followed by the wheel speed twice
inline constexpr quint8 CMD_START_TEXT = 7;  // run button of the text screen
inline constexpr quint8 TERMINATOR = 254;    // end of a program image, its fill, and "stop listening"

// while(sw1=off) motor(stop,stop) wait(1) endwhile: the robot stands still until its front
// switch is pressed.
inline constexpr std::array<quint8, 4> START_HEADER{193, 64, 1, 201};

inline constexpr int BLOCK_SIZE = 40;
inline constexpr int MAX_BLOCKS = 3;
inline constexpr int MAX_IMAGE_BYTES = BLOCK_SIZE * MAX_BLOCKS;

// Block numbers announce blocks 1, 2 and 3 of an image.
inline constexpr quint8 blockNumber(int blockIndexFromZero)
{
    return static_cast<quint8>(blockIndexFromZero + 1);
}

namespace opcode {
inline constexpr quint8 SET_IO1_IN = 40;
inline constexpr quint8 SET_IO1_OUT = 41;
inline constexpr quint8 SET_IO2_IN = 42;
inline constexpr quint8 SET_IO2_OUT = 43;
inline constexpr quint8 IO1_ON = 44;
inline constexpr quint8 IO1_OFF = 45;
inline constexpr quint8 IO2_ON = 46;
inline constexpr quint8 IO2_OFF = 47;
inline constexpr quint8 SPEED = 96;
inline constexpr quint8 LOOP = 136;
inline constexpr quint8 END_LOOP = 137;
inline constexpr quint8 WHILE_FOREVER = 200;
inline constexpr quint8 END_WHILE = 201;
inline constexpr quint8 ELSE_IF = 232;
inline constexpr quint8 END_IF = 233;
}

enum class MotorDirection { Stop = 0, Fwd = 1, Rev = 2 };

// Motor code family: set 2 is the default and the only one the generated programs and remote
// control use; set 1 is selected in program text by motor_set 1.
quint8 motorCode(MotorDirection left, MotorDirection right, int motorSet = 2);

enum class Sensor { Sw1, Sw2, Io1, Io2 };
enum class SensorState { On, Off, Hi, Lo };

// The two families use opposite low bits for the same condition, so they are tables, not a
// formula. A switch with hi/lo or an I/O line with on/off has no code.
std::optional<quint8> whileCode(Sensor sensor, SensorState state);
std::optional<quint8> ifCode(Sensor sensor, SensorState state);
