// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "robot/wireplan.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>

class RobotLine;
class WirePlayback;

// The one way paced bytes reach the robot: every byte that needs a pause after it (a transfer,
// the run byte, the operation test, remote-control driving) goes through the player of the
// port, so the pause of one sender is kept by the next sender too.
//
// Each byte is followed by a wait of at least its pause, measured on a monotonic clock from the
// moment the port says the byte is written (handed to the system). The waits are precise
// single-shot timers on the event loop, so the process sleeps between bytes and the windows
// stay usable; nothing here blocks or runs an event loop of its own. Only the last part of a
// millisecond is waited out with zero-time turns of the event loop, since the loop's own waits
// are whole milliseconds.
//
// A plan (WirePlayback) plays alone: while it is on the line the player owns it
// (RobotLine::claimLine), so nothing else can write in between. Remote-control bytes (drive())
// are not queued behind each other: the newest wish replaces what still waits.
class WirePlayer : public QObject
{
    Q_OBJECT
public:
    enum class Failure {
        None,
        LineBusy,     // another plan owns the line
        PortNotOpen,  // no port, or it is not open
        WriteFailed,  // the port refused a byte
    };
    Q_ENUM(Failure)

    // The player of the port, made on first use as the port's child (it goes with the port).
    static WirePlayer *of(RobotLine *port);
    ~WirePlayer() override;

    // Starts the plan; the first byte goes out at once when the line is quiet. False when it
    // cannot start (failed() of the playback has been emitted): a plan is on the line already,
    // the line is owned by someone else, or the port is not open.
    bool play(WirePlayback *playback);

    // A remote-control byte (5, a motor code, 254) with its pause (remoteByte), under the rule
    // of remoteWaitingAfter. Refused while a plan is on the line or the port is not open.
    void drive(quint8 value);

    // A plan is on the line (playing, or finishing its block after a stop).
    bool isPlaying() const { return m_planActive; }
    WirePlayback *playback() const { return m_playback; }
    // Nothing is on its way: no plan, no remote byte waiting or being written.
    bool isIdle() const { return !m_planActive && m_driving.isEmpty() && m_writing == Writing::Nothing; }
    // Calls then once the player is idle: at once when it is, otherwise when idle() comes.
    void whenIdle(QObject *context, std::function<void()> then);

    // The player's clock: when the last byte (of a plan or of driving) was written, and now.
    qint64 lastSentAtNs() const { return m_lastSentAtNs; }
    qint64 nsecsNow() const { return m_clock.nsecsElapsed(); }

signals:
    // Everything on its way is written: no plan, no remote byte left.
    void idle();
    // A byte is written; its pause counts from atNs (nsecsNow()'s clock).
    void sent(quint8 value, qint64 atNs);
    void driveSent(quint8 value);
    void driveRefused(quint8 value);
    // A refused drive byte that no busy line explains: the port is closed or a write failed.
    void driveFailed(quint8 value);

private:
    friend class WirePlayback;
    explicit WirePlayer(RobotLine *port);

    enum class Writing { Nothing, PlanByte, DriveByte };

    void pump();
    // The port has written the byte in hand, or could not.
    void lineWritten();
    void lineFailed();
    void tellIfIdle();
    void arm(qint64 dueNs);
    void sendPlanByte();
    void sendDriveByte();
    // pauseOver: the last byte's pause has run out (not so after a stop between blocks).
    void endPlan(bool pauseOver);
    void failPlan(Failure failure, const QString &reason);
    // tell: false when the playback is going away, so nothing is emitted on it any more.
    void stopPlayback(WirePlayback *playback, bool tell);
    void releasePlan();

    QPointer<RobotLine> m_port;
    QTimer m_timer;
    QElapsedTimer m_clock;
    // The line is quiet (the last byte's pause is over) from this moment on.
    qint64 m_readyAtNs = 0;
    // The bar of the last plan byte, shown once the byte's own pause is over.
    int m_progress = -1;
    qint64 m_progressDueNs = 0;

    QList<WireByte> m_driving;
    // The byte handed to the port whose "written" has not come yet; nothing else goes meanwhile.
    Writing m_writing = Writing::Nothing;
    quint8 m_writingValue = 0;
    int m_writingPauseMs = 0;
    int m_writingProgress = -1;
    int m_writingProgressAfterMs = 0;
    qint64 m_lastSentAtNs = -1;
    bool m_inPump = false;
    bool m_wasIdle = true;

    bool m_planActive = false;
    bool m_stopping = false;
    QPointer<WirePlayback> m_playback;
    QList<WireByte> m_planBytes;
    int m_planNext = 0;
};

// One plan on its way to the robot. The caller makes it (its parent decides how long it may
// live), connects to it and hands it to WirePlayer::play. Destroying it while it plays is a
// stop() whose end nobody hears of.
class WirePlayback : public QObject
{
    Q_OBJECT
public:
    explicit WirePlayback(const WirePlan &plan, QObject *parent = nullptr);
    ~WirePlayback() override;

    const WirePlan &plan() const { return m_plan; }
    // Sends the rest of the unit on its way (restAfterStop) and drops everything after it;
    // stopped() follows once that is out and its pause is over (at once when nothing is left).
    void stop();

    // Between a successful play() and finished(), failed() or stopped().
    bool isActive() const { return m_active; }
    bool isStopping() const { return m_stopping; }
    int sentCount() const { return int(m_sentAtNs.size()) - (m_ended ? 1 : 0); }
    WirePlayer::Failure failure() const { return m_failure; }
    // When each byte was handed to the port, in nanoseconds since play(), and (the last entry,
    // once the plan has ended) the end of the last pause: for checking the pacing.
    const QList<qint64> &sentAtNs() const { return m_sentAtNs; }
    qint64 nsecsSincePlay() const;

signals:
    // The bar, after a byte's own pause.
    void progressChanged(int percent);
    // Every byte went out and the last pause is over.
    void finished();
    // Nothing more is sent. reason: the port's own words, for the record.
    void failed(WirePlayer::Failure failure, const QString &reason);
    // stop() is done: what had to follow went out.
    void stopped();

private:
    friend class WirePlayer;

    WirePlan m_plan;
    QPointer<WirePlayer> m_player;
    // When play() took it, on the player's clock.
    qint64 m_startNs = 0;
    QList<qint64> m_sentAtNs;
    WirePlayer::Failure m_failure = WirePlayer::Failure::None;
    bool m_active = false;
    bool m_stopping = false;
    bool m_ended = false;
};

// Plays the plan through the port's player and calls done once it is over: None when every
// byte went out and its last pause is over, otherwise why it ended (at once, from inside this
// call, when it cannot start). Nothing is called when context goes away first.
void playThen(RobotLine *port, const WirePlan &plan, QObject *context,
              std::function<void(WirePlayer::Failure)> done);
