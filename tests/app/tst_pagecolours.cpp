// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/navi/navigator.h"
#include "app/report/reportsource.h"
#include "app/report/reportwindow.h"
#include "app/ui/messagebox.h"
#include "support/pdfpages.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QTextBrowser>

#include <QImage>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QtTest>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

class TextSource : public ReportSource
{
public:
    int reportTag() const override { return REPORT_TAG_TEXT; }
    void fillReportListing(ReportInput *input) const override { input->programLines = {u"wait(10)"_s}; }
};

// A desktop in a dark colour scheme, as GNOME's dark style hands it to Qt.
QPalette darkDesktop()
{
    QPalette dark(QColor(0x35, 0x35, 0x35), QColor(0x24, 0x24, 0x24));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        dark.setColor(role, QColor(0xf2, 0xf2, 0xf2));
    dark.setColor(QPalette::Base, QColor(0x2d, 0x2d, 0x2d));
    return dark;
}

// Where the text stands in a viewer's viewport.
QRect textRect(QTextEdit *viewer, const QString &text)
{
    const QTextCursor found = viewer->document()->find(text);
    if (found.isNull())
        return {};
    QTextCursor start(viewer->document());
    start.setPosition(found.selectionStart());
    QTextCursor end(viewer->document());
    end.setPosition(found.selectionEnd());
    return viewer->cursorRect(start).united(viewer->cursorRect(end));
}

struct Shades
{
    int darkest = 255;
    int background = 0; // the median grey: what most of the area shows
};

Shades shadesIn(const QImage &image, const QRect &area)
{
    QList<int> greys;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x)
            greys << qGray(image.pixel(x, y));
    }
    if (greys.isEmpty())
        return {};
    std::sort(greys.begin(), greys.end());
    return {greys.first(), greys.at(greys.size() / 2)};
}

constexpr int INK_AT_MOST = 110;
constexpr int PAPER_AT_LEAST = 200;

}

class TestPageColours : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void textIsDarkOnLight_data();
    void textIsDarkOnLight();

private:
    QTemporaryDir m_dir;
};

void TestPageColours::initTestCase()
{
    QVERIFY(pdfpages::toolsAvailable());
    QApplication::setPalette(darkDesktop());
    ui::setMessageResponder([](const ui::MessageRequest &request) { return request.buttons.value(0); });
}

void TestPageColours::textIsDarkOnLight_data()
{
    QTest::addColumn<QString>("where");
    QTest::newRow("report page on screen") << u"page"_s;
    QTest::newRow("report fields") << u"field"_s;
    QTest::newRow("report PDF") << u"pdf"_s;
    QTest::newRow("help page") << u"help"_s;
}

void TestPageColours::textIsDarkOnLight()
{
    QFETCH(QString, where);
    Shades shades;
    if (where == u"help") {
        QWidget caller;
        caller.resize(800, 600);
        Navigator navigator;
        navigator.openFor(&caller, nullptr, 13, u"Navi\\navi\\index.html"_s);
        QVERIFY(QTest::qWaitForWindowExposed(&navigator));
        auto *page = navigator.findChild<QTextBrowser *>(u"WebBrowser1"_s);
        const QRect text = textRect(page, u"やりたいことの"_s);
        QVERIFY(text.isValid());
        shades = shadesIn(page->viewport()->grab().toImage(), text);
    } else {
        TextSource source;
        ReportWindow report;
        const QString pdf = m_dir.filePath(u"dark.pdf"_s);
        ReportWindow::setPdfFileChooserForTests([&](const QString &) { return pdf; });
        report.openFor(&source);
        QVERIFY(QTest::qWaitForWindowExposed(&report));
        report.findChild<QLineEdit *>(u"Edit2"_s)->setText(u"5"_s);
        report.findChild<QLineEdit *>(u"Edit3"_s)->setText(u"2"_s);
        auto *name = report.findChild<QLineEdit *>(u"Edit1"_s);
        name->setText(u"くろかわ たろう"_s);
        if (where == u"field") {
            shades = shadesIn(name->grab().toImage(), name->rect());
        } else {
            auto *kettei = report.findChild<QWidget *>(u"kettei"_s);
            QTest::mouseClick(kettei, Qt::LeftButton, {}, kettei->rect().center());
            auto *page = report.findChild<QTextBrowser *>(u"WebBrowser1"_s);
            QVERIFY(page->isVisible());
            if (where == u"page") {
                const QRect text = textRect(page, u"くろかわ たろう"_s);
                QVERIFY(text.isValid());
                shades = shadesIn(page->viewport()->grab().toImage(), text);
            } else {
                auto *button = report.findChild<QWidget *>(u"pdf"_s);
                QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
                constexpr int DPI = 144;
                const QImage sheet(pdfpages::pagePicture(pdf, 1, DPI));
                QVERIFY(!sheet.isNull());
                QRectF box;
                for (const pdfpages::Word &word : pdfpages::words(pdf)) {
                    if (word.text == u"くろかわ"_s)
                        box = word.box;
                }
                QVERIFY(box.isValid());
                const qreal scale = DPI / 72.0;
                shades = shadesIn(sheet, QRectF(box.topLeft() * scale, box.bottomRight() * scale).toAlignedRect());
            }
        }
        ReportWindow::setPdfFileChooserForTests({});
    }
    QVERIFY2(shades.darkest <= INK_AT_MOST, qPrintable(u"darkest grey %1"_s.arg(shades.darkest)));
    QVERIFY2(shades.background >= PAPER_AT_LEAST, qPrintable(u"background grey %1"_s.arg(shades.background)));
}

QTEST_MAIN(TestPageColours)
#include "tst_pagecolours.moc"
