// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Writes the desktop icon in every size of APP_ICON_SIZES below themeFolder
// (hicolor/<n>x<n>/apps/<name>.png).
bool writeAppIcons(const QString &themeFolder);
