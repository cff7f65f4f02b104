// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/report/reportbuilder.h"
#include "common/cp932.h"
#include "route/routemodel.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestReportBuilder : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void replacement_data();
    void replacement();
    void pupilTextIsEscaped_data();
    void pupilTextIsEscaped();
    void aimBecomesLinesWithBreaks();
    void listingNumbers();
    void widthClasses_data();
    void widthClasses();
    void iconListingHasAll59Slots();
    void textListing_data();
    void textListing();
    void routeListing_data();
    void routeListing();
    void listingLinesAreEscaped();
    void stepTitleAndWidthPerTag_data();
    void stepTitleAndWidthPerTag();
    void writesFileInWorkFolder();
    void requiredFieldsInOrder_data();
    void requiredFieldsInOrder();
    void textOverLimitWritesNothing();
    void unsafeFileNamesAreRefused_data();
    void unsafeFileNamesAreRefused();
    void missingTemplateFails();
    void fileNameHasPlainDigits_data();
    void fileNameHasPlainDigits();

private:
    QString writeTemplate(const QStringList &lines);
    QTemporaryDir m_dir;
    QString m_work;
};

namespace {

const QStringList TEMPLATE = {
    u"<html><head><title>$NEN年$KUMI組 $NAMAE</title></head><body>"_s,
    u"<p>$step</p>"_s,
    u"$MOKUTEKI"_s,
    u"<p>$KANSOU</p>"_s,
    u"<table width=\"$width\">"_s,
    u"$1to30"_s,
    u"</table></body></html>"_s,
};

ReportInput pupil(int tag)
{
    ReportInput input;
    input.tag = tag;
    input.grade = u"5"_s;
    input.className = u"2"_s;
    input.name = u"たろう"_s;
    return input;
}

QStringList numberedLines(int n)
{
    QStringList lines;
    for (int i = 1; i <= n; ++i)
        lines << QStringLiteral("wait(%1)").arg(i);
    return lines;
}

// The listing as a shape: "R" a row start, "/R" a row end, "C<n>" a cell with n lines.
QString shape(const QStringList &pieces)
{
    QStringList out;
    int lines = -1;
    for (const QString &p : pieces) {
        if (p.startsWith(u"<tr")) {
            out << u"R"_s;
            if (p.contains(u"<td"))
                lines = 0;
        }
        else if (p == u"</tr>")
            out << u"/R"_s;
        else if (p.startsWith(u"<td")) {
            if (p.endsWith(u"</td>"))
                out << u"C0"_s;
            else
                lines = 0;
        } else if (p == u"</td>") {
            out << QStringLiteral("C%1").arg(lines);
            lines = -1;
        } else {
            ++lines;
        }
    }
    return out.join(u' ');
}

QStringList cellWidths(const QStringList &pieces)
{
    QStringList widths;
    for (const QString &p : pieces) {
        if (p.startsWith(u"<td width=\""))
            widths << p.section(u'"', 1, 1);
    }
    widths.removeDuplicates();
    return widths;
}

}

QString TestReportBuilder::writeTemplate(const QStringList &lines)
{
    const QString path = m_dir.filePath(u"report.txt"_s);
    if (!cp932::writeLines(path, lines))
        return {};
    return path;
}

void TestReportBuilder::init()
{
    QVERIFY(m_dir.isValid());
    m_work = m_dir.filePath(u"RK-25Temp/"_s);
    QDir(m_work).removeRecursively();
    QVERIFY(QDir().mkpath(m_work));
}

void TestReportBuilder::replacement_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("placeholder");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("every occurrence")
        << QStringList{u"$NEN-$NEN"_s, u"x"_s, u"$NEN"_s} << u"$NEN"_s << u"5"_s
        << QStringList{u"5-5"_s, u"x"_s, u"5"_s};
    QTest::newRow("case-sensitive") << QStringList{u"$nen $NEN"_s} << u"$NEN"_s << u"5"_s
                                    << QStringList{u"$nen 5"_s};
    QTest::newRow("text holding its own placeholder is inserted once")
        << QStringList{u"[$NAMAE] [$NAMAE]"_s} << u"$NAMAE"_s << u"$NAMAE$NAMAE"_s
        << QStringList{u"[$NAMAE$NAMAE] [$NAMAE$NAMAE]"_s};
    QTest::newRow("empty text removes") << QStringList{u"a$stepb"_s} << u"$step"_s << QString()
                                        << QStringList{u"ab"_s};
}

