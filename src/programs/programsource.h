// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "robot/programimage.h"

#include <QStringList>

// Program text and the screen it belongs to, taken from the lines of an input: a program file
// of one of the three kinds (told apart by its first line) or plain program text.
struct ProgramSource
{
    bool ok = false;
    ScreenKind kind = ScreenKind::Text;
    QStringList text;       // program text, one statement line each
    QStringList messages;   // why the input was refused, when ok is false
};

ProgramSource programSourceFromLines(const QStringList &lines);
