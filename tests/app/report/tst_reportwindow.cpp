// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/report/memolines.h"
#include "app/report/pagesettings.h"
#include "app/report/reportsource.h"
#include "app/report/reportwindow.h"
#include "common/workfolder.h"
#include "app/ui/errorguard.h"
#include "app/ui/messagebox.h"
#include "common/errornumbers.h"
#include "app/ui/programfiledialog.h"
#include "common/cp932.h"
#include "icon/iconfile.h"
#include "icon/iconscreen.h"
#include "support/pdfpages.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QStackedWidget>
#include <QtWidgets/QTextBrowser>

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;
using ui::MessageButton;

namespace {

// A screen of the text or route kind, standing in for the real one.
class FakeSource : public ReportSource
{
public:
    int tag = REPORT_TAG_TEXT;
    QStringList lines; // the program text, or for an icon report each slot's value
    int reportTag() const override { return tag; }
    void fillReportListing(ReportInput *input) const override
    {
        input->programLines = lines;
        for (const QString &line : lines)
            input->iconSlots.append({u"まえ"_s, line});
    }
};

QStringList waitLines(int n)
{
    QStringList lines;
    for (int i = 1; i <= n; ++i)
        lines << u"wait(%1)"_s.arg(i);
    return lines;
}

}

class TestReportWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void iconReportFromTheScreen();
    void requiredFieldsWriteNothing_data();
    void requiredFieldsWriteNothing();
    void closingDeletesTheFileAndClearsFields();
    void nameThatIsNoFileNameGivesNumberedBox();
    void textListingLimit_data();
    void textListingLimit();
    void wrappedAimPartsAreLines();
    void keyboardOrderFromGrade();
    void shownPageKeepsFullWidthSpaces();
    void noPrinterOffersPdf();
    void reportPagesWithoutCuttingLines_data();
    void reportPagesWithoutCuttingLines();
    void printSaysWhereAndMakesOneJob();
    void printWithoutAPrinterNameSaysWhere();
    void pdfButtonFailureIsReported();

private:
    void open(const ReportSource *source);
    void fill(const QString &grade, const QString &className, const QString &name,
              const QString &aim = {}, const QString &impressions = {});
    void click(const QString &objectName);
    template <typename T = QWidget>
    T *child(const QString &name) { return m_window->findChild<T *>(name); }
    QStringList htmlFiles() const;

    ReportWindow *m_window = nullptr;
    QList<ui::MessageRequest> m_boxes;
    MessageButton m_answer = MessageButton::Ok;
    QString m_pdfPath;
    QString m_proposedPdf;
    QTemporaryDir m_dir;
};

void TestReportWindow::initTestCase()
{
    QVERIFY2(pdfpages::toolsAvailable(),
             "poppler-utils (scripts/install-deps) are needed to read the PDF back");
}

void TestReportWindow::init()
{
    m_boxes.clear();
    m_answer = MessageButton::Ok;
    ui::setMessageResponder([this](const ui::MessageRequest &request) {
        m_boxes << request;
        return request.buttons.contains(m_answer) ? m_answer : request.buttons.value(0);
    });
    ReportWindow::setPdfFileChooserForTests([this](const QString &proposed) {
        m_proposedPdf = proposed;
        return m_pdfPath;
    });
    for (const QString &f : htmlFiles())
        QFile::remove(QDir(WorkFolderPath()).filePath(f));
    m_window = new ReportWindow;
    // Never reach a real printer from a test.
    m_window->iePrinterSet1().settings.printer = u"rk25-test-no-printer"_s;
}

void TestReportWindow::cleanup()
{
    TiePrinterSet::setTestPrinterForTests(std::nullopt);
    TiePrinterSet::setFontFamilyForTests({});
    delete m_window;
    m_window = nullptr;
}

