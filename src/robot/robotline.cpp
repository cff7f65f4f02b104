// SPDX-License-Identifier: GPL-3.0-or-later
#include "robot/robotline.h"

using namespace Qt::StringLiterals;

RobotLine::RobotLine(QObject *parent)
    : QObject(parent)
{
}

bool RobotLine::Write(const char *buffer, int count)
{
    return Write(QByteArrayView(buffer, count < 0 ? 0 : count));
}

bool RobotLine::WriteByte(int value)
{
    const char byte = char(value & 0xFF);
    return Write(QByteArrayView(&byte, 1));
}

bool RobotLine::fail(const QString &reason)
{
    m_lastError = reason;
    return false;
}

bool RobotLine::failWith(PortStatus status, const QString &reason)
{
    if (status.device.isEmpty())
        status.device = devicePath();
    setStatus(status);
    return fail(reason);
}

void RobotLine::setStatus(const PortStatus &status)
{
    const bool changed = status.cause != m_status.cause || status.device != m_status.device
        || status.holderPid != m_status.holderPid;
    m_status = status;
    if (changed)
        emit statusChanged();
}

bool RobotLine::claimLine(const QObject *owner)
{
    if (!owner || (lineClaimed() && m_lineOwner != owner))
        return fail(lineBusyText());
    m_lineOwner = owner;
    return true;
}

void RobotLine::releaseLine(const QObject *owner)
{
    if (!owner || m_lineOwner != owner)
        return;
    m_lineOwner.clear();
    emit lineReleased();
}

bool RobotLine::WriteByteAs(const QObject *owner, int value)
{
    if (!owner || m_lineOwner != owner)
        return WriteByte(value);
    m_ownerWriting = true;
    const bool ok = WriteByte(value);
    m_ownerWriting = false;
    return ok;
}

QString RobotLine::lineBusyText()
{
    return u"いまプログラムを送っています。終わるまで待ってください。"_s;
}

void connectModemLineHandlers(RobotLine &line)
{
    QObject::connect(&line, &RobotLine::OnOpen, &line, [&line] {
        line.SetDTR(true);
        line.SetRTS(true);
    });
    QObject::connect(&line, &RobotLine::OnClose, &line, [&line] {
        line.SetDTR(false);
        line.SetRTS(false);
    });
}
