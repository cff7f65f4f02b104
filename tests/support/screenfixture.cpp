// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/screenfixture.h"

#include "app/settings/settingsfile.h"

#include <QFile>
#include <QtTest>

namespace testenv {

void ScreenFixture::setUp()
{
    QFile::remove(SettingsFile::defaultPath());
    m_pty = std::make_unique<PseudoTerminal>();
    QVERIFY(m_pty->open());
    m_port = std::make_unique<Trs232c>();
    m_port->setPortname(m_pty->slavePath());
    QVERIFY(m_port->Open());
    m_transfer = std::make_unique<TransferWindow>();
    m_trial = std::make_unique<TrialFloor>();
}

void ScreenFixture::tearDown()
{
    m_trial.reset();
    m_transfer.reset();
    m_port.reset();
    m_pty.reset();
}

}
