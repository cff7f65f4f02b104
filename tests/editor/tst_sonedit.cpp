// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/sonedit.h"

#include <QtWidgets/QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QtWidgets/QScrollBar>

#include <QtTest>

using namespace Qt::StringLiterals;

// The editor control: its text and modified mark under real key events, the values its
// properties take, range painting and the fault marks.
class TestSonEdit : public QObject
{
    Q_OBJECT
private slots:
    void textRules_data();
    void textRules();
    void modifiedMark();
    void clampedProperties_data();
    void clampedProperties();
    void lineNumberWidth_data();
    void lineNumberWidth();
    void rangePaintingOverDoubleByte();
    void repaintingSameRangeChangesNothing();
    void marksLastUntilNextEdit();
    void undoHistoryBounded();
    void tabKey_data();
    void tabKey();
    void enterWithModifiers_data();
    void enterWithModifiers();
    void pastedBreaks_data();
    void pastedBreaks();
    void ctrlYRedoes();
};

void TestSonEdit::textRules_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("lines");
    QTest::addColumn<QString>("lastLine");
    QTest::newRow("empty") << QString() << 1 << QString();
    QTest::newRow("final CR LF") << u"wait(1)\r\n"_s << 2 << QString();
    QTest::newRow("three lines") << u"a\r\nb\r\nc"_s << 3 << u"c"_s;
}

void TestSonEdit::textRules()
{
    QFETCH(QString, text);
    QFETCH(int, lines);
    QFETCH(QString, lastLine);
    TSonEdit editor;
    QTest::keyClicks(&editor, u"old"_s);
    editor.setText(text);
    QCOMPARE(editor.text(), text);
    QCOMPARE(editor.lineCount(), lines);
    QCOMPARE(editor.line(lines - 1), lastLine);
    if (lines > 1)
        QVERIFY(editor.line(0).endsWith(u"\r\n"_s));
    QVERIFY(!editor.modified());
    QCOMPARE(editor.textCursor().position(), 0);
    QVERIFY(!editor.document()->isUndoAvailable());
}

void TestSonEdit::modifiedMark()
{
    TSonEdit editor;
    editor.setText(u"wait(1)"_s);
    QVERIFY(!editor.modified());
    QTest::keyClick(&editor, Qt::Key_End);
    QVERIFY(!editor.modified());
    QTest::keyClick(&editor, 'x');
    QVERIFY(editor.modified());
    editor.clear();
    QVERIFY(!editor.modified());
    QCOMPARE(editor.text(), QString());

    // Undo and redo are the pupil's changes too, and the mark stays until the text is set.
    QTest::keyClicks(&editor, u"ab"_s);
    editor.setText(editor.text());
    QTest::keyClick(&editor, Qt::Key_End);
    QTest::keyClick(&editor, 'c');
    editor.setText(u"abc"_s);
    QTest::keyClick(&editor, Qt::Key_End);
    QTest::keyClick(&editor, 'd');
    QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(editor.text(), u"abc"_s);
    QVERIFY(editor.modified());
}

void TestSonEdit::clampedProperties_data()
{
    QTest::addColumn<QString>("property");
    QTest::addColumn<int>("set");
    QTest::addColumn<int>("value");
    QTest::newRow("TabCount 0") << u"TabCount"_s << 0 << 1;
    QTest::newRow("TabCount 9") << u"TabCount"_s << 9 << 8;
    QTest::newRow("TabCount 6") << u"TabCount"_s << 6 << 6;
    QTest::newRow("TopMargin 31") << u"TopMargin"_s << 31 << 30;
    QTest::newRow("TopMargin -1") << u"TopMargin"_s << -1 << 0;
    QTest::newRow("LeftMargin 40") << u"LeftMargin"_s << 40 << 30;
    QTest::newRow("LineNoColumn 6") << u"LineNoColumn"_s << 6 << 5;
    QTest::newRow("LineNoColumn 0") << u"LineNoColumn"_s << 0 << 1;
    QTest::newRow("LineSpace 101") << u"LineSpace"_s << 101 << 100;
    QTest::newRow("Column 9") << u"Column"_s << 9 << 10;
    QTest::newRow("ScrollStep 0") << u"ScrollStep"_s << 0 << 1;
}

