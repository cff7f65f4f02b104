// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The text program file (.rk5): the line "KB", then the editor's text unchanged, every line of
// the file ended by CR LF.
inline constexpr char16_t TEXT_FILE_MARKER[] = u"KB";

QStringList textFileLines(const QString &editorText);

enum class TextReadStatus {
    Ok,
    OtherStep,
    // Bytes code page 932 has no character for: the text could never be saved again.
    Undecodable,
};

struct TextRead
{
    TextReadStatus status = TextReadStatus::OtherStep;
    // Every line after the first, each followed by CR LF: so a text that ended with a line
    // break comes back with one more empty line.
    QString text;
};

// The lines of a file as read; anything whose first line is not exactly "KB" is of another step.
// Every line break inside a line (a Unicode one) becomes CR LF, as the editor makes it.
TextRead textFromFileLines(const QStringList &lines);

// The lines (from 0) that the compiler's messages name ("<n>行目が違います(...)"), each once,
// in the order of the messages.
QList<int> faultLinesOf(const QStringList &messages);
