// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtWidgets/QWidget>

#include "app/report/ieprinterset.h"
#include "app/ui/picturewindow.h"

#include <QElapsedTimer>
#include <QString>

#include <functional>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QStackedWidget;
class QTextBrowser;
class ReportSource;

// TForm11: the report of the pupil's program. The caller (a ReportSource: the icon, text or
// route screen) gives the Tag (1 icon, 9 text, 10 route) and the listing. The input page takes
// grade, class, name, aim and impressions; `kettei` writes the page into the working folder
// and shows it on the print page, from where it is printed or saved as a PDF file.
class ReportWindow : public PictureWindow
{
    Q_OBJECT
public:
    ReportWindow();

    // Shows the window for caller, which must outlive it (every window lives for the run).
    void openFor(const ReportSource *caller);
    int tag() const { return m_tag; }

    // The page last written by kettei (empty when there is none).
    QString lastReportPath() const { return m_lastReport; }
    TiePrinterSet &iePrinterSet1() { return m_printerSet; }

    // Replaces the save dialogue of the PDF button, for tests: given the proposed path, the
    // path chosen, or empty for cancel. An empty chooser brings the dialogue back.
    using PdfFileChooser = std::function<QString(const QString &proposed)>;
    static void setPdfFileChooserForTests(PdfFileChooser chooser);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createInputPage();
    void createPrintPage();
    void setInputPage();
    void ketteiClick();
    void printClick();
    void pdfClick();
    void p_backClick();
    void FormClose();
    // A button showing "Photo\Button\" + pictureName + ".jpg" (and "-1.jpg" while held)
    // in place of the pictures named after the component.
    void useOwnPictures(PictureButton *button, const QString &pictureName);
    // Asks where to save the PDF and writes it; true when a file was written.
    bool savePdf();

    const ReportSource *m_caller = nullptr;
    int m_tag = 0;
    QString m_lastReport;
    TiePrinterSet m_printerSet;
    bool m_printing = false;
    QElapsedTimer m_lastJob; // since the last job was handed over

    QStackedWidget *PageControl1 = nullptr;
    QWidget *m_inputPage = nullptr;
    QLabel *m_sheet = nullptr;
    QLineEdit *Edit1 = nullptr;
    QLineEdit *Edit2 = nullptr;
    QLineEdit *Edit3 = nullptr;
    QPlainTextEdit *Memo1 = nullptr;
    QPlainTextEdit *Memo2 = nullptr;
    QTextBrowser *WebBrowser1 = nullptr;
    QLabel *printState = nullptr; // what the last print did
    PictureButton *kettei = nullptr;
    PictureButton *print = nullptr;
    PictureButton *pdf = nullptr;
    PictureButton *p_back = nullptr;
    PictureButton *shutdown1 = nullptr;
};
