// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/report/reportwindow.h"

#include "app/report/displayhtml.h"
#include "app/report/memolines.h"
#include "app/report/reportbuilder.h"
#include "app/report/reportsource.h"
#include "common/workfolder.h"
#include "app/ui/backgroundpicture.h"
#include "app/ui/errorguard.h"
#include "app/ui/messagebox.h"
#include "app/ui/pagecolours.h"
#include "app/ui/pictures.h"
#include "common/cp932.h"
#include "common/errornumbers.h"
#include "common/programfolder.h"

#include <QtWidgets/QFileDialog>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QStackedWidget>
#include <QtWidgets/QTextBrowser>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QShowEvent>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {

constexpr QRect PAGES(43, 80, 683, 475);
constexpr int MEMO_FONT_PIXELS = 20;
constexpr int EDIT_FONT_PIXELS = 18;
constexpr QRect PRINT_STATE(43, 556, 683, 20);
constexpr int PRINT_STATE_FONT_PIXELS = 14;
constexpr qint64 PRINT_REPEAT_HOLD_MS = 1000;
// The close button's own picture: the working screens' shutdown1 picture says "おわる".
const QString CLOSE_PICTURE = u"report_close"_s;

ReportWindow::PdfFileChooser &pdfChooser()
{
    static ReportWindow::PdfFileChooser chooser;
    return chooser;
}

QFont fieldFont(int pixels)
{
    QFont font;
    if (!TiePrinterSet::japaneseFontFamily().isEmpty())
        font.setFamily(TiePrinterSet::japaneseFontFamily());
    font.setPixelSize(pixels);
    return font;
}

QLineEdit *lineField(const QString &name, const QRect &geometry, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setGeometry(geometry);
    edit->setFrame(false);
    edit->setFont(fieldFont(EDIT_FONT_PIXELS));
    return edit;
}

QPlainTextEdit *memoField(const QString &name, const QRect &geometry, QWidget *parent)
{
    auto *memo = new QPlainTextEdit(parent);
    memo->setObjectName(name);
    memo->setGeometry(geometry);
    memo->setFrameShape(QFrame::NoFrame);
    memo->setFont(fieldFont(MEMO_FONT_PIXELS));
    memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Tab moves on to the next field, so the whole sheet can be filled from the keyboard.
    memo->setTabChangesFocus(true);
    return memo;
}

}

ReportWindow::ReportWindow()
    : PictureWindow({u"TForm11"_s, u"report"_s, QSize(770, 578), u"back"_s,
                     {errors::REPORT_BUTTON_PRESS, errors::REPORT_BUTTON_RELEASE}})
{
    background()->setFillColor(Qt::black);

    PageControl1 = new QStackedWidget(this);
    PageControl1->setObjectName(u"PageControl1"_s);
    PageControl1->setGeometry(PAGES);
    createInputPage();
    createPrintPage();
    // The sheet and the page keep their own colours on a dark desktop.
    ui::usePageColours(PageControl1);

    printState = new QLabel(this);
    printState->setObjectName(u"printState"_s);
    printState->setGeometry(PRINT_STATE);
    printState->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    printState->setFont(fieldFont(PRINT_STATE_FONT_PIXELS));
    printState->setStyleSheet(u"color: #8c2456; font-weight: bold"_s);

    p_back = addButton(u"p_back"_s, QRect(475, 28, 70, 35), u"もどる"_s, u"にゅうりょくに もどります"_s);
    print = addButton(u"print"_s, QRect(549, 28, 70, 35), u"いんさつ"_s, u"レポートを いんさつします"_s);
    pdf = addButton(u"pdf"_s, QRect(623, 28, 70, 35), u"PDF"_s, u"レポートを PDFファイルに ほぞんします"_s);
    shutdown1 = addButton(u"shutdown1"_s, QRect(697, 31, 50, 29), u"とじる"_s, u"レポートを とじます"_s);
    useOwnPictures(shutdown1, CLOSE_PICTURE);
    connect(p_back, &PictureButton::clicked, this, &ReportWindow::p_backClick);
    connect(print, &PictureButton::clicked, this, &ReportWindow::printClick);
    connect(pdf, &PictureButton::clicked, this, &ReportWindow::pdfClick);
    connect(shutdown1, &PictureButton::clicked, this, [this] {
        close();
        setInputPage();
        for (QPlainTextEdit *memo : {Memo1, Memo2})
            memo->clear();
        for (QLineEdit *edit : {Edit1, Edit2, Edit3})
            edit->clear();
    });
    setInputPage();
}