void TestReportBuilder::replacement()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, placeholder);
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    replacePlaceholder(&lines, placeholder, text);
    QCOMPARE(lines, expected);
}

void TestReportBuilder::pupilTextIsEscaped_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kansou");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("impressions");
    QTest::newRow("markup") << u"<b>&"_s << u"</p><script>"_s
                            << u"<title>5年2組 &lt;b&gt;&amp;</title>"_s << u"&lt;/p&gt;&lt;script&gt;"_s;
    // The name receives the impressions through the later placeholder, and only once.
    QTest::newRow("later placeholder inside the name")
        << u"$KANSOU"_s << u"たのしかった"_s << u"<title>5年2組 たのしかった\r\n<Br>\r\n</title>"_s
        << u"たのしかった"_s;
    QTest::newRow("placeholder in its own text") << u"$NAMAE"_s << u"$KANSOU"_s
                                                 << u"<title>5年2組 $NAMAE</title>"_s << u"$KANSOU"_s;
    QTest::newRow("characters CP932 lacks") << u"😀"_s << u"é"_s << u"<title>5年2組 &#128512;</title>"_s
                                           << u"&#233;"_s;
}

void TestReportBuilder::pupilTextIsEscaped()
{
    QFETCH(QString, name);
    QFETCH(QString, kansou);
    QFETCH(QString, title);
    QFETCH(QString, impressions);
    ReportInput input = pupil(REPORT_TAG_ICON);
    input.name = name;
    input.impressionLines = {kansou};
    const ReportPage page = buildReportPage(TEMPLATE, input);
    QVERIFY(page.ok);
    QVERIFY2(page.lines[0].contains(title), qPrintable(page.lines[0]));
    QVERIFY2(page.lines[3].startsWith(u"<p>"_s + impressions + u"\r\n<Br>\r\n"_s), qPrintable(page.lines[3]));
    bool ok = false;
    cp932::encodeLines(page.lines, &ok);
    QVERIFY(ok);
}

void TestReportBuilder::aimBecomesLinesWithBreaks()
{
    ReportInput input = pupil(REPORT_TAG_TEXT);
    input.aimLines = {u"a"_s, u"b"_s};
    const QString path = writeTemplate(TEMPLATE);
    const ReportResult result = makeReport(input, path, m_work);
    QCOMPARE(result.status, ReportStatus::Written);
    const QStringList written = cp932::readLines(result.filePath).lines;
    const qsizetype at = written.indexOf(u"a"_s);
    QCOMPARE(at, 2);
    QCOMPARE(written.mid(at, 5), (QStringList{u"a"_s, u"<Br>"_s, u"b"_s, u"<Br>"_s, QString()}));
    QCOMPARE(written[at + 5], u"<p></p>"_s);
}

void TestReportBuilder::listingNumbers()
{
    QCOMPARE(listingNumber(0), u"00"_s);
    QCOMPARE(listingNumber(1), u"01"_s);
    QCOMPARE(listingNumber(9), u"09"_s);
    QCOMPARE(listingNumber(10), u"10"_s);
    QCOMPARE(listingNumber(99), u"99"_s);
    QCOMPARE(listingNumber(100), u"100"_s);
    QCOMPARE(listingNumber(239), u"239"_s);
}

void TestReportBuilder::widthClasses_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("route");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << 0 << "50% 100%" << "50% 100%";
    QTest::newRow("30") << 30 << "50% 100%" << "50% 100%";
    QTest::newRow("31") << 31 << "80% 50%" << "80% 50%";
    QTest::newRow("60") << 60 << "80% 50%" << "80% 50%";
    QTest::newRow("61") << 61 << "80% 33%" << "80% 33%";
    QTest::newRow("90") << 90 << "80% 33%" << "80% 33%";
    QTest::newRow("91") << 91 << "100% 25%" << "100% 25%";
    QTest::newRow("119") << 119 << "100% 25%" << "100% 25%";
    QTest::newRow("120") << 120 << "50% 100%" << "100% 25%";
    QTest::newRow("239") << 239 << "50% 100%" << "100% 25%";
}

