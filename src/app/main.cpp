#include "app/commandline.h"
#include "app/mainmenu.h"
#include "app/ui/application.h"
#include "rk25version.h"

int main(int argc, char *argv[])
{
    if (const std::optional<int> done = commandline::handleApplication(argc, argv, QString::fromLatin1(RK25_VERSION)))
        return *done;
    Rk25Application app(argc, argv);
    // The main window's close ends the run, not the last window that happens to close.
    app.setQuitOnLastWindowClosed(false);
    int result = 0;
    {
        MainMenu menu;
        menu.FormCreate();
        menu.createOtherWindows();
        menu.centreOnScreen();
        menu.show();
        result = app.exec();
    }
    return result;
}
