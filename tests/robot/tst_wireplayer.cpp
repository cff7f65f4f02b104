// SPDX-License-Identifier: GPL-3.0-or-later
#include "robot/instructioncode.h"
#include "robot/trs232c.h"
#include "robot/wireplan.h"
#include "robot/wireplayer.h"
#include "support/pseudoterminal.h"
#include "support/wiretiming.h"

#include <QSignalSpy>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;

// The port's player on a pseudo-terminal: the bytes that arrive, the pauses between them (as
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
    void stopFinishesTheBlock_data();
    void stopFinishesTheBlock();
    void pauseIsKeptForTheNextSender();
    void playThenTellsAfterTheLastPause();

private:
    std::unique_ptr<PseudoTerminal> m_pty;
    std::unique_ptr<Trs232c> m_port;
};

namespace {

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

    WirePlayback playback(plan);
    QSignalSpy finished(&playback, &WirePlayback::finished);
    // When each bar value came, and how many bytes had gone out by then.
    QList<std::tuple<int, qint64, int>> bar;
    connect(&playback, &WirePlayback::progressChanged, this, [&](int percent) {
        bar.append({percent, playback.nsecsSincePlay(), playback.sentCount()});
    });
    QVERIFY(WirePlayer::of(m_port.get())->play(&playback));
    QVERIFY(finished.wait(int(plan.totalPauseMs()) + 3000));
    QCOMPARE(PseudoTerminal::valuesOf(m_pty->waitForBytes(41, 1000)), plan.values());
    // The pauses on the player's own clock, from each byte's "written": a late reader would see
    // the bytes bunched, which proves nothing. The last entry is the end of the last pause (the
    // block's 500 ms and the byte's own), before finished comes.
    const QList<qint64> &sent = playback.sentAtNs();
    QCOMPARE(sent.size(), plan.bytes.size() + 1);
    for (int i = 1; i < sent.size(); ++i)
        QVERIFY2(sent[i] - sent[i - 1] >= qint64(plan.bytes[i - 1].pauseMs) * 1000000,
                 qPrintable(u"pause after byte %1: %2 ns"_s.arg(i - 1).arg(sent[i] - sent[i - 1])));

    // The bar follows each program byte once its pause is over, never ahead of the robot, and
    // before the next byte goes out.
    QCOMPARE(bar.size(), 40);
    for (int i = 0; i < bar.size(); ++i) {
        const auto [percent, at, sentBefore] = bar[i];
        const WireByte &b = plan.bytes[i + 1];
        QCOMPARE(percent, b.progress);
        QCOMPARE(sentBefore, i + 2);
        QVERIFY2(at - sent[i + 1] >= qint64(b.progressAfterMs) * 1000000,
                 qPrintable(u"bar %1 came %2 ns after its byte"_s.arg(percent).arg(at - sent[i + 1])));
    }
    QCOMPARE(std::get<0>(bar.last()), 100);
    QVERIFY(!m_port->lineClaimed());
}

void TestWirePlayer::refusesWithoutOpenPort()
{
    Trs232c closed;
    WirePlayback playback(wirePlan(compiled(3), ScreenKind::Icon, true));
    QSignalSpy failed(&playback, &WirePlayback::failed);
    QVERIFY(!WirePlayer::of(&closed)->play(&playback));
    QCOMPARE(failed.size(), 1);
    QCOMPARE(failed[0].at(0).value<WirePlayer::Failure>(), WirePlayer::Failure::PortNotOpen);
    QVERIFY(!playback.isActive());
    QVERIFY(!closed.lineClaimed());
    QVERIFY(WirePlayer::of(&closed)->isIdle());

    // Told from inside the call, once.
    for (Trs232c *port : {static_cast<Trs232c *>(nullptr), &closed}) {
        QList<WirePlayer::Failure> told;
        playThen(port, runPlan(ScreenKind::Icon), this, [&](WirePlayer::Failure f) { told << f; });
        QCOMPARE(told, QList<WirePlayer::Failure>{WirePlayer::Failure::PortNotOpen});
        QCoreApplication::processEvents();
        QCOMPARE(told.size(), 1);
    }
}

