// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/messagebox.h"
#include "robot/instructioncode.h"
#include "robot/trs232c.h"
#include "route/routefile.h"
#include "sim/floorview.h"
#include "sim/robotwindow.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>

#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

// The robot's window: its comN link, what it shows of what arrives, its switch buttons.
class TestRobotWindow : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void linkOnlyWhereAllowed_data();
    void linkOnlyWhereAllowed();
    void showsWhatArrives();
    void quickSwitchClickIsSeen();
    void pushedAgainstTheWallStartsIt();
    void routeLaidOnTheFloor();
    void ownColoursOnADarkDesktop();
    void robotStaysInViewWithoutWalls();

private:
    QTemporaryDir m_dir;
    QList<ui::MessageRequest> m_boxes;
    ui::MessageButton m_answer = ui::MessageButton::No;
};

void TestRobotWindow::init()
{
    m_boxes.clear();
    ui::setMessageResponder([this](const ui::MessageRequest &r) {
        m_boxes.append(r);
        return m_answer;
    });
}

void TestRobotWindow::cleanup()
{
    ui::setMessageResponder({});
    QFile::remove(m_dir.filePath(u"com3"_s));
}

void TestRobotWindow::linkOnlyWhereAllowed_data()
{
    QTest::addColumn<bool>("foreign");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("linked");
    QTest::newRow("free name") << false << int(ui::MessageButton::No) << true;
    QTest::newRow("foreign file kept when the user says no") << true << int(ui::MessageButton::No) << false;
    QTest::newRow("foreign file replaced when the user says yes") << true << int(ui::MessageButton::Yes) << true;
}

void TestRobotWindow::linkOnlyWhereAllowed()
{
    QFETCH(bool, foreign);
    QFETCH(int, answer);
    QFETCH(bool, linked);
    m_answer = ui::MessageButton(answer);
    const QString path = m_dir.filePath(u"com3"_s);
    if (foreign) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("someone else's");
    }
    {
        RobotWindow window(3, m_dir.path());
        QCOMPARE(m_boxes.size(), foreign ? 1 : 0);
        QCOMPARE(QFileInfo(path).isSymLink(), linked);
        QCOMPARE(window.linkPath().isEmpty(), !linked);
        auto *connection = window.findChild<QLabel *>(u"connection"_s);
        QVERIFY(connection);
        if (linked)
            QCOMPARE(connection->text(), u"つながるのを待っています"_s);
    }
    // Gone with the window, unless it was never ours.
    QCOMPARE(QFileInfo(path).exists() || QFileInfo(path).isSymLink(), foreign && !linked);
}

void TestRobotWindow::showsWhatArrives()
{
    RobotWindow window(3, m_dir.path());
    Trs232c port;
    port.setPortname(m_dir.filePath(u"com3"_s));
    QVERIFY2(port.Open(), qPrintable(port.lastError()));
    // One block: loop(2) motor(fwd,fwd) wait(1) endloop, then fill.
    QByteArray block("\x01\x88\x02\x45\x01\x89\xfe");
    block += QByteArray(41 - block.size(), char(254));
    QVERIFY(port.Write(block));
    auto *state = window.findChild<QLabel *>(u"state"_s);
    auto *program = window.findChild<QListWidget *>(u"program"_s);
    QVERIFY(QTest::qWaitFor([&] { return state->text() == u"プログラムあり"_s; }, 5000));
    QStringList lines;
    for (int i = 0; i < program->count(); ++i)
        lines << program->item(i)->text();
    QCOMPARE(lines, (QStringList{u"loop(2)"_s, u"  motor(fwd,fwd)"_s, u"  wait(1)"_s, u"endloop"_s, u"// おわり"_s}));
    QCOMPARE(window.findChild<QLabel *>(u"connection"_s)->text(), u"つながりました（COM3）"_s);

    QVERIFY(port.WriteByte(4));
    QVERIFY(QTest::qWaitFor([&] { return state->text() == u"実行中"_s; }, 3000));
    QVERIFY(QTest::qWaitFor([&] { return state->text() == u"プログラムあり"_s; }, 3000));
    QVERIFY(std::abs(window.robot().pose().y - window.startPose().y - 3.5) < 1e-9);
    QVERIFY(window.floor()->trail().size() > 2);
    auto *details = window.findChild<QLabel *>(u"details"_s);
    QVERIFY(details->text().contains(u"おわりまで動きました"_s));
    // A new program on its way: the old run's ending is no longer shown.
    QVERIFY(port.Write(block));
    QVERIFY(QTest::qWaitFor([&] { return !details->text().contains(u"おわりまで"_s); }, 3000));
    port.Close();
}

void TestRobotWindow::quickSwitchClickIsSeen()
{
    RobotWindow window(0, m_dir.path());
    // The header's wait for the front switch, stored straight into the robot.
    for (int b : {1, 193, 64, 1, 201, 69, 10})
        window.robot().receive(quint8(b));
    for (int i = 7; i <= 40; ++i)
        window.robot().receive(254);
    window.robot().receive(4);
    window.setSpeedFactor(16);
    auto *sw1 = window.findChild<QPushButton *>(u"sw1"_s);
    QVERIFY(sw1);
    // A click shorter than the robot's tenth of a second between checks still starts it.
    QTest::mouseClick(sw1, Qt::LeftButton);
    QVERIFY(QTest::qWaitFor([&] { return !window.robot().busy(); }, 3000));
    QVERIFY(std::abs(window.robot().pose().y - window.startPose().y - 17.5) < 1e-9);
}

