// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtWidgets/QPlainTextEdit>

#include <QStringList>

// The lines of a multi-line field as the pupil sees them: each wrapped part of a long line is
// a line of its own, so the printed page breaks where the field did. An empty field has no
// lines, and the empty line after a final line break is not counted.
QStringList shownLines(const QPlainTextEdit *memo);
