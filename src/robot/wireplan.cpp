// SPDX-License-Identifier: GPL-3.0-or-later
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
    return kind == ScreenKind::Route ? ROUTE_BYTE_PAUSE_MS : BYTE_PAUSE_MS;
}

bool startHeaderWanted(ScreenKind kind, bool how)
{
    return kind != ScreenKind::Text && !how;
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
    if (kind == ScreenKind::Text && compiledLines.size() > TEXT_SCREEN_MAX_COMPILED_BYTES)
        return refused({textTooLongMessage()});
    const QByteArray image = buildProgramImage(compiledLines, kind, startHeaderWanted(kind, how));
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
    for (int start = 0; start < length; start += BLOCK_SIZE) {
        plan.bytes.append({blockNumber(start / BLOCK_SIZE), BLOCK_NUMBER_PAUSE_MS, progress, true});
        const int end = qMin(start + BLOCK_SIZE, length);
        for (int position = start + 1; position <= end; ++position) {
            progress = static_cast<int>(roundHalfEven(position * step));
            plan.bytes.append({static_cast<quint8>(image.at(position - 1)), pause, progress, false, pause});
        }
        plan.bytes.last().pauseMs += BLOCK_END_PAUSE_MS;
    }
    return plan;
}

WirePlan wirePlanForText(const QString &programText, ScreenKind kind, bool how)
{
    TSmr smr(programText);
    if (smr.Compile()) {
        WirePlan plan = wirePlan(smr.codeLines(), kind, how);
        if (plan.ok) {
            plan.imageLines = QList<int>(startHeaderWanted(kind, how) ? qsizetype(START_HEADER.size()) : 0, 0);
            plan.imageLines.append(smr.sourceLines());
            plan.imageLines.resize(plan.image.size(), 0);
        }
        return plan;
    }
    if (kind == ScreenKind::Route)
        return wirePlan({}, kind, how);
    return refused(smr.messages());
}

WirePlan commandPlan(std::initializer_list<std::pair<quint8, int>> bytesAndPauses)
{
    WirePlan plan;
    plan.ok = true;
    for (const auto &[value, pauseMs] : bytesAndPauses) {
        plan.image.append(static_cast<char>(value));
        plan.bytes.append({value, pauseMs, -1, false, 0});
    }
    return plan;
}

WirePlan runPlan(ScreenKind kind)
{
    return commandPlan({{startCommand(kind), 0}});
}

WirePlan operationTestPlan(int speed)
{
    const auto value = static_cast<quint8>(speed & 0xFF);
    return commandPlan({{CMD_TEST, OPERATION_TEST_PAUSE_MS},
                        {value, OPERATION_TEST_PAUSE_MS},
                        {value, OPERATION_TEST_PAUSE_MS}});
}

QList<WireByte> restAfterStop(const WirePlan &plan, int sent)
{
    const auto size = static_cast<int>(plan.bytes.size());
    if (sent <= 0 || sent >= size)
        return {};
    int blockStart = -1;
    for (int i = sent - 1; i >= 0; --i) {
        if (plan.bytes.at(i).blockNumber) {
            blockStart = i;
            break;
        }
    }
    if (blockStart < 0)
        return plan.bytes.mid(sent);
    int blockEnd = blockStart + 1;
    while (blockEnd < size && !plan.bytes.at(blockEnd).blockNumber)
        ++blockEnd;
    QList<WireByte> rest = plan.bytes.mid(sent, blockEnd - sent);
    for (WireByte &b : rest)
        b.value = TERMINATOR;
    return rest;
}

WireByte remoteByte(quint8 value)
{
    if (value == CMD_REMOTE)
        return {value, REMOTE_START_PAUSE_MS, -1, false, 0};
    if (value == TERMINATOR)
        return {value, 0, -1, false, 0};
    return {value, DRIVE_PAUSE_MS, -1, false, 0};
}

namespace {

// Which waiting bytes a new one may replace: a later wish of the same rank or above wins.
int remoteRank(quint8 value)
{
    if (value == TERMINATOR)
        return 2;
    if (value == CMD_REMOTE)
        return 1;
    return 0;
}

}

QList<WireByte> remoteWaitingAfter(const QList<WireByte> &waiting, const WireByte &next)
{
    const int rank = remoteRank(next.value);
    QList<WireByte> after;
    for (const WireByte &b : waiting) {
        if (remoteRank(b.value) > rank)
            after.append(b);
    }
    after.append(next);
    return after;
}