namespace {

void mouse(QWidget *w, QEvent::Type type, QPointF at, Qt::MouseButton button)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent e(type, at, w->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

}

// The start header waits for the front switch; a pupil drags the robot up against the top wall,
// which presses it, and the program backs the robot off from there. A click puts a cone down.
void TestRobotWindow::pushedAgainstTheWallStartsIt()
{
    RobotWindow window(0, m_dir.path());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // It opens within the screen, however small.
    QVERIFY(window.screen()->availableGeometry().contains(window.frameGeometry()));
    FloorView *floor = window.floor();
    // Header, then motor(rev,rev) wait(10).
    for (int b : {1, 193, 64, 1, 201, 74, 10})
        window.robot().receive(quint8(b));
    for (int i = 7; i <= 40; ++i)
        window.robot().receive(254);
    window.robot().receive(4);
    window.setSpeedFactor(16);

    floor->update();
    mouse(floor, QEvent::MouseButtonPress, floor->toScreen(30, 100), Qt::LeftButton);
    QCOMPARE(window.world().cones, (QList<QPointF>{floor->toFloor(floor->toScreen(30, 100))}));

    const sim::Pose start = window.robot().pose();
    mouse(floor, QEvent::MouseButtonPress, floor->toScreen(start.x, start.y), Qt::LeftButton);
    mouse(floor, QEvent::MouseMove, floor->toScreen(start.x, 200), Qt::LeftButton);
    const double atWall = sim::FLOOR_SIDE_CM - sim::bodyHalfLength();
    QVERIFY2(std::abs(window.robot().pose().y - atWall) < 1e-6, qPrintable(QString::number(window.robot().pose().y)));
    QVERIFY(window.robot().inputs().sw1);
    QCOMPARE(window.findChild<QLabel *>(u"switches"_s)->text(), u"前スイッチ: ON    うしろスイッチ: OFF"_s);
    mouse(floor, QEvent::MouseButtonRelease, floor->toScreen(start.x, 200), Qt::LeftButton);
    QVERIFY(QTest::qWaitFor([&] { return !window.robot().busy(); }, 3000));
    QCOMPARE(window.robot().lastEnd(), u"おわりまで動きました"_s);
    QVERIFY(std::abs(window.robot().pose().y - (atWall - 17.5)) < 1e-6);
}

void TestRobotWindow::routeLaidOnTheFloor()
{
    RouteModel route;
    route.startRoute(100, 400);
    QCOMPARE(route.addPoint(100, 300, 0, 0, routeLineLimit(true)), AddPointResult::Added);
    const QString path = m_dir.filePath(u"route.rk5"_s);
    QVERIFY(writeRouteFile(path, route));
    const QString notARoute = m_dir.filePath(u"text.rk5"_s);
    QFile text(notARoute);
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("KB\r\nmotor(fwd,fwd)\r\n");
    text.close();

    RobotWindow window(0, m_dir.path());
    QVERIFY(!window.layRoute(notARoute));
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(window.startPose().y, sim::DEFAULT_START.y);
    QVERIFY(window.layRoute(path));
    // Grid (100, 400) is 35 cm from the left and 35 cm above the lower wall.
    QCOMPARE(window.startPose().x, 35.0);
    QCOMPARE(window.startPose().y, 35.0);
    QCOMPARE(window.robot().pose().x, 35.0);
    QCOMPARE(window.robot().pose().heading, 90.0);
}

// With the walls off a robot that drives off the floor stays in sight; back between the walls
// the view is the floor again.
void TestRobotWindow::robotStaysInViewWithoutWalls()
{
    RobotWindow window(0, m_dir.path());
    window.findChild<QPushButton *>(u"walls"_s)->click();
    QVERIFY(!window.world().walls);
    // Remote control: forward, and let it run for 20 s of robot time.
    window.robot().receive(CMD_REMOTE);
    window.robot().receive(69);
    window.robot().advanceTo(window.robot().now() + 20000);
    window.tick();
    const sim::Pose far = window.robot().pose();
    QVERIFY(far.y > sim::FLOOR_SIDE_CM + 100);
    const QRectF view = window.floor()->viewCm();
    QVERIFY(view.contains(QRectF(far.x - 9, far.y - 9, 18, 18)));
    QVERIFY(view.contains(QRectF(0, 0, sim::FLOOR_SIDE_CM, sim::FLOOR_SIDE_CM)));
    // Walls back on: the robot outside them goes back to its start.
    window.findChild<QPushButton *>(u"walls"_s)->click();
    QCOMPARE(window.robot().pose().y, window.startPose().y);
    QCOMPARE(window.floor()->viewCm(), QRectF(0, 0, sim::FLOOR_SIDE_CM, sim::FLOOR_SIDE_CM));
}

// A dark desktop palette leaves the window's texts dark on its light background.
void TestRobotWindow::ownColoursOnADarkDesktop()
{
    const QPalette before = QApplication::palette();
    QPalette dark;
    for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
        dark.setColor(role, QColor(30, 30, 30));
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        dark.setColor(role, QColor(235, 235, 235));
    QApplication::setPalette(dark);
    {
        RobotWindow window(0, m_dir.path());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        for (const char *name : {"connection", "pose", "hint"}) {
            auto *label = window.findChild<QLabel *>(QString::fromLatin1(name));
            QVERIFY(label);
            // As it shows in the window, over the panel's background.
            const QImage image = window.grab(QRect(label->mapTo(&window, QPoint()), label->size())).toImage();
            int darkest = 255;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    darkest = std::min(darkest, qGray(image.pixel(x, y)));
            QVERIFY2(darkest < 110, name);
            QVERIFY2(qGray(image.pixel(image.width() - 1, 0)) > 200, name);
        }
    }
    QApplication::setPalette(before);
}

QTEST_MAIN(TestRobotWindow)
#include "tst_robotwindow.moc"
