// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim/motion.h"
#include "sim/world.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace sim {

// One byte of a recorded transfer: its value and the pause after it.
struct WireLine
{
    quint8 value = 0;
    qint64 pauseMs = 0;
};

// Lines "BYTE PAUSE_MS" (blank lines ignored). On a line that is not of that form, false and
// the 1-based line number in badLine.
bool parseWireLines(const QString &text, QList<WireLine> &lines, int &badLine);

// A switch press: "sw1@2.5" presses the front switch 2.5 simulated seconds after the first
// byte; it is released again half a second later.
struct SwitchPress
{
    int which = 1;
    qint64 atMs = 0;
};
bool parseSwitchPress(const QString &text, SwitchPress &press);

inline constexpr qint64 PRESS_LENGTH_MS = 500;
inline constexpr qint64 REPLAY_RUN_LIMIT_MS = 600 * 1000;

// "X,Y" and "X,Y,H": numbers separated by commas (no spaces), in cm and degrees.
bool parseNumbers(const QString &text, int count, QList<double> &numbers);

// The world of a replay: the walled floor and the default start unless told otherwise.
struct ReplayWorld
{
    World world = walledFloor();
    Pose start = DEFAULT_START;
};

struct ReplayResult
{
    // One line per executed instruction: "SECONDS OFFSET TEXT" (offset "-" for remote-control
    // codes and the operation test), and "SECONDS - contact swN on|off" when a switch comes into
    // or out of contact.
    QStringList trace;
    // Relative to the start (the floor's axes; the heading as on the floor).
    Pose pose;
    // On the floor.
    Pose floorPose;
    // False when the robot was still busy when the time ran out.
    bool ended = true;
};

// Delivers each byte at its time, then, if a program was stored but never started, starts it
// as the run button would, and runs until nothing moves any more or REPLAY_RUN_LIMIT_MS have
// passed after the last byte.
ReplayResult replayWire(const QList<WireLine> &lines, const QList<SwitchPress> &presses,
                        const ReplayWorld &world = {});

// "pose X Y H" (or another word before the numbers): X and Y with two decimals, H in [0, 360)
// with one.
QString poseLine(const Pose &pose, const QString &word = QStringLiteral("pose"));

}