void ReportWindow::useOwnPictures(PictureButton *button, const QString &pictureName)
{
    button->setPressedPictures(false);
    const QString released = ui::buttonPictureName(pictureName, false);
    if (!ui::loadPictureQuietly(released).isNull())
        button->setPictureFile(released);
    connect(button, &PictureButton::pressed, this, [this, button, pictureName] {
        ui::guarded(this, errors::REPORT_BUTTON_PRESS,
                    [&] { button->setPictureFile(ui::buttonPictureName(pictureName, true)); });
    });
    connect(button, &PictureButton::released, this, [this, button, pictureName] {
        ui::guarded(this, errors::REPORT_BUTTON_RELEASE,
                    [&] { button->setPictureFile(ui::buttonPictureName(pictureName, false)); });
    });
}

void ReportWindow::createInputPage()
{
    m_inputPage = new QWidget(PageControl1);
    m_inputPage->setObjectName(u"TabSheet1"_s);
    m_sheet = new QLabel(m_inputPage);
    m_sheet->setObjectName(u"Image1"_s);
    m_sheet->setGeometry(0, 0, PAGES.width(), PAGES.height());
    m_sheet->setScaledContents(true);
    m_sheet->setPixmap(ui::loadPictureQuietly(u"Photo\\Back\\report_sheet.jpg"_s));

    // In the places the sheet draws them: grade before 年, class before 組, the name, the aim
    // and the impressions.
    Edit2 = lineField(u"Edit2"_s, QRect(90, 28, 60, 30), m_inputPage);
    Edit3 = lineField(u"Edit3"_s, QRect(190, 28, 60, 30), m_inputPage);
    Edit1 = lineField(u"Edit1"_s, QRect(360, 28, 288, 30), m_inputPage);
    Memo1 = memoField(u"Memo1"_s, QRect(150, 108, 498, 120), m_inputPage);
    Memo2 = memoField(u"Memo2"_s, QRect(150, 278, 498, 120), m_inputPage);
    setTabOrder(Edit2, Edit3);
    setTabOrder(Edit3, Edit1);
    setTabOrder(Edit1, Memo1);
    setTabOrder(Memo1, Memo2);

    kettei = addButton(u"kettei"_s, QRect(496, 418, 160, 40), u"つくる"_s, u"レポートを つくります"_s);
    kettei->setParent(m_inputPage);
    kettei->setGeometry(496, 418, 160, 40);
    connect(kettei, &PictureButton::clicked, this, &ReportWindow::ketteiClick);
    PageControl1->addWidget(m_inputPage);
}

void ReportWindow::createPrintPage()
{
    auto *page = new QWidget(PageControl1);
    page->setObjectName(u"TabSheet2"_s);
    WebBrowser1 = new QTextBrowser(page);
    WebBrowser1->setObjectName(u"WebBrowser1"_s);
    WebBrowser1->setGeometry(0, 0, PAGES.width(), PAGES.height());
    WebBrowser1->setOpenLinks(false);
    if (!TiePrinterSet::japaneseFontFamily().isEmpty())
        WebBrowser1->setFont(QFont(TiePrinterSet::japaneseFontFamily(), 11));
    PageControl1->addWidget(page);
}

void ReportWindow::setPdfFileChooserForTests(PdfFileChooser chooser)
{
    pdfChooser() = std::move(chooser);
}

void ReportWindow::openFor(const ReportSource *caller)
{
    m_caller = caller;
    m_tag = caller ? caller->reportTag() : 0;
    show();
    raise();
    activateWindow();
    if (PageControl1->currentWidget() == m_inputPage)
        Edit2->setFocus(Qt::OtherFocusReason);
}

void ReportWindow::showEvent(QShowEvent *event)
{
    // A restore from the task bar keeps the page the pupil was on.
    if (!event->spontaneous()) {
        m_printerSet.setWebBrowser(WebBrowser1);
        print->hide();
        pdf->hide();
        p_back->hide();
    }
    PictureWindow::showEvent(event);
}

void ReportWindow::setInputPage()
{
    printState->clear();
    PageControl1->setCurrentWidget(m_inputPage);
    print->hide();
    pdf->hide();
    p_back->hide();
}