void TestWirePlayer::lostLineStopsAtOnce()
{
    WirePlayback playback(wirePlan(compiled(20), ScreenKind::Icon, true));
    QSignalSpy failed(&playback, &WirePlayback::failed);
    QSignalSpy finished(&playback, &WirePlayback::finished);
    QVERIFY(WirePlayer::of(m_port.get())->play(&playback));
    m_pty->waitForBytes(5, 2000);
    // The other end goes away, as when the cable is pulled from a USB adapter. The robot is out
    // of reach, so the block is not finished.
    m_pty->close();
    QVERIFY(failed.wait(2000));
    QCOMPARE(failed[0].at(0).value<WirePlayer::Failure>(), WirePlayer::Failure::WriteFailed);
    QVERIFY(!failed[0].at(1).toString().isEmpty());
    const int sent = playback.sentCount();
    QVERIFY(sent < 41);
    QTest::qWait(300);
    QCOMPARE(playback.sentCount(), sent);
    QCOMPARE(finished.size(), 0);
    QVERIFY(!m_port->lineClaimed());
    QVERIFY(WirePlayer::of(m_port.get())->isIdle());
}

void TestWirePlayer::portGoneStopsSafely()
{
    auto playback = std::make_unique<WirePlayback>(wirePlan(compiled(20), ScreenKind::Icon, true));
    QSignalSpy failed(playback.get(), &WirePlayback::failed);
    QVERIFY(WirePlayer::of(m_port.get())->play(playback.get()));
    m_pty->waitForBytes(3, 2000);
    m_port.reset();
    QTRY_COMPARE(failed.size(), 1);
    QCOMPARE(failed[0].at(0).value<WirePlayer::Failure>(), WirePlayer::Failure::PortNotOpen);
    QVERIFY(!playback->isActive());
    playback->stop();
    playback.reset();
}

void TestWirePlayer::ownsTheLineWhilePlaying()
{
    const WirePlan plan = wirePlan(compiled(5), ScreenKind::Icon, true);
    WirePlayer *player = WirePlayer::of(m_port.get());
    WirePlayback playback(plan);
    QSignalSpy finished(&playback, &WirePlayback::finished);
    QSignalSpy refused(player, &WirePlayer::driveRefused);
    QVERIFY(player->play(&playback));
    m_pty->waitForBytes(3, 2000);

    // Every other sender is refused while the transfer plays: play, remote control, the
    // operation test, a second transfer, a re-open.
    QVERIFY(!m_port->WriteByte(CMD_START));
    QCOMPARE(m_port->lastError(), Trs232c::lineBusyText());
    QVERIFY(!m_port->Write("\x06\x14\x14", 3));
    QVERIFY(!m_port->Close());
    QVERIFY(m_port->isOpen());
    QVERIFY(!m_port->Open());
    player->drive(64);
    QCOMPARE(refused.size(), 1);
    WirePlayback second(wirePlan(compiled(1), ScreenKind::Text, true));
    QSignalSpy secondFailed(&second, &WirePlayback::failed);
    QVERIFY(!player->play(&second));
    QCOMPARE(secondFailed[0].at(0).value<WirePlayer::Failure>(), WirePlayer::Failure::LineBusy);
    QVERIFY(!player->play(&playback));
    QVERIFY(playback.isActive());

    QVERIFY(finished.wait(int(plan.totalPauseMs()) + 3000));
    m_pty->waitForBytes(41, 1000);
    QCOMPARE(m_pty->receivedBytes(), plan.values());

    // Afterwards the line is everybody's again.
    QVERIFY(m_port->WriteByte(CMD_START));
    QCOMPARE(PseudoTerminal::valuesOf(m_pty->waitForBytes(42, 1000)).right(1), QByteArray(1, char(CMD_START)));
}

void TestWirePlayer::stopFinishesTheBlock_data()
{
    QTest::addColumn<int>("compiledCount");
    QTest::addColumn<int>("stopAfter"); // bytes on the wire when the stop comes, at least
    QTest::addColumn<bool>("destroy");
    QTest::newRow("after the block number") << 20 << 1 << false;
    QTest::newRow("in the middle of the block") << 20 << 6 << false;
    QTest::newRow("window gone in the middle") << 20 << 6 << true;
    QTest::newRow("one byte before the end") << 20 << 40 << false;
    QTest::newRow("between two blocks") << 60 << 41 << false;
    QTest::newRow("window gone in block 2") << 60 << 45 << true;
}

