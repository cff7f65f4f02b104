// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "icon/iconprogram.h"

#include <QString>
#include <QStringList>
#include <QStringView>

// The box a refusal is shown in.
enum class RefusalBox { Information, Warning };

struct ProgramTextResult
{
    bool ok = false;
    QStringList lines;     // the program text, one statement per line (when ok)
    QList<int> lineSlots;  // for each line, the slot it was written for
    int refusedSlot = -1;  // the first slot whose value is not set (when not ok)
    QString message;       // what the user is told about it
    RefusalBox box = RefusalBox::Information;
};

// The program text of an icon program: slots 0 to 58 in order, empty ones skipped, every
// motion followed by its wait. The first slot in order whose time, angle or count is not set
// refuses the whole program.
ProgramTextResult buildProgramText(const IconProgram &program);

// The wait length written after a motion: rotations and turns (told by the slot's name)
// scale the angle, anything else is the time in tenths of a second.
QString waitLengthText(QStringView name, qint32 value);
