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
    QTest::newRow("menu") << u"Navi\\navi\\index.html"_qs << u"がくしゅうナビ メニュー"_qs;
    QTest::newRow("STEP2") << u"Navi\\navi\\index_s2.html"_qs << u"がくしゅうナビ STEP2"_qs;
    QTest::newRow("STEP3") << u"Navi\\navi\\index_s3.html"_qs << u"がくしゅうナビ STEP3"_qs;
    QTest::newRow("STEP4") << u"Navi\\navi\\index_s4.html"_qs << u"がくしゅうナビ STEP4"_qs;
    QTest::newRow("STEP4 panel open") << u"Navi\\navi\\index_s8.html"_qs << u"がくしゅうナビ STEP4 くわしく"_qs;
    QTest::newRow("STEP5") << u"Navi\\navi\\index_s5.html"_qs << u"がくしゅうナビ STEP5"_qs;
    QTest::newRow("remote") << u"Navi\\navi\\index_s6.html"_qs << u"がくしゅうナビ リモコン"_qs;
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
    QVERIFY(browser.toPlainText().contains(u"ヒント"_qs));

    // Every picture the page shows is in the program folder.
    static const QRegularExpression image(uR"re(<img src="([^"]+)")re"_qs);
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
    const QString path = programFilePath(u"Data\\report.txt"_qs);
    const cp932::ReadResult file = cp932::readLines(path);
    QVERIFY2(file.ok, qPrintable(file.error));
    QString html = file.lines.join(u'\n');
    QVERIFY(!html.contains(QChar::ReplacementCharacter));
    for (const QString &placeholder : {u"$NEN"_qs, u"$KUMI"_qs, u"$NAMAE"_qs, u"$step"_qs, u"$MOKUTEKI"_qs,
                                       u"$KANSOU"_qs, u"$width"_qs, u"$1to30"_qs})
        QVERIFY2(html.contains(placeholder), qPrintable(placeholder));
    // Icon reports leave "$width" as it is: it may only stand where the page never shows it.
    QCOMPARE(html.count(u"$width"_qs), html.count(u"width=\"$width\""_qs));
    // "$1to30" is replaced by table rows, so it has to stand inside a table.
    const qsizetype rows = html.indexOf(u"$1to30"_qs);
    QVERIFY(html.lastIndexOf(u"<table"_qs, rows) > html.lastIndexOf(u"</table>"_qs, rows));

    html.replace(u"$NEN"_qs, u"5"_qs).replace(u"$KUMI"_qs, u"2"_qs).replace(u"$NAMAE"_qs, u"たろう"_qs);
    html.replace(u"$step"_qs, u"文字入力によるプログラミング"_qs);
    html.replace(u"$MOKUTEKI"_qs, u"しかくを かく\n<Br>\n"_qs).replace(u"$KANSOU"_qs, u"たのしかった\n<Br>\n"_qs);
    html.replace(u"$width"_qs, u"50%"_qs);
    html.replace(u"$1to30"_qs,
                 u"<tr valign=\"top\">\n<td width=\"100%\" bgcolor=\"#FFFFFF\">\n01　motor(fwd,fwd)<Br>\n</td>\n</tr>\n"_qs);
    QTextDocument document;
    document.setHtml(html);
    // The HTML reader folds every run of blanks, the ideographic space included, into one.
    const QString shown = document.toPlainText().simplified();
    for (const QString &part : {u"たろう"_qs, u"しかくを かく"_qs, u"たのしかった"_qs, u"01 motor(fwd,fwd)"_qs,
                                u"文字入力によるプログラミング"_qs})
        QVERIFY2(shown.contains(part), qPrintable(part));
    QVERIFY(!shown.contains(u'$'));
}

QTEST_MAIN(TestDataFiles)
#include "tst_datafiles.moc"
