// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mainmenu.h"
#include "app/ui/messagebox.h"
#include "app/ui/picturebutton.h"
#include "robot/instructioncode.h"
#include "remote/remotecontrolscreen.h"
#include "transfer/transfer.h"
#include "transfer/transferwindow.h"
#include "robot/trs232c.h"
#include "route/routescreen.h"
#include "support/findwindow.h"
#include "support/pseudoterminal.h"
#include "support/wiretiming.h"
#include "robot/wireplan.h"
#include "robot/wireplayer.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;

// Remote-control driving with the real windows: what reaches the robot's line for each
// picture and key, the pauses between, and leaving the screen.
class TestTransferRemote : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void startThenDrive();
    void driveCodes_data();
    void driveCodes();
    void keysWorkBeforeStart();
    void otherKeysSendNothing();
    void leavingSends254_data();
    void leavingSends254();
    void showsWhetherPortIsOpen();
    void heldKeyThenStop();
    void quittingSendsNothing();
    void quittingFinishesTheBlock_data();
    void quittingFinishesTheBlock();

private:
    DrivePicture *drive(int tag) const;
    QList<int> highlighted() const;
    void clickButton(const QString &name);
    void start();

    PseudoTerminal m_pty;
    MainMenu *m_menu = nullptr;
    RemoteControlScreen *m_remote = nullptr;
    QList<ui::MessageRequest> m_boxes;
};

void TestTransferRemote::initTestCase()
{
    ui::setMessageResponder([this](const ui::MessageRequest &r) {
        m_boxes.append(r);
        return r.buttons.contains(ui::MessageButton::No) ? ui::MessageButton::No : r.buttons.first();
    });
    QVERIFY(m_pty.open());
    m_menu = new MainMenu;
    m_menu->rs232c1().setPortname(m_pty.slavePath());
    QVERIFY(m_menu->rs232c1().Open());
    m_menu->createOtherWindows();
    m_remote = testenv::findWindow<RemoteControlScreen>(u"TForm8"_s);
    QVERIFY(m_remote);
    QCOMPARE(m_remote->objectName(), u"TForm8"_s);
}

void TestTransferRemote::cleanupTestCase()
{
    delete m_menu;
    ui::setMessageResponder({});
}

void TestTransferRemote::init()
{
    m_boxes.clear();
    // Every test comes to the screen anew, as from the menu.
    m_remote->hide();
    m_remote->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_remote));
    m_remote->activateWindow();
    // Whatever a test before sent, with its pause, is over.
    m_pty.collectFor(150);
    m_pty.clear();
}

DrivePicture *TestTransferRemote::drive(int tag) const
{
    return m_remote->findChild<DrivePicture *>(u"Image%1"_s.arg(tag));
}

QList<int> TestTransferRemote::highlighted() const
{
    QList<int> tags;
    for (int tag = 1; tag <= 9; ++tag)
        if (drive(tag)->isHighlighted())
            tags.append(tag);
    return tags;
}

void TestTransferRemote::clickButton(const QString &name)
{
    auto *b = m_remote->findChild<PictureButton *>(name);
    QVERIFY2(b, qPrintable(name));
    QTest::mouseClick(b, Qt::LeftButton);
}

void TestTransferRemote::start()
{
    clickButton(u"rajikon"_s);
    QTRY_VERIFY_WITH_TIMEOUT(drive(1)->isEnabled(), 2000);
}

