// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/commandline.h"
#include "app/mainmenu.h"
#include "app/platformchoice.h"
#include "app/quitsignals.h"
#include "app/singleinstance.h"
#include "app/ui/messagebox.h"
#include "app/ui/application.h"
#include "app/ui/stage.h"
#include "common/workfolder.h"
#include "rk25version.h"

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    if (const std::optional<int> done = commandline::handleApplication(argc, argv, QString::fromLatin1(RK25_VERSION)))
        return *done;
    platformchoice::applyBeforeStart(argc, argv);
    Rk25Application app(argc, argv);
    // The main window's close ends the run, not the last window that happens to close.
    app.setQuitOnLastWindowClosed(false);
    SingleInstance single(WorkFolderPath());
    if (!single.claim()) {
        single.askRunningToFront([](bool answered) {
            if (!answered)
                ui::showMessage(nullptr, ui::MessageKind::Information,
                                u"このソフトは もう ひらいています。\nタスクバーで ひらいている ソフトを さがしてください。"_s);
            QCoreApplication::exit(0);
        });
        return app.exec();
    }
    int result = 0;
    {
        MainMenu menu;
        QuitSignals quitSignals(&menu, [&menu] { menu.close(); });
        QObject::connect(&single, &SingleInstance::frontRequested, &menu, &MainMenu::bringToFront);
        menu.FormCreate([&menu] {
            menu.createOtherWindows();
            menu.centreOnScreen();
            ui::stage().showScreen(&menu);
        });
        result = app.exec();
    }
    return result;
}
