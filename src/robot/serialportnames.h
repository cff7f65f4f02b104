// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "robot/portmessages.h"

#include <QString>

// "com1".."com4" (any case) are resolved to a Linux device, in this order:
//  1. a symbolic link "com<n>" (lower case) in the working folder, if present, followed;
//  2. otherwise the n-th USB serial adapter present (/dev/ttyUSB* then /dev/ttyACM*, in
//     numeric order);
//  3. otherwise /dev/ttyS<n-1>.
// Any other name passes through unchanged. workFolder empty means WorkFolderPath().
QString resolvePortName(const QString &name, const QString &workFolder = QString());

// The port number 1..4 of "com1".."com4" (any case), otherwise 0.
int comPortNumber(const QString &name);

// A short description, for the settings screen, of what COM<index+1> reaches now, for
// example "USBシリアル /dev/ttyUSB0" or "リンク → /dev/pts/3".
QString describeComPort(int index, const QString &workFolder = QString());
// Whether COM<index+1> can be used now, and if not why (without opening it).
PortStatus comPortStatus(int index, const QString &workFolder = QString());
