// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "transfer/transfer.h"
#include "transfer/transferwindow.h"
#include "robot/trs232c.h"
#include "sim/ptyline.h"
#include "sim/virtualrobot.h"

#include <QtWidgets/QWidget>

#include <QElapsedTimer>
#include <QString>

#include <functional>
#include <memory>

namespace testenv {

// The chain the whole-program robot tests drive: the virtual robot on a pseudo-terminal, the
// link COM1 to it, the port open on COM1 and the real transfer window. The screen under test
// is the test's own; it takes link() and goes before tearDown().
class RobotFixture
{
public:
    // A failed step fails the test; the caller checks QTest::currentTestFailed().
    void setUp();
    void tearDown();

    RobotLink link() const { return RobotLink{m_port.get(), m_transfer.get()}; }
    sim::VirtualRobot *robot() const { return m_robot.get(); }

    // Runs the robot's clock with the real one until the condition holds or the time is over.
    bool runUntil(const std::function<bool()> &done, int timeoutMs);
    // After send: true once the robot holds the program and the transfer window has closed.
    bool programArrived();
    // After play: the robot starts; with how false it first stands still until the front
    // switch is pressed and let go. A failed check fails the test.
    void checkStart(bool how);

private:
    std::unique_ptr<sim::PtyLine> m_line;
    std::unique_ptr<sim::VirtualRobot> m_robot;
    std::unique_ptr<Trs232c> m_port;
    std::unique_ptr<TransferWindow> m_transfer;
    QElapsedTimer m_clock;
    QString m_link;
};

}
