// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/mainmenustart.h"

#include "app/mainmenu.h"

#include <QtWidgets/QWidget>

#include <QTest>

namespace testenv {

bool startMainMenu(MainMenu *menu)
{
    menu->FormCreate();
    menu->createOtherWindows();
    menu->centreOnScreen();
    menu->show();
    return QTest::qWaitForWindowExposed(menu);
}

}
