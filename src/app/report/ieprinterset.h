// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtPrintSupport/QPrinter>
#include <QtWidgets/QTextBrowser>

#include "app/report/pagesettings.h"

#include <QPointer>
#include <QString>

#include <functional>
#include <optional>

class QTextDocument;
class QWidget;

// The page-setup component of the report window: it prints the browser's page with the fixed
// page settings, without asking the pupil, or (Enabled false) through the system's print
// dialogue. Printing and saving as PDF share one path, so a PDF shows exactly what the
// printer gets: the page on A4 inside the margins, the header and footer on every page, and
// no line of text cut at a page break.
class TiePrinterSet
{
public:
    PageSettings settings;

    void setWebBrowser(QTextBrowser *browser) { m_browser = browser; }
    QTextBrowser *webBrowser() const { return m_browser; }

    // Whether a printer is there to print on: the one named by `printer`, or any default one.
    bool printerAvailable() const;

    enum class Outcome { Printed, Cancelled, NoPrinter, Failed };
    // Prints the browser's page (the dialogue for Enabled false; parent owns it). The printer
    // the pages went to is given through printerName (empty when the system's default took them
    // without a name), and the file, when the dialogue's choice was to print into one, through
    // fileName.
    Outcome print(QWidget *parent, QString *printerName = nullptr, QString *fileName = nullptr);
    // Writes the same pages into a PDF file.
    bool printToPdf(const QString &path);

    // Applies the page settings to printer and draws the pages into it; false when the
    // printer could not be started. The pages counted are returned through pageCount.
    bool printTo(QPrinter *printer, int *pageCount = nullptr);

    // The family the printed and saved pages use, so Japanese text is embedded in a font
    // that holds it.
    static QString japaneseFontFamily();
    // For tests: the family to use in place of the one found (empty: the one found again).
    static void setFontFamilyForTests(const QString &family);

    // For tests: a printer that is no device. While one is set, print() writes each job as
    // folder/job-N.pdf (counting jobs) and calls whileHandingOver before it returns, as if
    // the pupil pressed again while the job was on its way.
    struct TestPrinter
    {
        QString name;
        QString folder;
        std::function<void()> whileHandingOver;
        int jobs = 0;
    };
    static void setTestPrinterForTests(std::optional<TestPrinter> printer);

private:
    static std::optional<TestPrinter> &testPrinter();
    void applySettings(QPrinter *printer) const;
    QPointer<QTextBrowser> m_browser;
};
