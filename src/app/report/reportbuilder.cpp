// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/report/reportbuilder.h"

#include "common/cp932.h"

#include <QDir>

#include <algorithm>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

const QString SEPARATOR = u"\u3000"_s;
const QString BREAK = u"<Br>"_s;
const QString CRLF = u"\r\n"_s;
const QString ROW_START = u"<tr valign=\"top\">"_s;
const QString ROW_END = u"</tr>"_s;
const QString CELL_END = u"</td>"_s;

constexpr int CELL_LINES = 30;
constexpr int ROW_LINES = 120;
constexpr int CELLS_PER_ROW = 4;
// The route lists at most three cells when its lines overflow the fourth.
constexpr int ROUTE_FOUR_CELL_LIMIT = 119;
// Bytes a file name may have on the file systems we write to.
constexpr int MAX_FILE_NAME_BYTES = 255;

QString cellStart(const QString &width)
{
    return u"<td width=\"%1\" bgcolor=\"#FFFFFF\">"_s.arg(width);
}

QString listingLine(int number, QStringView text)
{
    return listingNumber(number) + SEPARATOR + escapeHtml(text) + BREAK;
}

bool encodable(QStringView text)
{
    bool ok = false;
    cp932::encode(text, &ok);
    return ok;
}

bool fileNamePartAllowed(const QString &part)
{
    if (part.contains(u".."))
        return false;
    static const QString reserved = u"/\\:*?\"<>|"_s;
    for (qsizetype i = 0; i < part.size(); ++i) {
        const QChar c = part[i];
        if (reserved.contains(c) || c.category() == QChar::Other_Control
            || c.category() == QChar::Separator_Line || c.category() == QChar::Separator_Paragraph)
            return false;
        if (c.isHighSurrogate() && i + 1 < part.size() && part[i + 1].isLowSurrogate()) {
            ++i;
            continue;
        }
        if (c.isSurrogate() || c.isNonCharacter())
            return false;
    }
    return true;
}

// A digit typed through the input method comes full-width ("５"); the file name carries the
// plain digit, so the teacher finds 52たろう.html whichever way the number was typed.
QString plainDigits(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        qsizetype length = 1;
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            length = 2;
        const QString character = text.mid(i, length);
        const QString normal = character.normalized(QString::NormalizationForm_KC);
        const bool digit = normal.size() == 1 && normal[0] >= u'0' && normal[0] <= u'9';
        out += digit ? normal : character;
        i += length - 1;
    }
    return out;
}

QString listingTable(const QStringList &pieces)
{
    QString table;
    for (const QString &piece : pieces)
        table += piece + CRLF;
    return table;
}

}

QString reportStepTitle(int tag)
{
    switch (tag) {
    case REPORT_TAG_ICON:
        return u"ドラッグ＆ドロップによるプログラミング"_s;
    case REPORT_TAG_TEXT:
        return u"文字入力によるプログラミング"_s;
    case REPORT_TAG_ROUTE:
        return u"座標によるプログラミング"_s;
    default:
        return {};
    }
}

void replacePlaceholder(QStringList *lines, QStringView placeholder, const QString &text)
{
    if (placeholder.isEmpty())
        return;
    for (QString &line : *lines) {
        qsizetype from = 0;
        qsizetype at;
        while ((at = line.indexOf(placeholder, from)) >= 0) {
            line.replace(at, placeholder.size(), text);
            from = at + text.size();
        }
    }
}

QString escapeHtml(QStringView text)
{
    // Most texts are plain and fit CP932 as a whole: one check instead of one per character.
    const bool plain = std::none_of(text.begin(), text.end(),
                                    [](QChar c) { return c == u'&' || c == u'<' || c == u'>'; });
    if (plain && encodable(text))
        return text.toString();
    QString escaped;
    escaped.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'&') {
            escaped += u"&amp;";
        } else if (c == u'<') {
            escaped += u"&lt;";
        } else if (c == u'>') {
            escaped += u"&gt;";
        } else {
            qsizetype length = 1;
            if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
                length = 2;
            const QStringView character = text.mid(i, length);
            if (encodable(character)) {
                escaped += character;
            } else if (length == 2 || !c.isSurrogate()) {
                const char32_t code = length == 2 ? QChar::surrogateToUcs4(c, text[i + 1]) : c.unicode();
                escaped += u"&#%1;"_s.arg(static_cast<uint>(code));
            } else {
                // A lone surrogate is no character at all.
                escaped += u"&#65533;"_s;
            }
            i += length - 1;
        }
    }
    return escaped;
}

