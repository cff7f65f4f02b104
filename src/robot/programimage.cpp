#include "robot/programimage.h"

#include "robot/instructioncode.h"

int filledLength(ScreenKind kind, int n)
{
    const bool fillFullBlocks = kind == ScreenKind::Route;
    for (int boundary = BlockSize; boundary <= MaxImageBytes; boundary += BlockSize) {
        if (n < boundary)
            return boundary;
        if (n == boundary && boundary < MaxImageBytes && fillFullBlocks)
            return boundary + BlockSize;
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
        for (quint8 b : StartHeader)
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
    return image.size() <= MaxImageBytes;
}

QString textTooLongMessage()
{
    return QStringLiteral("命令数が119を超えています。");
}

QString imageTooLongMessage()
{
    return QStringLiteral("プログラムが長すぎて、ロボットに送ることができません。命令を少なくしてください。");
}