void TestTransferRemote::startThenDrive()
{
    for (int tag = 1; tag <= 9; ++tag)
        QVERIFY(!drive(tag)->isEnabled());
    const QString firstHint = m_remote->hintText();
    QVERIFY(firstHint.contains(u"スタート"_s));
    const SentRecorder sent(WirePlayer::of(&m_menu->rs232c1()));
    clickButton(u"rajikon"_s);
    QCOMPARE(m_pty.waitForBytes(1, 1000).size(), 1);
    // Too early: the pictures wait for the robot to switch over.
    QVERIFY(!drive(2)->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(drive(2)->isEnabled(), 2000);
    for (int tag = 1; tag <= 9; ++tag)
        QVERIFY(drive(tag)->isEnabled());
    // While driving the hint says what comes next, not the start again.
    QVERIFY(!m_remote->hintText().contains(u"スタート"_s));
    QVERIFY(m_remote->hintText().contains(u"キー"_s));

    // Two pictures and a key as fast as the test can: the first goes out, the second is
    // still waiting when stop replaces it; the robot follows the last wish.
    QTest::mouseClick(drive(2), Qt::LeftButton);
    QTest::mouseClick(drive(6), Qt::LeftButton);
    QTest::keyClick(m_remote, Qt::Key_5);
    const QList<ReceivedByte> got = m_pty.waitForBytes(3, 2000);
    QCOMPARE(PseudoTerminal::valuesOf(got), QByteArray("\x05\x45\x40"));
    QCOMPARE(m_pty.collectFor(200).size(), 3);
    QCOMPARE(sent.values, QByteArray("\x05\x45\x40"));
    QVERIFY(sent.apart(0, 1, 500));
    QVERIFY(sent.apart(1, 2, 100));
    QCOMPARE(highlighted(), QList<int>{5});
    QCOMPARE(m_boxes.size(), 0);
}

void TestTransferRemote::driveCodes_data()
{
    QTest::addColumn<int>("tag");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("code");
    QTest::newRow("Image1 前進左折, key 7") << 1 << int(Qt::Key_7) << 65;
    QTest::newRow("Image2 前進, key 8") << 2 << int(Qt::Key_8) << 69;
    QTest::newRow("Image3 前進右折, key 9") << 3 << int(Qt::Key_9) << 68;
    QTest::newRow("Image4 左回転, key 4") << 4 << int(Qt::Key_4) << 73;
    QTest::newRow("Image5 停止, key 5") << 5 << int(Qt::Key_5) << 64;
    QTest::newRow("Image6 右回転, key 6") << 6 << int(Qt::Key_6) << 70;
    QTest::newRow("Image7 後進左折, key 1") << 7 << int(Qt::Key_1) << 66;
    QTest::newRow("Image8 後進, key 2") << 8 << int(Qt::Key_2) << 74;
    QTest::newRow("Image9 後進右折, key 3") << 9 << int(Qt::Key_3) << 72;
}

void TestTransferRemote::driveCodes()
{
    QFETCH(int, tag);
    QFETCH(int, key);
    QFETCH(int, code);
    start();
    m_pty.collectFor(550);
    m_pty.clear();

    QTest::mouseClick(drive(tag), Qt::LeftButton);
    QCOMPARE(PseudoTerminal::valuesOf(m_pty.waitForBytes(1, 1000)), QByteArray(1, char(code)));
    QCOMPARE(highlighted(), QList<int>{tag});
    QCOMPARE(drive(tag)->toolTip().isEmpty(), false);

    QTest::keyClick(m_remote, Qt::Key(key));
    QCOMPARE(PseudoTerminal::valuesOf(m_pty.waitForBytes(2, 1000)), QByteArray(2, char(code)));
    QCOMPARE(highlighted(), QList<int>{tag});
}

void TestTransferRemote::keysWorkBeforeStart()
{
    QVERIFY(!drive(2)->isEnabled());
    const QList<int> before = highlighted();
    QTest::mouseClick(drive(2), Qt::LeftButton);
    QCOMPARE(m_pty.collectFor(200).size(), 0);
    QCOMPARE(highlighted(), before);

    QTest::keyClick(m_remote, Qt::Key_8);
    QCOMPARE(PseudoTerminal::valuesOf(m_pty.waitForBytes(1, 1000)), QByteArray(1, char(69)));
    QCOMPARE(highlighted(), QList<int>{2});
}

void TestTransferRemote::otherKeysSendNothing()
{
    QTest::keyClick(m_remote, Qt::Key_4);
    QCOMPARE(m_pty.waitForBytes(1, 1000).size(), 1);
    QCOMPARE(highlighted(), QList<int>{4});
    for (Qt::Key key : {Qt::Key_0, Qt::Key_A, Qt::Key_Space, Qt::Key_Minus}) {
        QTest::keyClick(m_remote, key);
        QCOMPARE(highlighted(), QList<int>{});
    }
    QCOMPARE(m_pty.collectFor(200).size(), 1);
}

void TestTransferRemote::leavingSends254_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("shown");
    QTest::newRow("back to the menu") << u"shutdown"_s << u"TForm13"_s;
    QTest::newRow("back to the route screen") << u"B_step"_s << u"TForm10"_s;
}

void TestTransferRemote::leavingSends254()
{
    QFETCH(QString, button);
    QFETCH(QString, shown);
    const SentRecorder sent(WirePlayer::of(&m_menu->rs232c1()));
    start();
    QTest::mouseClick(drive(2), Qt::LeftButton);
    clickButton(button);
    const QList<ReceivedByte> got = m_pty.waitForBytes(3, 2000);
    QCOMPARE(PseudoTerminal::valuesOf(got), QByteArray("\x05\x45\xFE"));
    // The robot gets its 100 ms for the last code before being told to stop listening.
    QTRY_COMPARE(sent.values, QByteArray("\x05\x45\xFE"));
    QVERIFY(sent.apart(1, 2, 100));
    QTRY_VERIFY(!m_remote->isVisible());
    QWidget *target = shown == u"TForm13"_s ? static_cast<QWidget *>(m_menu)
                                             : testenv::findWindow(u"TForm10"_s);
    QVERIFY(target->isVisible());
    target->hide();
}

