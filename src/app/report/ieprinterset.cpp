// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/report/ieprinterset.h"

#include "app/ui/pagecolours.h"

#include <QtPrintSupport/QPrintDialog>
#include <QtPrintSupport/QPrinterInfo>
#include <QtWidgets/QTextBrowser>

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QPainter>
#include <QPageLayout>
#include <QPageSize>
#include <QTextDocument>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

constexpr qreal BODY_POINT_SIZE = 10.5;
constexpr qreal HEADER_POINT_SIZE = 9;

QPageSize paperFor(const QString &name)
{
    if (name.compare(u"A3"_s, Qt::CaseInsensitive) == 0)
        return QPageSize(QPageSize::A3);
    if (name.compare(u"B5"_s, Qt::CaseInsensitive) == 0)
        return QPageSize(QPageSize::B5);
    if (name.compare(u"Letter"_s, Qt::CaseInsensitive) == 0)
        return QPageSize(QPageSize::Letter);
    return QPageSize(QPageSize::A4);
}

void drawHeaderLine(QPainter &painter, const QRectF &box, const HeaderLine &line, Qt::Alignment vertical)
{
    painter.drawText(box, Qt::AlignLeft | vertical, line.left);
    painter.drawText(box, Qt::AlignHCenter | vertical, line.centre);
    painter.drawText(box, Qt::AlignRight | vertical, line.right);
}

QString &fontFamilyForTests()
{
    static QString family;
    return family;
}

}

void TiePrinterSet::setFontFamilyForTests(const QString &family)
{
    fontFamilyForTests() = family;
}

QString TiePrinterSet::japaneseFontFamily()
{
    if (!fontFamilyForTests().isEmpty())
        return fontFamilyForTests();
    static const QString family = [] {
        const QStringList families = QFontDatabase::families();
        for (const QString &candidate : {u"IPAPGothic"_s, u"IPAGothic"_s, u"Noto Sans CJK JP"_s,
                                         u"VL Gothic"_s, u"TakaoGothic"_s}) {
            if (families.contains(candidate))
                return candidate;
        }
        return QString();
    }();
    return family;
}

bool TiePrinterSet::printerAvailable() const
{
    if (!settings.printer.isEmpty())
        return QPrinterInfo::availablePrinterNames().contains(settings.printer);
    return !QPrinterInfo::defaultPrinterName().isEmpty() || !QPrinterInfo::availablePrinterNames().isEmpty();
}

void TiePrinterSet::applySettings(QPrinter *printer) const
{
    const QPageLayout layout(paperFor(settings.paperSize),
                             settings.portrait ? QPageLayout::Portrait : QPageLayout::Landscape,
                             pageMarginsInches(settings), QPageLayout::Inch, QMarginsF());
    printer->setPageLayout(layout);
    printer->setCopyCount(std::max(1, settings.copies));
    // Header and footer are drawn inside the margins, so the painter covers the whole sheet.
    printer->setFullPage(true);
    if (m_browser) {
        const QString title = m_browser->document()->metaInformation(QTextDocument::DocumentTitle);
        printer->setDocName(title);
    }
}