void ReportWindow::ketteiClick()
{
    ReportInput input;
    input.tag = m_tag;
    input.grade = Edit2->text();
    input.className = Edit3->text();
    input.name = Edit1->text();
    input.aimLines = shownLines(Memo1);
    input.impressionLines = shownLines(Memo2);
    if (m_caller)
        m_caller->fillReportListing(&input);

    ui::guarded(this, errors::REPORT_MAKE, [&] {
        const ReportResult result = makeReport(input, programFilePath(u"Data\\report.txt"_s), WorkFolderPath());
        switch (result.status) {
        case ReportStatus::MissingRequired:
        case ReportStatus::TooManyLines:
            ui::showMessage(this, ui::MessageKind::Warning, result.message);
            return;
        case ReportStatus::Failed:
            throw ui::Failure(result.detail);
        case ReportStatus::Written:
            break;
        }
        m_lastReport = result.filePath;
        // The browser shows the file as written, read back from the working folder.
        const cp932::ReadResult page = cp932::readLines(result.filePath);
        if (!page.ok)
            throw ui::Failure(page.error);
        WebBrowser1->document()->setBaseUrl(QUrl::fromLocalFile(QFileInfo(result.filePath).absolutePath() + u'/'));
        WebBrowser1->setHtml(displayHtml(page.lines.join(u'\n')));
        PageControl1->setCurrentWidget(WebBrowser1->parentWidget());
        printState->clear();
        print->show();
        pdf->show();
        p_back->show();
    });
}

void ReportWindow::p_backClick()
{
    setInputPage();
    Edit2->setFocus(Qt::OtherFocusReason);
}

void ReportWindow::printClick()
{
    // One press is one job. The pages are handed over on this thread, so presses made
    // meanwhile wait in the queue; they are let through while the job still counts as
    // running, which drops them, instead of starting a second job afterwards.
    // A job is handed over in a fraction of a second, so the press of a pupil who clicks twice
    // comes just after it: presses within a moment of the last job count as the same one.
    if (m_printing || (m_lastJob.isValid() && m_lastJob.elapsed() < PRINT_REPEAT_HOLD_MS))
        return;
    m_printing = true;
    printState->clear();
    QString printerName;
    QString fileName;
    const TiePrinterSet::Outcome outcome = m_printerSet.print(this, &printerName, &fileName);
    // Presses queued meanwhile are handled before this queued call, while the job still counts.
    QMetaObject::invokeMethod(this, [this] { m_printing = false; }, Qt::QueuedConnection);
    if (outcome == TiePrinterSet::Outcome::Printed)
        m_lastJob.start();

    switch (outcome) {
    case TiePrinterSet::Outcome::Printed:
        // A line, not a box: the pupil sees that it worked without one more click.
        // Where the pages went, also when the print dialogue named no printer.
        if (!isVisible())
            return;
        if (!fileName.isEmpty())
            printState->setText(u"ファイルに いんさつ しました（%1）"_s.arg(QDir::toNativeSeparators(fileName)));
        else if (!printerName.isEmpty())
            printState->setText(u"いんさつ しました（%1）"_s.arg(printerName));
        else
            printState->setText(u"いつもの プリンターで いんさつ しました"_s);
        return;
    case TiePrinterSet::Outcome::Cancelled:
        return;
    case TiePrinterSet::Outcome::NoPrinter:
        if (ui::showMessage(this, ui::MessageKind::Confirmation,
                            u"つかえる プリンターが ありません。\r\nかわりに PDFファイルに ほぞんしますか？"_s,
                            {ui::MessageButton::Yes, ui::MessageButton::No})
            == ui::MessageButton::Yes)
            savePdf();
        return;
    case TiePrinterSet::Outcome::Failed:
        ui::showMessage(this, ui::MessageKind::Warning,
                        u"いんさつ できませんでした。\r\nプリンターを たしかめてね。"_s);
        return;
    }
}

void ReportWindow::pdfClick()
{
    savePdf();
}

bool ReportWindow::savePdf()
{
    const QString reportName = QFileInfo(m_lastReport).completeBaseName();
    const QString proposed = QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                                 .filePath(reportName + u".pdf"_s);
    QString path = pdfChooser() ? pdfChooser()(proposed)
                                : QFileDialog::getSaveFileName(this, u"PDFファイルに ほぞん"_s, proposed,
                                                               u"PDFファイル(*.pdf)"_s);
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += u".pdf"_s;
    if (!m_printerSet.printToPdf(path)) {
        ui::showMessage(this, ui::MessageKind::Warning,
                        u"PDFファイルを ほぞん できませんでした。\r\nべつの ばしょを えらんでね。"_s);
        return false;
    }
    ui::showMessage(this, ui::MessageKind::Information, u"PDFファイルを ほぞんしました。"_s);
    return true;
}

void ReportWindow::closeEvent(QCloseEvent *event)
{
    FormClose();
    event->accept();
}

void ReportWindow::FormClose()
{
    ui::guarded(this, errors::REPORT_CLOSE, [this] {
        WebBrowser1->clear();
        const QString last = std::exchange(m_lastReport, QString());
        if (!last.isEmpty() && QFile::exists(last) && !QFile::remove(last))
            throw ui::Failure(u"cannot delete "_s + last);
    });
}
