// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/findwindow.h"
#include "support/robotfixture.h"
#include "app/settings/settingsfile.h"
#include "app/ui/picturebutton.h"
#include "route/routefloorview.h"
#include "route/routescreen.h"
#include "sim/motion.h"
#include "sim/replay.h"
#include "sim/virtualrobot.h"

#include <QtWidgets/QApplication>

#include <QRegularExpression>
#include <QtTest>

#include <cmath>
#include <memory>
#include <numbers>

using namespace Qt::StringLiterals;

// The whole chain for a drawn route: clicks on the floor of the route screen, the transfer
// through its serial port and the link COM1, and the virtual robot driving the received bytes.
class TestRobotRoute : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void drawnRouteDrivesRobot_data();
    void drawnRouteDrivesRobot();

private:
    void clickAt(QPoint grid, Qt::MouseButton button);
    void sendMouse(QEvent::Type type, QPoint pixel, Qt::MouseButton button);
    void click(const QString &objectName);

    testenv::RobotFixture m_chain;
    std::unique_ptr<RouteScreen> m_screen;
};

namespace {

struct Expected
{
    sim::Pose pose;
    int waitUnits = 0;
    bool ok = true;
    QString problem;
};

// Where the program text takes the robot, worked out line by line from the calibration: every
// wait unit is a tenth of a second of the wheels the motor line before it set. A route only
// drives straight on or spins on the spot.
Expected expectedFromText(const QStringList &lines)
{
    static const QRegularExpression MOTOR(u"^motor\\((fwd|rev|stop),(fwd|rev|stop)\\)$"_s);
    static const QRegularExpression WAIT(u"^wait\\((\\d+)\\)$"_s);
    auto sense = [](const QString &w) { return w == u"fwd"_s ? 1 : w == u"rev"_s ? -1 : 0; };
    Expected e;
    int left = 0;
    int right = 0;
    for (const QString &line : lines) {
        if (const auto m = MOTOR.match(line); m.hasMatch()) {
            left = sense(m.captured(1));
            right = sense(m.captured(2));
            continue;
        }
        const auto w = WAIT.match(line);
        if (!w.hasMatch()) {
            e.ok = false;
            e.problem = u"unexpected line "_s + line;
            return e;
        }
        const int units = w.captured(1).toInt();
        e.waitUnits += units;
        const double seconds = units / 10.0;
        if (left == right) {
            const double d = left * sim::STRAIGHT_SPEED_CM_PER_S * seconds;
            const double h = e.pose.heading * std::numbers::pi / 180.0;
            e.pose.x += d * std::cos(h);
            e.pose.y += d * std::sin(h);
        } else if (left == -right) {
            // Left wheel forward turns clockwise.
            e.pose.heading -= left * sim::spinDegreesPerSecond() * seconds;
        } else {
            e.ok = false;
            e.problem = u"a route never pivots: "_s + line;
            return e;
        }
    }
    return e;
}

}

void TestRobotRoute::init()
{
    m_chain.setUp();
    if (QTest::currentTestFailed())
        return;
    m_screen = std::make_unique<RouteScreen>(m_chain.link());
}

void TestRobotRoute::cleanup()
{
    m_screen.reset();
    m_chain.tearDown();
}

void TestRobotRoute::sendMouse(QEvent::Type type, QPoint pixel, Qt::MouseButton button)
{
    RouteFloorView *floor = m_screen->floor();
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
    QMouseEvent event(type, QPointF(pixel), QPointF(floor->mapToGlobal(pixel)), button, held, Qt::NoModifier);
    QApplication::sendEvent(floor, &event);
}

void TestRobotRoute::clickAt(QPoint grid, Qt::MouseButton button)
{
    const QPoint pixel = grid * m_screen->zoom();
    sendMouse(QEvent::MouseMove, pixel, Qt::NoButton);
    sendMouse(QEvent::MouseButtonPress, pixel, button);
    sendMouse(QEvent::MouseButtonRelease, pixel, button);
}

void TestRobotRoute::click(const QString &objectName)
{
    testenv::clickChild<PictureButton>(m_screen.get(), objectName);
}

void TestRobotRoute::drawnRouteDrivesRobot_data()
{
    QTest::addColumn<QList<QPoint>>("points"); // grid units, y downwards; the first is the start
    QTest::addColumn<bool>("how");
    QTest::addColumn<int>("motorLines");

    const QList<std::pair<const char *, QList<QPoint>>> routes = {
        {"straight up", {{250, 400}, {250, 300}}},
        {"right turn", {{250, 400}, {250, 300}, {350, 300}}},
        // Bent onto 45 degrees: two wait units of spin, which the robot turns into 36 degrees.
        {"diagonal", {{250, 400}, {300, 350}}},
        {"several segments",
         {{250, 400}, {250, 300}, {350, 300}, {300, 250}, {200, 250}, {200, 350}, {200, 250}}},
    };
    const QList<int> motorLines = {1, 3, 2, 11};
    for (qsizetype i = 0; i < routes.size(); ++i) {
        for (bool how : {true, false}) {
            const QString name = QString::fromLatin1(routes[i].first)
                                 + (how ? u", starts at once"_s : u", waits for the front switch"_s);
            QTest::newRow(qPrintable(name)) << routes[i].second << how << motorLines[i];
        }
    }
}

void TestRobotRoute::drawnRouteDrivesRobot()
{
    QFETCH(QList<QPoint>, points);
    QFETCH(bool, how);
    QFETCH(int, motorLines);
    QVERIFY(SettingsFile().setPlayHow(how).ok);
    m_screen->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_screen.get()));
    QCOMPARE(m_screen->how(), how);

    for (qsizetype i = 0; i < points.size(); ++i)
        clickAt(points[i], i + 1 == points.size() ? Qt::RightButton : Qt::LeftButton);
    QCOMPARE(m_screen->route().lastIndex(), points.size() - 1);
    QCOMPARE(m_screen->routeMode(), RouteScreen::Idle);
    const QStringList text = m_screen->route().programText();
    QCOMPARE(text.filter(u"motor("_s).size(), motorLines);
    const Expected expected = expectedFromText(text);
    QVERIFY2(expected.ok, qPrintable(expected.problem));

    click(u"send"_s);
    QVERIFY(m_chain.programArrived());
    sim::VirtualRobot *robot = m_chain.robot();
    const QString header = how ? u""_s : u"while(sw1=off)\n  motor(stop,stop)\n  wait(1)\nendwhile\n"_s;
    QCOMPARE(sim::disassembledText(robot->program()), header + text.join(u'\n') + u'\n');

    click(u"play"_s);
    m_chain.checkStart(how);
    if (QTest::currentTestFailed())
        return;
    // The robot's clock runs ahead of the real one, past the route's whole driving time.
    robot->advanceTo(robot->now() + expected.waitUnits * 100 + 2000);
    QVERIFY(!robot->busy());
    QCOMPARE(robot->lastEnd(), u"おわりまで動きました"_s);
    const sim::Pose got = robot->pose();
    const QString seen = sim::poseLine(got) + u" expected "_s + sim::poseLine(expected.pose);
    QVERIFY2(std::abs(got.x - expected.pose.x) < 0.1 && std::abs(got.y - expected.pose.y) < 0.1, qPrintable(seen));
    QVERIFY2(std::abs(std::remainder(got.heading - expected.pose.heading, 360.0)) < 0.1, qPrintable(seen));
}

QTEST_MAIN(TestRobotRoute)
#include "tst_robot_route.moc"