void TestReportWindow::open(const ReportSource *source)
{
    m_window->openFor(source);
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void TestReportWindow::fill(const QString &grade, const QString &className, const QString &name,
                            const QString &aim, const QString &impressions)
{
    child<QLineEdit>(u"Edit2"_s)->setText(grade);
    child<QLineEdit>(u"Edit3"_s)->setText(className);
    child<QLineEdit>(u"Edit1"_s)->setText(name);
    child<QPlainTextEdit>(u"Memo1"_s)->setPlainText(aim);
    child<QPlainTextEdit>(u"Memo2"_s)->setPlainText(impressions);
}

void TestReportWindow::click(const QString &objectName)
{
    auto *w = child(objectName);
    QVERIFY2(w, qPrintable(objectName));
    QVERIFY2(w->isVisible(), qPrintable(objectName));
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
}

QStringList TestReportWindow::htmlFiles() const
{
    return QDir(WorkFolderPath()).entryList({u"*.html"_s}, QDir::Files);
}

void TestReportWindow::iconReportFromTheScreen()
{
    IconScreen screen{RobotLink{}};
    screen.setStepMode(2);
    connect(&screen, &IconScreen::reportRequested, m_window, [&] { m_window->openFor(&screen); });
    screen.show();
    QVERIFY(QTest::qWaitForWindowExposed(&screen));

    QStringList file = iconFileLines(IconProgram());
    file[1] = u"0/0/motor(fwd,fwd)/前進/15"_s;
    file[2] = u"1/0/motor(rev,fwd)/左回転/90"_s;
    file[3] = u"2/0/motor(stop,stop)/停止/5"_s;
    const QString program = m_dir.filePath(u"three.rk5"_s);
    QVERIFY(cp932::writeLines(program, file));
    ui::setProgramFileChooserForTests([&](bool) { return program; });
    auto *read = screen.findChild<QWidget *>(u"Read"_s);
    QTest::mouseClick(read, Qt::LeftButton, {}, read->rect().center());
    ui::setProgramFileChooserForTests({});
    int filled = 0;
    for (int n = 0; n < 59; ++n)
        filled += screen.slotNameText(n).isEmpty() ? 0 : 1;
    QCOMPARE(filled, 3);

    auto *report = screen.findChild<QWidget *>(u"Report"_s);
    QTest::mouseClick(report, Qt::LeftButton, {}, report->rect().center());
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    QCOMPARE(m_window->tag(), REPORT_TAG_ICON);
    QVERIFY(!child(u"print"_s)->isVisible());
    QVERIFY(!child(u"p_back"_s)->isVisible());

    fill(u"5"_s, u"2"_s, u"たろう"_s, u"まえに すすむ\nくるっと まわる"_s, u"たのしかった"_s);
    click(u"kettei"_s);
    QVERIFY2(m_boxes.isEmpty(), m_boxes.isEmpty() ? "" : qPrintable(m_boxes.first().text));

    const QString path = QDir(WorkFolderPath()).filePath(u"52たろう.html"_s);
    QCOMPARE(m_window->lastReportPath(), path);
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    const QString text = cp932::decode(bytes);
    QCOMPARE(cp932::encode(text), bytes); // CP932 through and through, no UTF-8 left in it
    QVERIFY(bytes.endsWith("\r\n"));
    const QStringList lines = text.split(u"\r\n"_s);

    // Slot n listed as the screen shows it, empty slots too.
    QStringList listing;
    for (const QString &line : lines) {
        if (QRegularExpression(uR"(^\d\d\x{3000})"_s).match(line).hasMatch())
            listing << line;
    }
    QCOMPARE(listing.size(), 59);
    for (int n = 0; n < 59; ++n) {
        const QString expected = u"%1\u3000%2\u3000%3<Br>"_s.arg(n + 1, 2, 10, QLatin1Char('0'))
                                     .arg(screen.slotNameText(n), screen.slotValueText(n));
        QCOMPARE(listing.at(n), expected);
    }
    const qsizetype aim = lines.indexOf(u"まえに すすむ"_s);
    QVERIFY(aim > 0);
    QCOMPARE(lines.mid(aim, 4), (QStringList{u"まえに すすむ"_s, u"<Br>"_s, u"くるっと まわる"_s, u"<Br>"_s}));
    QVERIFY(text.contains(u"ドラッグ＆ドロップによるプログラミング"_s));

    auto *pages = child<QStackedWidget>(u"PageControl1"_s);
    QCOMPARE(pages->currentWidget(), child(u"WebBrowser1"_s)->parentWidget());
    QVERIFY(child(u"print"_s)->isVisible());
    QVERIFY(child(u"p_back"_s)->isVisible());
    QVERIFY(child<QTextBrowser>(u"WebBrowser1"_s)->toPlainText().contains(u"たのしかった"_s));

    click(u"p_back"_s);
    QCOMPARE(pages->currentIndex(), 0);
    QVERIFY(!child(u"print"_s)->isVisible());
    QCOMPARE(child<QLineEdit>(u"Edit1"_s)->text(), u"たろう"_s);
}

void TestReportWindow::requiredFieldsWriteNothing_data()
{
    QTest::addColumn<QString>("grade");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("name");
    QTest::newRow("no name") << u"5"_s << u"2"_s << QString();
    QTest::newRow("no grade") << QString() << u"2"_s << u"たろう"_s;
    QTest::newRow("no class") << u"5"_s << QString() << u"たろう"_s;
    QTest::newRow("nothing") << QString() << QString() << QString();
}

void TestReportWindow::requiredFieldsWriteNothing()
{
    QFETCH(QString, grade);
    QFETCH(QString, className);
    QFETCH(QString, name);
    FakeSource source;
    source.lines = waitLines(3);
    open(&source);
    fill(grade, className, name, u"もくてき"_s);
    click(u"kettei"_s);
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes.first().kind, ui::MessageKind::Warning);
    QCOMPARE(m_boxes.first().text, u"必須項目に未記入があります。\r\n学年、クラス、氏名は必須項目です。"_s);
    QCOMPARE(htmlFiles(), QStringList());
    QCOMPARE(child<QStackedWidget>(u"PageControl1"_s)->currentIndex(), 0);
    QVERIFY(!child(u"print"_s)->isVisible());
}

