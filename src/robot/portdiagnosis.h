// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "robot/portmessages.h"

#include <QByteArray>
#include <QString>

// Looks at a serial device without opening it: is it there (a pseudo-terminal that is some
// session's terminal counts as no robot's port: NotFound), may this user open it, does a
// lock file say another process has it. A lock whose owner has ended (no process has its
// number, or the process that has it now runs another program than the lock names, as
// QLockFile judges it) counts as free when it can be removed (opening clears it) and as
// StaleLock when it cannot.
PortStatus diagnosePort(const QString &device);

// The lock file that opening the device uses ("/run/lock/LCK..ttyUSB0"; "pts/3" becomes
// "LCK..pts_3"), in the first lock folder that exists and is readable and where the file is
// or may be made; empty when there is none.
QString serialLockFilePath(const QString &device);

// Whether this process may delete the file (the folder's write right and its sticky bit).
bool mayRemoveFile(const QString &path);

// The right to open: 0, or the errno that access() gives. Replaceable for tests, because root
// may open everything; nullptr restores the system's check.
using AccessProbe = int (*)(const QByteArray &path);
void setAccessProbe(AccessProbe probe);