void TestSonEdit::clampedProperties()
{
    QFETCH(QString, property);
    QFETCH(int, set);
    QFETCH(int, value);
    TSonEdit editor;
    int got = -1;
    if (property == u"TabCount") {
        editor.setTabCount(set);
        got = editor.tabCount();
        QCOMPARE(editor.tabStopDistance(), got * editor.fontMetrics().horizontalAdvance(u' '));
    } else if (property == u"TopMargin") {
        editor.setTopMargin(set);
        got = editor.topMargin();
    } else if (property == u"LeftMargin") {
        editor.setLeftMargin(set);
        got = editor.leftMargin();
    } else if (property == u"LineNoColumn") {
        editor.setLineNoColumn(set);
        got = editor.lineNoColumn();
    } else if (property == u"LineSpace") {
        editor.setLineSpace(set);
        got = editor.lineSpace();
    } else if (property == u"Column") {
        editor.setColumn(set);
        got = editor.column();
    } else if (property == u"ScrollStep") {
        editor.setScrollStep(set);
        got = editor.scrollStep();
    }
    QCOMPARE(got, value);
}

void TestSonEdit::lineNumberWidth_data()
{
    QTest::addColumn<int>("digits");
    QTest::addColumn<int>("pixelSize");
    QTest::newRow("3 digits") << 3 << 19;
    QTest::newRow("5 digits") << 5 << 14;
    // Wide digits: the column stops at 100 pixels plus the gap.
    QTest::newRow("capped") << 5 << 60;
}

void TestSonEdit::lineNumberWidth()
{
    QFETCH(int, digits);
    QFETCH(int, pixelSize);
    TSonEdit editor;
    editor.setEditorFontPixels(u"FixedSys"_s, pixelSize);
    editor.setShowLineNumber(false);
    QCOMPARE(editor.lineNumberWidth(), 0);
    editor.setShowLineNumber(true);
    editor.setLineNoColumn(digits);
    const int zero = editor.fontMetrics().horizontalAdvance(u'0');
    QCOMPARE(editor.lineNumberWidth(), qMin(100, digits * zero) + 7);
    QCOMPARE(editor.viewport()->x(), editor.lineNumberWidth() + editor.leftMargin());
}

void TestSonEdit::rangePaintingOverDoubleByte()
{
    TSonEdit editor;
    editor.setText(u"aあい\r\nうえ"_s);
    // From the trail byte of あ over 6 bytes: あ, い, the line end, then the lead byte of う.
    editor.paintRange(0, 2, 6, Qt::red, Qt::blue);
    QCoreApplication::processEvents();
    QStringList painted;
    for (const QTextEdit::ExtraSelection &s : editor.extraSelections()) {
        painted << s.cursor.selectedText();
        QCOMPARE(s.format.foreground().color(), QColor(Qt::red));
        QCOMPARE(s.format.background().color(), QColor(Qt::blue));
    }
    QCOMPARE(painted, (QStringList{u"あい"_s, u"う"_s}));

    // Painting lasts until the text changes; then the owner paints again.
    QTest::keyClick(&editor, 'z');
    QCOMPARE(editor.extraSelections().size(), 0);
}

void TestSonEdit::repaintingSameRangeChangesNothing()
{
    TSonEdit editor;
    editor.resize(300, 200);
    editor.setText(u"wait(1) //x"_s);
    int paints = 0;
    // The owner paints on every repaint; that must not start another repaint for ever.
    connect(&editor, &TSonEdit::OnPaint, &editor, [&] {
        ++paints;
        editor.paintRange(0, 8, 3, Qt::green, Qt::black);
    });
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    QTest::qWait(100);
    const int settled = paints;
    QVERIFY(settled >= 1);
    QTest::qWait(200);
    QVERIFY2(paints - settled <= 2, qPrintable(QString::number(paints - settled)));
    QCOMPARE(editor.extraSelections().size(), 1);
}

