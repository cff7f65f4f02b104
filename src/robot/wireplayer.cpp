// SPDX-License-Identifier: GPL-3.0-or-later
#include "robot/wireplayer.h"

#include "robot/trs232c.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <chrono>
#include <limits>
#include <thread>

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 NS_PER_MS = 1000000;

}

WirePlayer::WirePlayer(Trs232c *port)
    : QObject(port)
    , m_port(port)
{
    setObjectName(u"wirePlayer"_s);
    m_clock.start();
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &WirePlayer::pump);
}

WirePlayer *WirePlayer::of(Trs232c *port)
{
    if (!port)
        return nullptr;
    if (auto *player = port->findChild<WirePlayer *>(QString(), Qt::FindDirectChildrenOnly))
        return player;
    return new WirePlayer(port);
}

WirePlayer::~WirePlayer()
{
    // Goes with its port: nothing more can go out.
    m_timer.stop();
    m_driving.clear();
    if (m_planActive)
        failPlan(Failure::PortNotOpen, QString());
}

bool WirePlayer::play(WirePlayback *playback)
{
    if (!playback || playback->m_active)
        return false;
    playback->m_failure = Failure::None;
    playback->m_sentAtNs.clear();
    playback->m_stopping = false;
    playback->m_ended = false;
    playback->m_clock.start();
    auto refuse = [playback](Failure failure, const QString &reason) {
        playback->m_failure = failure;
        emit playback->failed(failure, reason);
        return false;
    };
    // One plan at a time; the one playing goes on undisturbed.
    if (m_planActive)
        return refuse(Failure::LineBusy, Trs232c::lineBusyText());
    if (!m_port || !m_port->isOpen())
        return refuse(Failure::PortNotOpen, m_port ? m_port->lastError() : QString());
    if (!m_port->claimLine(this))
        return refuse(Failure::LineBusy, m_port->lastError());

    m_planActive = true;
    m_stopping = false;
    m_playback = playback;
    m_planBytes = playback->m_plan.bytes;
    m_planNext = 0;
    playback->m_player = this;
    playback->m_active = true;
    const QPointer<WirePlayback> alive(playback);
    pump();
    return alive && playback->m_failure == Failure::None;
}

void WirePlayer::drive(quint8 value)
{
    // While a plan is on the line the robot is taking in a program: a motor code now would
    // land in the middle of it.
    if (m_planActive || !m_port) {
        emit driveRefused(value);
        return;
    }
    m_driving = remoteWaitingAfter(m_driving, remoteByte(value));
    pump();
}

