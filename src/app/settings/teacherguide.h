// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

// The teacher's guide: HTML pages beside the help pages, read in the desktop's web browser
// (a teacher reads it beside the program, often before any pupil's screen is open).
QString teacherGuidePath();

// Opens the guide's first page in the web browser; when none opens, tells where the file is.
void openTeacherGuide(QWidget *parent);
