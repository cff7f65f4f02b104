// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/splashscreen.h"

#include "app/ui/backgroundpicture.h"
#include "app/ui/errorguard.h"

using namespace Qt::StringLiterals;

SplashScreen::SplashScreen(QWidget *parent)
    : PictureWindow({u"TForm5"_s, u"splash"_s, QSize(400, 284),
                     u"Image1"_s, {}},
                    parent)
{
    background()->setDraggable(false);
    background()->setFillColor(QColor(20, 50, 110));
    background()->setFallbackText(ui::applicationTitle());
    setAttribute(Qt::WA_ShowWithoutActivating);
}
