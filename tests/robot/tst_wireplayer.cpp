#include "robot/instructioncode.h"
#include "robot/transferplayer.h"
#include "robot/trs232c.h"
#include "robot/wireplan.h"
#include "support/pseudoterminal.h"

#include <QSignalSpy>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(ScreenKind)

// The player on a pseudo-terminal: the bytes that arrive, the pauses between them (as
// minimums), and what happens when the line is lost, stopped or asked for by someone else.
class TestWirePlayer : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void playsOneBlock_data();
    void playsOneBlock();
    void refusesWithoutOpenPort();
    void lostLineStopsAtOnce();
    void portGoneStopsSafely();
    void ownsTheLineWhilePlaying();
    void stopKeepsWhatWasSent_data();
    void stopKeepsWhatWasSent();

private:
    std::unique_ptr<PseudoTerminal> m_pty;
    std::unique_ptr<Trs232c> m_port;
};

namespace {

// The pseudo-terminal's timestamps are taken by a reader thread after it wakes up; on a busy
// machine one byte can be seen late and the gap behind it short. The player's own clock is
// checked exactly; the wire only for gross faults (a missing block pause, a wrong byte pause).
constexpr int readerSlackMs = 15;

QStringList compiled(int count)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines.append(QString::number(64 + i % 11));
    return lines;
}

}

void TestWirePlayer::init()
{
    m_pty = std::make_unique<PseudoTerminal>();
    QVERIFY(m_pty->open());
    m_port = std::make_unique<Trs232c>();
    m_port->setPortname(m_pty->slavePath());
    QVERIFY2(m_port->Open(), qPrintable(m_port->lastError()));
}

void TestWirePlayer::cleanup()
{
    m_port.reset();
    m_pty.reset();
}

void TestWirePlayer::playsOneBlock_data()
{
    QTest::addColumn<ScreenKind>("kind");
    QTest::addColumn<bool>("how");
    QTest::newRow("icon with the start header") << ScreenKind::Icon << false;
    QTest::newRow("text") << ScreenKind::Text << true;
    QTest::newRow("route") << ScreenKind::Route << true;
}

void TestWirePlayer::playsOneBlock()
{
    QFETCH(ScreenKind, kind);
    QFETCH(bool, how);
    const WirePlan plan = wirePlan(compiled(20), kind, how);
    QVERIFY(plan.ok);
    QCOMPARE(plan.bytes.size(), 41);

    TransferPlayer player(m_port.get());
    QSignalSpy progress(&player, &TransferPlayer::progressChanged);
    QSignalSpy finished(&player, &TransferPlayer::finished);
    QVERIFY(player.start(plan));
    QVERIFY(finished.wait(int(plan.totalPauseMs()) + 3000));
    const QList<ReceivedByte> got = m_pty->waitForBytes(41, 1000);
    const qint64 finishedAt = m_pty->elapsed();

    QCOMPARE(PseudoTerminal::valuesOf(got), plan.values());
    for (int i = 1; i < got.size(); ++i) {
        const qint64 gap = got[i].msecsSinceStart - got[i - 1].msecsSinceStart;
        QVERIFY2(gap + readerSlackMs >= plan.bytes[i - 1].pauseMs,
                 qPrintable(u"gap after byte %1: %2 ms, want %3"_qs.arg(i - 1).arg(gap).arg(plan.bytes[i - 1].pauseMs)));
    }
    // The last pause (the block's 500 ms and the byte's own) is over before finished comes.
    QVERIFY(finishedAt - got.last().msecsSinceStart + readerSlackMs >= plan.bytes.last().pauseMs);
    const QList<qint64> &sent = player.sentAtNs();
    QCOMPARE(sent.size(), plan.bytes.size() + 1);
    for (int i = 1; i < sent.size(); ++i)
        QVERIFY2(sent[i] - sent[i - 1] >= qint64(plan.bytes[i - 1].pauseMs) * 1000000,
                 qPrintable(u"pause after byte %1: %2 ns"_qs.arg(i - 1).arg(sent[i] - sent[i - 1])));

    QCOMPARE(progress.size(), 40);
    for (int i = 0; i < progress.size(); ++i)
        QCOMPARE(progress[i].at(0).toInt(), plan.bytes[i + 1].progress);
    QCOMPARE(progress.last().at(0).toInt(), 100);
    QVERIFY(!m_port->lineClaimed());
}

void TestWirePlayer::refusesWithoutOpenPort()
{
    Trs232c closed;
    TransferPlayer player(&closed);
    QSignalSpy failed(&player, &TransferPlayer::failed);
    QVERIFY(!player.start(wirePlan(compiled(3), ScreenKind::Icon, true)));
    QCOMPARE(failed.size(), 1);
    QCOMPARE(failed[0].at(0).value<TransferPlayer::Failure>(), TransferPlayer::Failure::PortNotOpen);
    QVERIFY(!player.isPlaying());
    QVERIFY(!closed.lineClaimed());

    TransferPlayer orphan(nullptr);
    QVERIFY(!orphan.start(wirePlan(compiled(3), ScreenKind::Icon, true)));
    QCOMPARE(orphan.failure(), TransferPlayer::Failure::PortNotOpen);
}

