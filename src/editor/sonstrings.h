// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The editor's text as lines, each but the last carrying its CR LF. An empty text is one empty
// line; a text that ends with a line break ends in an empty last line.
class TSonStrings
{
public:
    TSonStrings() = default;
    explicit TSonStrings(const QString &text) { setText(text); }

    // CR LF, a lone CR, a lone LF and the Unicode breaks (U+0085, U+2028, U+2029) each end a
    // line, so a pasted or typed text from anywhere comes out with the one terminator the files
    // and the compiler expect.
    void setText(const QString &text);
    QString text() const;
    void clear() { m_lines = QStringList{QString()}; }

    int count() const { return int(m_lines.size()); }
    // Line i with its terminator (none after the last line); empty outside the lines.
    QString line(int i) const;
    // Line i without its terminator.
    QString body(int i) const { return i >= 0 && i < count() ? m_lines.at(i) : QString(); }
    const QStringList &bodies() const { return m_lines; }
    void setBodies(const QStringList &bodies);

    static constexpr auto TERMINATOR = u"\r\n";

private:
    QStringList m_lines{QString()};
};

// The breaks that end a line. Code page 932 holds none of the Unicode ones, so left in a line
// they would keep the program from being saved while looking like an ordinary line break.
namespace linebreaks {
bool isBreak(QChar c);
// Every break (CR LF counted once) as a lone LF, the editor document's own.
QString toNewlines(const QString &text);
}

// Byte columns of code page 932: an ASCII character or a half-width katakana takes one column,
// every other character two (a lead and a trail byte), and a double-byte character is never
// split: a range that touches one of its bytes covers the whole character.
namespace bytecolumns {

int charBytes(QChar c);
// Columns of a line body.
int lineBytes(QStringView body);
// The character whose bytes include column; the body's length at or past its end.
int charAt(QStringView body, int column);
// The first column of character index.
int columnOf(QStringView body, int index);

// Characters of one line covered by a byte range.
struct Span
{
    int line = 0;
    int first = 0; // character index
    int count = 0; // characters
};

// From line, column, over n bytes; a range that runs past a line's end (its CR LF counts two
// bytes, which paint nothing) goes on at the start of the next line. Lines outside the text
// are left out.
QList<Span> resolve(const QStringList &bodies, int line, int column, int n);

}

// A comment: from the first "//" of a line to its end (the line break left out), in byte
// columns, as the text screen paints it.
struct CommentRange
{
    int line = 0;
    int column = 0;
    int bytes = 0;
    bool operator==(const CommentRange &) const = default;
};
QList<CommentRange> commentRanges(const QStringList &bodies);

// What code page 932 cannot hold (an emoji, a rare kanji) cannot be saved or sent: these
// find such characters in what is typed or pasted.
namespace holdable {
// True when every character of the text can be written in code page 932.
bool all(QStringView text);
// The text without the characters code page 932 cannot hold; refused gets those, each once.
QString filter(QStringView text, QString *refused = nullptr);
}

// The background of a line that the compiler named: reddish, unlike the editor's background,
// and with the most contrast to the pupil's text and comment colours. Colours as 0xRRGGBB.
namespace faultmark {
// The contrast ratio of two colours (1 to 21), from their relative luminance.
double contrast(quint32 a, quint32 b);
quint32 background(quint32 editorBackground, quint32 text, quint32 comment);
}