void TestReportWindow::closingDeletesTheFileAndClearsFields()
{
    FakeSource source;
    source.tag = REPORT_TAG_ROUTE;
    open(&source);
    // An earlier report under another name stays; only the last one goes.
    fill(u"4"_s, u"1"_s, u"はなこ"_s);
    click(u"kettei"_s);
    click(u"p_back"_s);
    fill(u"5"_s, u"2"_s, u"たろう"_s, u"a"_s, u"b"_s);
    click(u"kettei"_s);
    QCOMPARE(htmlFiles().size(), 2);
    click(u"shutdown1"_s);
    QVERIFY(m_boxes.isEmpty());
    QVERIFY(!m_window->isVisible());
    QCOMPARE(htmlFiles(), QStringList{u"41はなこ.html"_s});
    for (const char *name : {"Edit1", "Edit2", "Edit3"})
        QVERIFY2(child<QLineEdit>(QString::fromLatin1(name))->text().isEmpty(), name);
    QVERIFY(child<QPlainTextEdit>(u"Memo1"_s)->toPlainText().isEmpty());
    QVERIFY(child<QPlainTextEdit>(u"Memo2"_s)->toPlainText().isEmpty());
    QVERIFY(m_window->lastReportPath().isEmpty());

    // Opened again, it starts on the input page.
    open(&source);
    QCOMPARE(child<QStackedWidget>(u"PageControl1"_s)->currentIndex(), 0);
    QVERIFY(!child(u"p_back"_s)->isVisible());
}

void TestReportWindow::nameThatIsNoFileNameGivesNumberedBox()
{
    FakeSource source;
    open(&source);
    fill(u"5"_s, u"2"_s, u"../たろう"_s);
    click(u"kettei"_s);
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes.first().text, ui::numberedErrorText(errors::REPORT_MAKE));
    QCOMPARE(htmlFiles(), QStringList());
    QCOMPARE(child<QStackedWidget>(u"PageControl1"_s)->currentIndex(), 0);
}

void TestReportWindow::textListingLimit_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<bool>("written");
    QTest::newRow("239 lines are listed") << 239 << true;
    QTest::newRow("240 lines are refused") << 240 << false;
}

