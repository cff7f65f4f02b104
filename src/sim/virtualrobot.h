// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim/disassembler.h"
#include "sim/motion.h"
#include "sim/world.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

namespace sim {

// What the robot is doing, as its panel shows it.
enum class RobotState {
    Waiting,    // no program stored yet
    Receiving,  // a block number came; its 40 bytes are arriving
    HasProgram, // a program is stored and not running
    Running,
    Remote,     // remote-control driving
    Test,       // the operation test
};

QString stateText(RobotState state, int block);

// One thing the robot did, for the trace and the highlighted line.
struct RobotEvent
{
    qint64 ms = 0;
    // Offset of the instruction in the stored program; -1 for a remote-control code and for
    // the operation test.
    int offset = -1;
    QString text;
};

// The robot behind the serial line: a receiver of the bytes the application sends, the
// interpreter of the stored program and the motion of its wheels, all on a simulated clock.
// Nothing here waits: the owner moves the clock on (advanceTo) and hands over each byte at
// the time it arrives (receive), so the same robot runs in a window in real time and in a
// replay much faster than that.
class VirtualRobot
{
public:
    VirtualRobot();

    qint64 now() const { return m_now; }
    // Runs the program up to the time (earlier times are ignored).
    void advanceTo(qint64 ms);
    // A byte from the line, at now().
    void receive(quint8 byte);

    RobotState state() const { return m_state; }
    int receivingBlock() const { return m_block; }
    // True while something moves the robot or a program runs.
    bool busy() const;
    // The 120 stored bytes (254 until blocks arrive).
    const QByteArray &program() const { return m_program; }
    // Offset of the running instruction, -1 when no stored program runs.
    int currentOffset() const;
    // Why the last run ended ("おわりまで動きました", an unknown byte, a byte from the line).
    QString lastEnd() const { return m_lastEnd; }
    int speedLeft() const { return m_speedA; }
    int speedRight() const { return m_speedB; }
    Wheels wheels() const { return m_wheels; }

    // Front switch sw1, rear switch sw2 pressed by hand, the IO lines as inputs. A switch also
    // reads pressed while its plate touches something in the world.
    void setSwitch(int which, bool pressed);
    void setIoInput(int which, bool high);
    // IO line n (1, 2): an output when set so by the program, its level.
    bool ioIsOutput(int which) const;
    bool ioOutputOn(int which) const;
    Inputs inputs() const;

    Pose pose() const;
    // Puts the robot down at a place (the window's drag and "back to the start").
    void placeAt(const Pose &pose);

    // What the robot can run into; open (nothing) until set. Its motion stops at contact: the
    // wheels keep turning, the body stays.
    const World &world() const { return m_world; }
    void setWorld(const World &world);
    // Switch `which` touches something now.
    bool contact(int which) const;

    // Called for every instruction as it starts, every remote-control code and every end, and
    // when a switch comes into or out of contact ("contact sw1 on", offset -1).
    std::function<void(const RobotEvent &)> onEvent;

private:
    struct Frame
    {
        bool isLoop = true;
        int start = 0;     // loop: first byte of the body; while: the while byte
        int remaining = 0; // loop rounds still to run
        qint64 roundStart = 0;
    };

    bool runActive() const;
    void handleIdle(quint8 byte);
    void startRun(const QByteArray &code, RobotState state);
    void stopRun(const QString &why);
    void setWheels(Wheels wheels);
    // A new stretch of motion from the present pose (new wheels, a new place or a new world).
    void restartSegment();
    // Moves the clock on, stopping the body where it meets something on the way.
    void moveClockTo(qint64 ms);
    void sweepTo(qint64 ms);
    Pose poseAt(qint64 ms) const;
    // Reports the switches that came into or out of contact, as of the pose.
    void reportContacts(qint64 ms, const Pose &pose);
    // Executes instructions at m_now until one holds the robot or the run ends.
    void step();
    // Repeats the block unless its round took no time yet, then the robot waits a tenth.
    void jumpBack(int target, qint64 roundStart);
    int matchingForward(int from, Op open, Op close, bool stopAtElse) const;
    void emitEvent(int offset, const QString &text);

    qint64 m_now = 0;
    RobotState m_state = RobotState::Waiting;
    RobotState m_idleState = RobotState::Waiting;
    int m_block = 0;
    int m_blockFill = 0;
    QByteArray m_program;

    // The run: the stored program or the built-in operation test.
    QByteArray m_code;
    int m_pc = 0;
    int m_current = -1;
    qint64 m_holdUntil = 0;
    QList<Frame> m_frames;
    QString m_lastEnd;

    int m_testBytesWanted = 0;
    int m_speedA = 0;
    int m_speedB = 0;

    Inputs m_inputs;
    bool m_ioOutput[2] = {false, false};
    bool m_ioOn[2] = {false, false};

    Wheels m_wheels;
    Pose m_segmentPose;
    qint64 m_segmentStart = 0;
    // Seconds into the segment known to be free; with m_blocked the body stands from there on.
    double m_freeSeconds = 0;
    bool m_blocked = false;

    World m_world;
    bool m_contact[2] = {false, false};
};

}
