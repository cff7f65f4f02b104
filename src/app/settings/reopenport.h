// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

class QObject;
class SettingsFile;
class Trs232c;

// Re-opens the robot's port with the port chosen in set.ini: close, wait 400 ms, take
// comport/name (0..3 give "com1".."com4", other values keep the name), open, wait 4000 ms,
// send 254, then call then with whether the port opened. It returns at once and goes on on the
// event loop (DelayWithEvents); nothing waits inside it. A call made while one is running for
// the same port does nothing and returns false (then is not called); otherwise true. Nothing
// more happens once context is gone.
bool ReopenPort(Trs232c &port, QObject *context, std::function<void(bool opened)> then);
bool ReopenPort(Trs232c &port, const SettingsFile &settings, QObject *context,
                std::function<void(bool opened)> then);