void WirePlayer::waitUntilIdle()
{
    const QPointer<WirePlayer> alive(this);
    // processEvents rather than a local event loop: once the application is quitting, every
    // new event loop ends at once.
    while (alive && !isIdle())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

void WirePlayer::pump()
{
    const QPointer<WirePlayer> alive(this);
    m_timer.stop();
    for (;;) {
        const qint64 now = m_clock.nsecsElapsed();
        if (m_progress >= 0 && now >= m_progressDueNs) {
            const int percent = m_progress;
            m_progress = -1;
            if (m_playback)
                emit m_playback->progressChanged(percent);
            if (!alive)
                return;
            continue;
        }
        const bool work = m_planActive || !m_driving.isEmpty();
        if (!work && m_progress < 0)
            return;
        qint64 due = std::numeric_limits<qint64>::max();
        if (work)
            due = m_readyAtNs;
        if (m_progress >= 0)
            due = qMin(due, m_progressDueNs);
        const qint64 left = due - now;
        if (left > 0) {
            if (left >= FINE_WAIT_NS + NS_PER_MS) {
                // The event loop rounds every wait up to a whole millisecond from the moment it
                // last woke, so a timer alone would overshoot by up to 1 ms a byte. It wakes us a
                // little early instead; the rest is slept off precisely.
                m_timer.start(int((left - FINE_WAIT_NS) / NS_PER_MS));
                return;
            }
            std::this_thread::sleep_for(std::chrono::nanoseconds(left));
            continue;
        }
        if (!work || now < m_readyAtNs)
            continue; // only the bar was due
        if (!m_driving.isEmpty())
            sendDriveByte();
        else if (m_planNext < m_planBytes.size())
            sendPlanByte();
        else
            endPlan(true);
        if (!alive)
            return;
    }
}

void WirePlayer::sendPlanByte()
{
    if (!m_port || !m_port->isOpen()) {
        failPlan(Failure::PortNotOpen, m_port ? m_port->lastError() : QString());
        return;
    }
    const WireByte b = m_planBytes.at(m_planNext);
    if (!m_port->WriteByteAs(this, b.value)) {
        // The robot is out of reach: no point in finishing its block.
        failPlan(Failure::WriteFailed, m_port->lastError());
        return;
    }
    // The pause counts from the moment the byte is with the system, so it is never short.
    const qint64 sentAt = m_clock.nsecsElapsed();
    m_readyAtNs = sentAt + qint64(b.pauseMs) * NS_PER_MS;
    ++m_planNext;
    if (m_playback)
        m_playback->m_sentAtNs.append(m_playback->m_clock.nsecsElapsed());
    if (!b.blockNumber && b.progress >= 0) {
        m_progress = b.progress;
        m_progressDueNs = sentAt + qint64(b.progressAfterMs) * NS_PER_MS;
    }
}

void WirePlayer::sendDriveByte()
{
    const WireByte b = m_driving.takeFirst();
    // Refused bytes (no port, the line held by another) are dropped: the pupil's next choice
    // is what counts, not an old one delivered late.
    if (!m_port || !m_port->isOpen() || !m_port->WriteByteAs(this, b.value)) {
        emit driveRefused(b.value);
        // Not a busy line: the robot cannot be reached (no port, or the cable is out).
        if (!m_port || !m_port->lineClaimed())
            emit driveFailed(b.value);
        return;
    }
    m_readyAtNs = m_clock.nsecsElapsed() + qint64(b.pauseMs) * NS_PER_MS;
    emit driveSent(b.value);
}

void WirePlayer::releasePlan()
{
    m_planActive = false;
    m_stopping = false;
    m_playback = nullptr;
    m_planBytes.clear();
    m_planNext = 0;
    m_progress = -1;
    if (m_port)
        m_port->releaseLine(this);
}

void WirePlayer::endPlan(bool pauseOver)
{
    WirePlayback *playback = m_playback;
    const bool wasStopped = m_stopping;
    releasePlan();
    if (!playback)
        return;
    if (pauseOver) {
        playback->m_sentAtNs.append(playback->m_clock.nsecsElapsed());
        playback->m_ended = true;
    }
    playback->m_active = false;
    if (wasStopped)
        emit playback->stopped();
    else
        emit playback->finished();
}

void WirePlayer::failPlan(Failure failure, const QString &reason)
{
    WirePlayback *playback = m_playback;
    releasePlan();
    if (!playback)
        return;
    playback->m_failure = failure;
    playback->m_active = false;
    emit playback->failed(failure, reason);
}

void WirePlayer::stopPlayback(WirePlayback *playback, bool tell)
{
    if (!m_planActive || playback != m_playback || m_stopping)
        return;
    m_stopping = true;
    playback->m_stopping = true;
    const QList<WireByte> rest = restAfterStop(playback->m_plan, m_planNext);
    m_planBytes = m_planBytes.mid(0, m_planNext) + rest;
    if (!tell)
        m_playback = nullptr;
    // Between blocks nothing needs to follow: the line is free at once, and the player keeps
    // the pause that is still running for whoever sends next.
    if (rest.isEmpty())
        endPlan(false);
}

WirePlayback::WirePlayback(const WirePlan &plan, QObject *parent)
    : QObject(parent)
    , m_plan(plan)
{
}

WirePlayback::~WirePlayback()
{
    // Its window or the application went away: the block on its way is still finished.
    if (m_active && m_player)
        m_player->stopPlayback(this, false);
}

void WirePlayback::stop()
{
    if (m_active && m_player)
        m_player->stopPlayback(this, true);
}

WirePlayer::Failure playAndWait(Trs232c *port, const WirePlan &plan)
{
    WirePlayer *player = WirePlayer::of(port);
    if (!player)
        return WirePlayer::Failure::PortNotOpen;
    WirePlayback playback(plan);
    if (!player->play(&playback))
        return playback.failure();
    while (playback.isActive())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    return playback.failure();
}
