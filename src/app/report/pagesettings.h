// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QMarginsF>
#include <QString>

// The fixed page settings the report is printed with, as the page-setup component holds them:
// margins as decimal texts in inches (the unit of the page-setup dialogue they come from),
// header and footer in the browser's header codes. GUI-free, so the codes and the margins can
// be checked without a printer.
struct PageSettings
{
    QString mTop = QString::fromUtf16(u"0.75000");
    QString mBottom = QString::fromUtf16(u"0.75000");
    QString mLeft = QString::fromUtf16(u"0.20000");
    QString mRight = QString::fromUtf16(u"0.20000");
    QString paperSize = QString::fromUtf16(u"A4");
    bool portrait = true; // Vertical; false is Horizon
    QString header = QString::fromUtf16(u"&w&b&p/&P ページ");
    QString footer = QString::fromUtf16(u"&b&D&T");
    int copies = 1;
    QString printer; // empty: the default printer
    bool enabled = true;
};

// The margins in inches (left, top, right, bottom). A text that is no number, or a negative
// one, counts as no margin rather than failing the print.
QMarginsF pageMarginsInches(const PageSettings &settings);

// A header or footer made of its codes: "&b" separates the part at the left from the one at
// the right (with two, the middle part is centred).
struct HeaderLine
{
    QString left;
    QString centre;
    QString right;
};

struct HeaderValues
{
    QString title;    // &w: the page's title
    int page = 1;     // &p
    int pages = 1;    // &P
    QDateTime now;    // &d, &D, &t, &T
    QString address;  // &u
};

// Expands the codes: &w title, &u address, &d short date, &D long date, &t and &T time,
// &p page, &P pages, && one "&", &b the separator. An unknown code is dropped.
HeaderLine expandHeaderCodes(const QString &codes, const HeaderValues &values);

// The two date forms the footer uses, so callers and checks agree on them.
QString shortDateText(const QDate &date);
QString longDateText(const QDate &date);
QString timeText(const QTime &time);
