#pragma once

#include "robot/wireplan.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

class Trs232c;

// Plays a wire plan through the port: each byte, then a wait of at least its pause, measured
// on a monotonic clock from the moment the byte was handed to the port. The waits are precise
// single-shot timers on the event loop, re-armed against the deadline, so the process sleeps
// between bytes and the windows stay usable; only the last 2 to 3 ms of each pause are slept. While it plays the player owns the line (Trs232c::claimLine), so nothing else can
// write in between.
//
// Stopping (stop(), or destroying the player with its window) keeps what was sent and drops the
// rest; the line is given back either way. A port that goes away ends the transfer as a failure.
class TransferPlayer : public QObject
{
    Q_OBJECT
public:
    enum class Failure {
        None,
        LineBusy,     // another transfer owns the line
        PortNotOpen,  // no port, or it is not open
        WriteFailed,  // the port refused a byte
    };
    Q_ENUM(Failure)

    explicit TransferPlayer(Trs232c *port, QObject *parent = nullptr);
    ~TransferPlayer() override;

    // Starts at once with the first byte. False when it cannot start: already playing (nothing
    // emitted), or failed emitted (no open port, the line owned by someone else).
    bool start(const WirePlan &plan);
    // Drops what is not sent yet and gives the line back; emits stopped() if it was playing.
    void stop();

    bool isPlaying() const { return m_playing; }
    int sentCount() const { return m_next; }
    Failure failure() const { return m_failure; }
    // When each byte of the plan was handed to the port, in nanoseconds from the start (the
    // last entry for the end of the last pause), for checking the pacing.
    const QList<qint64> &sentAtNs() const { return m_sentAtNs; }

signals:
    void progressChanged(int percent);
    // Every byte went out and the last pause is over.
    void finished();
    // Nothing more is sent. reason: the port's own words, for the record.
    void failed(TransferPlayer::Failure failure, const QString &reason);
    void stopped();

private:
    // The last stretch of a pause, at most this long, is slept rather than left to the event
    // loop, whose waits are whole milliseconds; the windows never notice 3 ms.
    static constexpr qint64 FineWaitNs = 2000000;

    void sendNext();
    void waitForDeadline();
    void onTimer();
    void fail(Failure failure, const QString &reason);
    void end();

    QPointer<Trs232c> m_port;
    WirePlan m_plan;
    QTimer m_timer;
    QElapsedTimer m_clock;
    QList<qint64> m_sentAtNs;
    qint64 m_deadlineNs = 0;
    int m_next = 0;
    bool m_playing = false;
    Failure m_failure = Failure::None;
};
