// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Implemented by a screen that takes settings from set.ini when it is shown: the settings
// screen's OK was accepted (perhaps over that screen), so it reads them again now rather
// than holding on to values the file no longer has.
class SettingsReader
{
public:
    virtual ~SettingsReader() = default;
    virtual void settingsAccepted() = 0;
};
