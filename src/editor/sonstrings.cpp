// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/sonstrings.h"

#include "common/cp932.h"

#include <QHash>

#include <cmath>

using namespace Qt::StringLiterals;

void TSonStrings::setText(const QString &text)
{
    m_lines.clear();
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (!linebreaks::isBreak(c))
            continue;
        m_lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    m_lines.append(text.mid(start));
}

QString TSonStrings::text() const
{
    return m_lines.join(QString::fromUtf16(TERMINATOR));
}

QString TSonStrings::line(int i) const
{
    if (i < 0 || i >= count())
        return QString();
    return i + 1 < count() ? m_lines.at(i) + QString::fromUtf16(TERMINATOR) : m_lines.at(i);
}

void TSonStrings::setBodies(const QStringList &bodies)
{
    m_lines = bodies.isEmpty() ? QStringList{QString()} : bodies;
}

namespace linebreaks {

bool isBreak(QChar c)
{
    switch (c.unicode()) {
    case u'\r':
    case u'\n':
    case 0x0085:
    case 0x2028:
    case 0x2029:
        return true;
    default:
        return false;
    }
}

QString toNewlines(const QString &text)
{
    return TSonStrings(text).bodies().join(u'\n');
}

}

namespace bytecolumns {

int charBytes(QChar c)
{
    const char16_t u = c.unicode();
    // A surrogate pair is one character (which the code page cannot hold): its second half
    // takes no column of its own.
    if (c.isLowSurrogate())
        return 0;
    // Half-width katakana are the single-byte range 0xA1..0xDF of the code page.
    return u < 0x80 || (u >= 0xFF61 && u <= 0xFF9F) ? 1 : 2;
}

int lineBytes(QStringView body)
{
    int columns = 0;
    for (const QChar c : body)
        columns += charBytes(c);
    return columns;
}

int charAt(QStringView body, int column)
{
    int at = 0;
    for (qsizetype i = 0; i < body.size(); ++i) {
        const int width = charBytes(body.at(i));
        if (column < at + width)
            return int(i);
        at += width;
    }
    return int(body.size());
}

int columnOf(QStringView body, int index)
{
    int at = 0;
    for (qsizetype i = 0; i < body.size() && i < index; ++i)
        at += charBytes(body.at(i));
    return at;
}

QList<Span> resolve(const QStringList &bodies, int line, int column, int n)
{
    QList<Span> spans;
    if (line < 0 || column < 0 || n <= 0)
        return spans;
    const int lines = int(bodies.size());
    while (n > 0 && line < lines) {
        const QString &body = bodies.at(line);
        const int width = lineBytes(body);
        const int terminator = line + 1 < lines ? 2 : 0;
        if (column < width) {
            const int first = charAt(body, column);
            int last = charAt(body, qMin(width, column + n) - 1);
            if (last + 1 < body.size() && body.at(last + 1).isLowSurrogate())
                ++last;
            spans.append({line, first, last - first + 1});
        }
        const int available = width + terminator - column;
        if (available > 0)
            n -= available;
        if (terminator == 0)
            break;
        ++line;
        column = 0;
    }
    return spans;
}

}

QList<CommentRange> commentRanges(const QStringList &bodies)
{
    QList<CommentRange> ranges;
    for (int i = 0; i < bodies.size(); ++i) {
        const QString &body = bodies.at(i);
        const qsizetype at = body.indexOf(u"//"_s);
        if (at < 0)
            continue;
        const int column = bytecolumns::columnOf(body, int(at));
        ranges.append({i, column, bytecolumns::lineBytes(body) - column});
    }
    return ranges;
}

namespace holdable {

bool all(QStringView text)
{
    bool ok = true;
    cp932::encode(text, &ok);
    return ok;
}

QString filter(QStringView text, QString *refused)
{
    // Most text is plain; only a text that fails as a whole is looked at character by character.
    if (all(text)) {
        if (refused)
            refused->clear();
        return text.toString();
    }
    QString kept;
    QString out;
    kept.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length =
            text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate() ? 2 : 1;
        const QStringView one = text.mid(i, length);
        if (all(one))
            kept.append(one);
        else if (!out.contains(one))
            out.append(one);
        i += length;
    }
    if (refused)
        *refused = out;
    return kept;
}

}

namespace faultmark {

namespace {

double channel(quint32 value)
{
    const double c = double(value & 0xFF) / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(quint32 rgb)
{
    return 0.2126 * channel(rgb >> 16) + 0.7152 * channel(rgb >> 8) + 0.0722 * channel(rgb);
}

// Reds from pale to dark, so one of them stands apart from any background.
constexpr quint32 CANDIDATES[] = {0xFFC4C4, 0xFFA0A0, 0xFF7070, 0xE04040, 0xB02020, 0x8B1A1A, 0x4A0A0A};
// Below this the marked line would hardly differ from the others.
constexpr double DISTINCT_FROM_BACKGROUND = 1.25;
constexpr double READABLE = 3.0;

}

double contrast(quint32 a, quint32 b)
{
    const double la = luminance(a), lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

quint32 background(quint32 editorBackground, quint32 text, quint32 comment)
{
    quint32 best = CANDIDATES[0];
    double bestScore = -1;
    for (const quint32 candidate : CANDIDATES) {
        if (contrast(candidate, editorBackground) < DISTINCT_FROM_BACKGROUND)
            continue;
        // The statements must stay readable first; the comment colour counts among those.
        const double forText = contrast(candidate, text);
        const double score = (forText >= READABLE ? 100 : 0) + qMin(forText, contrast(candidate, comment));
        if (score > bestScore) {
            bestScore = score;
            best = candidate;
        }
    }
    return best;
}

}
