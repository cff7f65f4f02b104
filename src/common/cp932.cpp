// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/cp932.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <cerrno>
#include <optional>

using namespace Qt::StringLiterals;

namespace cp932 {

namespace {
constexpr const char *CODEC_NAME = "windows-31j";
}

bool available()
{
    QStringDecoder decoder(CODEC_NAME);
    QStringEncoder encoder(CODEC_NAME);
    return decoder.isValid() && encoder.isValid();
}

namespace {

// Bytes below 0x80 are themselves in code page 932, but for three control bytes the codec
// maps among each other (0x1A, 0x1C, 0x7F); a text of the others needs no codec.
bool isPlainAscii(QByteArrayView bytes)
{
    for (const char b : bytes) {
        const auto c = static_cast<unsigned char>(b);
        if (c >= 0x7F || c == 0x1A || c == 0x1C)
            return false;
    }
    return true;
}

bool isPlainAscii(QStringView text)
{
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c >= 0x7F || c == 0x1A || c == 0x1C)
            return false;
    }
    return true;
}

}

QString decode(QByteArrayView bytes)
{
    if (isPlainAscii(bytes))
        return QString::fromLatin1(bytes);
    // Opening the codec costs more than decoding a file of ours; one per thread serves all.
    thread_local QStringDecoder decoder(CODEC_NAME, QStringConverter::Flag::Stateless);
    decoder.resetState();
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    // The codec silently drops a lead byte at the very end; a line feed after the input makes it
    // report that byte like any other invalid one.
    QByteArray input(bytes.data(), bytes.size());
    input.append('\n');
    QString text = decoder.decode(input);
    text.chop(1);
    // The codec marks invalid bytes with U+001A (a real 0x1A byte decodes to U+001C).
    text.replace(QChar(0x1A), QChar::ReplacementCharacter);
    return text;
}

QByteArray encode(QStringView text, bool *ok)
{
    if (isPlainAscii(text)) {
        if (ok)
            *ok = true;
        return text.toLatin1();
    }
    // Opening the codec costs more than encoding a file of ours: one encoder per thread. It is
    // made in place and never moved, since the codec keeps the address of the encoder's state.
    thread_local std::optional<QStringEncoder> encoder;
    if (!encoder)
        encoder.emplace(CODEC_NAME);
    if (!encoder->isValid()) {
        if (ok)
            *ok = false;
        return text.toLatin1();
    }
    QByteArray bytes = encoder->encode(text);
    // A high surrogate at the very end waits inside the codec for its pair and would be lost.
    const bool failed = encoder->hasError() || (!text.isEmpty() && text.back().isHighSurrogate());
    // Resetting an encoder does not clear its error flag: after a failure it is made anew.
    if (failed) {
        encoder.reset();
        encoder.emplace(CODEC_NAME);
    } else {
        encoder->resetState();
    }
    if (ok)
        *ok = !failed;
    return bytes;
}

QStringList splitLines(QStringView text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start).toString());
        if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start).toString());
    return lines;
}

ReadResult readLines(const QString &path)
{
    ReadResult result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = file.errorString();
        return result;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.error = file.errorString();
        return result;
    }
    result.lines = splitLines(decode(bytes));
    result.ok = true;
    return result;
}

QByteArray encodeLines(const QStringList &lines, bool *ok)
{
    QString text;
    for (const QString &line : lines) {
        text += line;
        text += u"\r\n"_s;
    }
    return encode(text, ok);
}

QString writeFailureText(int savedErrno, const QString &systemText)
{
    QString reason;
    switch (savedErrno) {
    case ENOSPC:
    case EDQUOT:
        reason = u"ディスクが いっぱいです。"_s;
        break;
    case EROFS:
    case EACCES:
    case EPERM:
        reason = u"この フォルダには 書きこめません。"_s;
        break;
    case ENOENT:
        reason = u"フォルダが 見つかりません。"_s;
        break;
    default:
        return systemText;
    }
    return systemText.isEmpty() ? reason : reason + u"（"_s + systemText + u"）"_s;
}

namespace {

// A save killed at the wrong moment leaves its temporary copy ("name.XXXXXX") beside the
// file; the next save of that file takes it away.
void removeStaleTemporaries(const QString &path)
{
    const QFileInfo info(path);
    const QRegularExpression stale(u"^"_s + QRegularExpression::escape(info.fileName()) + u"\\.[A-Za-z0-9]{6}$"_s);
    const QDir dir = info.absoluteDir();
    for (const QString &name : dir.entryList({info.fileName() + u".??????"_s}, QDir::Files | QDir::Hidden)) {
        if (stale.match(name).hasMatch())
            QFile::remove(dir.filePath(name));
    }
}

}

bool writeBytes(const QString &path, const QByteArray &bytes, QString *error)
{
    removeStaleTemporaries(path);
    QSaveFile file(path);
    errno = 0;
    // Unbuffered: a buffered write that fails only when commit() flushes it (a full disk) is not
    // noticed by QSaveFile, which would then put an empty file in place of the good one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        const int savedErrno = errno;
        if (error)
            *error = writeFailureText(savedErrno, file.errorString());
        return false;
    }
    errno = 0;
    if (file.write(bytes) != bytes.size() || file.error() != QFileDevice::NoError || !file.commit()) {
        const int savedErrno = errno;
        if (error)
            *error = writeFailureText(savedErrno, file.errorString());
        file.cancelWriting();
        return false;
    }
    return true;
}

bool writeLines(const QString &path, const QStringList &lines, QString *error)
{
    // A character the file cannot hold would be saved as "?": nothing is written instead.
    bool encodable = false;
    const QByteArray bytes = encodeLines(lines, &encodable);
    if (!encodable) {
        if (error)
            *error = u"ほぞんできない もじが あります。"_s;
        return false;
    }
    return writeBytes(path, bytes, error);
}

}
