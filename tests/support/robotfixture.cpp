// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/robotfixture.h"

#include "app/settings/settingsfile.h"
#include "common/workfolder.h"
#include "app/ui/messagebox.h"
#include "sim/replay.h"

#include <QFile>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace testenv {

void RobotFixture::setUp()
{
    ui::setMessageResponder([](const ui::MessageRequest &r) {
        qWarning() << "unexpected box" << r.text;
        return ui::MessageButton::Ok;
    });
    QFile::remove(SettingsFile::defaultPath());
    m_robot = std::make_unique<sim::VirtualRobot>();
    m_line = std::make_unique<sim::PtyLine>();
    QVERIFY(m_line->open());
    m_link = sim::comLinkPath(1, WorkFolderPath());
    QVERIFY(sim::makeComLink(m_link, m_line->devicePath(), false));
    m_clock.start();
    QObject::connect(m_line.get(), &sim::PtyLine::bytesArrived, m_line.get(), [this](const QByteArray &bytes) {
        m_robot->advanceTo(m_clock.elapsed());
        for (char b : bytes)
            m_robot->receive(quint8(b));
    });
    m_port = std::make_unique<Trs232c>();
    m_port->setPortname(u"COM1"_s);
    QVERIFY2(m_port->Open(), qPrintable(m_port->lastError()));
    m_transfer = std::make_unique<TransferWindow>();
}

void RobotFixture::tearDown()
{
    m_transfer.reset();
    m_port.reset();
    if (m_line)
        sim::removeComLinkIfOurs(m_link, m_line->devicePath());
    m_line.reset();
    m_robot.reset();
    ui::setMessageResponder({});
}

bool RobotFixture::runUntil(const std::function<bool()> &done, int timeoutMs)
{
    return QTest::qWaitFor([&] {
        m_robot->advanceTo(m_clock.elapsed());
        return done();
    }, timeoutMs);
}

bool RobotFixture::programArrived()
{
    return runUntil([this] { return m_robot->state() == sim::RobotState::HasProgram && !m_transfer->isVisible(); },
                    10000);
}

void RobotFixture::checkStart(bool how)
{
    QVERIFY(runUntil([this] { return m_robot->busy(); }, 3000));
    if (how)
        return;
    // Stands still until the front switch.
    const qint64 until = m_clock.elapsed() + 1000;
    QVERIFY(!runUntil([&] { return m_clock.elapsed() > until && !m_robot->busy(); }, 1500));
    QCOMPARE(sim::poseLine(m_robot->pose()), u"pose 0.00 0.00 90.0"_s);
    m_robot->setSwitch(1, true);
    runUntil([] { return false; }, 300);
    m_robot->setSwitch(1, false);
}

}
