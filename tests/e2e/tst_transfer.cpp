// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings/reopenport.h"
#include "app/settings/settingsfile.h"
#include "app/ui/messagebox.h"
#include "robot/instructioncode.h"
#include "robot/portmessages.h"
#include "transfer/transfer.h"
#include "transfer/transferwindow.h"
#include "robot/trs232c.h"
#include "robot/wireplan.h"
#include "support/pseudoterminal.h"
#include "support/wiretiming.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QProgressBar>

#include <QSignalSpy>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;

// The send and run operations of the programming screens, with the real transfer window and a
// pseudo-terminal as the robot's line.
class TestTransfer : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void sendsProgram_data();
    void sendsProgram();
    void refusesBeforeSending_data();
    void refusesBeforeSending();
    void routeSendsProgramThatDoesNotCompileAsEmpty();
    void lostLineClosesWindowAndTells();
    void nothingInterleavesWithTransfer();
    void reopenDuringTransferLeavesItWhole();
    void stoppedTransferEndsItsBlock_data();
    void stoppedTransferEndsItsBlock();
    void leavingCutsTheProgramAndTells();
    void barColourRanges_data();
    void barColourRanges();
    void playSendsRunByte_data();
    void playSendsRunByte();

private:
    bool waitUntilHidden(int ms);

    std::unique_ptr<PseudoTerminal> m_pty;
    std::unique_ptr<Trs232c> m_port;
    std::unique_ptr<TransferWindow> m_window;
    RobotLink m_link;
    QList<ui::MessageRequest> m_boxes;
};

namespace {
const QString example = u"motor(fwd,fwd)\r\nwait(10)"_s;
}

void TestTransfer::initTestCase()
{
    // The first show of a window loads fonts and the platform's pieces; done here, it does not
    // hold up the reader of the first measured transfer.
    TransferWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.close();
}

void TestTransfer::init()
{
    m_boxes.clear();
    ui::setMessageResponder([this](const ui::MessageRequest &r) {
        m_boxes.append(r);
        return ui::MessageButton::Ok;
    });
    m_pty = std::make_unique<PseudoTerminal>();
    QVERIFY(m_pty->open());
    m_port = std::make_unique<Trs232c>();
    m_port->setPortname(m_pty->slavePath());
    QVERIFY(m_port->Open());
    m_window = std::make_unique<TransferWindow>();
    m_link = RobotLink{m_port.get(), m_window.get()};
}

void TestTransfer::cleanup()
{
    m_window.reset();
    m_port.reset();
    m_pty.reset();
    ui::setMessageResponder({});
}

bool TestTransfer::waitUntilHidden(int ms)
{
    return QTest::qWaitFor([this] { return !m_window || !m_window->isVisible(); }, ms);
}

void TestTransfer::sendsProgram_data()
{
    QTest::addColumn<ScreenKind>("kind");
    QTest::addColumn<bool>("how");
    QTest::addColumn<QByteArray>("head");
    QTest::newRow("icon waits for the switch") << ScreenKind::Icon << false
                                               << QByteArray("\x01\xC1\x40\x01\xC9\x45\x0A\xFE", 8);
    QTest::newRow("text never sends the header") << ScreenKind::Text << false << QByteArray("\x01\x45\x0A\xFE", 4);
}

