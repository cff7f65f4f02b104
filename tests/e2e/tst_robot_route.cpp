#include "app/settings/settingsfile.h"
#include "app/settings/workfolder.h"
#include "app/ui/messagebox.h"
#include "app/ui/picturebutton.h"
#include "robot/transferwindow.h"
#include "robot/trs232c.h"
#include "route/routefloorview.h"
#include "route/routescreen.h"
#include "sim/motion.h"
#include "sim/ptyline.h"
#include "sim/replay.h"
#include "sim/virtualrobot.h"

#include <QtWidgets/QApplication>

#include <QElapsedTimer>
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
    bool runUntil(const std::function<bool()> &done, int timeoutMs);

    std::unique_ptr<sim::PtyLine> m_line;
    std::unique_ptr<sim::VirtualRobot> m_robot;
    std::unique_ptr<Trs232c> m_port;
    std::unique_ptr<TransferWindow> m_transfer;
    std::unique_ptr<RouteScreen> m_screen;
    QElapsedTimer m_clock;
    QString m_link;
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
    connect(m_line.get(), &sim::PtyLine::bytesArrived, this, [this](const QByteArray &bytes) {
        m_robot->advanceTo(m_clock.elapsed());
        for (char b : bytes)
            m_robot->receive(quint8(b));
    });
    m_port = std::make_unique<Trs232c>();
    m_port->setPortname(u"COM1"_s);
    QVERIFY2(m_port->Open(), qPrintable(m_port->lastError()));
    m_transfer = std::make_unique<TransferWindow>();
    m_screen = std::make_unique<RouteScreen>(RobotLink{m_port.get(), m_transfer.get()});
}

void TestRobotRoute::cleanup()
{
    m_screen.reset();
    m_transfer.reset();
    m_port.reset();
    if (m_line)
        sim::removeComLinkIfOurs(m_link, m_line->devicePath());
    m_line.reset();
    m_robot.reset();
    ui::setMessageResponder({});
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
    auto *b = m_screen->findChild<PictureButton *>(objectName);
    QVERIFY2(b, qPrintable(objectName));
    QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
}

bool TestRobotRoute::runUntil(const std::function<bool()> &done, int timeoutMs)
{
    return QTest::qWaitFor([&] {
        m_robot->advanceTo(m_clock.elapsed());
        return done();
    }, timeoutMs);
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
    QVERIFY(runUntil([this] { return m_robot->state() == sim::RobotState::HasProgram && !m_transfer->isVisible(); },
                     10000));
    const QString header = how ? u""_s : u"while(sw1=off)\n  motor(stop,stop)\n  wait(1)\nendwhile\n"_s;
    QCOMPARE(sim::disassembledText(m_robot->program()), header + text.join(u'\n') + u'\n');

    click(u"play"_s);
    QVERIFY(runUntil([this] { return m_robot->busy(); }, 3000));
    if (!how) {
        // Stands still until the front switch.
        const qint64 until = m_clock.elapsed() + 1000;
        QVERIFY(!runUntil([&] { return m_clock.elapsed() > until && !m_robot->busy(); }, 1500));
        QCOMPARE(sim::poseLine(m_robot->pose()), u"pose 0.00 0.00 90.0"_s);
        m_robot->setSwitch(1, true);
        runUntil([] { return false; }, 300);
        m_robot->setSwitch(1, false);
    }
    // The robot's clock runs ahead of the real one, past the route's whole driving time.
    m_robot->advanceTo(m_robot->now() + expected.waitUnits * 100 + 2000);
    QVERIFY(!m_robot->busy());
    QCOMPARE(m_robot->lastEnd(), u"おわりまで動きました"_s);
    const sim::Pose got = m_robot->pose();
    const QString seen = sim::poseLine(got) + u" expected "_s + sim::poseLine(expected.pose);
    QVERIFY2(std::abs(got.x - expected.pose.x) < 0.1 && std::abs(got.y - expected.pose.y) < 0.1, qPrintable(seen));
    QVERIFY2(std::abs(std::remainder(got.heading - expected.pose.heading, 360.0)) < 0.1, qPrintable(seen));
}

QTEST_MAIN(TestRobotRoute)
#include "tst_robot_route.moc"
