// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/report/pagesettings.h"

#include <QLocale>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

qreal marginValue(const QString &text)
{
    bool ok = false;
    const qreal value = text.trimmed().toDouble(&ok);
    return ok && value > 0 ? value : 0;
}

}

QMarginsF pageMarginsInches(const PageSettings &settings)
{
    return QMarginsF(marginValue(settings.mLeft), marginValue(settings.mTop), marginValue(settings.mRight),
                     marginValue(settings.mBottom));
}

QString shortDateText(const QDate &date)
{
    return date.toString(u"yyyy/MM/dd"_s);
}

QString longDateText(const QDate &date)
{
    return date.toString(u"yyyy年M月d日"_s);
}

QString timeText(const QTime &time)
{
    // As a Japanese desktop writes the time: hours as they are, minutes with two digits.
    static const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    return japanese.toString(time, QLocale::ShortFormat);
}

HeaderLine expandHeaderCodes(const QString &codes, const HeaderValues &values)
{
    QStringList parts{QString()};
    // A time written straight after a date ("&D&T") is set apart from it by a space.
    bool afterDate = false;
    for (qsizetype i = 0; i < codes.size(); ++i) {
        const QChar c = codes.at(i);
        if (c != u'&' || i + 1 == codes.size()) {
            parts.last() += c;
            afterDate = false;
            continue;
        }
        const QChar code = codes.at(++i);
        QString &part = parts.last();
        const bool date = code == u'd' || code == u'D';
        switch (code.unicode()) {
        case u'w': part += values.title; break;
        case u'u': part += values.address; break;
        case u'd': part += shortDateText(values.now.date()); break;
        case u'D': part += longDateText(values.now.date()); break;
        case u't':
        case u'T':
            if (afterDate)
                part += u' ';
            part += timeText(values.now.time());
            break;
        case u'p': part += QString::number(values.page); break;
        case u'P': part += QString::number(values.pages); break;
        case u'&': part += u'&'; break;
        case u'b': parts << QString(); break;
        default: break;
        }
        afterDate = date;
    }
    HeaderLine line;
    line.left = parts.value(0);
    if (parts.size() == 2) {
        line.right = parts.at(1);
    } else if (parts.size() > 2) {
        line.centre = parts.at(1);
        // Anything after a third separator still belongs at the right.
        line.right = parts.mid(2).join(QString());
    }
    return line;
}
