// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mainmenu.h"
#include "app/settings/reopenport.h"
#include "app/settings/settingsfile.h"
#include "common/workfolder.h"
#include "app/ui/messagebox.h"
#include "app/ui/picturebutton.h"
#include "robot/portmessages.h"
#include "transfer/transfer.h"
#include "robot/trs232c.h"
#include "robot/wireplan.h"
#include "support/findwindow.h"
#include "support/mainmenustart.h"
#include "support/pseudoterminal.h"
#include "support/wiretiming.h"

#include <QtWidgets/QApplication>

#include <QFile>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

// The robot's cable pulled in the middle of sending: the sending stops, the pupil is told,
// the program goes on, and once the cable is back and the port re-opened the robot gets
// whole blocks again. For a transfer, remote-control driving and the operation test.
class TestUnplug : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void transferStopsAndTheNextArrivesWhole();
    void remoteDrivingTellsAndRecovers();
    void operationTestTellsAndRecovers();
    void replugBetweenTwoSendsNeedsNoClick();
    void sendAfterUnplugSaysThePortIsMissing();

private:
    void unplug();
    void plugBackIn();
    int unreachableBoxes() const;
    void click(QWidget *window, const QString &name);

    std::unique_ptr<PseudoTerminal> m_pty;
    MainMenu *m_menu = nullptr;
    QList<ui::MessageRequest> m_boxes;
};

void TestUnplug::initTestCase()
{
    ui::setMessageResponder([this](const ui::MessageRequest &r) {
        m_boxes << r;
        return r.buttons.contains(ui::MessageButton::No) ? ui::MessageButton::No : r.buttons.value(0);
    });
    QFile::remove(WorkFolderPath() + u"set.ini"_s);
    m_pty = std::make_unique<PseudoTerminal>();
    QVERIFY(m_pty->open());
    QVERIFY(!m_pty->linkAsCom(1).isEmpty());
    m_menu = new MainMenu;
    QVERIFY(testenv::startMainMenu(m_menu));
    QVERIFY(m_menu->rs232c1().isOpen());
}

void TestUnplug::cleanupTestCase()
{
    delete m_menu;
    ui::setMessageResponder({});
}

void TestUnplug::init()
{
    m_boxes.clear();
}

void TestUnplug::unplug()
{
    m_pty->close();
}

void TestUnplug::plugBackIn()
{
    m_pty = std::make_unique<PseudoTerminal>();
    QVERIFY(m_pty->open());
    QVERIFY(!m_pty->linkAsCom(1).isEmpty());
    int opened = -1;
    QVERIFY(ReopenPort(m_menu->rs232c1(), this, [&opened](bool ok) { opened = ok ? 1 : 0; }));
    QVERIFY(QTest::qWaitFor([&opened] { return opened >= 0; }, 15000));
    QCOMPARE(opened, 1);
    QVERIFY(m_menu->rs232c1().isOpen());
    m_pty->waitForBytes(1, 2000);
    m_pty->clear();
    m_boxes.clear();
}

// Any of the port's boxes, whatever cause it names.
int TestUnplug::unreachableBoxes() const
{
    return int(std::count_if(m_boxes.cbegin(), m_boxes.cend(), [](const ui::MessageRequest &r) {
        for (const PortMessage &m : portMessageTable()) {
            const QString box = QString::fromUtf16(m.box);
            if (!box.isEmpty() && r.text.startsWith(box.left(box.indexOf(u'{'))))
                return true;
        }
        return false;
    }));
}

void TestUnplug::click(QWidget *window, const QString &name)
{
    auto *button = window->findChild<PictureButton *>(name);
    QVERIFY2(button && button->isEnabled(), qPrintable(name));
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}

void TestUnplug::transferStopsAndTheNextArrivesWhole()
{
    auto *transfer = testenv::findWindow(u"TForm3"_s);
    QVERIFY(transfer);
    const RobotLink link{&m_menu->rs232c1(), dynamic_cast<TransferDisplay *>(transfer)};
    QVERIFY(link.display);
    const QString program = u"motor(fwd,fwd)\r\nwait(10)\r\nmotor(stop,stop)\r\nwait(5)"_s;
    QVERIFY(sendProgram(link, ScreenKind::Text, program, true, nullptr));
    m_pty->waitForBytes(6, 3000);
    unplug();
    // Bounded by the write time-out; the limit here only keeps a hang from stalling the run.
    QTRY_VERIFY_WITH_TIMEOUT(!transfer->isVisible(), 15000);
    QTRY_COMPARE_WITH_TIMEOUT(unreachableBoxes(), 1, 5000);
    QVERIFY(!m_menu->rs232c1().lineClaimed());

    plugBackIn();
    QVERIFY(sendProgram(link, ScreenKind::Text, program, true, nullptr));
    QTRY_VERIFY_WITH_TIMEOUT(!transfer->isVisible(), 15000);
    QTest::qWait(100);
    const QByteArray wire = m_pty->receivedBytes();
    QCOMPARE(wire.size(), 41);
    QVERIFY(holdsWholeBlocks(wire));
    QCOMPARE(unreachableBoxes(), 0);
}