void TestTransferRemote::showsWhetherPortIsOpen()
{
    auto *label = m_remote->findChild<QLabel *>(u"portState"_s);
    QVERIFY(label);
    QCOMPARE(m_remote->portState(), RemoteControlScreen::PortState::Open);
    const QString openText = label->text();

    // While a transfer plays, driving is refused and the screen says why.
    const RobotLink link{&m_menu->rs232c1(), testenv::findWindow<TransferWindow>(u"TForm3"_s)};
    QVERIFY(link.display);
    QVERIFY(sendProgram(link, ScreenKind::Text, u"motor(fwd,fwd)\r\nwait(10)"_s, true, nullptr));
    m_pty.waitForBytes(2, 1000);
    QTest::keyClick(m_remote, Qt::Key_5);
    QCOMPARE(m_remote->portState(), RemoteControlScreen::PortState::Busy);
    link.display->transferWidget()->close();
    QTRY_COMPARE(m_remote->portState(), RemoteControlScreen::PortState::Open);
    QVERIFY(!m_pty.receivedBytes().contains(char(64)));

    m_pty.clear();
    QVERIFY(m_menu->rs232c1().Close());
    QTRY_COMPARE(m_remote->portState(), RemoteControlScreen::PortState::Closed);
    QVERIFY(label->text() != openText);
    QTest::keyClick(m_remote, Qt::Key_5);
    QCOMPARE(m_boxes.size(), 0); // told on the screen, not by a box at every click

    QVERIFY(m_menu->rs232c1().Open());
    QTRY_COMPARE(m_remote->portState(), RemoteControlScreen::PortState::Open);
    QCOMPARE(label->text(), openText);
    QTest::keyClick(m_remote, Qt::Key_5);
    QCOMPARE(PseudoTerminal::valuesOf(m_pty.waitForBytes(1, 1000)), QByteArray(1, char(64)));
}

void TestTransferRemote::heldKeyThenStop()
{
    start();
    m_pty.collectFor(550);
    m_pty.clear();
    WirePlayer *player = WirePlayer::of(&m_menu->rs232c1());
    QSignalSpy sent(player, &WirePlayer::driveSent);

    // Key 8 held for 2 s: the first press, then the keyboard's auto-repeat.
    QElapsedTimer held;
    held.start();
    for (bool first = true; held.elapsed() < 2000; first = false) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_8, Qt::NoModifier, u"8"_s, !first);
        QCoreApplication::sendEvent(m_remote, &press);
        QTest::qWait(30);
    }
    const qint64 holding = held.elapsed();
    const qsizetype onTheirWay = sent.size();
    QTest::keyClick(m_remote, Qt::Key_5);
    QVERIFY(QTest::qWaitFor([player] { return player->isIdle(); }, 2000));

    const QByteArray wire = PseudoTerminal::valuesOf(m_pty.collectFor(300));
    // Stop is the very next byte after the ones already out, and nothing of the held key follows.
    QCOMPARE(wire, QByteArray(onTheirWay, char(69)) + QByteArray(1, char(64)));
    // No backlog: at most one code per pause of holding.
    QVERIFY2(onTheirWay <= holding / DRIVE_PAUSE_MS + 1,
             qPrintable(u"%1 codes in %2 ms"_s.arg(onTheirWay).arg(holding)));
    QCOMPARE(highlighted(), QList<int>{5});
}

void TestTransferRemote::quittingSendsNothing()
{
    start();
    m_pty.collectFor(550);
    m_pty.clear();
    clickButton(u"shutdown1"_s);
    QTRY_VERIFY(!m_remote->isVisible());
    QVERIFY(!m_menu->isVisible());
    QCOMPARE(m_pty.collectFor(300).size(), 0);
}

// Quitting while a program is on its way: the block on the wire is finished, with the transfer
// window showing it, before the application ends.
void TestTransferRemote::quittingFinishesTheBlock_data()
{
    QTest::addColumn<bool>("windowClosedFirst");
    QTest::newRow("while the window shows") << false;
    QTest::newRow("after the pupil closed the window") << true;
}

void TestTransferRemote::quittingFinishesTheBlock()
{
    QFETCH(bool, windowClosedFirst);
    m_remote->hide();
    m_menu->show();
    auto *window = testenv::findWindow<TransferWindow>(u"TForm3"_s);
    const RobotLink link{&m_menu->rs232c1(), window};
    m_pty.clear();
    QVERIFY(sendProgram(link, ScreenKind::Text, u"motor(fwd,fwd)\r\nwait(10)"_s, true, nullptr));
    m_pty.waitForBytes(5, 2000);
    // Quitting shows the window again for the rest.
    if (windowClosedFirst)
        window->close();
    bool shownWhileQuitting = false;
    QTimer::singleShot(300, this, [&] { shownWhileQuitting = window->isVisible(); });
    // The end goes on on the event loop until the block is out.
    m_menu->close();
    QVERIFY(QTest::qWaitFor([this] { return !m_menu->rs232c1().lineClaimed(); }, 5000));
    QVERIFY(shownWhileQuitting);
    const QByteArray wire = PseudoTerminal::valuesOf(m_pty.waitForBytes(41, 1000));
    QCOMPARE(m_pty.collectFor(200).size(), 41);
    QVERIFY(holdsWholeBlocks(wire));
}

QTEST_MAIN(TestTransferRemote)
#include "tst_transfer_remote.moc"
