// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>

// The window model (absolute positions, screens placed at the menu's position, docking at the
// right edge, dragging borderless windows) needs what a Wayland client is not given. On a
// Wayland session the program therefore runs through XWayland unless the user chose a platform.
namespace platformchoice {

struct Environment
{
    QByteArray qpaPlatform;    // QT_QPA_PLATFORM
    QByteArray sessionType;    // XDG_SESSION_TYPE
    QByteArray waylandDisplay; // WAYLAND_DISPLAY
    QByteArray display;        // DISPLAY
};

Environment currentEnvironment();

// The platform to choose before the application object is made, or empty to leave Qt's own
// choice: "xcb" on a Wayland session with an X display, when neither QT_QPA_PLATFORM nor a
// -platform argument names one.
QByteArray chosenPlatform(const Environment &environment, const QList<QByteArray> &arguments);

// Sets QT_QPA_PLATFORM to the chosen platform, if any; call before the QApplication is made.
void applyBeforeStart(int argc, char **argv);

}
