// SPDX-License-Identifier: GPL-3.0-or-later
#include "icon/iconfile.h"

#include "common/cp932.h"
#include "common/fields.h"
#include "icon/icontext.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

// An icon file is 60 short lines; anything far larger is not one, and reading it whole
// would only tie up memory.
constexpr qint64 MAX_ICON_FILE_BYTES = 4 * 1024 * 1024;

bool toInt32(const QString &field, qint32 *out)
{
    bool ok = false;
    const int v = field.toInt(&ok, 10);
    if (ok)
        *out = v;
    return ok;
}

IconReadResult failed(IconReadStatus status, int line = 0)
{
    IconReadResult result;
    result.status = status;
    result.failedLine = line;
    return result;
}

} // namespace

QString iconSlotLine(const ProgramSlot &slot)
{
    return QString::number(slot.index) + u'/' + QString::number(slot.kind) + u'/' + slot.line + u'/'
        + slot.name + u'/' + QString::number(slot.value);
}

QStringList iconFileLines(const IconProgram &program)
{
    QStringList lines;
    lines.reserve(ICON_FILE_LINE_COUNT);
    lines << QString::fromUtf16(ICON_FILE_MARKER);
    for (int i = 0; i < SLOT_COUNT; ++i)
        lines << iconSlotLine(program.slot(i));
    return lines;
}

bool writeIconFile(const QString &path, const IconProgram &program, QString *error)
{
    return cp932::writeLines(path, iconFileLines(program), error);
}

IconReadResult readIconLines(const QStringList &lines, IconProgram *program, bool motionOnly)
{
    if (lines.isEmpty())
        return failed(IconReadStatus::Malformed, 1);
    if (lines.first() != QStringView(ICON_FILE_MARKER))
        return failed(IconReadStatus::WrongMarker, 1);

    IconProgram read = *program;
    read.clearAll();
    for (int n = 1; n < ICON_FILE_LINE_COUNT; ++n) {
        const int fileLine = n + 1;
        if (n >= lines.size())
            return failed(IconReadStatus::Malformed, fileLine);
        const QString &line = lines.at(n);
        // An empty slot, however its kind is spelt ("-1", "-01", "-1" and NULs): the rest of
        // its line is not read, so the slot writes back as an empty one and reads the same again.
        qint32 kind = 0;
        if (toInt32(fieldOf(line, 2), &kind) && kind == SlotKind::EMPTY)
            continue;
        // Fewer separators would make fieldOf hand back an earlier field as the value.
        if (line.count(u'/') < 4)
            return failed(IconReadStatus::Malformed, fileLine);
        // Bytes CP932 has no character for (a damaged file): such a slot could never be saved.
        if (line.contains(QChar::ReplacementCharacter))
            return failed(IconReadStatus::Malformed, fileLine);
        ProgramSlot slot;
        qint32 index = 0;
        if (!toInt32(fieldOf(line, 1), &index) || !toInt32(fieldOf(line, 2), &slot.kind)
            || !toInt32(fieldOf(line, 5), &slot.value) || !IconProgram::isSlotNumber(index))
            return failed(IconReadStatus::Malformed, fileLine);
        slot.line = fieldOf(line, 3);
        slot.name = fieldOf(line, 4);
        read.place(index, slot);
        if (motionOnly && slot.kind != SlotKind::MOTION)
            return failed(IconReadStatus::WrongStep, fileLine);
    }
    *program = read;
    return failed(IconReadStatus::Ok);
}

IconReadResult readIconFile(const QString &path, IconProgram *program, bool motionOnly)
{
    const QFileInfo info(path);
    if (info.exists() && info.size() > MAX_ICON_FILE_BYTES)
        return failed(IconReadStatus::Malformed);
    const cp932::ReadResult file = cp932::readLines(path);
    if (!file.ok) {
        IconReadResult result = failed(IconReadStatus::FileError);
        result.error = file.error;
        return result;
    }
    return readIconLines(file.lines, program, motionOnly);
}

QString iconReadMessage(IconReadStatus status)
{
    switch (status) {
    case IconReadStatus::WrongMarker:
    case IconReadStatus::WrongStep:
        return QString::fromUtf16(OTHER_STEP_MESSAGE);
    default:
        return QString();
    }
}

bool iconFileToProgramText(const QStringList &fileLines, QStringList *text, QStringList *messages)
{
    IconProgram program;
    const IconReadResult read = readIconLines(fileLines, &program, false);
    if (read.status != IconReadStatus::Ok) {
        if (messages) {
            const QString message = iconReadMessage(read.status);
            if (!message.isEmpty())
                messages->append(message);
            else
                messages->append(u"アイコンのプログラムファイルの%1行目が読めません。"_s.arg(read.failedLine));
        }
        return false;
    }
    const ProgramTextResult built = buildProgramText(program);
    if (!built.ok) {
        if (messages)
            messages->append(built.message);
        return false;
    }
    if (text)
        *text = built.lines;
    return true;
}
