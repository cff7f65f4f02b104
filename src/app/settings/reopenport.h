// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class SettingsFile;
class Trs232c;

// Re-opens the robot's port with the port chosen in set.ini: close, wait 400 ms, take
// comport/name (0..3 give "com1".."com4", other values keep the name), open, wait 4000 ms,
// send 254. Events are handled during the waits. Returns whether the port opened; a call made
// while one is running for the same port (from inside its waits) does nothing and returns false.
bool ReopenPort(Trs232c &port);
bool ReopenPort(Trs232c &port, const SettingsFile &settings);