void TestTransfer::sendsProgram()
{
    QFETCH(ScreenKind, kind);
    QFETCH(bool, how);
    QFETCH(QByteArray, head);
    const QByteArray wire = head + QByteArray(41 - head.size(), char(TERMINATOR));

    QWidget screen;
    const SentRecorder sent(WirePlayer::of(m_port.get()));
    QList<int> bar;
    qint64 firstBarAt = -1;
    connect(m_window->progressBar(), &QProgressBar::valueChanged, this, [&](int v) {
        if (v > 0 && firstBarAt < 0)
            firstBarAt = sent.nsecsNow();
        bar.append(v);
    });
    QVERIFY(sendProgram(m_link, kind, example, how, &screen));
    QVERIFY(m_window->isVisible());
    const QList<ReceivedByte> got = m_pty->waitForBytes(41, 5000);
    QCOMPARE(PseudoTerminal::valuesOf(got), wire);
    QVERIFY(m_window->isVisible()); // the final 500 ms are still to come
    QVERIFY(waitUntilHidden(3000));

    QCOMPARE(sent.values, wire);
    QVERIFY(sent.apart(0, 1, 100));
    for (int i = 2; i < sent.values.size(); ++i)
        QVERIFY2(sent.apart(i - 1, i, 60), qPrintable(QString::number(i)));
    // Closed once the block's 500 ms and the last byte's own pause are over.
    QVERIFY(sent.apart(int(sent.values.size()) - 1, -1, 560));
    QVERIFY(!bar.isEmpty());
    QCOMPARE(bar.last(), 100);
    // The bar moves once the byte's pause is over, not as soon as the byte is out.
    QVERIFY2(firstBarAt - sent.atNs(1) >= 60 * 1000000LL,
             qPrintable(u"byte at %1 ns, bar at %2 ns"_s.arg(sent.atNs(1)).arg(firstBarAt)));
    QCOMPARE(m_boxes.size(), 0);
    QVERIFY(!m_port->lineClaimed());
}

void TestTransfer::refusesBeforeSending_data()
{
    QTest::addColumn<ScreenKind>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("portOpen");
    QTest::addColumn<QString>("message");

    QString tooLong;
    for (int i = 0; i < 60; ++i)
        tooLong += u"motor(fwd,fwd)\r\nwait(1)\r\n"_s;
    QTest::newRow("icon does not compile") << ScreenKind::Icon << u"fly"_s << true
                                           << u"1行目が違います(命令をもう一度確認してください)"_s;
    QTest::newRow("text does not compile") << ScreenKind::Text << u"wait(10)\r\nfly"_s << true
                                           << u"2行目が違います(命令をもう一度確認してください)"_s;
    QTest::newRow("text of 120 bytes") << ScreenKind::Text << tooLong << true << textTooLongMessage();
    // A closed port is opened again first; only a device that is not there stops the send.
    const QString missing = u"ロボットの ポート（/dev/rk25-missing）が みつかりません"_s;
    QTest::newRow("port not open, device missing") << ScreenKind::Icon << example << false << missing;
    QTest::newRow("route, device missing") << ScreenKind::Route << u"fly"_s << false << missing;
}

void TestTransfer::refusesBeforeSending()
{
    QFETCH(ScreenKind, kind);
    QFETCH(QString, text);
    QFETCH(bool, portOpen);
    QFETCH(QString, message);
    if (!portOpen) {
        QVERIFY(m_port->Close());
        m_port->setPortname(u"/dev/rk25-missing"_s);
    }

    QVERIFY(!sendProgram(m_link, kind, text, true, nullptr));
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes[0].kind, ui::MessageKind::Warning);
    QCOMPARE(m_boxes[0].caption, u"警告"_s);
    QVERIFY2(m_boxes[0].text.startsWith(message), qPrintable(m_boxes[0].text));
    QCOMPARE(m_pty->collectFor(200).size(), 0);
}

void TestTransfer::routeSendsProgramThatDoesNotCompileAsEmpty()
{
    const SentRecorder sent(WirePlayer::of(m_port.get()));
    QVERIFY(sendProgram(m_link, ScreenKind::Route, u"fly"_s, true, nullptr));
    const QList<ReceivedByte> got = m_pty->waitForBytes(41, 6000);
    QCOMPARE(PseudoTerminal::valuesOf(got), QByteArray(1, '\x01') + QByteArray(40, char(TERMINATOR)));
    QVERIFY(waitUntilHidden(3000));
    QCOMPARE(sent.values, PseudoTerminal::valuesOf(got));
    for (int i = 2; i < sent.values.size(); ++i)
        QVERIFY(sent.apart(i - 1, i, 80));
    QCOMPARE(m_boxes.size(), 0);
}

void TestTransfer::lostLineClosesWindowAndTells()
{
    QVERIFY(sendProgram(m_link, ScreenKind::Icon, example, true, nullptr));
    m_pty->waitForBytes(4, 3000);
    m_pty->close();
    QVERIFY(waitUntilHidden(2000));
    QVERIFY(QTest::qWaitFor([this] { return !m_boxes.isEmpty(); }, 2000));
    QCOMPARE(m_boxes[0].kind, ui::MessageKind::Warning);
    QCOMPARE(m_port->lastStatus().cause, PortCause::Gone);
    QCOMPARE(m_boxes[0].text, portBoxText(m_port->lastStatus()));
    QVERIFY(!m_port->lineClaimed());
}

