// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "robot/programimage.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

// Pauses that pace the robot's reception. They are minimums: the robot needs at least this
// long to take in a byte.
inline constexpr int BLOCK_NUMBER_PAUSE_MS = 100;
inline constexpr int BYTE_PAUSE_MS = 60;
inline constexpr int ROUTE_BYTE_PAUSE_MS = 80;
inline constexpr int BLOCK_END_PAUSE_MS = 500;

// One byte on the wire and what follows it.
struct WireByte
{
    quint8 value = 0;
    // The whole pause after this byte, before the next byte or the end of the transfer.
    int pauseMs = 0;
    // The bar after this byte; a block number leaves it where it was. Below 0: no bar at all
    // (single commands).
    int progress = 0;
    bool blockNumber = false;
    // When the bar moves to progress, counted from the byte: after the byte's own pause, so
    // the bar never runs ahead of the robot. A block's end pause comes after it.
    int progressAfterMs = 0;
};

// Everything a transfer sends, in wire order, or why it sends nothing.
struct WirePlan
{
    bool ok = false;
    // Why nothing is sent (compiler messages, or the program is too long), for one box.
    QStringList messages;
    QByteArray image;
    // For each byte of the image, the program text line (from 1) it was compiled from; 0 for
    // the start header, the end byte and the fill. Empty when the text was not compiled here.
    QList<int> imageLines;
    QList<WireByte> bytes;

    QByteArray values() const;
    qint64 totalPauseMs() const;
};

int bytePauseMs(ScreenKind kind);

// Whether the image starts with the header that waits for the front switch: how is the start
// mode of set.ini (false: wait); the text screen never sends it.
bool startHeaderWanted(ScreenKind kind, bool how);

// The byte of the run button: 4 on the icon and route screens, 7 on the text screen.
quint8 startCommand(ScreenKind kind);

// The plan for a compiled program. how: the start mode of set.ini (false puts the header
// that waits for the front switch in front; the text screen never sends it).
WirePlan wirePlan(const QStringList &compiledLines, ScreenKind kind, bool how);

// Compiles the program text first. On the icon and text screens a text that does not compile
// is refused with the compiler's messages; the route screen sends it as an empty program.
WirePlan wirePlanForText(const QString &programText, ScreenKind kind, bool how);

// Single command bytes, each with the pause after it: a plan without blocks and without bar.
WirePlan commandPlan(std::initializer_list<std::pair<quint8, int>> bytesAndPauses);

// The run button's byte; nothing needs to follow it.
WirePlan runPlan(ScreenKind kind);

// The settings screen's operation test: 6 and the wheel speed twice, each followed by 100 ms.
inline constexpr int OPERATION_TEST_PAUSE_MS = 100;
WirePlan operationTestPlan(int speed);

// What still goes out when a plan is stopped after its first `sent` bytes: the robot counts
// the bytes of a block once it has its number, so the rest of that block follows as 254 at the
// planned pauses (it would otherwise take the first bytes of the next transfer as the end of
// this block). Nothing when the stop falls between blocks. A plan of single commands is one
// unit (6 waits for its two speed bytes), so its rest goes out as planned.
QList<WireByte> restAfterStop(const WirePlan &plan, int sent);

// Remote-control driving. The pause after each byte: 500 ms after 5 (the robot switches over),
// 100 ms after a motor code, none after the 254 on leaving.
inline constexpr int REMOTE_START_PAUSE_MS = 500;
inline constexpr int DRIVE_PAUSE_MS = 100;
WireByte remoteByte(quint8 value);

// What waits for the line once the pupil asks for next while waiting still waits: the robot is
// to follow the pupil's last wish, not a backlog. A motor code (stop included) replaces the
// motor code waiting, so a held key queues nothing; 5 replaces a waiting 5 and motor codes;
// the 254 on leaving replaces everything. A waiting 5 stays ahead of motor codes: without it
// the robot would not drive at all.
QList<WireByte> remoteWaitingAfter(const QList<WireByte> &waiting, const WireByte &next);
