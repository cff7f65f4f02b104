// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtWidgets/QWidget>

#include <QString>
#include <QStringList>

#include <functional>

// The one way a screen reads or saves a program file (.rk5): the system's file dialogue with
// our filter, the shared rules and messages, and the file's bytes in CP932. A screen hands over
// and gets back contents, never a path, so that a platform that gives no path (a browser hands
// over a file's bytes, and takes bytes to download) can stand behind the same calls. The
// answer comes through a callback; the desktop's modal dialogue calls it before returning, a
// platform that answers later calls it then, and not at all once the parent is gone.
namespace ui {

// A program file chosen by the pupil, decoded.
struct ProgramFileContents
{
    QString name; // as the pupil knows it (the path on the desktop)
    QStringList lines;
};

// Asks for a file to read. Another extension is refused with the wrong-extension message and
// nothing is called; so is a cancel. A file that cannot be read calls `failed` with the
// system's reason, for the screen's own numbered error.
void readProgramFile(QWidget *parent, std::function<void(const ProgramFileContents &file)> read,
                     std::function<void(const QString &reason)> failed);

// Asks where to save and writes the lines in CP932, each ended by CR LF: ".rk5" appended to a
// bare name, another extension refused, an existing file written over only after our own
// question (the dialogue itself does not ask). `saved` is called once the file is whole. A
// failure is told in a box with its reason and keeps the old file whole.
void saveProgramFile(QWidget *parent, const QStringList &lines, std::function<void()> saved);

// Replaces the system's dialogue, for tests: given whether it is for saving, the name chosen
// or empty for cancel. An empty chooser brings the dialogue back.
using ProgramFileChooser = std::function<QString(bool save)>;
void setProgramFileChooserForTests(ProgramFileChooser chooser);

}
