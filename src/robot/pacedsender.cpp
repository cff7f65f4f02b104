#include "robot/pacedsender.h"

#include "robot/trs232c.h"

PacedSender::PacedSender(Trs232c *port, QObject *parent)
    : QObject(parent)
    , m_port(port)
{
    m_clock.start();
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &PacedSender::sendDue);
}

void PacedSender::send(quint8 value, int pauseAfterMs)
{
    m_queue.append({value, pauseAfterMs});
    if (!m_timer.isActive())
        sendDue();
}

void PacedSender::dropPending()
{
    m_queue.clear();
}

void PacedSender::sendDue()
{
    while (!m_queue.isEmpty()) {
        const qint64 left = m_readyAtNs - m_clock.nsecsElapsed();
        if (left > 0) {
            // Rounded up: the timer never ends the pause early.
            m_timer.start(int((left + 999999) / 1000000));
            return;
        }
        const Pending next = m_queue.takeFirst();
        const QPointer<PacedSender> self(this);
        if (m_port && m_port->WriteByte(next.value)) {
            m_readyAtNs = m_clock.nsecsElapsed() + qint64(next.pauseAfterMs) * 1000000;
            emit sent(next.value);
        } else {
            emit refused(next.value);
        }
        if (!self)
            return;
    }
}
