// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/report/displayhtml.h"
#include "app/report/pagesettings.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class TestPageSettings : public QObject
{
    Q_OBJECT
private slots:
    void headerCodes_data();
    void headerCodes();
    void marginsInInches_data();
    void marginsInInches();
    void displayHtml_data();
    void displayHtml();
};

void TestPageSettings::headerCodes_data()
{
    QTest::addColumn<QString>("codes");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("centre");
    QTest::addColumn<QString>("right");
    const PageSettings fixed;
    QTest::newRow("report header, page 2 of 3") << fixed.header << 2 << 3 << u"レポート"_s << QString()
                                                << u"2/3 ページ"_s;
    QTest::newRow("report footer") << fixed.footer << 1 << 1 << QString() << QString()
                                   << u"2026年12月8日 9:05"_s;
    QTest::newRow("three parts") << u"&w&b&p&b&P"_s << 4 << 9 << u"レポート"_s << u"4"_s << u"9"_s;
    QTest::newRow("short date and url") << u"&u&b&d"_s << 1 << 1 << u"file:///r.html"_s << QString()
                                        << u"2026/12/08"_s;
    QTest::newRow("ampersand and unknown code") << u"A&&B&x&"_s << 1 << 1 << u"A&B&"_s << QString() << QString();
    QTest::newRow("time apart from the short date only") << u"&d&t&b&t&d"_s << 1 << 1 << u"2026/12/08 9:05"_s
                                                        << QString() << u"9:052026/12/08"_s;
    QTest::newRow("no separator stays left") << u"&p/&P"_s << 10 << 12 << u"10/12"_s << QString() << QString();
}

void TestPageSettings::headerCodes()
{
    QFETCH(QString, codes);
    QFETCH(int, page);
    QFETCH(int, pages);
    HeaderValues values;
    values.title = u"レポート"_s;
    values.address = u"file:///r.html"_s;
    values.page = page;
    values.pages = pages;
    values.now = QDateTime(QDate(2026, 12, 8), QTime(9, 5, 30));
    const HeaderLine line = expandHeaderCodes(codes, values);
    QTEST(line.left, "left");
    QTEST(line.centre, "centre");
    QTEST(line.right, "right");
}

void TestPageSettings::marginsInInches_data()
{
    QTest::addColumn<QString>("top");
    QTest::addColumn<QString>("left");
    QTest::addColumn<QMarginsF>("expected");
    const PageSettings fixed;
    QTest::newRow("the fixed settings") << fixed.mTop << fixed.mLeft << QMarginsF(0.2, 0.75, 0.2, 0.75);
    QTest::newRow("spaces around") << u" 1.5 "_s << u"0"_s << QMarginsF(0, 1.5, 0.2, 0.75);
    QTest::newRow("not a number is no margin") << u"abc"_s << u"-1"_s << QMarginsF(0, 0, 0.2, 0.75);
}

void TestPageSettings::marginsInInches()
{
    QFETCH(QString, top);
    QFETCH(QString, left);
    QFETCH(QMarginsF, expected);
    PageSettings settings;
    settings.mTop = top;
    settings.mLeft = left;
    QCOMPARE(pageMarginsInches(settings), expected);
}

void TestPageSettings::displayHtml_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("shown");
    const QString pre = u"<span style=\"white-space: pre\">"_s;
    QTest::newRow("listing line") << u"01\u3000前進\u3000<Br>"_s
                                  << u"01"_s + pre + u"\u3000</span>前進"_s + pre + u"\u3000</span><Br>"_s;
    QTest::newRow("empty slot: two spaces in one run")
        << u"07\u3000\u3000<Br>"_s << u"07"_s + pre + u"\u3000\u3000</span><Br>"_s;
    QTest::newRow("inside a tag untouched") << u"<td title=\"a\u3000b\">x</td>"_s << u"<td title=\"a\u3000b\">x</td>"_s;
    QTest::newRow("bordered table drawn flat")
        << u"<table width=\"80%\" border=\"1\" bordercolor=\"#999999\">"_s
        << u"<table width=\"80%\" border=\"1\" bordercolor=\"#999999\" style=\"border-style: solid\">"_s;
    QTest::newRow("table without border kept") << u"<TABLE border=\"0\">"_s << u"<TABLE border=\"0\">"_s;
    QTest::newRow("table with its own style kept")
        << u"<table border=1 style=\"border-style: dotted\">"_s << u"<table border=1 style=\"border-style: dotted\">"_s;
    QTest::newRow("unclosed tag at the end") << u"a\u3000<b"_s << u"a"_s + pre + u"\u3000</span><b"_s;
}

void TestPageSettings::displayHtml()
{
    QFETCH(QString, html);
    QTEST(::displayHtml(html), "shown");
}

QTEST_GUILESS_MAIN(TestPageSettings)
#include "tst_pagesettings.moc"
