// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/virtualrobot.h"

#include "icon/iconprogram.h"
#include "robot/instructioncode.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace sim {

namespace {

// One wait unit.
constexpr qint64 TENTH_MS = 1000 / TIME_FACTOR;

// The operation test drives forward and back for a second each, so it ends where it began.
constexpr char TEST_PROGRAM[] = "\x45\x0a\x4a\x0a\xfe";

}

QString stateText(RobotState state, int block)
{
    switch (state) {
    case RobotState::Waiting: return u"待機中"_s;
    case RobotState::Receiving: return u"ブロック %1 を受信中"_s.arg(block);
    case RobotState::HasProgram: return u"プログラムあり"_s;
    case RobotState::Running: return u"実行中"_s;
    case RobotState::Remote: return u"リモコン"_s;
    case RobotState::Test: return u"動作テスト"_s;
    }
    return QString();
}

VirtualRobot::VirtualRobot()
    : m_program(MAX_IMAGE_BYTES, char(TERMINATOR))
{
}

bool VirtualRobot::runActive() const
{
    return m_state == RobotState::Running || (m_state == RobotState::Test && m_testBytesWanted == 0);
}

bool VirtualRobot::busy() const
{
    return m_state == RobotState::Running || m_state == RobotState::Remote || m_state == RobotState::Test;
}

int VirtualRobot::currentOffset() const
{
    return m_state == RobotState::Running ? m_current : -1;
}

Inputs VirtualRobot::inputs() const
{
    Inputs in = m_inputs;
    // A hand on the switch or something the plate touches: either presses it.
    in.sw1 = in.sw1 || m_contact[0];
    in.sw2 = in.sw2 || m_contact[1];
    // An IO line the program made an output reads back what the program put on it.
    if (m_ioOutput[0])
        in.io1High = m_ioOn[0];
    if (m_ioOutput[1])
        in.io2High = m_ioOn[1];
    return in;
}

void VirtualRobot::setSwitch(int which, bool pressed)
{
    (which == 1 ? m_inputs.sw1 : m_inputs.sw2) = pressed;
}

void VirtualRobot::setIoInput(int which, bool high)
{
    (which == 1 ? m_inputs.io1High : m_inputs.io2High) = high;
}

bool VirtualRobot::ioIsOutput(int which) const
{
    return m_ioOutput[which == 1 ? 0 : 1];
}

bool VirtualRobot::ioOutputOn(int which) const
{
    return m_ioOn[which == 1 ? 0 : 1];
}

bool VirtualRobot::contact(int which) const
{
    return m_contact[which == 1 ? 0 : 1];
}

Pose VirtualRobot::poseAt(qint64 ms) const
{
    double seconds = double(ms - m_segmentStart) / 1000.0;
    if (m_blocked)
        seconds = qMin(seconds, m_freeSeconds);
    return poseAfter(m_segmentPose, m_wheels, seconds);
}

Pose VirtualRobot::pose() const
{
    return poseAt(m_now);
}

void VirtualRobot::placeAt(const Pose &pose)
{
    m_segmentPose = {pose.x, pose.y, normalizedHeading(pose.heading)};
    restartSegment();
}

void VirtualRobot::setWorld(const World &world)
{
    m_segmentPose = pose();
    m_world = world;
    restartSegment();
}

void VirtualRobot::setWheels(Wheels wheels)
{
    m_segmentPose = pose();
    m_wheels = wheels;
    restartSegment();
}

void VirtualRobot::restartSegment()
{
    m_segmentStart = m_now;
    m_freeSeconds = 0;
    m_blocked = false;
    // A switch leaves its contact the moment the robot starts to move away, not at the next
    // look at the clock.
    sweepTo(m_now + 1);
    reportContacts(m_now, poseAt(m_now + 1));
}

void VirtualRobot::sweepTo(qint64 ms)
{
    if (m_blocked || m_world.isOpen() || (m_wheels.left == 0 && m_wheels.right == 0))
        return;
    const double seconds = double(ms - m_segmentStart) / 1000.0;
    if (seconds <= m_freeSeconds)
        return;
    m_freeSeconds = freeSecondsOfWheels(m_world, m_segmentPose, m_wheels, m_freeSeconds, seconds);
    m_blocked = m_freeSeconds < seconds;
}

