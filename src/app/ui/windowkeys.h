// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtWidgets/QWidget>

#include <QKeySequence>
#include <QStringView>

#include <initializer_list>

// Keys that press a control of a window from anywhere in it, by the control's objectName;
// the control is pressed as Space presses it, so a key does exactly what a click does.
namespace ui {

struct KeyForControl
{
    QKeySequence key;
    QStringView control; // copied when bound
};

void bindKeys(QWidget *window, std::initializer_list<KeyForControl> keys);

// The working screens: Ctrl+Enter sends, F5 runs, Escape goes back to the menu (with the
// screen's question before losing work).
void addWorkingScreenKeys(QWidget *screen);

}