void TestUnplug::remoteDrivingTellsAndRecovers()
{
    click(m_menu, u"menu_raji"_s);
    auto *remote = testenv::findWindow(u"TForm8"_s);
    QVERIFY(remote);
    QTRY_VERIFY(remote->isVisible());
    click(remote, u"rajikon"_s);
    QVERIFY(m_pty->waitForBytes(1, 2000).size() >= 1);
    QTest::qWait(600);
    unplug();
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(remote, Qt::Key_8);
        QTest::qWait(150);
    }
    QTRY_COMPARE_WITH_TIMEOUT(unreachableBoxes(), 1, 15000);

    plugBackIn();
    click(remote, u"rajikon"_s);
    QTest::qWait(600);
    QTest::keyClick(remote, Qt::Key_8);
    QTest::qWait(200);
    QTest::keyClick(remote, Qt::Key_5);
    QTest::qWait(200);
    const QByteArray wire = m_pty->receivedBytes();
    QCOMPARE(wire, QByteArray("\x05\x45\x40"));
    QCOMPARE(unreachableBoxes(), 0);
    click(remote, u"shutdown"_s);
    QTRY_VERIFY(m_menu->isVisible());
}

void TestUnplug::operationTestTellsAndRecovers()
{
    click(m_menu, u"menu_setup"_s);
    auto *settings = testenv::findWindow(u"TForm7"_s);
    QVERIFY(settings);
    QTRY_VERIFY(settings->isVisible());
    unplug();
    click(settings, u"dosatest"_s);
    QTRY_COMPARE_WITH_TIMEOUT(unreachableBoxes(), 1, 15000);
    auto *ok = settings->findChild<PictureButton *>(u"ok"_s);
    QVERIFY(ok && ok->isEnabled());

    plugBackIn();
    click(settings, u"dosatest"_s);
    QTRY_COMPARE_WITH_TIMEOUT(int(m_pty->receivedBytes().size()), 3, 3000);
    QCOMPARE(quint8(m_pty->receivedBytes().at(0)), quint8(6));
    QCOMPARE(unreachableBoxes(), 0);
    // The test goes on on the event loop until its last pause is over.
    auto *cancel = settings->findChild<PictureButton *>(u"cancel"_s);
    QTRY_VERIFY_WITH_TIMEOUT(cancel && cancel->isEnabled(), 3000);
    click(settings, u"cancel"_s);
}

// A new pseudo-terminal behind com1 (the virtual robot restarted, an adapter plugged in
// again): the next send reaches it, without the settings' port button.
void TestUnplug::replugBetweenTwoSendsNeedsNoClick()
{
    auto *transfer = testenv::findWindow(u"TForm3"_s);
    const RobotLink link{&m_menu->rs232c1(), dynamic_cast<TransferDisplay *>(transfer)};
    QVERIFY(link.display);
    const QString program = u"motor(fwd,fwd)\r\nwait(10)"_s;
    m_pty->clear();
    QVERIFY(sendProgram(link, ScreenKind::Text, program, true, nullptr));
    QTRY_VERIFY_WITH_TIMEOUT(!transfer->isVisible(), 15000);
    QCOMPARE(m_pty->waitForBytes(41, 1000).size(), 41);

    auto replugged = std::make_unique<PseudoTerminal>();
    QVERIFY(replugged->open());
    QVERIFY(!replugged->linkAsCom(1).isEmpty());
    m_pty = std::move(replugged);

    QVERIFY(sendProgram(link, ScreenKind::Text, program, true, nullptr));
    QTRY_VERIFY_WITH_TIMEOUT(!transfer->isVisible(), 15000);
    QCOMPARE(m_pty->waitForBytes(41, 1000).size(), 41);
    QCOMPARE(m_pty->receivedBytes(), wirePlanForText(program, ScreenKind::Text, true).values());
    QCOMPARE(m_menu->rs232c1().devicePath(), m_pty->slavePath());
    QCOMPARE(unreachableBoxes(), 0);
}

void TestUnplug::sendAfterUnplugSaysThePortIsMissing()
{
    auto *transfer = testenv::findWindow(u"TForm3"_s);
    const RobotLink link{&m_menu->rs232c1(), dynamic_cast<TransferDisplay *>(transfer)};
    const QString device = m_pty->slavePath();
    unplug();
    QVERIFY(!sendProgram(link, ScreenKind::Text, u"motor(fwd,fwd)\r\nwait(10)"_s, true, nullptr));
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes[0].text, portBoxText({PortCause::NotFound, device, 0, {}, {}}));
    QVERIFY(!playProgram(link, ScreenKind::Text, nullptr));
    QCOMPARE(m_boxes.size(), 2); // one box per attempt
    plugBackIn();
}

QTEST_MAIN(TestUnplug)
#include "tst_unplug.moc"
