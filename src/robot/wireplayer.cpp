// SPDX-License-Identifier: GPL-3.0-or-later
#include "robot/wireplayer.h"

#include "robot/robotline.h"

#include <limits>

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 NS_PER_MS = 1000000;

}

WirePlayer::WirePlayer(RobotLine *port)
    : QObject(port)
    , m_port(port)
{
    setObjectName(u"wirePlayer"_s);
    m_clock.start();
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &WirePlayer::pump);
    connect(port, &RobotLine::written, this, &WirePlayer::lineWritten);
    connect(port, &RobotLine::writeFailed, this, &WirePlayer::lineFailed);
}

WirePlayer *WirePlayer::of(RobotLine *port)
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
    playback->m_startNs = m_clock.nsecsElapsed();
    playback->m_player = this;
    auto refuse = [playback](Failure failure, const QString &reason) {
        playback->m_failure = failure;
        emit playback->failed(failure, reason);
        return false;
    };
    // One plan at a time; the one playing goes on undisturbed.
    if (m_planActive)
        return refuse(Failure::LineBusy, RobotLine::lineBusyText());
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

void WirePlayer::whenIdle(QObject *context, std::function<void()> then)
{
    if (isIdle()) {
        then();
        return;
    }
    auto *once = new QObject(context);
    connect(this, &WirePlayer::idle, once, [once, then = std::move(then)] {
        delete once;
        then();
    });
    // The player going first (with its port) is idle for good.
    connect(this, &QObject::destroyed, once, [once] { delete once; });
}

void WirePlayer::tellIfIdle()
{
    const bool idleNow = isIdle();
    const bool becameIdle = idleNow && !m_wasIdle;
    m_wasIdle = idleNow;
    if (becameIdle)
        emit idle();
}

void WirePlayer::pump()
{
    if (m_inPump)
        return;
    const QPointer<WirePlayer> alive(this);
    m_inPump = true;
    m_timer.stop();
    // Leaves the loop below on every path, so a later "written" can start the next round.
    struct Leave
    {
        const QPointer<WirePlayer> &alive;
        ~Leave()
        {
            if (alive) {
                alive->m_inPump = false;
                alive->tellIfIdle();
            }
        }
    } leave{alive};
    for (;;) {
        if (m_writing != Writing::Nothing)
            return;
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
            // The event loop's waits are whole milliseconds and may end up to one late, so a
            // timer rounded up would overshoot by up to 2 ms a byte. The timer wakes us within
            // the last millisecond instead; zero-time turns of the loop see the rest out.
            m_timer.start(int(left / NS_PER_MS));
            return;
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
    m_writing = Writing::PlanByte;
    m_writingValue = b.value;
    m_writingPauseMs = b.pauseMs;
    m_writingProgress = !b.blockNumber ? b.progress : -1;
    m_writingProgressAfterMs = b.progressAfterMs;
    ++m_planNext;
    if (!m_port->WriteByteAs(this, b.value)) {
        m_writing = Writing::Nothing;
        // The robot is out of reach: no point in finishing its block.
        failPlan(Failure::WriteFailed, m_port->lastError());
    }
}

void WirePlayer::sendDriveByte()
{
    const WireByte b = m_driving.takeFirst();
    m_writing = Writing::DriveByte;
    m_writingValue = b.value;
    m_writingPauseMs = b.pauseMs;
    // Refused bytes (no port, the line held by another) are dropped: the pupil's next choice
    // is what counts, not an old one delivered late.
    if (!m_port || !m_port->isOpen() || !m_port->WriteByteAs(this, b.value)) {
        m_writing = Writing::Nothing;
        emit driveRefused(b.value);
        // Not a busy line: the robot cannot be reached (no port, or the cable is out).
        if (!m_port || !m_port->lineClaimed())
            emit driveFailed(b.value);
    }
}

void WirePlayer::lineWritten()
{
    const Writing was = m_writing;
    if (was == Writing::Nothing)
        return;
    m_writing = Writing::Nothing;
    // The pause counts from the moment the byte is with the system, so it is never short.
    const qint64 sentAt = m_clock.nsecsElapsed();
    m_lastSentAtNs = sentAt;
    m_readyAtNs = sentAt + qint64(m_writingPauseMs) * NS_PER_MS;
    if (was == Writing::PlanByte) {
        if (m_playback)
            m_playback->m_sentAtNs.append(sentAt - m_playback->m_startNs);
        if (m_writingProgress >= 0) {
            m_progress = m_writingProgress;
            m_progressDueNs = sentAt + qint64(m_writingProgressAfterMs) * NS_PER_MS;
        }
    }
    const QPointer<WirePlayer> alive(this);
    emit sent(m_writingValue, sentAt);
    if (alive && was == Writing::DriveByte)
        emit driveSent(m_writingValue);
    if (alive)
        pump();
}

void WirePlayer::lineFailed()
{
    const Writing was = m_writing;
    if (was == Writing::Nothing)
        return;
    m_writing = Writing::Nothing;
    const QPointer<WirePlayer> alive(this);
    if (was == Writing::PlanByte) {
        failPlan(Failure::WriteFailed, m_port ? m_port->lastError() : QString());
    } else {
        emit driveRefused(m_writingValue);
        if (alive)
            emit driveFailed(m_writingValue);
    }
    if (alive)
        pump();
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
        playback->m_sentAtNs.append(m_clock.nsecsElapsed() - playback->m_startNs);
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
    pump();
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

qint64 WirePlayback::nsecsSincePlay() const
{
    return m_player ? m_player->nsecsNow() - m_startNs : 0;
}

void WirePlayback::stop()
{
    if (m_active && m_player)
        m_player->stopPlayback(this, true);
}

void playThen(RobotLine *port, const WirePlan &plan, QObject *context,
              std::function<void(WirePlayer::Failure)> done)
{
    WirePlayer *player = WirePlayer::of(port);
    if (!player) {
        done(WirePlayer::Failure::PortNotOpen);
        return;
    }
    auto *playback = new WirePlayback(plan, context);
    auto end = [playback, done] {
        playback->deleteLater();
        // Once only: a refusal inside play() must not be told again afterwards.
        playback->disconnect();
        done(playback->failure());
    };
    QObject::connect(playback, &WirePlayback::finished, playback, end);
    QObject::connect(playback, &WirePlayback::stopped, playback, end);
    QObject::connect(playback, &WirePlayback::failed, playback, end);
    player->play(playback);
}