QString multiLineText(const QStringList &lines)
{
    QString text;
    for (const QString &line : lines)
        text += escapeHtml(line) + CRLF + BREAK + CRLF;
    return text;
}

QString listingNumber(int n)
{
    return u"%1"_s.arg(n, 2, 10, QLatin1Char('0'));
}

WidthClass routeWidthClass(int lineCount)
{
    if (lineCount >= 91 && lineCount <= ROUTE_FOUR_CELL_LIMIT)
        return {u"100%"_s, u"25%"_s};
    if (lineCount >= 61 && lineCount <= 90)
        return {u"80%"_s, u"33%"_s};
    if (lineCount >= 31 && lineCount <= 60)
        return {u"80%"_s, u"50%"_s};
    return {u"50%"_s, u"100%"_s};
}

WidthClass textWidthClass(int lineCount)
{
    if (lineCount > 90)
        return {u"100%"_s, u"25%"_s};
    if (lineCount >= 61)
        return {u"80%"_s, u"33%"_s};
    if (lineCount >= 31)
        return {u"80%"_s, u"50%"_s};
    return {u"50%"_s, u"100%"_s};
}

QStringList iconListing(const QList<IconSlotTexts> &slotTexts)
{
    const QString half = u"50%"_s;
    QStringList pieces{ROW_START + cellStart(half)};
    for (int slot = 0; slot < 59; ++slot) {
        if (slot == 30)
            pieces << CELL_END << cellStart(half);
        const IconSlotTexts texts = slot < slotTexts.size() ? slotTexts.at(slot) : IconSlotTexts();
        pieces << listingNumber(slot + 1) + SEPARATOR + escapeHtml(texts.name) + SEPARATOR
                      + escapeHtml(texts.value) + BREAK;
    }
    pieces << CELL_END << ROW_END;
    return pieces;
}

QStringList routeListing(const QList<QStringList> &records, int lineCount)
{
    QStringList lines;
    for (int r = 0; r < records.size(); ++r) {
        for (const QString &field : records.at(r)) {
            if (!field.isEmpty())
                lines << listingLine(r, field);
        }
    }
    const QString width = routeWidthClass(lineCount).cell;
    const int cells = lines.size() > ROUTE_FOUR_CELL_LIMIT
                          ? 3
                          : std::max<int>(1, static_cast<int>((lines.size() + CELL_LINES - 1) / CELL_LINES));
    QStringList pieces{ROW_START};
    for (int cell = 0; cell < cells; ++cell) {
        pieces << cellStart(width);
        pieces += lines.mid(cell * CELL_LINES, CELL_LINES);
        pieces << CELL_END;
    }
    pieces << ROW_END;
    return pieces;
}

bool textListing(const QStringList &programLines, QStringList *pieces)
{
    pieces->clear();
    const int n = static_cast<int>(programLines.size());
    if (n > REPORT_TEXT_MAX_LINES)
        return false;
    const QString width = textWidthClass(n).cell;
    for (int k = 0; k < n; ++k) {
        const bool last = k == n - 1;
        if (k % ROW_LINES == 0)
            *pieces << ROW_START;
        if (k % CELL_LINES == 0)
            *pieces << cellStart(width);
        *pieces << listingLine(k + 1, programLines.at(k));
        if (k % CELL_LINES == CELL_LINES - 1 || last)
            *pieces << CELL_END;
        if (last && k >= ROW_LINES) {
            // The second row always shows four cells.
            const int cellsInRow = (k - ROW_LINES) / CELL_LINES + 1;
            for (int c = cellsInRow; c < CELLS_PER_ROW; ++c)
                *pieces << cellStart(width) + CELL_END;
        }
        if (k == ROW_LINES - 1 || last)
            *pieces << ROW_END;
    }
    return true;
}

