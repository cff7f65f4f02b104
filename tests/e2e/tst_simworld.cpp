// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/findwindow.h"
#include "support/robotfixture.h"
#include "app/ui/picturebutton.h"
#include "editor/sonedit.h"
#include "robot/instructioncode.h"
#include "sim/replay.h"
#include "sim/virtualrobot.h"
#include "sim/world.h"
#include "text/textscreen.h"

#include <QtWidgets/QApplication>

#include <QtTest>

#include <cmath>
#include <memory>

using namespace Qt::StringLiterals;

// The sample program of the text screen, sent through its serial port to the virtual robot on
// the walled floor: it drives to the wall, its front switch turns on at the contact, and it
// backs off and turns as the sample's own waits say.
class TestSimWorld : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void sampleDrivesToTheWall();

private:
    testenv::RobotFixture m_chain;
    std::unique_ptr<TextScreen> m_screen;
};

void TestSimWorld::init()
{
    m_chain.setUp();
    if (QTest::currentTestFailed())
        return;
    m_chain.robot()->placeAt(sim::DEFAULT_START);
    m_chain.robot()->setWorld(sim::walledFloor());
    m_screen = std::make_unique<TextScreen>(m_chain.link());
}

void TestSimWorld::cleanup()
{
    m_screen.reset();
    m_chain.tearDown();
}

void TestSimWorld::sampleDrivesToTheWall()
{
    m_screen->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_screen.get()));
    testenv::clickChild<PictureButton>(m_screen.get(), u"readsample"_s);
    QVERIFY(!m_screen->editor()->text().isEmpty());
    testenv::clickChild<PictureButton>(m_screen.get(), u"send"_s);
    QVERIFY(m_chain.programArrived());

    sim::VirtualRobot *robot = m_chain.robot();
    QStringList contacts;
    qint64 frontOn = -1;
    qint64 backOff = -1;
    robot->onEvent = [&](const sim::RobotEvent &e) {
        if (e.text.startsWith(u"contact "_s))
            contacts << e.text;
        if (e.text == u"contact sw1 on"_s)
            frontOn = e.ms;
        if (frontOn >= 0 && backOff < 0 && e.text.startsWith(u"motor(rev,rev)"_s))
            backOff = e.ms;
    };
    testenv::clickChild<PictureButton>(m_screen.get(), u"play"_s);
    QVERIFY(m_chain.runUntil([robot] { return robot->busy(); }, 3000));
    // No more bytes come: the robot's clock runs ahead to the end of the program.
    robot->advanceTo(robot->now() + 60000);
    QVERIFY(!robot->busy());
    QCOMPARE(robot->lastEnd(), u"おわりまで動きました"_s);
    QCOMPARE(contacts, (QStringList{u"contact sw1 on"_s, u"contact sw1 off"_s}));
    // The while's next look, a tenth at most after the contact, sees the switch and backs off.
    QVERIFY2(backOff > frontOn && backOff <= frontOn + 100, qPrintable(u"%1 %2"_s.arg(frontOn).arg(backOff)));

    // From the contact (the centre 8.6 cm below the top wall): back 17.5 cm, half a turn to the
    // left, the rear switch free, so forward 17.5 cm and on through the lamp's 1.1 s, facing
    // down. Within 0.01 cm and 0.1 degree.
    const sim::Pose got = robot->pose();
    const double contactY = sim::FLOOR_SIDE_CM - sim::bodyHalfLength();
    const QString seen = sim::poseLine(got, u"floor"_s);
    QVERIFY2(std::abs(got.x - sim::DEFAULT_START_X_CM) < 0.01, qPrintable(seen));
    QVERIFY2(std::abs(got.y - (contactY - 17.5 - 17.5 - 1.1 * 17.5)) < 0.01, qPrintable(seen));
    QVERIFY2(std::abs(std::remainder(got.heading - 270.0, 360.0)) < 0.1, qPrintable(seen));
}

QTEST_MAIN(TestSimWorld)
#include "tst_simworld.moc"
