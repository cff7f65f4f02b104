// SPDX-License-Identifier: GPL-3.0-or-later
#include "robot/programimage.h"

#include "robot/instructioncode.h"

using namespace Qt::StringLiterals;

int filledLength(ScreenKind kind, int n)
{
    const bool fillFullBlocks = kind == ScreenKind::Route;
    for (int boundary = BLOCK_SIZE; boundary <= MAX_IMAGE_BYTES; boundary += BLOCK_SIZE) {
        if (n < boundary)
            return boundary;
        if (n == boundary && boundary < MAX_IMAGE_BYTES && fillFullBlocks)
            return boundary + BLOCK_SIZE;
        if (n == boundary)
            return n;
    }
    return n;
}

QByteArray compiledBytes(const QStringList &compiledLines)
{
    QByteArray bytes;
    bytes.reserve(compiledLines.size());
    for (const QString &line : compiledLines)
        bytes.append(static_cast<char>(line.toUInt() & 0xFF));
    return bytes;
}

QByteArray buildProgramImage(const QStringList &compiledLines, ScreenKind kind, bool withStartHeader)
{
    QByteArray image;
    if (withStartHeader && kind != ScreenKind::Text) {
        for (quint8 b : START_HEADER)
            image.append(static_cast<char>(b));
    }
    image.append(compiledBytes(compiledLines));
    image.append(static_cast<char>(TERMINATOR));
    const int target = filledLength(kind, static_cast<int>(image.size()));
    while (image.size() < target)
        image.append(static_cast<char>(TERMINATOR));
    return image;
}

bool fitsRobot(const QByteArray &image)
{
    return image.size() <= MAX_IMAGE_BYTES;
}

QString textTooLongMessage()
{
    return u"命令数が119を超えています。"_s;
}

QString imageTooLongMessage()
{
    return u"プログラムが長すぎて、ロボットに送ることができません。命令を少なくしてください。"_s;
}

QString joinProgramText(const QStringList &lines)
{
    return lines.join(u"\r\n"_s);
}
