#include "robot/wireplan.h"

#include "common/rounding.h"
#include "robot/instructioncode.h"
#include "robot/tsmr.h"

QByteArray WirePlan::values() const
{
    QByteArray out;
    out.reserve(bytes.size());
    for (const WireByte &b : bytes)
        out.append(static_cast<char>(b.value));
    return out;
}

qint64 WirePlan::totalPauseMs() const
{
    qint64 total = 0;
    for (const WireByte &b : bytes)
        total += b.pauseMs;
    return total;
}

int bytePauseMs(ScreenKind kind)
{
    return kind == ScreenKind::Route ? RouteBytePauseMs : BytePauseMs;
}

quint8 startCommand(ScreenKind kind)
{
    return kind == ScreenKind::Text ? CMD_START_TEXT : CMD_START;
}

namespace {

WirePlan refused(const QStringList &messages)
{
    WirePlan plan;
    plan.messages = messages;
    return plan;
}

}

WirePlan wirePlan(const QStringList &compiledLines, ScreenKind kind, bool how)
{
    if (kind == ScreenKind::Text && compiledLines.size() > TextScreenMaxCompiledBytes)
        return refused({textTooLongMessage()});
    const bool withHeader = kind != ScreenKind::Text && !how;
    const QByteArray image = buildProgramImage(compiledLines, kind, withHeader);
    // The robot keeps three blocks; a longer image would arrive without its end byte.
    if (!fitsRobot(image))
        return refused({imageTooLongMessage()});

    WirePlan plan;
    plan.ok = true;
    plan.image = image;
    const int length = static_cast<int>(image.size());
    const double step = 100.0 / length;
    const int pause = bytePauseMs(kind);
    int progress = 0;
    for (int start = 0; start < length; start += BlockSize) {
        plan.bytes.append({blockNumber(start / BlockSize), BlockNumberPauseMs, progress, true});
        const int end = qMin(start + BlockSize, length);
        for (int position = start + 1; position <= end; ++position) {
            progress = static_cast<int>(roundHalfEven(position * step));
            plan.bytes.append({static_cast<quint8>(image.at(position - 1)), pause, progress, false});
        }
        plan.bytes.last().pauseMs += BlockEndPauseMs;
    }
    return plan;
}

WirePlan wirePlanForText(const QString &programText, ScreenKind kind, bool how)
{
    TSmr smr(programText);
    if (smr.Compile())
        return wirePlan(smr.codeLines(), kind, how);
    if (kind == ScreenKind::Route)
        return wirePlan({}, kind, how);
    return refused(smr.messages());
}
