// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/mainmenustart.h"

#include "app/mainmenu.h"

#include <QtWidgets/QWidget>

#include <QTest>

namespace testenv {

bool startMainMenu(MainMenu *menu)
{
    bool created = false;
    menu->FormCreate([&created] { created = true; });
    if (!QTest::qWaitFor([&created] { return created; }, 30000))
        return false;
    menu->createOtherWindows();
    menu->centreOnScreen();
    menu->show();
    return QTest::qWaitForWindowExposed(menu);
}

}
