#include "app/mainmenu.h"
#include "app/platformchoice.h"
#include "app/quitsignals.h"
#include "app/ui/application.h"

int main(int argc, char *argv[])
{
    platformchoice::applyBeforeStart(argc, argv);
    Rk25Application app(argc, argv);
    // The main window's close ends the run, not the last window that happens to close.
    app.setQuitOnLastWindowClosed(false);
    int result = 0;
    {
        MainMenu menu;
        QuitSignals quitSignals(&menu, [&menu] { menu.close(); });
        menu.FormCreate();
        menu.createOtherWindows();
        menu.centreOnScreen();
        menu.show();
        result = app.exec();
    }
    return result;
}
