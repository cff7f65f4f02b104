#pragma once

#include "robot/programimage.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Pauses that pace the robot's reception. They are minimums: the robot needs at least this
// long to take in a byte.
inline constexpr int BlockNumberPauseMs = 100;
inline constexpr int BytePauseMs = 60;
inline constexpr int RouteBytePauseMs = 80;
inline constexpr int BlockEndPauseMs = 500;

// One byte on the wire and what follows it.
struct WireByte
{
    quint8 value = 0;
    // The whole pause after this byte, before the next byte or the end of the transfer.
    int pauseMs = 0;
    // The bar after this byte; a block number leaves it where it was.
    int progress = 0;
    bool blockNumber = false;
};

// Everything a transfer sends, in wire order, or why it sends nothing.
struct WirePlan
{
    bool ok = false;
    // Why nothing is sent (compiler messages, or the program is too long), for one box.
    QStringList messages;
    QByteArray image;
    QList<WireByte> bytes;

    QByteArray values() const;
    qint64 totalPauseMs() const;
};

int bytePauseMs(ScreenKind kind);

// The byte of the run button: 4 on the icon and route screens, 7 on the text screen.
quint8 startCommand(ScreenKind kind);

// The plan for a compiled program. how: the start mode of set.ini (false puts the header
// that waits for the front switch in front; the text screen never sends it).
WirePlan wirePlan(const QStringList &compiledLines, ScreenKind kind, bool how);

// Compiles the program text first. On the icon and text screens a text that does not compile
// is refused with the compiler's messages; the route screen sends it as an empty program.
WirePlan wirePlanForText(const QString &programText, ScreenKind kind, bool how);