void VirtualRobot::moveClockTo(qint64 ms)
{
    if (ms <= m_now)
        return;
    const bool wasBlocked = m_blocked;
    sweepTo(ms);
    if (m_blocked && !wasBlocked) {
        // The first whole millisecond at which the body stands at the contact.
        const qint64 at = qBound(m_now, qint64(std::ceil(double(m_segmentStart) + m_freeSeconds * 1000.0)), ms);
        reportContacts(at, poseAt(at));
    }
    m_now = ms;
    reportContacts(m_now, pose());
}

void VirtualRobot::reportContacts(qint64 ms, const Pose &pose)
{
    for (int which : {1, 2}) {
        const bool touching = switchTouches(m_world, pose, which);
        if (touching == m_contact[which - 1])
            continue;
        m_contact[which - 1] = touching;
        if (onEvent)
            onEvent({ms, -1, u"contact sw%1 %2"_s.arg(which).arg(touching ? u"on"_s : u"off"_s)});
    }
}

void VirtualRobot::emitEvent(int offset, const QString &text)
{
    if (onEvent)
        onEvent({m_now, offset, text});
}

void VirtualRobot::advanceTo(qint64 ms)
{
    while (runActive() && m_holdUntil <= ms) {
        moveClockTo(m_holdUntil);
        step();
    }
    moveClockTo(ms);
}

void VirtualRobot::receive(quint8 byte)
{
    // Any byte from the line interrupts a run, as a pupil's new command should.
    if (runActive())
        stopRun(u"線からバイト %1 が来たので止まりました"_s.arg(byte));

    switch (m_state) {
    case RobotState::Receiving:
        m_program[40 * (m_block - 1) + m_blockFill] = char(byte);
        if (++m_blockFill == BLOCK_SIZE) {
            m_idleState = RobotState::HasProgram;
            m_state = m_idleState;
        }
        return;
    case RobotState::Remote:
        if (byte >= 64 && byte <= 74 && isMotorCode(byte)) {
            Wheels w;
            wheelsOfMotorCode(byte, w);
            setWheels(w);
            emitEvent(-1, instructionText({Op::Motor, 0, 1, byte, 0, 0}).section(u' ', 0, 0));
            return;
        }
        // 254 ends driving; a block number or a start or test command ends it too and is then
        // taken as if the robot were idle. Every other byte is no command and changes nothing.
        if (byte != TERMINATOR && !(byte >= 1 && byte <= 4) && byte != CMD_START_TEXT && byte != CMD_TEST)
            return;
        setWheels({});
        m_state = m_idleState;
        emitEvent(-1, u"remote end"_s);
        if (byte != TERMINATOR)
            handleIdle(byte);
        return;
    default:
        break;
    }

    if (m_testBytesWanted > 0) {
        (m_testBytesWanted == 2 ? m_speedA : m_speedB) = byte;
        if (--m_testBytesWanted == 0)
            startRun(QByteArray(TEST_PROGRAM), RobotState::Test);
        return;
    }
    handleIdle(byte);
}

void VirtualRobot::handleIdle(quint8 byte)
{
    switch (byte) {
    case 1:
    case 2:
    case 3:
        m_block = byte;
        m_blockFill = 0;
        m_state = RobotState::Receiving;
        // A new program is on its way: how the last one ended no longer applies.
        m_lastEnd.clear();
        return;
    case CMD_START:
    case CMD_START_TEXT:
        if (m_idleState == RobotState::HasProgram)
            startRun(m_program, RobotState::Running);
        else
            m_lastEnd = u"プログラムがまだありません"_s;
        return;
    case CMD_REMOTE:
        m_state = RobotState::Remote;
        m_lastEnd.clear();
        emitEvent(-1, u"remote"_s);
        return;
    case CMD_TEST:
        m_state = RobotState::Test;
        m_lastEnd.clear();
        m_testBytesWanted = 2;
        return;
    default:
        // 254 and every other byte: nothing to do while idle.
        return;
    }
}

void VirtualRobot::startRun(const QByteArray &code, RobotState state)
{
    m_code = code;
    m_pc = 0;
    m_current = -1;
    m_frames.clear();
    m_holdUntil = m_now;
    m_state = state;
    m_lastEnd.clear();
    advanceTo(m_now);
}

void VirtualRobot::stopRun(const QString &why)
{
    setWheels({});
    m_state = m_idleState;
    m_current = -1;
    m_frames.clear();
    m_testBytesWanted = 0;
    m_lastEnd = why;
}