void TestReportBuilder::widthClasses()
{
    QFETCH(int, count);
    QFETCH(QString, route);
    QFETCH(QString, text);
    const WidthClass r = routeWidthClass(count);
    const WidthClass t = textWidthClass(count);
    QCOMPARE(r.table + u' ' + r.cell, route);
    QCOMPARE(t.table + u' ' + t.cell, text);
}

void TestReportBuilder::iconListingHasAll59Slots()
{
    QList<IconSlotTexts> slotTexts(59);
    slotTexts[0] = {u"前進"_s, u"01.5秒"_s};
    slotTexts[30] = {u"右回転"_s, u"90度"_s};
    const QStringList pieces = iconListing(slotTexts);
    QCOMPARE(shape(pieces), u"R C30 C29 /R"_s);
    QCOMPARE(pieces[0], u"<tr valign=\"top\"><td width=\"50%\" bgcolor=\"#FFFFFF\">"_s);
    QCOMPARE(pieces[1], u"01　前進　01.5秒<Br>"_s);
    QCOMPARE(pieces[2], u"02　　<Br>"_s);
    QCOMPARE(pieces[30], u"30　　<Br>"_s);
    QCOMPARE(pieces[31], u"</td>"_s);
    QCOMPARE(pieces[32], u"<td width=\"50%\" bgcolor=\"#FFFFFF\">"_s);
    QCOMPARE(pieces[33], u"31　右回転　90度<Br>"_s);
    QCOMPARE(pieces[61], u"59　　<Br>"_s);
    QCOMPARE(pieces.mid(62), (QStringList{u"</td>"_s, u"</tr>"_s}));
    // Fewer texts than slots (a screen that hands over only its filled slots) still list 59.
    QCOMPARE(shape(iconListing({})), u"R C30 C29 /R"_s);
}

void TestReportBuilder::textListing_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<bool>("listed");
    QTest::addColumn<QString>("shape");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("cell");
    QTest::newRow("no lines") << 0 << true << "" << "50%" << "";
    QTest::newRow("1") << 1 << true << "R C1 /R" << "50%" << "100%";
    QTest::newRow("30") << 30 << true << "R C30 /R" << "50%" << "100%";
    QTest::newRow("45") << 45 << true << "R C30 C15 /R" << "80%" << "50%";
    QTest::newRow("90") << 90 << true << "R C30 C30 C30 /R" << "80%" << "33%";
    QTest::newRow("120") << 120 << true << "R C30 C30 C30 C30 /R" << "100%" << "25%";
    QTest::newRow("121") << 121 << true << "R C30 C30 C30 C30 /R R C1 C0 C0 C0 /R" << "100%" << "25%";
    QTest::newRow("130") << 130 << true << "R C30 C30 C30 C30 /R R C10 C0 C0 C0 /R" << "100%" << "25%";
    QTest::newRow("150") << 150 << true << "R C30 C30 C30 C30 /R R C30 C0 C0 C0 /R" << "100%" << "25%";
    QTest::newRow("151") << 151 << true << "R C30 C30 C30 C30 /R R C30 C1 C0 C0 /R" << "100%" << "25%";
    QTest::newRow("210") << 210 << true << "R C30 C30 C30 C30 /R R C30 C30 C30 C0 /R" << "100%" << "25%";
    QTest::newRow("211") << 211 << true << "R C30 C30 C30 C30 /R R C30 C30 C30 C1 /R" << "100%" << "25%";
    QTest::newRow("239") << 239 << true << "R C30 C30 C30 C30 /R R C30 C30 C30 C29 /R" << "100%" << "25%";
    QTest::newRow("240") << 240 << false << "" << "" << "";
}

void TestReportBuilder::textListing()
{
    QFETCH(int, lines);
    QFETCH(bool, listed);
    QFETCH(QString, shape);
    QFETCH(QString, width);
    QFETCH(QString, cell);

    const QStringList program = numberedLines(lines);
    QStringList pieces{u"stale"_s};
    QCOMPARE(::textListing(program, &pieces), listed);
    QCOMPARE(::shape(pieces), shape);
    QCOMPARE(cellWidths(pieces), cell.isEmpty() ? QStringList() : QStringList{cell});
    if (lines > 0 && listed) {
        QVERIFY(pieces.contains(u"01　wait(1)<Br>"_s));
        QVERIFY(pieces.contains(listingNumber(lines) + u"　wait("_s + QString::number(lines) + u")<Br>"_s));
    }

    ReportInput input = pupil(REPORT_TAG_TEXT);
    input.programLines = program;
    const ReportPage page = buildReportPage(TEMPLATE, input);
    QCOMPARE(page.ok, listed);
    if (listed)
        QCOMPARE(page.lines[4], u"<table width=\""_s + width + u"\">"_s);
}

