// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/textfile.h"

#include "editor/sonstrings.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

QStringList textFileLines(const QString &editorText)
{
    return {QString::fromUtf16(TEXT_FILE_MARKER), editorText};
}

TextRead textFromFileLines(const QStringList &lines)
{
    TextRead read;
    if (lines.isEmpty() || lines.first() != QString::fromUtf16(TEXT_FILE_MARKER))
        return read;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (lines.at(i).contains(QChar::ReplacementCharacter)) {
            read.status = TextReadStatus::Undecodable;
            read.text.clear();
            return read;
        }
        read.text += TSonStrings(lines.at(i)).text() + u"\r\n"_s;
    }
    read.status = TextReadStatus::Ok;
    return read;
}

QList<int> faultLinesOf(const QStringList &messages)
{
    static const QRegularExpression number(u"^(\\d+)行目"_s);
    QList<int> lines;
    for (const QString &message : messages) {
        const QRegularExpressionMatch m = number.match(message);
        if (!m.hasMatch())
            continue;
        bool ok = false;
        const int line = m.captured(1).toInt(&ok) - 1;
        if (ok && line >= 0 && !lines.contains(line))
            lines.append(line);
    }
    return lines;
}
