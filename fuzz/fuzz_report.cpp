// SPDX-License-Identifier: GPL-3.0-or-later
// The report page from the real template and any typed texts: a "<" the pupil typed (in a
// field or in a text program) never reaches the page as markup. Replacing every typed "<" by
// another letter must leave the page with exactly as many "<" as before.
#include "app/report/reportbuilder.h"
#include "fuzzsupport.h"

#include <QFile>

namespace {

const QStringList &templateLines()
{
    static const QStringList lines = [] {
        QFile file(QString::fromUtf8(RK25_SOURCE_DIR "/data/Data/report.txt"));
        if (!file.open(QIODevice::ReadOnly))
            fuzz::fail("the report template is readable");
        return cp932::splitLines(QString::fromUtf8(file.readAll()));
    }();
    return lines;
}

ReportInput inputFrom(const QStringList &lines, int tag)
{
    ReportInput input;
    input.tag = tag;
    input.grade = lines.value(0);
    input.className = lines.value(1);
    input.name = lines.value(2);
    input.aimLines = lines.mid(3, 2);
    input.impressionLines = lines.mid(5, 2);
    input.programLines = lines.mid(7);
    return input;
}

qsizetype markupCount(const ReportPage &page)
{
    qsizetype n = 0;
    for (const QString &line : page.lines)
        n += line.count(u'<');
    return n;
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::ensureApplication();
    if (size == 0)
        return 0;
    const int tags[] = {REPORT_TAG_ICON, REPORT_TAG_TEXT, REPORT_TAG_ROUTE, 0};
    const int tag = tags[data[0] % 4];
    const QStringList typed = fuzz::fileLines(data + 1, size - 1);
    QStringList harmless = typed;
    for (QString &line : harmless)
        line.replace(u'<', u'x');
    const ReportPage page = buildReportPage(templateLines(), inputFrom(typed, tag));
    const ReportPage plain = buildReportPage(templateLines(), inputFrom(harmless, tag));
    fuzz::check(page.ok == plain.ok, "a '<' does not decide whether a page is made");
    if (page.ok) {
        fuzz::check(markupCount(page) == markupCount(plain), "no typed '<' reaches the page");
        bool encodable = false;
        cp932::encodeLines(page.lines, &encodable);
        fuzz::check(encodable, "the page holds only what CP932 holds");
    }
    QString fileName;
    if (reportFileName(typed.value(0), typed.value(1), typed.value(2), &fileName)) {
        // One path component without separators cannot leave the folder ("たろう..html" is fine).
        fuzz::check(!fileName.contains(u'/') && !fileName.contains(u'\\') && fileName != u"." && fileName != u"..",
                    "a report file name stays in the working folder");
    }
    return 0;
}
