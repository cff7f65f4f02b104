// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtWidgets/QWidget>

#include <QString>

#include <functional>

// The one way a screen asks for a program file (.rk5): the system's file dialogue with our
// filter, then the shared rules and messages. Both return an empty path when there is nothing
// to do (cancelled, or refused with its message already shown).
namespace ui {

// A file to read: refuses another extension with the wrong-extension message.
QString chooseProgramFileToRead(QWidget *parent);
// A file to write: ".rk5" appended to a bare name, another extension refused, and an existing
// file written over only after our own question (the dialogue itself does not ask).
QString chooseProgramFileToSave(QWidget *parent);

// Replaces the system's dialogue, for tests: given whether it is for saving, the name chosen
// or empty for cancel. An empty chooser brings the dialogue back.
using ProgramFileChooser = std::function<QString(bool save)>;
void setProgramFileChooserForTests(ProgramFileChooser chooser);

}
