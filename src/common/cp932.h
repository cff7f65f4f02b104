// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Shift-JIS (code page 932) text, the encoding of every file and setting the system keeps.
// All CP932 reading and writing goes through here.
namespace cp932 {

// True when the platform's codec for code page 932 can be used.
bool available();

// Bytes that are not valid CP932 become U+FFFD, so that whoever reads the text rejects the
// line with its normal message instead of failing on the bytes.
QString decode(QByteArrayView bytes);

// Characters CP932 cannot hold are reported through ok (the bytes then hold a substitute).
QByteArray encode(QStringView text, bool *ok = nullptr);

// CR LF, CR and LF each end a line; a break at the very end starts no further line.
QStringList splitLines(QStringView text);

struct ReadResult
{
    bool ok = false;
    QStringList lines;
    QString error; // the system's reason when ok is false
};

// Reads a whole CP932 text file (no byte-order mark) as lines.
ReadResult readLines(const QString &path);

// Writes the lines in CP932, each ended by CR LF, through QSaveFile so that a failure never
// leaves a half-written file in place of the old one. On failure, error holds the reason in
// simple Japanese (a full disk, a folder that cannot be written) with the system's words, and
// the old file is kept. Lines holding a character CP932 cannot hold are refused whole.
bool writeLines(const QString &path, const QStringList &lines, QString *error = nullptr);

// As writeLines, for bytes already encoded (each line's terminator included).
bool writeBytes(const QString &path, const QByteArray &bytes, QString *error = nullptr);

// Why a write failed, for the pupil: our words for the usual reasons (errno), then the
// system's text; the system's text alone for any other reason.
QString writeFailureText(int savedErrno, const QString &systemText);

// Joins lines with CR LF after each line, then encodes.
QByteArray encodeLines(const QStringList &lines, bool *ok = nullptr);

}