void TestReportBuilder::routeListing_data()
{
    QTest::addColumn<int>("records");
    QTest::addColumn<QString>("shape");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("cell");
    // Each record past the start holds four lines.
    QTest::newRow("empty route") << 0 << "R C0 /R" << "50%" << "100%";
    QTest::newRow("7 records, 28 lines") << 7 << "R C28 /R" << "50%" << "100%";
    QTest::newRow("8 records, 32 lines") << 8 << "R C30 C2 /R" << "80%" << "50%";
    QTest::newRow("23 records, 92 lines") << 23 << "R C30 C30 C30 C2 /R" << "100%" << "25%";
    QTest::newRow("29 records, 116 lines") << 29 << "R C30 C30 C30 C26 /R" << "100%" << "25%";
    QTest::newRow("40 records, 160 lines: three cells") << 40 << "R C30 C30 C30 /R" << "50%" << "100%";
}

void TestReportBuilder::routeListing()
{
    QFETCH(int, records);
    QFETCH(QString, shape);
    QFETCH(QString, width);
    QFETCH(QString, cell);

    std::array<RoutePoint, ROUTE_RECORD_COUNT> data{};
    data[0] = {{}, {}, {}, {}, 10, 490, 0, 0, 0};
    for (int r = 1; r <= records; ++r)
        data[static_cast<size_t>(r)] = {u"motor(fwd,rev)"_s, u"wait(5)"_s, u"motor(fwd,fwd)"_s, u"wait(2)"_s,
                                        10 + r, 490, 0, 0, 0};
    ReportInput input = pupil(REPORT_TAG_ROUTE);
    RouteModel route;
    route.assignRecords(data);
    QCOMPARE(route.lineCount(), records * 4);
    input.routeRecords = route.listingRecords();
    input.routeLineCount = route.lineCount();

    const QStringList pieces = ::routeListing(input.routeRecords, input.routeLineCount);
    QCOMPARE(::shape(pieces), shape);
    QCOMPARE(cellWidths(pieces), QStringList{cell});
    if (records > 0) {
        // All lines of one point share the record's number.
        QCOMPARE(pieces[2], u"01　motor(fwd,rev)<Br>"_s);
        QCOMPARE(pieces[5], u"01　wait(2)<Br>"_s);
        QCOMPARE(pieces[6], u"02　motor(fwd,rev)<Br>"_s);
    } else {
        QCOMPARE(pieces, (QStringList{u"<tr valign=\"top\">"_s, u"<td width=\"100%\" bgcolor=\"#FFFFFF\">"_s,
                                      u"</td>"_s, u"</tr>"_s}));
    }
    const ReportPage page = buildReportPage(TEMPLATE, input);
    QVERIFY(page.ok);
    QCOMPARE(page.lines[4], u"<table width=\""_s + width + u"\">"_s);
    QCOMPARE(page.lines[5], pieces.join(u"\r\n"_s) + u"\r\n"_s);
}

void TestReportBuilder::listingLinesAreEscaped()
{
    QStringList pieces;
    QVERIFY(::textListing({u"//</td></tr> & <b>"_s}, &pieces));
    QCOMPARE(pieces[2], u"01　//&lt;/td&gt;&lt;/tr&gt; &amp; &lt;b&gt;<Br>"_s);

    QList<IconSlotTexts> slotTexts(59);
    slotTexts[4] = {u"<i>"_s, u"a&b"_s};
    QCOMPARE(iconListing(slotTexts)[5], u"05　&lt;i&gt;　a&amp;b<Br>"_s);

    // Route text fields come from the file as stored.
    std::array<RoutePoint, ROUTE_RECORD_COUNT> data{};
    data[0] = {{}, {}, {}, {}, 10, 10, 0, 0, 0};
    data[1] = {{}, {}, u"<script>"_s, {}, 20, 10, 0, 0, 0};
    RouteModel route;
    QVERIFY(route.assignRecords(data));
    QCOMPARE(::routeListing(route.listingRecords(), route.lineCount())[2], u"01　&lt;script&gt;<Br>"_s);
}

