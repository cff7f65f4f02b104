// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

// Why the robot's port cannot be used, as far as the system lets us tell.
enum class PortCause {
    Usable,    // it can be opened (or is open and sound)
    NoRight,   // the user may not open the device (not in the dialout group)
    Held,      // another program or user has it (its lock file, or the device refuses a second user)
    StaleLock, // a lock left by a program that has ended, which we may not remove
    NotFound,  // nothing at the chosen COM
    Gone,      // the device went away while open (cable pulled, virtual robot ended)
    Other,     // anything else; the port's own words are in Trs232c::lastError()
};

// Every text the pupil or the teacher reads about the port, one row per cause. The teacher's
// troubleshooting table is generated from this table, so no other place words these causes.
//
// In box, these names are replaced: {port} the device, {user} the login name, {holder} who
// holds the port (empty when not known), {lock} the lock file.
struct PortMessage
{
    PortCause cause;
    const char16_t *key;       // a stable name for the generated table
    const char16_t *mark;      // beside the COM in the settings screen
    const char16_t *stateLine; // the state line of the remote-control screen
    const char16_t *box;       // the box on send, run or remote start
    const char16_t *reason;    // in the port's error text: "ポート … を開けません（reason）"
};

const QList<PortMessage> &portMessageTable();
const PortMessage &portMessage(PortCause cause);

// What is known about one port: its cause and the details the box names.
struct PortStatus
{
    PortCause cause = PortCause::Usable;
    QString device;
    qint64 holderPid = 0;
    QString holderName; // the holding process's name, when known
    QString lockFile;
};

// The box for a status, with its names filled in.
QString portBoxText(const PortStatus &status);
// "{holder}": "（プログラム名 ばんごう 123）" or empty.
QString holderText(const PortStatus &status);
// The login name for the command of the NoRight box.
QString loginName();
