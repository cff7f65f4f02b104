#pragma once

#include <QtWidgets/QWidget>

#include "app/ui/appwindows.h"
#include "robot/programimage.h"

#include <QString>

// The send and run buttons of the three programming screens. Each screen hands over its
// program text and its kind; everything else (compiling, the refusals, the transfer window,
// the pacing, the boxes) happens here, the same way for all three.

// sendClick: compiles the text and starts the transfer through the main menu's port while
// TForm3 shows the progress. Returns at once; the transfer plays on the event loop. how is the
// start mode of set.ini (false: the robot waits for its front switch; the text screen ignores it).
// Nothing is sent, and the pupil is told why, when the text does not compile (icon and text
// screens), is too long, the port is not open, or a transfer is already playing. Returns
// whether a transfer started.
bool sendProgram(AppWindows &windows, ScreenKind kind, const QString &programText, bool how,
                 QWidget *screen);

// playClick: sends the run byte of the screen (4, or 7 from the text screen). Refused with a
// box while a transfer plays or when the port is not open.
bool playProgram(AppWindows &windows, ScreenKind kind, QWidget *screen);

// Our own words when the robot cannot be reached.
QString robotUnreachableText();
