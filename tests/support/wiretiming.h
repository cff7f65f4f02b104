// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "robot/programimage.h"

#include <QByteArray>
#include <QMetaType>

// The pseudo-terminal's timestamps are taken by a reader thread after it wakes up; on a busy
// machine one byte can be seen late and the gap behind it short. The player's own clock is
// checked exactly; the wire only for gross faults (a missing block pause, a wrong byte pause).
inline constexpr int READER_SLACK_MS = 15;

Q_DECLARE_METATYPE(ScreenKind)

// True when the wire holds whole blocks only: each block number followed by its 40 bytes.
// A robot given less would take the next transfer's first bytes as the end of its block.
inline bool holdsWholeBlocks(const QByteArray &wire)
{
    constexpr int blockOnWire = 41;
    if (wire.size() % blockOnWire != 0)
        return false;
    for (qsizetype start = 0; start < wire.size(); start += blockOnWire) {
        if (quint8(wire.at(start)) != quint8(start / blockOnWire + 1))
            return false;
    }
    return true;
}
