#pragma once

#include <QString>

// The program folder is the folder of the executable; pictures, help pages and data live
// beside it. The system names its files with "\" (for instance "Photo\Button\send.jpg");
// this turns such a name into a path.
QString programFolder();
QString programFilePath(const QString &relativeName);