void TestReportBuilder::stepTitleAndWidthPerTag_data()
{
    QTest::addColumn<int>("tag");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("table");
    QTest::newRow("icon") << 1 << "<p>ドラッグ＆ドロップによるプログラミング</p>" << "<table width=\"$width\">";
    QTest::newRow("text") << 9 << "<p>文字入力によるプログラミング</p>" << "<table width=\"50%\">";
    QTest::newRow("route") << 10 << "<p>座標によるプログラミング</p>" << "<table width=\"50%\">";
    QTest::newRow("unknown") << 3 << "<p></p>" << "<table width=\"$width\">";
}

void TestReportBuilder::stepTitleAndWidthPerTag()
{
    QFETCH(int, tag);
    QFETCH(QString, title);
    QFETCH(QString, table);
    const ReportPage page = buildReportPage(TEMPLATE, pupil(tag));
    QVERIFY(page.ok);
    QCOMPARE(page.lines[1], title);
    QCOMPARE(page.lines[4], table);
    QVERIFY(!page.lines[5].contains(u"$1to30"));
}

void TestReportBuilder::writesFileInWorkFolder()
{
    const QString path = writeTemplate(TEMPLATE);
    ReportInput input = pupil(REPORT_TAG_ICON);
    ReportResult result = makeReport(input, path, m_work);
    QCOMPARE(result.status, ReportStatus::Written);
    QCOMPARE(result.filePath, QDir(m_work).filePath(u"52たろう.html"_s));
    QFile file(result.filePath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(bytes, cp932::encodeLines(result.lines));
    QVERIFY(bytes.contains("\x82\xbd\x82\xeb\x82\xa4")); // たろう in CP932
    QVERIFY(bytes.endsWith("</table></body></html>\r\n"));
    file.close();

    // Same grade, class and name: the file is overwritten.
    input.impressionLines = {u"またやりたい"_s};
    result = makeReport(input, path, m_work.chopped(1));
    QCOMPARE(result.status, ReportStatus::Written);
    QFile again(result.filePath);
    QVERIFY(again.open(QIODevice::ReadOnly));
    QCOMPARE(again.readAll(), cp932::encodeLines(result.lines));
    QVERIFY(result.lines[3].contains(u"またやりたい"));
    QCOMPARE(QDir(m_work).entryList(QDir::Files), QStringList{u"52たろう.html"_s});
}

void TestReportBuilder::requiredFieldsInOrder_data()
{
    QTest::addColumn<QString>("grade");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("name");
    QTest::newRow("no name") << "5" << "2" << "";
    QTest::newRow("no grade") << "" << "2" << "たろう";
    QTest::newRow("no class") << "5" << "" << "たろう";
    QTest::newRow("nothing") << "" << "" << "";
}

void TestReportBuilder::requiredFieldsInOrder()
{
    QFETCH(QString, grade);
    QFETCH(QString, className);
    QFETCH(QString, name);
    ReportInput input = pupil(REPORT_TAG_TEXT);
    input.grade = grade;
    input.className = className;
    input.name = name;
    // Checked before the template is even looked for.
    const ReportResult result = makeReport(input, m_dir.filePath(u"missing.txt"_s), m_work);
    QCOMPARE(result.status, ReportStatus::MissingRequired);
    QCOMPARE(result.message, u"必須項目に未記入があります。\r\n学年、クラス、氏名は必須項目です。"_s);
    QVERIFY(QDir(m_work).isEmpty());
}

void TestReportBuilder::textOverLimitWritesNothing()
{
    ReportInput input = pupil(REPORT_TAG_TEXT);
    input.programLines = numberedLines(240);
    const ReportResult result = makeReport(input, writeTemplate(TEMPLATE), m_work);
    QCOMPARE(result.status, ReportStatus::TooManyLines);
    QCOMPARE(result.message, u"命令数が最大数を超えています。"_s);
    QVERIFY(QDir(m_work).isEmpty());

    input.programLines = numberedLines(239);
    QCOMPARE(makeReport(input, writeTemplate(TEMPLATE), m_work).status, ReportStatus::Written);
}

void TestReportBuilder::unsafeFileNamesAreRefused_data()
{
    QTest::addColumn<QString>("grade");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("name");
    QTest::newRow("parent folder in the name") << "5" << "2" << "/../../x";
    QTest::newRow("dots alone") << "5" << "2" << "..";
    QTest::newRow("dots in the grade") << ".." << "2" << "x";
    QTest::newRow("slash in the class") << "5" << "2/3" << "たろう";
    QTest::newRow("backslash") << "5" << "2" << "a\\b";
    QTest::newRow("line break") << "5" << "2" << "た\nろう";
    QTest::newRow("tab") << "5\t" << "2" << "たろう";
    QTest::newRow("nul") << "5" << "2" << QString(QChar(0)) + u"x"_s;
    QTest::newRow("colon") << "5" << "2" << "a:b";
    QTest::newRow("star") << "5" << "*" << "たろう";
    QTest::newRow("question mark") << "?" << "2" << "たろう";
    QTest::newRow("angle bracket") << "5" << "2" << "<b>";
    QTest::newRow("pipe") << "5" << "2" << "a|b";
    QTest::newRow("lone surrogate") << "5" << "2" << QString(QChar(0xD800));
    QTest::newRow("too long") << "5" << "2" << QString(100, u'た');
}

void TestReportBuilder::unsafeFileNamesAreRefused()
{
    QFETCH(QString, grade);
    QFETCH(QString, className);
    QFETCH(QString, name);
    QString fileName;
    QVERIFY(!reportFileName(grade, className, name, &fileName));

    ReportInput input = pupil(REPORT_TAG_ICON);
    input.grade = grade;
    input.className = className;
    input.name = name;
    const ReportResult result = makeReport(input, writeTemplate(TEMPLATE), m_work);
    QCOMPARE(result.status, ReportStatus::Failed);
    QVERIFY(result.filePath.isEmpty());
    QVERIFY(QDir(m_work).isEmpty());
    // Nothing appeared next to the template or above the working folder either.
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"report.txt"_s});
}

