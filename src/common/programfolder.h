// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The program folder is the folder of the executable; pictures, help pages and data live
// beside it. It is found from the executable's own location with links followed, so a link
// to the program (as in an installation's bin/) or a moved installation still finds it. The
// system names its files with "\" (for instance "Photo\Button\send.jpg"); this turns such a
// name into a path.
QString programFolder();
QString programFilePath(const QString &relativeName);