void TestReportWindow::textListingLimit()
{
    QFETCH(int, lines);
    QFETCH(bool, written);
    FakeSource source;
    source.lines = waitLines(lines);
    open(&source);
    fill(u"6"_s, u"3"_s, u"じろう"_s);
    click(u"kettei"_s);
    QCOMPARE(htmlFiles().size(), written ? 1 : 0);
    QCOMPARE(child<QStackedWidget>(u"PageControl1"_s)->currentIndex(), written ? 1 : 0);
    if (written) {
        QVERIFY(m_boxes.isEmpty());
        const cp932::ReadResult page = cp932::readLines(m_window->lastReportPath());
        QVERIFY(page.lines.contains(u"239\u3000wait(239)<Br>"_s));
        QVERIFY(page.lines.join(u'\n').contains(u"文字入力によるプログラミング"_s));
    } else {
        QCOMPARE(m_boxes.size(), 1);
        QCOMPARE(m_boxes.first().text, u"命令数が最大数を超えています。"_s);
    }
}

void TestReportWindow::wrappedAimPartsAreLines()
{
    FakeSource source;
    open(&source);
    const QString longLine = QString(u"ロボットが まえに すすんで、"_s).repeated(6);
    fill(u"5"_s, u"2"_s, u"たろう"_s, longLine + u"\nおわり"_s);
    click(u"kettei"_s);
    const QStringList lines = cp932::readLines(m_window->lastReportPath()).lines;
    // The parts between the first one and "おわり", each followed by its own break.
    qsizetype first = 0;
    while (first < lines.size() && !lines.at(first).startsWith(u"ロボットが"_s))
        ++first;
    const qsizetype end = lines.indexOf(u"おわり"_s);
    QVERIFY(first > 0 && end > first);
    QStringList parts;
    for (qsizetype i = first; i < end; i += 2) {
        QCOMPARE(lines.at(i + 1), u"<Br>"_s);
        parts << lines.at(i);
    }
    QVERIFY2(parts.size() >= 2, "a line longer than the field counts as several");
    QCOMPARE(parts.join(QString()), longLine);
}

void TestReportWindow::keyboardOrderFromGrade()
{
    FakeSource source;
    open(&source);
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    QCOMPARE(QApplication::focusWidget(), child(u"Edit2"_s));
    QTest::keyClicks(QApplication::focusWidget(), u"5"_s);
    for (const char *next : {"Edit3", "Edit1", "Memo1", "Memo2"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(next));
    }
    QCOMPARE(child<QLineEdit>(u"Edit2"_s)->text(), u"5"_s);
    QVERIFY(child<QPlainTextEdit>(u"Memo1"_s)->toPlainText().isEmpty()); // no tab typed into it
}

void TestReportWindow::shownPageKeepsFullWidthSpaces()
{
    FakeSource source;
    source.lines = waitLines(5);
    open(&source);
    fill(u"5"_s, u"2"_s, u"たろう"_s);
    click(u"kettei"_s);
    const QString shown = child<QTextBrowser>(u"WebBrowser1"_s)->toPlainText();
    for (int i = 1; i <= 5; ++i)
        QVERIFY2(shown.contains(u"%1\u3000wait(%2)"_s.arg(i, 2, 10, QLatin1Char('0')).arg(i)), qPrintable(shown));
}

void TestReportWindow::noPrinterOffersPdf()
{
    FakeSource source;
    source.lines = waitLines(12);
    open(&source);
    fill(u"5"_s, u"2"_s, u"たろう"_s, u"まっすぐ はしる"_s, u"できた"_s);
    click(u"kettei"_s);
    m_pdfPath = m_dir.filePath(u"report-one"_s);
    m_answer = MessageButton::Yes;
    click(u"print"_s);
    QCOMPARE(m_boxes.size(), 2);
    QCOMPARE(m_boxes.at(0).kind, ui::MessageKind::Confirmation);
    QVERIFY(m_boxes.at(0).text.contains(u"PDF"_s));
    QCOMPARE(m_boxes.at(1).kind, ui::MessageKind::Information);
    QVERIFY(m_proposedPdf.endsWith(u"/52たろう.pdf"_s));

    const QString pdf = m_pdfPath + u".pdf"_s;
    QVERIFY(QFile::exists(pdf));
    QVERIFY(!QFile::exists(pdf + u".part"_s));
    const QString info = pdfpages::toolOutput(u"pdfinfo"_s, pdf);
    QVERIFY2(info.contains(QRegularExpression(uR"(Pages:\s+1\n)"_s)), qPrintable(info));
    QVERIFY2(info.contains(QRegularExpression(uR"(Page size:\s+595(\.\d+)? x 842(\.\d+)? pts \(A4\))"_s)), qPrintable(info));
    const QString fonts = pdfpages::toolOutput(u"pdffonts"_s, pdf);
    const QStringList fontRows = fonts.split(u'\n', Qt::SkipEmptyParts).mid(2);
    QVERIFY(!fontRows.isEmpty());
    for (const QString &row : fontRows) // name type encoding emb sub uni ...
        QVERIFY2(row.contains(QRegularExpression(uR"(\s+yes\s+(yes|no)\s+(yes|no)\s+\d+\s+\d+\s*$)"_s)), qPrintable(fonts));

    const QString text = pdfpages::text(pdf);
    QVERIFY2(text.contains(u"たろう"_s), qPrintable(text));
    QVERIFY(text.contains(u"まっすぐ はしる"_s));
    for (int i = 1; i <= 12; ++i)
        QVERIFY2(text.contains(u"wait(%1)"_s.arg(i)), qPrintable(text));
    QVERIFY(text.contains(u"1/1 ページ"_s));
    QVERIFY(text.contains(u"プログラミング レポート"_s)); // the page's title in the header
    QVERIFY2(text.contains(longDateText(QDate::currentDate())), qPrintable(text));
}