void TestTransfer::nothingInterleavesWithTransfer()
{
    QVERIFY(sendProgram(m_link, ScreenKind::Icon, example, true, nullptr));
    m_pty->waitForBytes(5, 3000);
    // A second send, the run button and a direct write while it plays: all refused.
    QVERIFY(!sendProgram(m_link, ScreenKind::Text, u"while(1)\r\nendwhile"_s, true, nullptr));
    QVERIFY(!playProgram(m_link, ScreenKind::Icon, nullptr));
    QVERIFY(!m_port->WriteByte(CMD_REMOTE));
    QCOMPARE(m_boxes.size(), 2);
    QCOMPARE(m_boxes[0].text, Trs232c::lineBusyText());
    QCOMPARE(m_boxes[1].text, Trs232c::lineBusyText());

    QVERIFY(waitUntilHidden(6000));
    QCOMPARE(m_pty->waitForBytes(41, 1000).size(), 41);
    QCOMPARE(m_pty->receivedBytes(), wirePlanForText(example, ScreenKind::Icon, true).values());
    QVERIFY(playProgram(m_link, ScreenKind::Icon, nullptr));
    QCOMPARE(PseudoTerminal::valuesOf(m_pty->waitForBytes(42, 1000)).right(1), QByteArray(1, char(CMD_START)));
}

void TestTransfer::reopenDuringTransferLeavesItWhole()
{
    QVERIFY(sendProgram(m_link, ScreenKind::Text, example, true, nullptr));
    m_pty->waitForBytes(3, 3000);
    // The settings screen's port button: close, 400 ms, open, 4000 ms, 254. The close and
    // the open are refused while the transfer plays, so it goes on undisturbed on the same
    // port; the 254 comes after it.
    SettingsFile settings(QDir(QDir::tempPath()).filePath(u"rk25-transfer-none.ini"_s));
    int opened = -1;
    QVERIFY(ReopenPort(*m_port, settings, this, [&opened](bool ok) { opened = ok ? 1 : 0; }));
    QVERIFY(QTest::qWaitFor([&opened] { return opened >= 0; }, 15000));
    QCOMPARE(opened, 0);
    QVERIFY(m_port->isOpen());
    const QByteArray wire = wirePlanForText(example, ScreenKind::Text, true).values();
    QCOMPARE(PseudoTerminal::valuesOf(m_pty->waitForBytes(42, 1000)), wire + QByteArray(1, char(TERMINATOR)));
}

void TestTransfer::stoppedTransferEndsItsBlock_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("stopAfter");
    QTest::addColumn<QStringList>("boxes");
    QTest::newRow("pupil closes the window") << u"close window"_s << 6 << QStringList();
    QTest::newRow("pupil closes it right after the block number") << u"close window"_s << 1 << QStringList();
    // Everything after byte 20 is fill: the robot has the whole program, nothing to tell.
    QTest::newRow("pupil leaves the screen") << u"leave screen"_s << 20 << QStringList();
    QTest::newRow("application goes away") << u"destroy window"_s << 6 << QStringList();
}

void TestTransfer::stoppedTransferEndsItsBlock()
{
    QFETCH(QString, how);
    QFETCH(int, stopAfter);
    QFETCH(QStringList, boxes);
    QWidget screen;
    screen.show();
    QVERIFY(sendProgram(m_link, ScreenKind::Icon, example, true, &screen));
    m_pty->waitForBytes(stopAfter, 3000);
    if (how == u"destroy window"_s) {
        m_window.reset();
        m_link.display = nullptr;
    } else if (how == u"leave screen"_s) {
        screen.hide();
    } else {
        m_window->close();
    }
    // The robot has the block's number, so it is given the rest of the block (as 254) and the
    // next transfer starts on a robot that waits for a block number again.
    QVERIFY(m_port->lineClaimed());
    QVERIFY(QTest::qWaitFor([this] { return !m_port->lineClaimed(); }, 6000));
    const QByteArray wire = PseudoTerminal::valuesOf(m_pty->waitForBytes(41, 1000));
    QCOMPARE(m_pty->collectFor(300).size(), 41);
    QVERIFY(holdsWholeBlocks(wire));
    const QByteArray planned = wirePlanForText(example, ScreenKind::Icon, true).values();
    QCOMPARE(wire.left(stopAfter), planned.left(stopAfter));
    QVERIFY(wire.endsWith(QByteArray(41 - 4, char(TERMINATOR))));
    QVERIFY(!m_window || !m_window->isVisible());
    QTest::qWait(50);
    QStringList shown;
    for (const ui::MessageRequest &r : std::as_const(m_boxes))
        shown << r.text;
    QCOMPARE(shown, boxes);
    QVERIFY(playProgram(m_link, ScreenKind::Icon, nullptr));
    QCOMPARE(PseudoTerminal::valuesOf(m_pty->waitForBytes(42, 1000)).right(1), QByteArray(1, char(CMD_START)));
}

