// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/report/displayhtml.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

constexpr QChar IDEOGRAPHIC_SPACE = QChar(0x3000);

// A <table ...> start tag with a non-zero border and no style of its own.
QString flattenTableBorder(const QString &tag)
{
    static const QRegularExpression border(uR"(\bborder\s*=\s*"?\s*([0-9]+))"_s,
                                           QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression style(uR"(\bstyle\s*=)"_s, QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = border.match(tag);
    if (!m.hasMatch() || m.captured(1).toInt() == 0 || style.match(tag).hasMatch())
        return tag;
    QString flat = tag;
    flat.insert(flat.size() - 1, u" style=\"border-style: solid\""_s);
    return flat;
}

}

QString displayHtml(const QString &html)
{
    static const QRegularExpression tableTag(uR"(^<table\b)"_s, QRegularExpression::CaseInsensitiveOption);
    QString out;
    out.reserve(html.size() + html.size() / 8);
    qsizetype i = 0;
    const qsizetype n = html.size();
    while (i < n) {
        const QChar c = html.at(i);
        if (c == u'<') {
            qsizetype end = html.indexOf(u'>', i);
            if (end < 0)
                end = n - 1;
            const QString tag = html.mid(i, end - i + 1);
            out += tableTag.match(tag).hasMatch() ? flattenTableBorder(tag) : tag;
            i = end + 1;
        } else if (c == IDEOGRAPHIC_SPACE) {
            qsizetype end = i;
            while (end < n && html.at(end) == IDEOGRAPHIC_SPACE)
                ++end;
            out += u"<span style=\"white-space: pre\">"_s + html.mid(i, end - i) + u"</span>"_s;
            i = end;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}