void TestReportWindow::reportPagesWithoutCuttingLines_data()
{
    QTest::addColumn<QString>("font");
    QTest::addColumn<int>("tag");
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("pages");
    // A class prints one sheet per pupil: the whole icon report, and a text report up to 120
    // lines, each with five lines of aim and of impressions, fit one A4 page, in the compact
    // Japanese font and in the one with the tallest lines alike.
    for (const QString &font : {u"IPAPGothic"_s, u"Noto Sans CJK JP"_s}) {
        const QByteArray in = u" (%1)"_s.arg(font).toUtf8();
        QTest::newRow("icon report, 59 slots" + in) << font << REPORT_TAG_ICON << 59 << 1;
        QTest::newRow("text report of 120 lines" + in) << font << REPORT_TAG_TEXT << 120 << 1;
        QTest::newRow("text report of 239 lines" + in) << font << REPORT_TAG_TEXT << 239 << 2;
    }
}

void TestReportWindow::reportPagesWithoutCuttingLines()
{
    QFETCH(QString, font);
    QFETCH(int, tag);
    QFETCH(int, lines);
    QFETCH(int, pages);
    if (!QFontDatabase::families().contains(font))
        QSKIP("font not installed");
    TiePrinterSet::setFontFamilyForTests(font);
    FakeSource source;
    source.tag = tag;
    source.lines = waitLines(lines);
    open(&source);
    const QString fiveLines = u"ロボットが まえに すすんで まがる\n"_s.repeated(5).chopped(1);
    fill(u"6"_s, u"1"_s, u"さぶろう"_s, fiveLines, fiveLines);
    QCOMPARE(shownLines(child<QPlainTextEdit>(u"Memo1"_s)).size(), 5);
    click(u"kettei"_s);
    m_pdfPath = m_dir.filePath(u"pages.pdf"_s);
    click(u"pdf"_s);
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes.first().kind, ui::MessageKind::Information);

    QCOMPARE(pdfpages::pageCount(m_pdfPath), pages);
    for (int p = 1; p <= pages; ++p) {
        const QString pageText = pdfpages::text(m_pdfPath, p);
        QVERIFY2(pageText.contains(u"%1/%2 ページ"_s.arg(p).arg(pages)), qPrintable(pageText));
    }
    // Every listing line is seen whole: none lies across the edge of the printed area (0.75
    // inch above and below, 0.2 inch at the sides of an A4 sheet); text the painter clipped
    // away outside it is still in the file. Only "wait(" is looked for, since poppler reads no
    // digits back from some fonts' PDF.
    const QRectF body(0.2 * 72, 0.75 * 72, 595.28 - 0.4 * 72, 841.89 - 1.5 * 72);
    int whole = 0;
    for (const pdfpages::Word &w : pdfpages::words(m_pdfPath)) {
        if (!w.text.contains(u"wait("_s))
            continue;
        if (body.contains(w.box))
            ++whole;
        else
            QVERIFY2(!body.intersects(w.box), qPrintable(u"a line cut at the edge of page %1"_s.arg(w.page)));
    }
    QCOMPARE(whole, lines);
}

