// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/commandline.h"
#include "app/mainmenu.h"
#include "app/platformchoice.h"
#include "app/quitsignals.h"
#include "app/ui/application.h"
#include "rk25version.h"

int main(int argc, char *argv[])
{
    if (const std::optional<int> done = commandline::handleApplication(argc, argv, QString::fromLatin1(RK25_VERSION)))
        return *done;
    platformchoice::applyBeforeStart(argc, argv);
    Rk25Application app(argc, argv);
    // The main window's close ends the run, not the last window that happens to close.
    app.setQuitOnLastWindowClosed(false);
    int result = 0;
    {
        MainMenu menu;
        QuitSignals quitSignals(&menu, [&menu] { menu.close(); });
        menu.FormCreate([&menu] {
            menu.createOtherWindows();
            menu.centreOnScreen();
            menu.show();
        });
        result = app.exec();
    }
    return result;
}