void TestWirePlayer::stopFinishesTheBlock()
{
    QFETCH(int, compiledCount);
    QFETCH(int, stopAfter);
    QFETCH(bool, destroy);
    const WirePlan plan = wirePlan(compiled(compiledCount), ScreenKind::Icon, true);
    QVERIFY(plan.ok);
    auto window = std::make_unique<QObject>();
    auto *playback = new WirePlayback(plan, window.get());
    QSignalSpy stopped(playback, &WirePlayback::stopped);
    QSignalSpy finished(playback, &WirePlayback::finished);
    WirePlayer *player = WirePlayer::of(m_port.get());
    QVERIFY(player->play(playback));
    QVERIFY(QTest::qWaitFor([&] { return playback->sentCount() >= stopAfter; }, 10000));
    const int sent = playback->sentCount();
    if (destroy) {
        window.reset();
    } else {
        playback->stop();
        QVERIFY(playback->isStopping());
    }
    const QList<WireByte> rest = restAfterStop(plan, sent);
    QVERIFY(QTest::qWaitFor([&] { return player->isIdle(); }, 10000));
    QVERIFY(!m_port->lineClaimed());
    if (!destroy) {
        QCOMPARE(stopped.size(), 1);
        QCOMPARE(finished.size(), 0);
        // The block's rest kept its pauses.
        const QList<qint64> &at = playback->sentAtNs();
        for (int i = sent; i + 1 < at.size(); ++i)
            QVERIFY(at[i + 1] - at[i] >= qint64(plan.bytes[i].pauseMs) * 1000000);
    }

    const QByteArray want = plan.values().left(sent) + QByteArray(rest.size(), char(TERMINATOR));
    QCOMPARE(PseudoTerminal::valuesOf(m_pty->waitForBytes(int(want.size()), 2000)), want);
    QCOMPARE(m_pty->collectFor(200).size(), want.size());
    QVERIFY2(holdsWholeBlocks(m_pty->receivedBytes()), qPrintable(QString::number(want.size())));

    QVERIFY(m_port->WriteByte(TERMINATOR));
    QCOMPARE(PseudoTerminal::valuesOf(m_pty->waitForBytes(int(want.size()) + 1, 1000)).right(1),
             QByteArray(1, char(TERMINATOR)));
}

void TestWirePlayer::pauseIsKeptForTheNextSender()
{
    // A motor code's 100 ms hold also for the run byte after it, and the run byte goes out
    // whole before a transfer.
    WirePlayer *player = WirePlayer::of(m_port.get());
    QList<qint64> sentAt;
    connect(player, &WirePlayer::sent, this, [&](quint8, qint64 at) { sentAt << at; });
    QSignalSpy sent(player, &WirePlayer::driveSent);
    player->drive(69);
    QCOMPARE(sent.size(), 1);
    WirePlayback run(runPlan(ScreenKind::Text));
    QSignalSpy runDone(&run, &WirePlayback::finished);
    QVERIFY(player->play(&run));
    QCOMPARE(run.sentCount(), 0);
    QVERIFY(runDone.wait(2000));
    QCOMPARE(PseudoTerminal::valuesOf(m_pty->waitForBytes(2, 1000)), QByteArray("\x45\x07"));
    QCOMPARE(sentAt.size(), 2);
    QVERIFY(sentAt[1] - sentAt[0] >= qint64(DRIVE_PAUSE_MS) * 1000000);
}

void TestWirePlayer::playThenTellsAfterTheLastPause()
{
    WirePlayer *player = WirePlayer::of(m_port.get());
    QList<qint64> sentAt;
    connect(player, &WirePlayer::sent, this, [&](quint8, qint64 at) { sentAt << at; });
    QList<WirePlayer::Failure> told;
    qint64 toldAt = -1;
    playThen(m_port.get(), operationTestPlan(30), this, [&](WirePlayer::Failure f) {
        told << f;
        toldAt = player->nsecsNow();
    });
    QVERIFY(QTest::qWaitFor([&] { return !told.isEmpty(); }, 5000));
    QCOMPARE(told, QList<WirePlayer::Failure>{WirePlayer::Failure::None});
    QCOMPARE(PseudoTerminal::valuesOf(m_pty->waitForBytes(3, 1000)), QByteArray("\x06\x1e\x1e"));
    QCOMPARE(sentAt.size(), 3);
    sentAt << toldAt;
    for (int i = 1; i < sentAt.size(); ++i)
        QVERIFY(sentAt[i] - sentAt[i - 1] >= qint64(OPERATION_TEST_PAUSE_MS) * 1000000);
    QVERIFY(!m_port->lineClaimed());

    // Refused while someone else holds the line; nothing goes out.
    QObject other;
    QVERIFY(m_port->claimLine(&other));
    told.clear();
    playThen(m_port.get(), operationTestPlan(30), this, [&](WirePlayer::Failure f) { told << f; });
    QCOMPARE(told, QList<WirePlayer::Failure>{WirePlayer::Failure::LineBusy});
    QCOMPARE(m_pty->collectFor(150).size(), 3);
}

QTEST_GUILESS_MAIN(TestWirePlayer)
#include "tst_wireplayer.moc"