bool TiePrinterSet::printTo(QPrinter *printer, int *pageCount)
{
    if (pageCount)
        *pageCount = 0;
    if (!m_browser)
        return false;
    applySettings(printer);

    std::unique_ptr<QTextDocument> doc(m_browser->document()->clone());
    QFont font = doc->defaultFont();
    if (!japaneseFontFamily().isEmpty())
        font.setFamily(japaneseFontFamily());
    font.setPointSizeF(BODY_POINT_SIZE);
    doc->setDefaultFont(font);
    doc->setDocumentMargin(0);
    doc->documentLayout()->setPaintDevice(printer);

    const qreal dpi = printer->resolution();
    const QRectF paper = printer->pageLayout().fullRectPixels(printer->resolution());
    const QMarginsF margins = pageMarginsInches(settings) * dpi;
    const QRectF body = paper.marginsRemoved(margins);
    doc->setPageSize(body.size());
    const int pages = std::max(1, doc->pageCount());

    QPainter painter;
    if (!painter.begin(printer))
        return false;
    QFont headerFont = font;
    headerFont.setPointSizeF(HEADER_POINT_SIZE);
    HeaderValues values;
    values.title = doc->metaInformation(QTextDocument::DocumentTitle);
    values.address = doc->metaInformation(QTextDocument::DocumentUrl);
    values.now = QDateTime::currentDateTime();
    values.pages = pages;
    // The header sits in the top margin, the footer in the bottom one, clear of the page edge.
    const qreal edge = std::min(margins.top(), margins.bottom()) / 3;
    const QRectF headerBox(body.left(), paper.top() + edge, body.width(), margins.top() - edge);
    const QRectF footerBox(body.left(), body.bottom(), body.width(), margins.bottom() - edge);

    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !printer->newPage())
            return false;
        painter.save();
        painter.setClipRect(body);
        painter.translate(body.left(), body.top() - page * body.height());
        QAbstractTextDocumentLayout::PaintContext context;
        // The page's own colours, not the desktop's: a dark scheme must not print white text.
        context.palette = ui::pagePalette();
        context.clip = QRectF(0, page * body.height(), body.width(), body.height());
        doc->documentLayout()->draw(&painter, context);
        painter.restore();

        values.page = page + 1;
        painter.setFont(headerFont);
        painter.setPen(Qt::black);
        drawHeaderLine(painter, headerBox, expandHeaderCodes(settings.header, values), Qt::AlignTop);
        drawHeaderLine(painter, footerBox, expandHeaderCodes(settings.footer, values), Qt::AlignBottom);
    }
    if (pageCount)
        *pageCount = pages;
    return painter.end();
}

void TiePrinterSet::setTestPrinterForTests(std::optional<TestPrinter> printer)
{
    testPrinter() = std::move(printer);
}

std::optional<TiePrinterSet::TestPrinter> &TiePrinterSet::testPrinter()
{
    static std::optional<TestPrinter> printer;
    return printer;
}

TiePrinterSet::Outcome TiePrinterSet::print(QWidget *parent, QString *printerName, QString *fileName)
{
    QPrinter printer(QPrinter::HighResolution);
    if (!settings.enabled) {
        applySettings(&printer);
        QPrintDialog dialog(&printer, parent);
        if (dialog.exec() != QDialog::Accepted)
            return Outcome::Cancelled;
        if (printerName)
            *printerName = printer.printerName();
        // "Print to file": the pages go into a file, whatever printer was chosen before.
        if (fileName)
            *fileName = printer.outputFileName();
        return printTo(&printer) ? Outcome::Printed : Outcome::Failed;
    }
    if (std::optional<TestPrinter> &test = testPrinter()) {
        if (!settings.printer.isEmpty() && settings.printer != test->name)
            return Outcome::NoPrinter;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QDir(test->folder).filePath(u"job-%1.pdf"_s.arg(++test->jobs)));
        if (printerName)
            *printerName = test->name;
        const bool printed = printTo(&printer);
        if (test->whileHandingOver)
            test->whileHandingOver();
        return printed ? Outcome::Printed : Outcome::Failed;
    }
    if (!printerAvailable())
        return Outcome::NoPrinter;
    if (!settings.printer.isEmpty())
        printer.setPrinterName(settings.printer);
    printer.setOutputFormat(QPrinter::NativeFormat);
    if (printerName)
        *printerName = printer.printerName().isEmpty() ? QPrinterInfo::defaultPrinterName() : printer.printerName();
    return printTo(&printer) ? Outcome::Printed : Outcome::Failed;
}

bool TiePrinterSet::printToPdf(const QString &path)
{
    // Written beside the target first and moved into place only when complete, so a failure
    // never leaves a broken file where a good one was.
    const QString partial = path + u".part"_s;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(partial);
    printer.setFontEmbeddingEnabled(true);
    const bool written = printTo(&printer) && QFileInfo(partial).size() > 0;
    if (!written) {
        QFile::remove(partial);
        return false;
    }
    if (QFile::exists(path) && !QFile::remove(path)) {
        QFile::remove(partial);
        return false;
    }
    return QFile::rename(partial, path);
}
