// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "transfer/transfer.h"
#include "transfer/transferwindow.h"
#include "app/trialfloor.h"
#include "robot/trs232c.h"
#include "support/pseudoterminal.h"

#include <QtWidgets/QWidget>

#include <memory>

namespace testenv {

// What a programming screen test sends through: a pseudo-terminal as the robot's line, the
// port open on it and the real transfer window, with set.ini removed first. The screen under
// test is the test's own; it takes link() and goes before tearDown(). ためす runs on a floor of
// its own.
class ScreenFixture
{
public:
    // A failed step fails the test; the caller checks QTest::currentTestFailed().
    void setUp();
    void tearDown();

    RobotLink link() const { return RobotLink{m_port.get(), m_transfer.get(), m_trial.get()}; }
    PseudoTerminal *pty() const { return m_pty.get(); }
    Trs232c *port() const { return m_port.get(); }
    TransferWindow *transfer() const { return m_transfer.get(); }
    // The floor inside the program that the screen's ためす runs on.
    TrialFloor *trial() const { return m_trial.get(); }

private:
    std::unique_ptr<PseudoTerminal> m_pty;
    std::unique_ptr<Trs232c> m_port;
    std::unique_ptr<TransferWindow> m_transfer;
    std::unique_ptr<TrialFloor> m_trial;
};

}
