// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "robot/programimage.h"
#include "robot/wireplayer.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QMetaType>

// The pauses are checked on the player's own clock, from the moment the line said each byte
// was written: the pseudo-terminal's reader thread may see bytes late and bunched on a busy
// machine, which proves nothing about the pauses.
class SentRecorder
{
public:
    explicit SentRecorder(WirePlayer *player)
        : m_player(player)
    {
        m_connection = QObject::connect(player, &WirePlayer::sent, [this](quint8 value, qint64 atNs) {
            values.append(char(value));
            atNs_.append(atNs);
        });
    }
    ~SentRecorder() { QObject::disconnect(m_connection); }
    SentRecorder(const SentRecorder &) = delete;
    SentRecorder &operator=(const SentRecorder &) = delete;

    // Whether at least ms passed from byte `from` to byte `to` (or to now, when to is -1).
    bool apart(int from, int to, int ms) const
    {
        const qint64 end = to < 0 ? m_player->nsecsNow() : atNs_.at(to);
        return end - atNs_.at(from) >= qint64(ms) * 1000000;
    }
    qint64 nsecsNow() const { return m_player->nsecsNow(); }
    qint64 atNs(int i) const { return atNs_.at(i); }

    QByteArray values;

private:
    WirePlayer *m_player;
    QList<qint64> atNs_;
    QMetaObject::Connection m_connection;
};

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
