// SPDX-License-Identifier: GPL-3.0-or-later
// The help pages and the report template in the program folder: CP932 text that the HTML
// browser decodes, with every picture it shows present and every placeholder the report
// window fills in.
#include "common/cp932.h"
#include "common/programfolder.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QTextBrowser>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>
#include <QTextDocument>

using namespace Qt::StringLiterals;

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}

class TestDataFiles : public QObject
{
    Q_OBJECT

private slots:
    void helpPage_data();
    void helpPage();
    void reportTemplate();
};

void TestDataFiles::helpPage_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("title");
    QTest::newRow("menu") << u"Navi\\navi\\index.html"_s << u"がくしゅうナビ メニュー"_s;
    QTest::newRow("STEP2") << u"Navi\\navi\\index_s2.html"_s << u"がくしゅうナビ STEP2"_s;
    QTest::newRow("STEP3") << u"Navi\\navi\\index_s3.html"_s << u"がくしゅうナビ STEP3"_s;
    QTest::newRow("STEP4") << u"Navi\\navi\\index_s4.html"_s << u"がくしゅうナビ STEP4"_s;
    QTest::newRow("STEP4 panel open") << u"Navi\\navi\\index_s8.html"_s << u"がくしゅうナビ STEP4 くわしく"_s;
    QTest::newRow("STEP5") << u"Navi\\navi\\index_s5.html"_s << u"がくしゅうナビ STEP5"_s;
    QTest::newRow("remote") << u"Navi\\navi\\index_s6.html"_s << u"がくしゅうナビ リモコン"_s;
}

void TestDataFiles::helpPage()
{
    QFETCH(QString, page);
    QFETCH(QString, title);
    const QString path = programFilePath(page);
    const QByteArray bytes = readAll(path);
    QVERIFY2(!bytes.isEmpty(), qPrintable(path));
    QVERIFY(bytes.contains("charset=windows-31j"));
    const QString text = cp932::decode(bytes);
    QVERIFY(!text.contains(QChar::ReplacementCharacter));

    // Loaded the way the navigator loads it: the browser has to find the code page itself.
    QTextBrowser browser;
    browser.setSource(QUrl::fromLocalFile(path));
    QCOMPARE(browser.documentTitle(), title);
    QVERIFY(!browser.toPlainText().contains(QChar::ReplacementCharacter));
    QVERIFY(browser.toPlainText().contains(u"ヒント"_s));

    // Every picture the page shows is in the program folder.
    static const QRegularExpression image(uR"re(<img src="([^"]+)")re"_s);
    int images = 0;
    for (auto match = image.globalMatch(text); match.hasNext(); ++images) {
        const QString source = match.next().captured(1);
        const QString file = QFileInfo(path).dir().filePath(source);
        QVERIFY2(QFileInfo::exists(file), qPrintable(source));
    }
    QVERIFY(images > 0);
}

void TestDataFiles::reportTemplate()
{
    const QString path = programFilePath(u"Data\\report.txt"_s);
    const cp932::ReadResult file = cp932::readLines(path);
    QVERIFY2(file.ok, qPrintable(file.error));
    QString html = file.lines.join(u'\n');
    QVERIFY(!html.contains(QChar::ReplacementCharacter));
    for (const QString &placeholder : {u"$NEN"_s, u"$KUMI"_s, u"$NAMAE"_s, u"$step"_s, u"$MOKUTEKI"_s,
                                       u"$KANSOU"_s, u"$width"_s, u"$1to30"_s})
        QVERIFY2(html.contains(placeholder), qPrintable(placeholder));
    // Icon reports leave "$width" as it is: it may only stand where the page never shows it.
    QCOMPARE(html.count(u"$width"_s), html.count(u"width=\"$width\""_s));
    // "$1to30" is replaced by table rows, so it has to stand inside a table.
    const qsizetype rows = html.indexOf(u"$1to30"_s);
    QVERIFY(html.lastIndexOf(u"<table"_s, rows) > html.lastIndexOf(u"</table>"_s, rows));

    html.replace(u"$NEN"_s, u"5"_s).replace(u"$KUMI"_s, u"2"_s).replace(u"$NAMAE"_s, u"たろう"_s);
    html.replace(u"$step"_s, u"文字入力によるプログラミング"_s);
    html.replace(u"$MOKUTEKI"_s, u"しかくを かく\n<Br>\n"_s).replace(u"$KANSOU"_s, u"たのしかった\n<Br>\n"_s);
    html.replace(u"$width"_s, u"50%"_s);
    html.replace(u"$1to30"_s,
                 u"<tr valign=\"top\">\n<td width=\"100%\" bgcolor=\"#FFFFFF\">\n01　motor(fwd,fwd)<Br>\n</td>\n</tr>\n"_s);
    QTextDocument document;
    document.setHtml(html);
    // The HTML reader folds every run of blanks, the ideographic space included, into one.
    const QString shown = document.toPlainText().simplified();
    for (const QString &part : {u"たろう"_s, u"しかくを かく"_s, u"たのしかった"_s, u"01 motor(fwd,fwd)"_s,
                                u"文字入力によるプログラミング"_s})
        QVERIFY2(shown.contains(part), qPrintable(part));
    QVERIFY(!shown.contains(u'$'));
}

QTEST_MAIN(TestDataFiles)
#include "tst_datafiles.moc"
