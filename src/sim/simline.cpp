// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/simline.h"

using namespace Qt::StringLiterals;

namespace sim {

namespace {
// Often enough for the robot's switches and waits (tenths of a second) to be seen in time.
constexpr int TICK_MS = 20;
}

SimLine::SimLine(QObject *parent)
    : RobotLine(parent)
{
    m_clock.start();
    m_tick.setInterval(TICK_MS);
    connect(&m_tick, &QTimer::timeout, this, &SimLine::catchUp);
}

void SimLine::catchUp()
{
    m_robot.advanceTo(m_clock.elapsed());
}

bool SimLine::Open()
{
    if (claimedByOther())
        return fail(lineBusyText());
    if (m_opened)
        return fail(u"ポートはもう開いています"_s);
    catchUp();
    m_opened = true;
    m_lastError.clear();
    PortStatus ok;
    ok.device = devicePath();
    setStatus(ok);
    m_tick.start();
    emit OnOpen();
    return true;
}

bool SimLine::Close()
{
    if (claimedByOther())
        return fail(lineBusyText());
    if (!m_opened)
        return false;
    emit OnClose();
    m_opened = false;
    m_tick.stop();
    return true;
}

bool SimLine::Write(QByteArrayView bytes)
{
    if (claimedByOther())
        return fail(lineBusyText());
    if (!m_opened)
        return fail(u"ポートが開いていません"_s);
    for (const char c : bytes) {
        catchUp();
        m_robot.receive(quint8(c));
        m_arrivals.append({quint8(c), m_clock.nsecsElapsed()});
    }
    m_lastError.clear();
    if (!m_writtenDue) {
        m_writtenDue = true;
        QMetaObject::invokeMethod(this, [this] {
            m_writtenDue = false;
            emit written();
        }, Qt::QueuedConnection);
    }
    return true;
}

bool SimLine::SetRTS(bool raise)
{
    if (!m_opened)
        return false;
    m_rts = raise;
    return true;
}

bool SimLine::SetDTR(bool raise)
{
    if (!m_opened)
        return false;
    m_dtr = raise;
    return true;
}

bool SimLine::makeReady()
{
    if (claimedByOther())
        return fail(lineBusyText());
    return m_opened || Open();
}

PortStatus SimLine::currentStatus() const
{
    PortStatus status;
    status.device = devicePath();
    return status;
}

QString SimLine::devicePath() const
{
    return u"プログラムの中のロボット"_s;
}

}
