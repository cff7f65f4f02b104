// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/icondrop.h"
#include "app/settings/settingsfile.h"
#include "app/ui/messagebox.h"
#include "icon/iconpalette.h"
#include "icon/iconscreen.h"
#include "icon/slotcolumn.h"
#include "support/findwindow.h"
#include "support/pseudoterminal.h"
#include "support/screenfixture.h"
#include "sim/trialwindow.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QSlider>

#include <QDropEvent>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;

// The icon screen's send and run buttons, with the real transfer window and a pseudo-terminal
// as the robot's line.
class TestIconScreenSend : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void sendsProgram_data();
    void sendsProgram();
    void playSendsRunByte();
    void trialLightsTheRunningSlot();
    void startModeIsOneValue_data();
    void startModeIsOneValue();

private:
    void drop(int slot, const QString &icon);
    void click(const QString &objectName);
    // Forward 1.5 s in slot 2, a 90 degree turn in slot 7.
    void forwardThenTurn();

    testenv::ScreenFixture m_line;
    std::unique_ptr<IconScreen> m_screen;
    QList<ui::MessageRequest> m_boxes;
};

void TestIconScreenSend::init()
{
    m_boxes.clear();
    ui::setMessageResponder([this](const ui::MessageRequest &r) {
        m_boxes.append(r);
        return ui::MessageButton::Ok;
    });
    m_line.setUp();
    if (QTest::currentTestFailed())
        return;
    m_screen = std::make_unique<IconScreen>(m_line.link());
    m_screen->setStepMode(2);
}

void TestIconScreenSend::cleanup()
{
    m_screen.reset();
    m_line.tearDown();
    ui::setMessageResponder({});
}

void TestIconScreenSend::drop(int slot, const QString &icon)
{
    QVERIFY2(testenv::dropIcon(m_screen.get(), slot, icon), qPrintable(icon));
}

void TestIconScreenSend::forwardThenTurn()
{
    drop(2, u"Image2"_s);
    QTest::keyClicks(m_screen->keypadPage()->trackBar(), u"1.5"_s);
    QTest::keyClick(m_screen->keypadPage()->trackBar(), Qt::Key_Return);
    drop(7, u"Image6"_s);
    click(u"Turn_90"_s);
    click(u"Enter"_s);
}

void TestIconScreenSend::click(const QString &objectName)
{
    testenv::clickChild(m_screen.get(), objectName);
}

void TestIconScreenSend::sendsProgram_data()
{
    QTest::addColumn<bool>("how");
    QTest::addColumn<QByteArray>("head");
    QTest::newRow("starts at once") << true << QByteArray("\x01\x45\x0F\x46\x05\x88\x03\x89\xFE");
    QTest::newRow("waits for the front switch")
        << false << QByteArray("\x01\xC1\x40\x01\xC9\x45\x0F\x46\x05\x88\x03\x89\xFE");
}

void TestIconScreenSend::sendsProgram()
{
    QFETCH(bool, how);
    QFETCH(QByteArray, head);
    QVERIFY(SettingsFile().setPlayHow(how).ok);
    m_screen->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_screen.get()));
    // Waiting for the switch hides the last three slots.
    QCOMPARE(m_screen->slotColumn()->slotPicture(56)->isVisible(), how);
    QVERIFY(m_screen->slotColumn()->slotPicture(55)->isVisible());

    forwardThenTurn();
    drop(30, u"Image10"_s);
    m_screen->keypadPage()->trackBar()->setValue(30);
    click(u"Image42"_s);
    drop(31, u"Image11"_s);
    QCOMPARE(m_screen->program().slot(2).value, 15);
    QCOMPARE(m_screen->program().slot(30).value, 3);

    click(u"send"_s);
    const QByteArray wire = head + QByteArray(41 - head.size(), char(254));
    const QList<ReceivedByte> got = m_line.pty()->waitForBytes(41, 8000);
    QCOMPARE(PseudoTerminal::valuesOf(got), wire);
    QVERIFY(m_boxes.isEmpty());
    QVERIFY(QTest::qWaitFor([this] { return !m_line.transfer()->isVisible(); }, 3000));
}

void TestIconScreenSend::playSendsRunByte()
{
    m_screen->show();
    click(u"play"_s);
    QCOMPARE(PseudoTerminal::valuesOf(m_line.pty()->waitForBytes(1, 2000)), QByteArray("\x04"));
    QVERIFY(m_boxes.isEmpty());
}

void TestIconScreenSend::trialLightsTheRunningSlot()
{
    QVERIFY(SettingsFile().setPlayHow(true).ok);
    m_screen->show();
    forwardThenTurn();

    click(u"trial"_s);
    TrialWindow *floor = m_line.trial()->window();
    QVERIFY(floor->isVisible());
    floor->pause();
    QCOMPARE(m_screen->slotColumn()->runningSlot(), 2);
    floor->stepOnce();
    QCOMPARE(m_screen->slotColumn()->runningSlot(), 7);
    floor->stepOnce();
    QCOMPARE(m_screen->slotColumn()->runningSlot(), -1);
    QVERIFY(m_boxes.isEmpty());
    // Nothing went to the robot's line.
    QVERIFY(m_line.pty()->waitForBytes(1, 300).isEmpty());
}

void TestIconScreenSend::startModeIsOneValue_data()
{
    QTest::addColumn<bool>("howWhenShown");
    QTest::addColumn<bool>("howLater");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<bool>("startsAtOnce");
    QTest::newRow("changed behind the screen, shown starting at once") << true << false << false << true;
    QTest::newRow("changed behind the screen, shown waiting") << false << true << false << false;
    QTest::newRow("accepted over the screen: now waiting") << true << false << true << false;
    QTest::newRow("accepted over the screen: now at once") << false << true << true << true;
}

// The hidden slots and the start header come from one value: the one read when the screen
// was shown, or again when the settings were accepted over it, never a newer file alone.
void TestIconScreenSend::startModeIsOneValue()
{
    QFETCH(bool, howWhenShown);
    QFETCH(bool, howLater);
    QFETCH(bool, accepted);
    QFETCH(bool, startsAtOnce);
    QVERIFY(SettingsFile().setPlayHow(howWhenShown).ok);
    m_screen->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_screen.get()));
    drop(0, u"Image2"_s);
    m_screen->keypadPage()->trackBar()->setValue(10);
    click(u"Image42"_s);

    QVERIFY(SettingsFile().setPlayHow(howLater).ok);
    if (accepted)
        m_screen->settingsAccepted();
    QCOMPARE(m_screen->startsAtOnce(), startsAtOnce);
    QCOMPARE(m_screen->slotColumn()->slotPicture(56)->isVisible(), startsAtOnce);

    click(u"send"_s);
    const QByteArray wire = PseudoTerminal::valuesOf(m_line.pty()->waitForBytes(41, 8000));
    QCOMPARE(wire.size(), 41);
    QCOMPARE(wire.startsWith("\x01\xC1\x40\x01\xC9"), !startsAtOnce);
    QVERIFY(m_boxes.isEmpty());
    QVERIFY(QTest::qWaitFor([this] { return !m_line.transfer()->isVisible(); }, 3000));
}

QTEST_MAIN(TestIconScreenSend)
#include "tst_iconscreen_send.moc"
