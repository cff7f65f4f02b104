// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtWidgets/QWidget>

#include "robot/programimage.h"
#include "robot/programtransfer.h"

#include <QList>
#include <QPoint>
#include <QString>

#include <functional>

class QObject;
class RobotLine;
struct WirePlan;

// The floor inside the program on which a screen tries its program ("ためす"), with no port.
class ProgramTrial
{
public:
    virtual ~ProgramTrial() = default;
    // Shows the floor and runs the plan's bytes there; route: the route screen's points (grid
    // units) laid on the floor as a guide line, or none. onLine hears the program text line running now (0: none) until the next trial
    // takes the floor or context is gone.
    virtual void tryPlan(const WirePlan &plan, ScreenKind kind, const QList<QPoint> &route, QObject *context,
                         std::function<void(int line)> onLine) = 0;
};

// What a transfer shows while it plays (the transfer window, TForm3). Hiding the widget (the
// pupil closing it), or leaving the screen the transfer came from, stops the transfer at the
// end of the block on its way, so the robot never waits for the rest of a block.
class TransferDisplay
{
public:
    virtual ~TransferDisplay() = default;
    virtual QWidget *transferWidget() = 0;
    virtual void setProgress(int percent) = 0;
};

// The way to the robot that the main menu hands to every programming screen: its one port and
// the transfer window.
struct RobotLink
{
    RobotLine *port = nullptr;
    TransferDisplay *display = nullptr;
    ProgramTrial *trial = nullptr;
};

// The send and run buttons of the three programming screens. Each screen hands over its
// program text and its kind; everything else (compiling, the refusals, the transfer window,
// the pacing, the boxes) happens here, the same way for all three.

// sendClick: compiles the text and starts the transfer through the link's port while its
// display shows the progress. Returns at once; the transfer plays on the event loop. how is the
// start mode of set.ini (false: the robot waits for its front switch; the text screen ignores it).
// A port that is not sound is opened again first, silently.
// Nothing is sent, and the pupil is told why, when the text does not compile (icon and text
// screens), is too long, the port cannot be made ready, or a transfer is already playing. Returns
// whether a transfer started.
bool sendProgram(const RobotLink &link, ScreenKind kind, const QString &programText, bool how,
                 QWidget *screen);

// The pointer's hint of every screen's ためす button.
QString trialHint();

// tryClick: compiles the text as sendProgram does (the same refusals and boxes) and runs it on
// the link's floor inside the program; nothing goes to the port. onLine hears the running line.
// route: the route screen's points (grid units), laid on the floor as a guide line; the robot
// starts at the first.
bool tryProgram(const RobotLink &link, ScreenKind kind, const QString &programText, bool how, QWidget *screen,
                std::function<void(int line)> onLine, const QList<QPoint> &route = {});

// playClick: sends the run byte of the screen (4, or 7 from the text screen). Refused with a
// box while a transfer plays or when the port cannot be made ready.
bool playProgram(const RobotLink &link, ScreenKind kind, QWidget *screen);

// Before the application ends: a transfer still playing is stopped at the end of the block on
// its way, with the transfer window showing it, and whatever else is on its way goes out; then
// is called once the line is quiet (at most one block later; at once when it is quiet now).
void finishSendingBeforeQuit(const RobotLink &link, QObject *context, std::function<void()> then);
