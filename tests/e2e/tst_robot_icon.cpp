#include "support/icondrop.h"
#include "app/settings/settingsfile.h"
#include "app/settings/workfolder.h"
#include "app/ui/messagebox.h"
#include "icon/iconpalette.h"
#include "icon/iconscreen.h"
#include "icon/keypadpage.h"
#include "icon/slotcolumn.h"
#include "robot/transferwindow.h"
#include "robot/trs232c.h"
#include "sim/ptyline.h"
#include "sim/replay.h"
#include "sim/virtualrobot.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QSlider>

#include <QDropEvent>
#include <QElapsedTimer>
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
    // Runs the robot's clock with the real one until the condition holds or the time is over.
    bool runUntil(const std::function<bool()> &done, int timeoutMs);

    std::unique_ptr<sim::PtyLine> m_line;
    std::unique_ptr<sim::VirtualRobot> m_robot;
    std::unique_ptr<Trs232c> m_port;
    std::unique_ptr<TransferWindow> m_transfer;
    std::unique_ptr<IconScreen> m_screen;
    QElapsedTimer m_clock;
    QString m_link;
};

void TestRobotIcon::init()
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
    m_screen = std::make_unique<IconScreen>(RobotLink{m_port.get(), m_transfer.get()});
    m_screen->setStepMode(2);
}

void TestRobotIcon::cleanup()
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

void TestRobotIcon::drop(int slot, const QString &icon)
{
    QVERIFY2(testenv::dropIcon(m_screen.get(), slot, icon), qPrintable(icon));
}

void TestRobotIcon::click(const QString &objectName)
{
    auto *w = m_screen->findChild<QWidget *>(objectName);
    QVERIFY2(w, qPrintable(objectName));
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
}

bool TestRobotIcon::runUntil(const std::function<bool()> &done, int timeoutMs)
{
    return QTest::qWaitFor([&] {
        m_robot->advanceTo(m_clock.elapsed());
        return done();
    }, timeoutMs);
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
    QVERIFY(runUntil([this] { return m_robot->state() == sim::RobotState::HasProgram && !m_transfer->isVisible(); },
                     10000));
    QCOMPARE(sim::disassembledText(m_robot->program()),
             QString(how ? u""_s : u"while(sw1=off)\n  motor(stop,stop)\n  wait(1)\nendwhile\n"_s)
                 + u"loop(3)\n  motor(fwd,fwd)\n  wait(15)\n  motor(fwd,rev)\n  wait(5)\nendloop\n"_s);

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
    // Six seconds of driving; the robot's clock runs ahead of the real one to finish sooner.
    m_robot->advanceTo(m_robot->now() + 10000);
    QVERIFY(!m_robot->busy());
    QCOMPARE(m_robot->lastEnd(), u"おわりまで動きました"_s);
    QCOMPARE(sim::poseLine(m_robot->pose()), u"pose 26.25 0.00 180.0"_s);
}

QTEST_MAIN(TestRobotIcon)
#include "tst_robot_icon.moc"
