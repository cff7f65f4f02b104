// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "common/errornumbers.h"


#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// The pupil's report: the template "Data\report.txt" with its placeholders filled in (grade,
// class, name, step title, aim, impressions, table width, listing) written as an HTML page
// into the working folder. No window here: the report window collects the texts, calls
// makeReport and shows the file it wrote.

// Who asked for the report (the report window's Tag).
inline constexpr int REPORT_TAG_ICON = 1;
inline constexpr int REPORT_TAG_TEXT = 9;
inline constexpr int REPORT_TAG_ROUTE = 10;

// The numbered failure of making a report (missing template, a grade, class or name that
// cannot be part of a file name, a file that cannot be written).
inline constexpr int REPORT_MAKE_ERROR = errors::REPORT_MAKE;

// A text program longer than this is not listed.
inline constexpr int REPORT_TEXT_MAX_LINES = 239;

// The two texts the icon screen shows beside a slot: the instruction's name and its value
// with the unit, exactly as the labels read (both empty for an empty slot).
struct IconSlotTexts
{
    QString name;
    QString value;
};

struct ReportInput
{
    int tag = 0; // REPORT_TAG_ICON, REPORT_TAG_TEXT or REPORT_TAG_ROUTE; another gives no title
    QString grade;     // Edit2
    QString className; // Edit3
    QString name;      // Edit1
    // The aim and the impressions, one entry per line as the field shows it (each wrapped part
    // of a long line is a line of its own).
    QStringList aimLines;
    QStringList impressionLines;

    QList<IconSlotTexts> iconSlots; // icon: slots 0..58 (missing entries count as empty)
    // route: every record's text fields in record order (empty ones too), and the number of
    // lines the route screen counts against its limit
    QList<QStringList> routeRecords;
    int routeLineCount = 0;
    QStringList programLines;       // text: the lines of the program text
};

enum class ReportStatus {
    Written,         // filePath holds the page
    MissingRequired, // message: the warning to show; nothing else happened
    TooManyLines,    // message: the warning to show; nothing written
    Failed,          // numbered box REPORT_MAKE_ERROR; detail says why; nothing written
};

struct ReportResult
{
    ReportStatus status = ReportStatus::Failed;
    QString message;  // warning text for MissingRequired and TooManyLines
    QString detail;   // the reason for Failed, for whoever debugs it
    QString filePath; // the written page
    QStringList lines; // the page as written (without line ends)
};

// Makes the report: checks the name, grade and class, loads the template (templatePath,
// normally programFilePath(u"Data\\report.txt")), fills it, and writes workFolder (normally
// WorkFolderPath(), with or without a trailing separator) + grade + class + name + ".html" in
// CP932 through QSaveFile, overwriting a file of that name.
ReportResult makeReport(const ReportInput &input, const QString &templatePath, const QString &workFolder);

// The template with every placeholder filled, or TooManyLines for a text program over the
// limit (lines then empty).
struct ReportPage
{
    bool ok = false;
    QStringList lines;
};
ReportPage buildReportPage(const QStringList &templateLines, const ReportInput &input);

// The building blocks, exposed for the report window and the tests.

// "ドラッグ＆ドロップによるプログラミング" (1), "文字入力によるプログラミング" (9),
// "座標によるプログラミング" (10), empty for any other tag.
QString reportStepTitle(int tag);

// Replaces every occurrence of placeholder in every line by text (case-sensitive). The search
// continues after the inserted text, so a text that contains its own placeholder is inserted
// once and no more.
void replacePlaceholder(QStringList *lines, QStringView placeholder, const QString &text);

// A pupil's text made safe for the page: "&", "<" and ">" as entities, and characters that
// CP932 cannot hold as numeric character references, so nothing typed is lost or breaks it.
QString escapeHtml(QStringView text);

// Each line (escaped), a line break, "<Br>", a line break.
QString multiLineText(const QStringList &lines);

// "01" .. "09", "10", ... ; 100 and more with three digits.
QString listingNumber(int n);

struct WidthClass
{
    QString table; // replaces "$width"
    QString cell;  // width of each listing cell
};
WidthClass routeWidthClass(int lineCount);
WidthClass textWidthClass(int lineCount);

// The HTML pieces of the listing table ("$1to30" gets each followed by a line break).
QStringList iconListing(const QList<IconSlotTexts> &slotTexts);
QStringList routeListing(const QList<QStringList> &records, int lineCount);
// False (and no pieces) for more than REPORT_TEXT_MAX_LINES lines.
bool textListing(const QStringList &programLines, QStringList *pieces);

// The report file's name grade + class + name + ".html". Refuses (returns false) a part with a
// path separator, "..", a control character or a character that a file name cannot hold on
// the systems the pupils use, and a name too long for the file system. Digits of the grade and
// the class are written plain ("５" gives "5"); the page keeps them as typed.
bool reportFileName(const QString &grade, const QString &className, const QString &name, QString *fileName);

QString requiredFieldsMessage();
QString tooManyLinesMessage();
