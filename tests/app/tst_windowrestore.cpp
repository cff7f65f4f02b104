// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/navi/navigator.h"
#include "app/report/reportsource.h"
#include "app/report/reportwindow.h"
#include "common/workfolder.h"
#include "app/ui/messagebox.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QTextBrowser>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

class StandInSource : public ReportSource
{
public:
    int reportTag() const override { return REPORT_TAG_TEXT; }
    void fillReportListing(ReportInput *input) const override { input->programLines = {u"wait(1)"_s}; }
};

// What the task bar does: minimise, then restore.
void minimiseAndRestore(QWidget *window)
{
    window->showMinimized();
    QCoreApplication::processEvents();
    window->showNormal();
    QCoreApplication::processEvents();
}

}

// Minimising and restoring a window keeps what the pupil had on it; only an opening by the
// caller starts it afresh.
class TestWindowRestore : public QObject
{
    Q_OBJECT
private slots:
    void reportPrintPageKeepsItsButtons();
    void navigatorKeepsPageAndPlace();
};

void TestWindowRestore::reportPrintPageKeepsItsButtons()
{
    ui::setMessageResponder([](const ui::MessageRequest &request) { return request.buttons.value(0); });
    StandInSource source;
    ReportWindow window;
    window.openFor(&source);
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.findChild<QLineEdit *>(u"Edit2"_s)->setText(u"5"_s);
    window.findChild<QLineEdit *>(u"Edit3"_s)->setText(u"2"_s);
    window.findChild<QLineEdit *>(u"Edit1"_s)->setText(u"もどすくん"_s);
    window.findChild<QPlainTextEdit *>(u"Memo1"_s)->setPlainText(u"まえに すすむ"_s);
    window.findChild<QPlainTextEdit *>(u"Memo2"_s)->setPlainText(u"できた"_s);
    auto *kettei = window.findChild<QWidget *>(u"kettei"_s);
    QTest::mouseClick(kettei, Qt::LeftButton, {}, kettei->rect().center());
    const QStringList pageButtons{u"print"_s, u"pdf"_s, u"p_back"_s};
    for (const QString &name : pageButtons)
        QVERIFY2(window.findChild<QWidget *>(name)->isVisible(), qPrintable(name));

    minimiseAndRestore(&window);
    for (const QString &name : pageButtons)
        QVERIFY2(window.findChild<QWidget *>(name)->isVisible(), qPrintable(name));
    QCOMPARE(window.findChild<QLineEdit *>(u"Edit1"_s)->text(), u"もどすくん"_s);

    // Opened again by its caller, it starts on the input page.
    window.hide();
    window.openFor(&source);
    QVERIFY(!window.findChild<QWidget *>(u"print"_s)->isVisible());
    QFile::remove(window.lastReportPath());
    ui::setMessageResponder({});
}

void TestWindowRestore::navigatorKeepsPageAndPlace()
{
    QWidget caller;
    caller.resize(800, 600);
    caller.show();
    Navigator navigator;
    navigator.openFor(&caller, nullptr, 13, u"Navi\\navi\\index.html"_s);
    QVERIFY(QTest::qWaitForWindowExposed(&navigator));
    auto *browser = navigator.findChild<QTextBrowser *>(u"WebBrowser1"_s);
    const QUrl start = browser->source();
    QVERIFY(start.isLocalFile());
    // The pupil follows a link and moves the navigator aside.
    const QUrl followed = QUrl::fromLocalFile(QFileInfo(start.toLocalFile()).dir().filePath(u"index_s5.html"_s));
    browser->setSource(followed);
    navigator.move(navigator.pos() + QPoint(60, 30));
    const QPoint place = navigator.pos();

    minimiseAndRestore(&navigator);
    QCOMPARE(browser->source(), followed);
    QCOMPARE(navigator.pos(), place);
}

QTEST_MAIN(TestWindowRestore)
#include "tst_windowrestore.moc"