void TestSonEdit::marksLastUntilNextEdit()
{
    TSonEdit editor;
    editor.setText(u"a\r\nb\r\nc\r\nd"_s);
    editor.markLines({2, 1, 2, 9});
    QCOMPARE(editor.markedLines(), (QList<int>{2, 1}));
    QCOMPARE(editor.textCursor().blockNumber(), 2);
    QCOMPARE(editor.extraSelections().size(), 2);
    QTest::keyClick(&editor, 'x');
    QVERIFY(editor.markedLines().isEmpty());
    QCoreApplication::processEvents();
    QCOMPARE(editor.extraSelections().size(), 0);
}

void TestSonEdit::undoHistoryBounded()
{
    TSonEdit editor;
    editor.setUndoBuf(40);
    QTest::keyClicks(&editor, u"0123456789"_s);
    QVERIFY(editor.document()->isUndoAvailable());
    QTest::keyClicks(&editor, u"0123456789012345"_s);
    QCoreApplication::processEvents();
    // Past 40 bytes the history starts again rather than growing.
    QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(editor.text().startsWith(u"0123456789"_s));
    QVERIFY(editor.text().size() >= 20);
}

void TestSonEdit::tabKey_data()
{
    QTest::addColumn<bool>("wantTabs");
    QTest::newRow("tab inserted") << true;
    QTest::newRow("tab moves on") << false;
}

void TestSonEdit::tabKey()
{
    QFETCH(bool, wantTabs);
    TSonEdit editor;
    editor.setWantTabs(wantTabs);
    QTest::keyClick(&editor, Qt::Key_Tab);
    QCOMPARE(editor.text(), wantTabs ? u"\t"_s : QString());
}

void TestSonEdit::enterWithModifiers_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Enter") << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("Shift+Enter") << int(Qt::Key_Return) << int(Qt::ShiftModifier);
    QTest::newRow("Ctrl+Enter") << int(Qt::Key_Return) << int(Qt::ControlModifier);
    QTest::newRow("Alt+Enter") << int(Qt::Key_Return) << int(Qt::AltModifier);
    QTest::newRow("Shift+keypad Enter") << int(Qt::Key_Enter) << int(Qt::ShiftModifier | Qt::KeypadModifier);
}

void TestSonEdit::enterWithModifiers()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    TSonEdit editor;
    QTest::keyClicks(&editor, u"wait(1)"_s);
    QTest::keyClick(&editor, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QTest::keyClicks(&editor, u"end"_s);
    QCOMPARE(editor.text(), u"wait(1)\r\nend"_s);
    QCOMPARE(editor.lineCount(), 2);
    QVERIFY(holdable::all(editor.text()));
}

void TestSonEdit::pastedBreaks_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("refused");
    QTest::newRow("line separator") << u"a\u2028b"_s << u"a\r\nb"_s << QString();
    QTest::newRow("paragraph separator") << u"a\u2029b"_s << u"a\r\nb"_s << QString();
    QTest::newRow("next line") << u"a\u0085b"_s << u"a\r\nb"_s << QString();
    QTest::newRow("lone CR and lone LF") << u"a\rb\nc"_s << u"a\r\nb\r\nc"_s << QString();
    QTest::newRow("break beside a refused emoji") << u"a\u2028😀b"_s << u"a\r\nb"_s << u"😀"_s;
}

void TestSonEdit::pastedBreaks()
{
    QFETCH(QString, pasted);
    QFETCH(QString, text);
    QFETCH(QString, refused);
    TSonEdit editor;
    QString named;
    connect(&editor, &TSonEdit::textRefused, &editor, [&](const QString &c) { named += c; });
    auto *data = new QMimeData;
    data->setText(pasted);
    QApplication::clipboard()->setMimeData(data);
    editor.paste();
    QCOMPARE(editor.text(), text);
    QCOMPARE(named, refused);
    QVERIFY(holdable::all(editor.text()));
}

void TestSonEdit::ctrlYRedoes()
{
    TSonEdit editor;
    QTest::keyClicks(&editor, u"ab"_s);
    QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(editor.text() != u"ab"_s);
    QTest::keyClick(&editor, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(editor.text(), u"ab"_s);
}

QTEST_MAIN(TestSonEdit)
#include "tst_sonedit.moc"