void TestReportBuilder::missingTemplateFails()
{
    const ReportResult result = makeReport(pupil(REPORT_TAG_ICON), m_dir.filePath(u"none.txt"_s), m_work);
    QCOMPARE(result.status, ReportStatus::Failed);
    QVERIFY(!result.detail.isEmpty());
    QVERIFY(QDir(m_work).isEmpty());

    // An unwritable target (a folder in the file's place) fails the same way.
    QVERIFY(QDir().mkpath(QDir(m_work).filePath(u"52たろう.html"_s)));
    QCOMPARE(makeReport(pupil(REPORT_TAG_ICON), writeTemplate(TEMPLATE), m_work).status, ReportStatus::Failed);
}

void TestReportBuilder::fileNameHasPlainDigits_data()
{
    QTest::addColumn<QString>("grade");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("fileName");
    QTest::newRow("plain") << "5" << "2" << "たろう" << "52たろう.html";
    QTest::newRow("full-width grade and class") << "５" << "２" << "たろう" << "52たろう.html";
    QTest::newRow("two full-width digits") << "６" << "１２" << "はなこ" << "612はなこ.html";
    QTest::newRow("letters stay as typed") << "５" << "Ａ" << "じろう" << "5Ａじろう.html";
    QTest::newRow("digits in the name stay") << "5" << "2" << "たろう２" << "52たろう２.html";
}

void TestReportBuilder::fileNameHasPlainDigits()
{
    QFETCH(QString, grade);
    QFETCH(QString, className);
    QFETCH(QString, name);
    QFETCH(QString, fileName);
    ReportInput input = pupil(REPORT_TAG_ICON);
    input.grade = grade;
    input.className = className;
    input.name = name;
    const ReportResult result = makeReport(input, writeTemplate(TEMPLATE), m_work);
    QCOMPARE(result.status, ReportStatus::Written);
    QCOMPARE(result.filePath, QDir(m_work).filePath(fileName));
    // The page shows what was typed.
    QCOMPARE(result.lines[0].section(u'>', 3, 3).section(u'<', 0, 0),
             grade + u"年"_s + className + u"組 "_s + name);
}

QTEST_GUILESS_MAIN(TestReportBuilder)
#include "tst_reportbuilder.moc"
