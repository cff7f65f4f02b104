// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim/virtualrobot.h"

#include <QByteArray>
#include <QList>

namespace sim {

// A program tried on the floor inside the program ("ためす"): the bytes a transfer would send
// reach a virtual robot as its blocks would arrive, then the screen's run byte starts it, as the
// run button would. Nothing goes to a port and nothing here waits: the owner moves the clock on
// (advance) or lets the robot take one instruction (step). imageLines maps each byte of the
// stored program to the program text line it came from (0: none), so the running line is known.
class TrialRun
{
public:
    TrialRun();

    // Starts afresh at the pose in the world: the wire bytes (block numbers and program bytes in
    // wire order), then runByte.
    void start(const QByteArray &wireBytes, quint8 runByte, const QList<int> &imageLines,
               const World &world, const Pose &pose);

    VirtualRobot &robot() { return m_robot; }
    const VirtualRobot &robot() const { return m_robot; }

    // Moves the robot's clock on by ms.
    void advance(qint64 ms);
    // Runs until the next instruction starts or the run ends, at most limitMs of robot time.
    // True when an instruction started.
    bool step(qint64 limitMs = 60 * 1000);

    // The program text line (from 1) of the instruction running now, 0 when none runs.
    int currentLine() const;
    // The run is over (or never began): nothing moves and no program runs.
    bool finished() const { return !m_robot.busy(); }

private:
    VirtualRobot m_robot;
    QList<int> m_imageLines;
    bool m_instructionStarted = false;
};

}
