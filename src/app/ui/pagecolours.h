// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtWidgets/QWidget>

#include <QPalette>

// The colours of a page whose look the product defines (the report, the help pages): dark
// text on white, whatever colour scheme the desktop hands Qt. A dark scheme would otherwise
// give near-white text on the page's own white background, on screen and on paper alike.
namespace ui {

QPalette pagePalette();

// Gives a page viewer (and the fields on a sheet) the page's colours; its children follow.
void usePageColours(QWidget *widget);

}