void VirtualRobot::jumpBack(int target, qint64 roundStart)
{
    m_pc = target;
    if (roundStart == m_now)
        m_holdUntil = m_now + TENTH_MS;
}

int VirtualRobot::matchingForward(int from, Op open, Op close, bool stopAtElse) const
{
    int depth = 0;
    int offset = from;
    for (;;) {
        const Instruction in = decodeAt(m_code, offset);
        if (in.op == Op::End || in.op == Op::Unknown || in.op == Op::Truncated)
            return -1;
        if (in.op == open) {
            ++depth;
        } else if (in.op == close) {
            if (depth == 0)
                return offset;
            --depth;
        } else if (stopAtElse && in.op == Op::ElseIf && depth == 0) {
            return offset;
        }
        offset += in.size;
    }
}

void VirtualRobot::step()
{
    const bool test = m_state == RobotState::Test;
    for (;;) {
        const Instruction in = decodeAt(m_code, m_pc);
        m_current = in.offset;
        emitEvent(test ? -1 : in.offset, instructionText(in));
        switch (in.op) {
        case Op::End:
            stopRun(test ? u"動作テストがおわりました"_s : u"おわりまで動きました"_s);
            return;
        case Op::Unknown:
            stopRun(u"%1 バイト目の %2 は知らない命令なので止まりました"_s.arg(in.offset + 1).arg(in.code));
            return;
        case Op::Truncated:
            stopRun(u"%1 バイト目の命令がとちゅうで切れているので止まりました"_s.arg(in.offset + 1));
            return;
        default:
            break;
        }
        m_pc = in.offset + in.size;

        switch (in.op) {
        case Op::SetIo: {
            const int line = (in.code - opcode::SET_IO1_IN) / 2;
            m_ioOutput[line] = (in.code - opcode::SET_IO1_IN) % 2 == 1;
            break;
        }
        case Op::IoOut: {
            const int line = (in.code - opcode::IO1_ON) / 2;
            m_ioOn[line] = (in.code - opcode::IO1_ON) % 2 == 0;
            m_holdUntil = m_now + in.operand1 * TENTH_MS;
            return;
        }
        case Op::Motor: {
            Wheels w;
            wheelsOfMotorCode(in.code, w);
            setWheels(w);
            m_holdUntil = m_now + in.operand1 * TENTH_MS;
            return;
        }
        case Op::Speed:
            m_speedA = in.operand1;
            m_speedB = in.operand2;
            break;
        case Op::Loop:
            m_frames.append({true, m_pc, in.operand1, m_now});
            break;
        case Op::EndLoop: {
            int i = m_frames.size() - 1;
            while (i >= 0 && !m_frames[i].isLoop)
                --i;
            if (i < 0)
                break; // an end without its loop does nothing
            m_frames.resize(i + 1);
            Frame &f = m_frames[i];
            const qint64 roundStart = f.roundStart;
            if (--f.remaining > 0) {
                f.roundStart = roundStart == m_now ? m_now + TENTH_MS : m_now;
                jumpBack(f.start, roundStart);
            } else {
                m_frames.removeLast();
                jumpBack(m_pc, roundStart);
            }
            if (m_holdUntil > m_now)
                return;
            break;
        }
        case Op::While:
            if (conditionHolds(in.code, inputs())) {
                m_frames.append({false, in.offset, 0, m_now});
            } else {
                const int end = matchingForward(m_pc, Op::While, Op::EndWhile, false);
                m_pc = end < 0 ? int(m_code.size()) : end + 1;
            }
            break;
        case Op::EndWhile: {
            int i = m_frames.size() - 1;
            while (i >= 0 && m_frames[i].isLoop)
                --i;
            if (i < 0)
                break; // an end without its while does nothing
            const Frame f = m_frames[i];
            m_frames.resize(i);
            jumpBack(f.start, f.roundStart);
            if (m_holdUntil > m_now)
                return;
            break;
        }
        case Op::If:
            if (!conditionHolds(in.code, inputs())) {
                const int other = matchingForward(m_pc, Op::If, Op::EndIf, true);
                m_pc = other < 0 ? int(m_code.size()) : other + 1;
            }
            break;
        case Op::ElseIf: {
            // Reached from the taken branch: the alternative is skipped.
            const int end = matchingForward(m_pc, Op::If, Op::EndIf, false);
            m_pc = end < 0 ? int(m_code.size()) : end + 1;
            break;
        }
        default:
            break;
        }
    }
}

}
