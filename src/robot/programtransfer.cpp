// SPDX-License-Identifier: GPL-3.0-or-later
#include "robot/programtransfer.h"

#include "robot/robotline.h"
#include "robot/wireplayer.h"

using namespace Qt::StringLiterals;

ProgramTransfer::ProgramTransfer(RobotLine *line, QObject *parent)
    : QObject(parent)
    , m_line(line)
{
}

ProgramTransfer::~ProgramTransfer() = default;

bool ProgramTransfer::refuse(Refusal why, const QString &text)
{
    emit refused(why, text);
    return false;
}

bool ProgramTransfer::prepare(const QString &programText, ScreenKind kind, bool how)
{
    // A second send during the pauses would mix its bytes into the first.
    if (m_line && m_line->lineClaimed())
        return refuse(Refusal::LineBusy, RobotLine::lineBusyText());
    m_plan = wirePlanForText(programText, kind, how);
    if (!m_plan.ok)
        return refuse(Refusal::NotAccepted, m_plan.messages.join(u"\r\n"_s));
    return true;
}

bool ProgramTransfer::play()
{
    if (!m_plan.ok || m_playback)
        return false;
    if (!m_line || !m_line->makeReady())
        return refuse(Refusal::Unreachable, unreachableText(m_line));
    m_playback = new WirePlayback(m_plan, this);
    connect(m_playback, &WirePlayback::progressChanged, this, &ProgramTransfer::progressChanged);
    connect(m_playback, &WirePlayback::finished, this, &ProgramTransfer::finished);
    connect(m_playback, &WirePlayback::stopped, this, &ProgramTransfer::stopped);
    connect(m_playback, &WirePlayback::failed, this, [this] { emit failed(unreachableText(m_line)); });
    return WirePlayer::of(m_line)->play(m_playback);
}

void ProgramTransfer::stop()
{
    if (m_playback)
        m_playback->stop();
}

bool ProgramTransfer::isActive() const
{
    return m_playback && m_playback->isActive();
}

int ProgramTransfer::sentCount() const
{
    return m_playback ? m_playback->sentCount() : 0;
}

bool ProgramTransfer::stopLosesBytes() const
{
    const int sent = sentCount();
    const QList<WireByte> rest = restAfterStop(m_plan, sent);
    if (sent + rest.size() < m_plan.bytes.size())
        return true;
    for (qsizetype i = 0; i < rest.size(); ++i) {
        if (rest[i].value != m_plan.bytes[sent + i].value)
            return true;
    }
    return false;
}

QString robotUnreachableText()
{
    return QString::fromUtf16(portMessage(PortCause::Other).box);
}

QString unreachableText(const RobotLine *line)
{
    if (!line || line->lastStatus().cause == PortCause::Usable)
        return robotUnreachableText();
    return portBoxText(line->lastStatus());
}

QString transferCutText()
{
    return u"プログラムを おくる とちゅうで 画面を かえたので、おくるのを とめました。\r\n"
           u"ロボットには プログラムが ぜんぶ とどいていません。もういちど おくってください。"_s;
}
