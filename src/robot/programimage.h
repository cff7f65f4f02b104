// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The screen a program comes from decides the start header, the fill rule, the byte pause and
// the run byte.
enum class ScreenKind { Icon, Text, Route };

// Length an image of n bytes is filled to with 254. The icon and text screens leave an image of
// exactly 40 or 80 as it is; the route screen fills those one block further. 120 and more stay.
int filledLength(ScreenKind kind, int n);

// Program text lines joined as the screens hand them to the compiler.
QString joinProgramText(const QStringList &lines);

// Converts the compiler's result lines (decimal text, "050" meaning 50) into bytes.
QByteArray compiledBytes(const QStringList &compiledLines);

// Start header (when wanted), compiled bytes, 254, then the fill of the screen's rule. The image
// may come out longer than what reaches the robot; see fitsRobot.
QByteArray buildProgramImage(const QStringList &compiledLines, ScreenKind kind, bool withStartHeader);

// At most three blocks reach the robot; a longer image would arrive cut off without its end.
bool fitsRobot(const QByteArray &image);

// The text screen refuses 120 or more compiled bytes with this warning.
inline constexpr int TEXT_SCREEN_MAX_COMPILED_BYTES = 119;
QString textTooLongMessage();

// Shown when an icon or route image would not fit in the robot's three blocks.
QString imageTooLongMessage();
