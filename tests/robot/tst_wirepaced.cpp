#include "robot/instructioncode.h"
#include "robot/pacedsender.h"
#include "robot/transferplayer.h"
#include "robot/trs232c.h"
#include "robot/wireplan.h"
#include "support/pseudoterminal.h"

#include <QSignalSpy>
#include <QtTest>

// Single command bytes with their pauses (remote control) on a pseudo-terminal.
class TestWirePaced : public QObject
{
    Q_OBJECT
private slots:
    void bytesAskedForDuringPauseWaitTheirTurn();
    void refusedWhileTransferPlays();
};

namespace {
constexpr int readerSlackMs = 15;
}

void TestWirePaced::bytesAskedForDuringPauseWaitTheirTurn()
{
    PseudoTerminal pty;
    QVERIFY(pty.open());
    Trs232c port;
    port.setPortname(pty.slavePath());
    QVERIFY(port.Open());
    PacedSender sender(&port);
    QSignalSpy sent(&sender, &PacedSender::sent);

    // Start, then three quick choices, as fast as a pupil can click.
    sender.send(CMD_REMOTE, 500);
    sender.send(69, 100);
    sender.send(70, 100);
    QCOMPARE(sent.size(), 1);
    QTest::qWait(20);
    sender.send(64, 100);
    const QList<ReceivedByte> got = pty.waitForBytes(4, 3000);
    QCOMPARE(PseudoTerminal::valuesOf(got), QByteArray("\x05\x45\x46\x40"));
    const int pauses[] = {500, 100, 100};
    for (int i = 1; i < got.size(); ++i)
        QVERIFY2(got[i].msecsSinceStart - got[i - 1].msecsSinceStart + readerSlackMs >= pauses[i - 1],
                 qPrintable(QString::number(i)));
    QCOMPARE(sent.size(), 4);

    // After the pause, a byte goes out at once.
    QTest::qWait(150);
    const qint64 asked = pty.elapsed();
    sender.send(TERMINATOR, 0);
    const QList<ReceivedByte> last = pty.waitForBytes(5, 1000);
    QCOMPARE(last.size(), 5);
    QVERIFY(last.last().msecsSinceStart - asked < 50);
}

void TestWirePaced::refusedWhileTransferPlays()
{
    PseudoTerminal pty;
    QVERIFY(pty.open());
    Trs232c port;
    port.setPortname(pty.slavePath());
    QVERIFY(port.Open());
    TransferPlayer player(&port);
    QSignalSpy finished(&player, &TransferPlayer::finished);
    const WirePlan plan = wirePlan({u"69"_qs, u"10"_qs}, ScreenKind::Icon, true);
    QVERIFY(player.start(plan));

    PacedSender sender(&port);
    QSignalSpy refused(&sender, &PacedSender::refused);
    sender.send(CMD_REMOTE, 500);
    sender.send(69, 100);
    QTRY_COMPARE(refused.size(), 2);
    QVERIFY(finished.wait(6000));
    pty.waitForBytes(41, 1000);
    QCOMPARE(pty.receivedBytes(), plan.values());

    sender.send(CMD_REMOTE, 500);
    QCOMPARE(PseudoTerminal::valuesOf(pty.waitForBytes(42, 1000)).right(1), QByteArray(1, char(CMD_REMOTE)));
}

QTEST_GUILESS_MAIN(TestWirePaced)
#include "tst_wirepaced.moc"