// The robot would hold part of a program: the pupil is told, once, to send it again.
void TestTransfer::leavingCutsTheProgramAndTells()
{
    QString twoBlocks;
    for (int i = 0; i < 25; ++i)
        twoBlocks += u"motor(fwd,fwd)\r\nwait(10)\r\n"_s;
    QWidget screen;
    screen.show();
    QVERIFY(sendProgram(m_link, ScreenKind::Text, twoBlocks, true, &screen));
    m_pty->waitForBytes(6, 3000);
    screen.hide();
    QVERIFY(QTest::qWaitFor([this] { return !m_port->lineClaimed(); }, 6000));
    QTRY_COMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes[0].text, transferCutText());
    QCOMPARE(m_pty->collectFor(300).size(), 41);
    QCOMPARE(m_boxes.size(), 1);
}

void TestTransfer::barColourRanges_data()
{
    QTest::addColumn<int>("percent");
    QTest::addColumn<QString>("colour"); // empty: the style's own
    const QString aqua = u"#00ffff"_s, red = u"#ff0000"_s, yellow = u"#ffff00"_s,
                  green = u"#00ff00"_s, magenta = u"#ff00ff"_s;
    const std::pair<int, QString> rows[] = {{-1, QString()}, {0, aqua},   {20, aqua},     {21, red},
                                            {40, red},       {41, yellow}, {60, yellow},  {61, green},
                                            {80, green},     {81, magenta}, {100, magenta}, {101, QString()}};
    for (const auto &[percent, colour] : rows)
        QTest::addRow("%d", percent) << percent << colour;
}

void TestTransfer::barColourRanges()
{
    QFETCH(int, percent);
    QFETCH(QString, colour);
    const std::optional<QColor> got = TransferWindow::LMDProgress1GetColor(percent);
    QCOMPARE(got.has_value(), !colour.isEmpty());
    if (got)
        QCOMPARE(got->name(), colour);
}

void TestTransfer::playSendsRunByte_data()
{
    QTest::addColumn<ScreenKind>("kind");
    QTest::addColumn<int>("byte");
    QTest::newRow("icon") << ScreenKind::Icon << 4;
    QTest::newRow("route") << ScreenKind::Route << 4;
    QTest::newRow("text") << ScreenKind::Text << 7;
}

void TestTransfer::playSendsRunByte()
{
    QFETCH(ScreenKind, kind);
    QFETCH(int, byte);
    // Even with no program transferred before.
    QVERIFY(playProgram(m_link, kind, nullptr));
    QCOMPARE(m_pty->waitForBytes(1, 1000).size(), 1);
    QCOMPARE(int(quint8(m_pty->receivedBytes().at(0))), byte);
    QCOMPARE(m_pty->collectFor(100).size(), 1);

    // A closed port is opened again for the run byte; a missing device is said as such.
    QVERIFY(m_port->Close());
    QVERIFY(playProgram(m_link, kind, nullptr));
    QCOMPARE(m_pty->waitForBytes(2, 1000).size(), 2);
    QVERIFY(m_port->Close());
    m_port->setPortname(u"/dev/rk25-missing"_s);
    QVERIFY(!playProgram(m_link, kind, nullptr));
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes[0].text, portBoxText({PortCause::NotFound, u"/dev/rk25-missing"_s, 0, {}, {}}));
}

QTEST_MAIN(TestTransfer)
#include "tst_transfer.moc"
