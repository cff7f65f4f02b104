// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/trialrun.h"

namespace sim {

namespace {
// A step looks at the robot in these slices of robot time: one wait unit, so a step ends in
// the tenth its instruction starts.
constexpr qint64 STEP_SLICE_MS = 100;
}

TrialRun::TrialRun()
{
    m_robot.onEvent = [this](const RobotEvent &event) {
        if (event.offset >= 0)
            m_instructionStarted = true;
    };
}

void TrialRun::start(const QByteArray &wireBytes, quint8 runByte, const QList<int> &imageLines,
                     const World &world, const Pose &pose)
{
    const auto handler = std::move(m_robot.onEvent);
    m_robot = VirtualRobot();
    m_robot.onEvent = handler;
    m_robot.setWorld(world);
    m_robot.placeAt(pose);
    m_imageLines = imageLines;
    for (const char byte : wireBytes)
        m_robot.receive(static_cast<quint8>(byte));
    m_robot.receive(runByte);
}

void TrialRun::advance(qint64 ms)
{
    m_robot.advanceTo(m_robot.now() + ms);
}

bool TrialRun::step(qint64 limitMs)
{
    m_instructionStarted = false;
    const qint64 end = m_robot.now() + limitMs;
    while (!m_instructionStarted && m_robot.busy() && m_robot.now() < end)
        m_robot.advanceTo(qMin(end, m_robot.now() + STEP_SLICE_MS));
    return m_instructionStarted;
}

int TrialRun::currentLine() const
{
    const int offset = m_robot.currentOffset();
    return offset >= 0 && offset < m_imageLines.size() ? m_imageLines.at(offset) : 0;
}

}
