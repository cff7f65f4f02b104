// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtWidgets/QWidget>

#include "app/ui/picturewindow.h"

// TForm5: one picture filling a borderless 400 x 284 window, shown while the port opens.
class SplashScreen : public PictureWindow
{
    Q_OBJECT
public:
    explicit SplashScreen(QWidget *parent = nullptr);
};
