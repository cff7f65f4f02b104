// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/findwindow.h"
#include "support/icondrop.h"
#include "support/robotfixture.h"
#include "app/settings/settingsfile.h"
#include "icon/iconpalette.h"
#include "icon/iconscreen.h"
#include "icon/keypadpage.h"
#include "icon/slotcolumn.h"
#include "sim/replay.h"
#include "sim/virtualrobot.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QSlider>

#include <QDropEvent>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;

// The whole chain: the icon screen sends through its serial port, the port reaches the virtual
// robot through the link COM1, and the robot drives where the motion model says.
class TestRobotIcon : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void iconProgramDrivesRobot_data();
    void iconProgramDrivesRobot();

private:
    void drop(int slot, const QString &icon);
    void click(const QString &objectName);

    testenv::RobotFixture m_chain;
    std::unique_ptr<IconScreen> m_screen;
};

void TestRobotIcon::init()
{
    m_chain.setUp();
    if (QTest::currentTestFailed())
        return;
    m_screen = std::make_unique<IconScreen>(m_chain.link());
    m_screen->setStepMode(2);
}

void TestRobotIcon::cleanup()
{
    m_screen.reset();
    m_chain.tearDown();
}

void TestRobotIcon::drop(int slot, const QString &icon)
{
    QVERIFY2(testenv::dropIcon(m_screen.get(), slot, icon), qPrintable(icon));
}

void TestRobotIcon::click(const QString &objectName)
{
    testenv::clickChild(m_screen.get(), objectName);
}

void TestRobotIcon::iconProgramDrivesRobot_data()
{
    QTest::addColumn<bool>("how");
    QTest::newRow("starts at once") << true;
    QTest::newRow("waits for the front switch") << false;
}

void TestRobotIcon::iconProgramDrivesRobot()
{
    QFETCH(bool, how);
    QVERIFY(SettingsFile().setPlayHow(how).ok);
    m_screen->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_screen.get()));

    // loop(3): forward 1.5 s, spin right 90 degrees; endloop.
    drop(0, u"Image10"_s);
    m_screen->keypadPage()->trackBar()->setValue(30);
    click(u"Image42"_s);
    drop(1, u"Image2"_s);
    QTest::keyClicks(m_screen->keypadPage()->trackBar(), u"1.5"_s);
    QTest::keyClick(m_screen->keypadPage()->trackBar(), Qt::Key_Return);
    drop(2, u"Image6"_s);
    click(u"Turn_90"_s);
    click(u"Enter"_s);
    drop(3, u"Image11"_s);
    QCOMPARE(m_screen->program().slot(0).value, 3);
    QCOMPARE(m_screen->program().slot(1).value, 15);

    click(u"send"_s);
    QVERIFY(m_chain.programArrived());
    sim::VirtualRobot *robot = m_chain.robot();
    QCOMPARE(sim::disassembledText(robot->program()),
             QString(how ? u""_s : u"while(sw1=off)\n  motor(stop,stop)\n  wait(1)\nendwhile\n"_s)
                 + u"loop(3)\n  motor(fwd,fwd)\n  wait(15)\n  motor(fwd,rev)\n  wait(5)\nendloop\n"_s);

    click(u"play"_s);
    m_chain.checkStart(how);
    if (QTest::currentTestFailed())
        return;
    // Six seconds of driving; the robot's clock runs ahead of the real one to finish sooner.
    robot->advanceTo(robot->now() + 10000);
    QVERIFY(!robot->busy());
    QCOMPARE(robot->lastEnd(), u"おわりまで動きました"_s);
    QCOMPARE(sim::poseLine(robot->pose()), u"pose 26.25 0.00 180.0"_s);
}

QTEST_MAIN(TestRobotIcon)
#include "tst_robot_icon.moc"
