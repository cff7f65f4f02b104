// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "common/errornumbers.h"

#include "common/programfilename.h"

#include "icon/iconprogram.h"

#include <QString>
#include <QStringList>

// The icon program file (.rk5): the marker line "DD", then one line per slot 0 to 58,
// "index/kind/line/name/value", in CP932 with CR LF after every line.

inline constexpr char16_t ICON_FILE_MARKER[] = u"DD";
inline constexpr int ICON_FILE_LINE_COUNT = 1 + SLOT_COUNT;
// The numbered failure of a file that cannot be read as an icon program.
inline constexpr int ICON_FILE_READ_ERROR = errors::ICON_READ;

// One slot line, e.g. "0/0/motor(fwd,fwd)/前進/15".
QString iconSlotLine(const ProgramSlot &slot);

// The 60 lines of the file, without line ends.
QStringList iconFileLines(const IconProgram &program);

// Writes the file through QSaveFile: on failure the old file is kept and error holds the
// reason.
bool writeIconFile(const QString &path, const IconProgram &program, QString *error = nullptr);

enum class IconReadStatus {
    Ok,          // the program was replaced
    WrongMarker, // not an icon file (a route or text file, an empty first line): unchanged
    WrongStep,   // a repeat or switch instruction read for STEP2: unchanged
    Malformed,   // no lines, fewer than 60, a slot line of fewer than five fields, an index
                 // outside 0 to 58, an index, kind or value that is not a 32-bit integer, or
                 // bytes that are no CP932 in a slot line: unchanged; the screen shows (103)
    FileError,   // the file could not be read: unchanged; the screen shows (103) as well
};

struct IconReadResult
{
    IconReadStatus status = IconReadStatus::FileError;
    int failedLine = 0; // the file line (from 1) that made it Malformed
    QString error;      // the system's reason for FileError
};

// Reads file lines into program. The slots are built in a copy (emptied as the screen's
// clearAll does) and replace the program only when the whole file was read, so no refusal
// or failure leaves half a program behind. motionOnly is STEP2, which holds motions only.
// Slots are placed by their index field; a later line for the same index replaces the
// earlier one whole. Lines after line 60 are ignored.
IconReadResult readIconLines(const QStringList &lines, IconProgram *program, bool motionOnly);

// Reads an icon file from disk (CP932; CR LF, CR or LF end a line).
IconReadResult readIconFile(const QString &path, IconProgram *program, bool motionOnly);

// The screen's message for a refused read: the other-step message for WrongMarker and
// WrongStep; empty for Malformed and FileError, which get the numbered box
// ICON_FILE_READ_ERROR.
QString iconReadMessage(IconReadStatus status);

// For the command-line compiler: the program text the icon screen (STEP3) would send after
// reading these file lines. False with messages when the lines are not a readable icon file
// or a slot's value is not set.
bool iconFileToProgramText(const QStringList &fileLines, QStringList *text, QStringList *messages);