void TestReportWindow::printSaysWhereAndMakesOneJob()
{
    const QString jobs = m_dir.filePath(u"jobs"_s);
    QVERIFY(QDir().mkpath(jobs));
    TiePrinterSet::TestPrinter printer;
    printer.name = u"きょうしつの プリンター"_s;
    printer.folder = jobs;
    int handOvers = 0;
    printer.whileHandingOver = [this, &handOvers] {
        // The pupil presses again while the first job is on its way: once at once, once
        // queued up.
        if (++handOvers > 1)
            return;
        auto *button = child(u"print"_s);
        QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
        const QPointF at = button->rect().center();
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
            QCoreApplication::postEvent(button, new QMouseEvent(type, at, button->mapToGlobal(at), Qt::LeftButton,
                                                                type == QEvent::MouseButtonPress ? Qt::LeftButton
                                                                                                 : Qt::NoButton,
                                                                {}));
    };
    TiePrinterSet::setTestPrinterForTests(printer);
    m_window->iePrinterSet1().settings.printer = printer.name;

    FakeSource source;
    source.lines = waitLines(4);
    open(&source);
    fill(u"5"_s, u"2"_s, u"たろう"_s);
    click(u"kettei"_s);
    auto *state = child<QLabel>(u"printState"_s);
    QVERIFY(state->text().isEmpty());
    click(u"print"_s);
    QCoreApplication::processEvents();
    QVERIFY2(m_boxes.isEmpty(), m_boxes.isEmpty() ? "" : qPrintable(m_boxes.first().text));
    QCOMPARE(QDir(jobs).entryList(QDir::Files), QStringList{u"job-1.pdf"_s});
    QCOMPARE(state->text(), u"いんさつ しました（きょうしつの プリンター）"_s);
    QVERIFY(state->isVisible());
    QVERIFY(pdfpages::text(QDir(jobs).filePath(u"job-1.pdf"_s)).contains(u"wait(4)"_s));

    // A second press just after the job is the same press; a press a moment later is a job
    // of its own. Back on the input page the line is gone.
    click(u"print"_s);
    QCOMPARE(QDir(jobs).entryList(QDir::Files).size(), 1);
    QTest::qWait(1100);
    click(u"print"_s);
    QCOMPARE(QDir(jobs).entryList(QDir::Files).size(), 2);
    click(u"p_back"_s);
    QVERIFY(state->text().isEmpty());
}

// A printer without a name (the system's default, as the print dialogue may give it) is no
// empty pair of brackets but words the pupil understands.
void TestReportWindow::printWithoutAPrinterNameSaysWhere()
{
    const QString jobs = m_dir.filePath(u"unnamed-jobs"_s);
    QVERIFY(QDir().mkpath(jobs));
    TiePrinterSet::TestPrinter printer;
    printer.folder = jobs;
    TiePrinterSet::setTestPrinterForTests(printer);
    m_window->iePrinterSet1().settings.printer.clear();

    FakeSource source;
    source.lines = waitLines(2);
    open(&source);
    fill(u"5"_s, u"2"_s, u"たろう"_s);
    click(u"kettei"_s);
    click(u"print"_s);
    QCOMPARE(QDir(jobs).entryList(QDir::Files), QStringList{u"job-1.pdf"_s});
    QCOMPARE(child<QLabel>(u"printState"_s)->text(), u"いつもの プリンターで いんさつ しました"_s);
}

void TestReportWindow::pdfButtonFailureIsReported()
{
    FakeSource source;
    source.lines = waitLines(2);
    open(&source);
    fill(u"5"_s, u"2"_s, u"たろう"_s);
    click(u"kettei"_s);
    m_pdfPath = m_dir.filePath(u"no-such-folder/x.pdf"_s);
    click(u"pdf"_s);
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes.first().kind, ui::MessageKind::Warning);
    QVERIFY(!QFile::exists(m_pdfPath));

    // Cancelling the dialogue writes nothing and says nothing.
    m_boxes.clear();
    m_pdfPath.clear();
    click(u"pdf"_s);
    QVERIFY(m_boxes.isEmpty());
}

QTEST_MAIN(TestReportWindow)
#include "tst_reportwindow.moc"
