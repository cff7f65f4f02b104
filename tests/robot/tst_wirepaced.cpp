// SPDX-License-Identifier: GPL-3.0-or-later
#include "robot/instructioncode.h"
#include "robot/trs232c.h"
#include "robot/wireplan.h"
#include "robot/wireplayer.h"
#include "support/pseudoterminal.h"
#include "support/wiretiming.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;

// Remote-control bytes through the port's player on a pseudo-terminal: the robot gets the
// pupil's last wish, each byte with its pause, and never a backlog.
class TestWirePaced : public QObject
{
    Q_OBJECT
private slots:
    void lastWishWins_data();
    void lastWishWins();
    void freeLineSendsAtOnce();
    void refusedWhileTransferPlays();
};

namespace {

struct Ask
{
    quint8 value;
    int atMs;
};

}

Q_DECLARE_METATYPE(QList<Ask>)

void TestWirePaced::lastWishWins_data()
{
    QTest::addColumn<QList<Ask>>("asks");
    QTest::addColumn<QByteArray>("wire");
    QTest::newRow("start, then quick choices: only the last follows")
        << QList<Ask>{{CMD_REMOTE, 0}, {69, 0}, {70, 0}, {64, 20}} << QByteArray("\x05\x40");
    QTest::newRow("a choice after the pause goes out") << QList<Ask>{{69, 0}, {70, 150}} << QByteArray("\x45\x46");
    QTest::newRow("leaving drops the waiting code")
        << QList<Ask>{{69, 0}, {70, 10}, {TERMINATOR, 20}} << QByteArray("\x45\xFE");
    QTest::newRow("5 keeps its place ahead of a drive")
        << QList<Ask>{{69, 0}, {CMD_REMOTE, 10}, {70, 20}} << QByteArray("\x45\x05\x46");
    QList<Ask> held;
    for (int ms = 0; ms < 600; ms += 10)
        held.append({74, ms});
    held.append({64, 600});
    // A held key sends no more than one code per pause, and stop comes right after the code
    // that was on its way.
    QByteArray heldWire(600 / DRIVE_PAUSE_MS + 1, char(74));
    QTest::newRow("a held key, then stop") << held << heldWire + QByteArray("\x40");
}

void TestWirePaced::lastWishWins()
{
    QFETCH(QList<Ask>, asks);
    QFETCH(QByteArray, wire);
    PseudoTerminal pty;
    QVERIFY(pty.open());
    Trs232c port;
    port.setPortname(pty.slavePath());
    QVERIFY(port.Open());
    WirePlayer *player = WirePlayer::of(&port);
    QSignalSpy sent(player, &WirePlayer::driveSent);
    const SentRecorder written(player);

    QElapsedTimer clock;
    clock.start();
    for (const Ask &ask : asks) {
        const qint64 wait = ask.atMs - clock.elapsed();
        if (wait > 0)
            QTest::qWait(int(wait));
        player->drive(ask.value);
    }
    QVERIFY(QTest::qWaitFor([player] { return player->isIdle(); }, 5000));
    const QList<ReceivedByte> got = pty.collectFor(700);
    const QByteArray values = PseudoTerminal::valuesOf(got);
    if (wire.startsWith(char(74))) {
        // How many codes of the held key went out depends on how the machine kept up; at most
        // one per pause of holding, and none after stop.
        QVERIFY2(values.size() >= 2 && values.size() <= wire.size(), qPrintable(QString::number(values.size())));
        QCOMPARE(values.back(), char(64));
        QCOMPARE(values.chopped(1), QByteArray(values.size() - 1, char(74)));
    } else {
        QCOMPARE(values, wire);
    }
    QCOMPARE(sent.size(), values.size());
    QCOMPARE(written.values, values);
    for (int i = 1; i < written.values.size(); ++i)
        QVERIFY2(written.apart(i - 1, i, remoteByte(quint8(written.values[i - 1])).pauseMs), qPrintable(QString::number(i)));
}

void TestWirePaced::freeLineSendsAtOnce()
{
    PseudoTerminal pty;
    QVERIFY(pty.open());
    Trs232c port;
    port.setPortname(pty.slavePath());
    QVERIFY(port.Open());
    WirePlayer *player = WirePlayer::of(&port);
    QSignalSpy sent(player, &WirePlayer::driveSent);
    // Nothing before it: the byte is with the port when drive() returns.
    player->drive(69);
    QCOMPARE(sent.size(), 1);
    player->drive(70);
    QCOMPARE(sent.size(), 1);
    QVERIFY(!player->isIdle());
    QTRY_COMPARE(sent.size(), 2);
    QTest::qWait(DRIVE_PAUSE_MS + 20);
    player->drive(TERMINATOR);
    QCOMPARE(sent.size(), 3);
    QCOMPARE(PseudoTerminal::valuesOf(pty.waitForBytes(3, 1000)), QByteArray("\x45\x46\xFE"));
}

void TestWirePaced::refusedWhileTransferPlays()
{
    PseudoTerminal pty;
    QVERIFY(pty.open());
    Trs232c port;
    port.setPortname(pty.slavePath());
    QVERIFY(port.Open());
    WirePlayer *player = WirePlayer::of(&port);
    WirePlayback transfer(wirePlan({u"69"_s, u"10"_s}, ScreenKind::Icon, true));
    QSignalSpy finished(&transfer, &WirePlayback::finished);
    QVERIFY(player->play(&transfer));

    QSignalSpy refused(player, &WirePlayer::driveRefused);
    player->drive(CMD_REMOTE);
    player->drive(69);
    QCOMPARE(refused.size(), 2);
    QVERIFY(finished.wait(6000));
    pty.waitForBytes(41, 1000);
    QCOMPARE(pty.receivedBytes(), transfer.plan().values());

    // Refused bytes are not sent late.
    player->drive(CMD_REMOTE);
    QCOMPARE(PseudoTerminal::valuesOf(pty.waitForBytes(42, 1000)).right(1), QByteArray(1, char(CMD_REMOTE)));
    QCOMPARE(pty.collectFor(200).size(), 42);

    // A line held by someone else refuses them too.
    QObject other;
    QTRY_VERIFY(player->isIdle());
    QTest::qWait(REMOTE_START_PAUSE_MS);
    QVERIFY(port.claimLine(&other));
    player->drive(64);
    QCOMPARE(refused.size(), 3);
    QCOMPARE(pty.collectFor(150).size(), 42);
}

QTEST_GUILESS_MAIN(TestWirePaced)
#include "tst_wirepaced.moc"
