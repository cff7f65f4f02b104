#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>

class Trs232c;

// Single command bytes with a pause after each (remote control: 5 and 500 ms, a motor code and
// 100 ms). A byte asked for during the pause of the one before waits its turn instead of going
// out early, so the robot always gets its time; the caller never blocks. Bytes the port refuses
// (not open, a transfer owns the line) are dropped and reported.
class PacedSender : public QObject
{
    Q_OBJECT
public:
    explicit PacedSender(Trs232c *port, QObject *parent = nullptr);

    void send(quint8 value, int pauseAfterMs);
    // Drops the bytes still waiting; a byte already sent keeps its pause.
    void dropPending();
    int pendingCount() const { return int(m_queue.size()); }

signals:
    void sent(quint8 value);
    void refused(quint8 value);

private:
    struct Pending
    {
        quint8 value;
        int pauseAfterMs;
    };

    void sendDue();

    QPointer<Trs232c> m_port;
    QList<Pending> m_queue;
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_readyAtNs = 0;
};
