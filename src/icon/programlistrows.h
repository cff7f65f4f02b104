// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/report/reportbuilder.h"
#include "icon/iconprogram.h"

#include <QList>
#include <QRect>
#include <QString>

// The rows of the program list window, without a window: one row per instruction in slot
// order, what each row reads, which picture it shows and where it lies in the four columns.

inline constexpr int PROGRAM_LIST_COLUMNS = 4;
inline constexpr int PROGRAM_LIST_ROW_HEIGHT = 30;
inline constexpr int PROGRAM_LIST_WIDTH = 750;
inline constexpr int PROGRAM_LIST_HEIGHT = 520;
// As many rows as fit the list's height fill a column before the next one starts.
inline constexpr int PROGRAM_LIST_ROWS_PER_COLUMN = PROGRAM_LIST_HEIGHT / PROGRAM_LIST_ROW_HEIGHT;
inline constexpr int PROGRAM_LIST_PICTURE_SIZE = 21;

struct ProgramListRow
{
    QString text;    // the row's text from the slot's labels, without its number
    QString picture; // the instruction's picture ("Photo\Button\FF.bmp"); empty when unknown
};

// One row per slot that holds an instruction, slots 0 to 58 in order; an empty slot (or a kind
// the list does not know) gives none. The texts are the slot's labels as the icon screen shows
// them; a missing entry in labels counts as empty labels.
QList<ProgramListRow> programListRows(const IconProgram &program, const QList<IconSlotTexts> &labels);

// What row r (from 0) reads: its number as two digits, two ideographic spaces, its text.
QString programListRowText(int r, const ProgramListRow &row);

// Row r's cell in the list, and the square its picture is stretched into (over the gap after
// the number, reaching 2 pixels above the cell).
QRect programListCell(int r);
QRect programListPictureRect(const QRect &cell);
