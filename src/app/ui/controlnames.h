// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtWidgets/QWidget>

#include <QString>

// What a screen reader says for each control, and how the picture controls take the keyboard.
// One table for the whole program: a control's spoken name is the caption its picture shows
// (the picture table), or a row of this unit's own table for controls without a picture;
// its description is its hint. Windows never set names one by one: the main menu names
// every window it creates, and a picture button names itself.
namespace ui {

struct SpokenName
{
    QString name;
    QString description;
};

// The name and description of a control by its objectName; window is the objectName of its
// window, for names that mean different things on different windows ("Memo1", "Image1").
SpokenName spokenNameOf(const QString &window, const QString &control);

// A folder above this one names the controls of its own vocabulary (the icon palette's
// icons) without this unit knowing it: a source returns an empty name for other controls.
using NameSource = SpokenName (*)(const QString &window, const QString &control);
void addNameSource(NameSource source);

// The caption of a picture of the picture table ("Photo\\...").
SpokenName spokenNameOfPicture(const QString &relativeName);

// The title of a window: the screen's name, then the program's title. step is the icon
// screen's mode (1: STEP2, 2: STEP3).
QString windowTitleOf(const QString &window, int step = 0);

// Marks a control that is a picture (no frame or focus look of its own): it takes Tab focus,
// is a button to the accessibility bus and shows the focus ring. keys: Space and Return press
// it the way the mouse does (a press, then a release in its middle); off for controls whose
// keys their screen handles itself.
void makePictureControl(QWidget *control, bool keys = true);

// Presses a picture control the way Space does (shortcuts and the accessibility bus use it);
// nothing when it is hidden or disabled.
void pressPictureControl(QWidget *control);

// Gives the window its title and every control of it without a name its name and
// description; picture controls found by their picture also become keyboard controls.
void nameControls(QWidget *window);

// Tells a screen reader something that happened on the window (a transfer's end): the text
// of the window's announcement line changes and is raised as an alert.
void announce(QWidget *window, const QString &text);
// The window's announcement line (made by the first announce), or null.
QWidget *announcementLine(QWidget *window);

// Once, before the first window: the accessibility factory of picture controls and the
// focus ring that follows the keyboard focus.
void installKeyboardAccess();

}