void TestWirePlayer::lostLineStopsAtOnce()
{
    TransferPlayer player(m_port.get());
    QSignalSpy failed(&player, &TransferPlayer::failed);
    QSignalSpy finished(&player, &TransferPlayer::finished);
    QVERIFY(player.start(wirePlan(compiled(20), ScreenKind::Icon, true)));
    m_pty->waitForBytes(5, 2000);
    // The other end goes away, as when the cable is pulled from a USB adapter.
    m_pty->close();
    QVERIFY(failed.wait(2000));
    QCOMPARE(failed[0].at(0).value<TransferPlayer::Failure>(), TransferPlayer::Failure::WriteFailed);
    QVERIFY(!failed[0].at(1).toString().isEmpty());
    const int sent = player.sentCount();
    QVERIFY(sent < 41);
    QTest::qWait(300);
    QCOMPARE(player.sentCount(), sent);
    QCOMPARE(finished.size(), 0);
    QVERIFY(!m_port->lineClaimed());
}

void TestWirePlayer::portGoneStopsSafely()
{
    auto player = std::make_unique<TransferPlayer>(m_port.get());
    QSignalSpy failed(player.get(), &TransferPlayer::failed);
    QVERIFY(player->start(wirePlan(compiled(20), ScreenKind::Icon, true)));
    m_pty->waitForBytes(3, 2000);
    m_port.reset();
    QVERIFY(failed.wait(2000));
    QCOMPARE(failed[0].at(0).value<TransferPlayer::Failure>(), TransferPlayer::Failure::PortNotOpen);
    player.reset();
}

void TestWirePlayer::ownsTheLineWhilePlaying()
{
    const WirePlan plan = wirePlan(compiled(5), ScreenKind::Icon, true);
    TransferPlayer player(m_port.get());
    QSignalSpy finished(&player, &TransferPlayer::finished);
    QVERIFY(player.start(plan));
    m_pty->waitForBytes(3, 2000);

    // Every other sender is refused while the transfer plays: play, remote control, the
    // operation test, a second transfer, a re-open.
    QVERIFY(!m_port->WriteByte(CMD_START));
    QCOMPARE(m_port->lastError(), Trs232c::lineBusyText());
    QVERIFY(!m_port->Write("\x06\x14\x14", 3));
    QVERIFY(!m_port->Close());
    QVERIFY(m_port->isOpen());
    QVERIFY(!m_port->Open());
    TransferPlayer second(m_port.get());
    QSignalSpy secondFailed(&second, &TransferPlayer::failed);
    QVERIFY(!second.start(wirePlan(compiled(1), ScreenKind::Text, true)));
    QCOMPARE(secondFailed[0].at(0).value<TransferPlayer::Failure>(), TransferPlayer::Failure::LineBusy);
    QVERIFY(!player.start(plan));
    QVERIFY(player.isPlaying());

    QVERIFY(finished.wait(int(plan.totalPauseMs()) + 3000));
    m_pty->waitForBytes(41, 1000);
    QCOMPARE(m_pty->receivedBytes(), plan.values());

    // Afterwards the line is everybody's again.
    QVERIFY(m_port->WriteByte(CMD_START));
    QCOMPARE(PseudoTerminal::valuesOf(m_pty->waitForBytes(42, 1000)).right(1), QByteArray(1, char(CMD_START)));
}

void TestWirePlayer::stopKeepsWhatWasSent_data()
{
    QTest::addColumn<bool>("destroy");
    QTest::newRow("stopped") << false;
    QTest::newRow("destroyed with its window") << true;
}

void TestWirePlayer::stopKeepsWhatWasSent()
{
    QFETCH(bool, destroy);
    auto window = std::make_unique<QObject>();
    auto *player = new TransferPlayer(m_port.get(), window.get());
    QSignalSpy stopped(player, &TransferPlayer::stopped);
    const WirePlan plan = wirePlan(compiled(20), ScreenKind::Icon, true);
    QVERIFY(player->start(plan));
    m_pty->waitForBytes(6, 2000);
    if (destroy) {
        window.reset();
    } else {
        player->stop();
        QCOMPARE(stopped.size(), 1);
    }
    const int count = int(m_pty->collectFor(50).size());
    QTest::qWait(300);
    const QByteArray got = m_pty->receivedBytes();
    QCOMPARE(got.size(), count);
    QVERIFY(count >= 6 && count < plan.bytes.size());
    QCOMPARE(got, plan.values().left(count));

    QVERIFY(!m_port->lineClaimed());
    QVERIFY(m_port->WriteByte(TERMINATOR));
    QCOMPARE(PseudoTerminal::valuesOf(m_pty->waitForBytes(count + 1, 1000)).right(1), QByteArray(1, char(TERMINATOR)));
}

QTEST_GUILESS_MAIN(TestWirePlayer)
#include "tst_wireplayer.moc"
