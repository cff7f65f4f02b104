#include "robot/transferplayer.h"

#include "robot/trs232c.h"

#include <chrono>
#include <thread>

TransferPlayer::TransferPlayer(Trs232c *port, QObject *parent)
    : QObject(parent)
    , m_port(port)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &TransferPlayer::onTimer);
}

TransferPlayer::~TransferPlayer()
{
    // Destroyed with its window or the application: nothing more goes out, the line is free.
    m_timer.stop();
    if (m_port)
        m_port->releaseLine(this);
}

bool TransferPlayer::start(const WirePlan &plan)
{
    // One plan at a time; the one playing goes on undisturbed.
    if (m_playing)
        return false;
    m_failure = Failure::None;
    m_plan = plan;
    m_next = 0;
    m_sentAtNs.clear();
    if (!m_port || !m_port->isOpen()) {
        fail(Failure::PortNotOpen, m_port ? m_port->lastError() : QString());
        return false;
    }
    if (!m_port->claimLine(this)) {
        fail(Failure::LineBusy, m_port->lastError());
        return false;
    }
    m_playing = true;
    m_clock.start();
    if (m_plan.bytes.isEmpty()) {
        end();
        return true;
    }
    sendNext();
    return m_failure == Failure::None;
}

void TransferPlayer::stop()
{
    if (!m_playing)
        return;
    m_timer.stop();
    m_playing = false;
    if (m_port)
        m_port->releaseLine(this);
    emit stopped();
}

void TransferPlayer::sendNext()
{
    if (!m_port || !m_port->isOpen()) {
        fail(Failure::PortNotOpen, m_port ? m_port->lastError() : QString());
        return;
    }
    const WireByte &b = m_plan.bytes.at(m_next);
    if (!m_port->WriteByteAs(this, b.value)) {
        fail(Failure::WriteFailed, m_port->lastError());
        return;
    }
    // The pause counts from the moment the byte is with the system, so it is never short.
    const qint64 sentAt = m_clock.nsecsElapsed();
    m_sentAtNs.append(sentAt);
    m_deadlineNs = sentAt + qint64(b.pauseMs) * 1000000;
    ++m_next;
    const QPointer<TransferPlayer> self(this);
    if (!b.blockNumber)
        emit progressChanged(b.progress);
    if (self && m_playing)
        waitForDeadline();
}

void TransferPlayer::waitForDeadline()
{
    const qint64 left = m_deadlineNs - m_clock.nsecsElapsed();
    if (left >= FineWaitNs + 1000000) {
        // The event loop rounds every wait up to a whole millisecond from the moment it last
        // woke, so a timer alone would overshoot by up to 1 ms a byte. It wakes us a little
        // early instead; the rest is slept off precisely.
        m_timer.start(int((left - FineWaitNs) / 1000000));
        return;
    }
    if (left > 0)
        std::this_thread::sleep_for(std::chrono::nanoseconds(left));
    onTimer();
}

void TransferPlayer::onTimer()
{
    if (!m_playing)
        return;
    if (m_clock.nsecsElapsed() < m_deadlineNs) {
        waitForDeadline();
        return;
    }
    if (m_next >= m_plan.bytes.size()) {
        end();
        return;
    }
    sendNext();
}

void TransferPlayer::fail(Failure failure, const QString &reason)
{
    m_timer.stop();
    const bool owned = m_playing;
    m_playing = false;
    m_failure = failure;
    if (owned && m_port)
        m_port->releaseLine(this);
    emit failed(failure, reason);
}

void TransferPlayer::end()
{
    m_sentAtNs.append(m_clock.nsecsElapsed());
    m_playing = false;
    if (m_port)
        m_port->releaseLine(this);
    emit finished();
}
