// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class MainMenu;

namespace testenv {

// Brings the menu up the way the program starts: its own set-up, every other window, centred
// and shown. True once it is on the screen.
bool startMainMenu(MainMenu *menu);

}