bool reportFileName(const QString &grade, const QString &className, const QString &name, QString *fileName)
{
    for (const QString *part : {&grade, &className, &name}) {
        if (!fileNamePartAllowed(*part))
            return false;
    }
    const QString result = plainDigits(grade) + plainDigits(className) + name + u".html"_s;
    if (result.toUtf8().size() > MAX_FILE_NAME_BYTES)
        return false;
    *fileName = result;
    return true;
}

QString requiredFieldsMessage()
{
    return u"必須項目に未記入があります。\r\n学年、クラス、氏名は必須項目です。"_s;
}

QString tooManyLinesMessage()
{
    return u"命令数が最大数を超えています。"_s;
}

ReportPage buildReportPage(const QStringList &templateLines, const ReportInput &input)
{
    ReportPage page;
    QStringList lines = templateLines;
    replacePlaceholder(&lines, u"$NEN", escapeHtml(input.grade));
    replacePlaceholder(&lines, u"$KUMI", escapeHtml(input.className));
    replacePlaceholder(&lines, u"$NAMAE", escapeHtml(input.name));
    replacePlaceholder(&lines, u"$step", reportStepTitle(input.tag));
    replacePlaceholder(&lines, u"$MOKUTEKI", multiLineText(input.aimLines));
    replacePlaceholder(&lines, u"$KANSOU", multiLineText(input.impressionLines));

    QStringList pieces;
    switch (input.tag) {
    case REPORT_TAG_ICON:
        pieces = iconListing(input.iconSlots);
        break;
    case REPORT_TAG_ROUTE:
        replacePlaceholder(&lines, u"$width", routeWidthClass(input.routeLineCount).table);
        pieces = routeListing(input.routeRecords, input.routeLineCount);
        break;
    case REPORT_TAG_TEXT:
        if (!textListing(input.programLines, &pieces))
            return page;
        replacePlaceholder(&lines, u"$width",
                           textWidthClass(static_cast<int>(input.programLines.size())).table);
        break;
    default:
        break;
    }
    replacePlaceholder(&lines, u"$1to30", listingTable(pieces));
    page.ok = true;
    page.lines = lines;
    return page;
}

ReportResult makeReport(const ReportInput &input, const QString &templatePath, const QString &workFolder)
{
    ReportResult result;
    if (input.name.isEmpty() || input.grade.isEmpty() || input.className.isEmpty()) {
        result.status = ReportStatus::MissingRequired;
        result.message = requiredFieldsMessage();
        return result;
    }

    const cp932::ReadResult templateFile = cp932::readLines(templatePath);
    if (!templateFile.ok) {
        result.detail = u"template %1: %2"_s.arg(templatePath, templateFile.error);
        return result;
    }

    ReportPage page = buildReportPage(templateFile.lines, input);
    if (!page.ok) {
        result.status = ReportStatus::TooManyLines;
        result.message = tooManyLinesMessage();
        return result;
    }

    QString fileName;
    if (!reportFileName(input.grade, input.className, input.name, &fileName)) {
        result.detail = u"not a file name: %1%2%3"_s.arg(input.grade, input.className, input.name);
        return result;
    }
    const QDir folder(workFolder);
    const QString path = folder.filePath(fileName);
    // The name was checked part by part; this makes sure no combination leaves the folder.
    if (QFileInfo(path).absoluteDir() != QDir(folder.absolutePath())) {
        result.detail = u"outside the working folder: %1"_s.arg(path);
        return result;
    }

    QString error;
    if (!cp932::writeLines(path, page.lines, &error)) {
        result.detail = u"%1: %2"_s.arg(path, error);
        return result;
    }
    result.status = ReportStatus::Written;
    result.filePath = path;
    result.lines = page.lines;
    return result;
}
