// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtWidgets/QWidget>

#include <QPixmap>
#include <QString>

// Pictures of the program folder, named the system's way ("Photo\Button\send.jpg").
namespace ui {

// The path of a picture beside the executable (or below the folder a test has chosen).
QString picturePath(const QString &relativeName);

// Loads a picture; a missing or unreadable file is a Failure, for the handler's guard.
QPixmap loadPicture(const QString &relativeName);

// Loads a picture if it is there; a null pixmap otherwise (window backgrounds at creation,
// which are reported by nobody: a missing one simply shows the window's colour).
QPixmap loadPictureQuietly(const QString &relativeName);

// "Photo\Button\" + name + "-1" + extension while held, "Photo\Button\" + name + extension after.
QString buttonPictureName(const QString &componentName, bool pressed,
                          const QString &extension = QString::fromUtf16(u".jpg"));

// Background picture of a window: "Photo\Back\" + name + ".jpg"
// (menu, splash, setup, icon, list, preview, transfer, remote, text, route, report).
QString backgroundPictureName(const QString &name);

// For tests: read pictures from another program folder (an empty text restores the real one).
void setPictureFolderForTests(const QString &folder);

}
