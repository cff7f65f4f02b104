// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings/colorswatch.h"
#include "app/settings/settingsfile.h"
#include "app/settings/settingsscreen.h"
#include "app/ui/messagebox.h"
#include "app/ui/programfiledialog.h"
#include "common/cp932.h"
#include "editor/sonedit.h"
#include "robot/tsmr.h"
#include "support/findwindow.h"
#include "support/pseudoterminal.h"
#include "support/screenfixture.h"
#include "sim/trialwindow.h"
#include "text/helppanel.h"
#include "text/textscreen.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QFrame>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QSpinBox>

#include <QClipboard>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;
using ui::MessageButton;

// The text screen with real key and mouse events, the real transfer window and a
// pseudo-terminal as the robot's line.
class TestTextScreen : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void typedProgramIsSent_data();
    void typedProgramIsSent();
    void sizeLimit_data();
    void sizeLimit();
    void faultyProgramMarksItsLines_data();
    void faultyProgramMarksItsLines();
    void playSendsSeven();
    void trialLightsTheRunningLine();
    void readingOtherStepsEmptiesEditor_data();
    void readingOtherStepsEmptiesEditor();
    void readingKeepsTextAndClearsMark();
    void saveQuestionBeforeLeaving_data();
    void saveQuestionBeforeLeaving();
    void keyboardSaveAsksNothingMoreThanButton();
    void sampleLoadsAndCompiles();
    void commentsColouredFromFirstSlashes();
    void unholdableCharacterRefused();
    void helpPanelItems_data();
    void helpPanelItems();
    void settingsOkRepaintsEditor();

private:
    void show();
    void click(const QString &objectName);
    void type(const QString &program);
    QString writeFile(const QByteArray &bytes);

    testenv::ScreenFixture m_line;
    std::unique_ptr<TextScreen> m_screen;
    std::unique_ptr<QTemporaryDir> m_dir;
    QList<ui::MessageRequest> m_boxes;
    QList<MessageButton> m_answers;
    QString m_chosen;
    int m_chooserCalls = 0;
};

void TestTextScreen::init()
{
    m_boxes.clear();
    m_answers.clear();
    m_chooserCalls = 0;
    ui::setMessageResponder([this](const ui::MessageRequest &r) {
        m_boxes.append(r);
        return m_answers.isEmpty() ? r.buttons.first() : m_answers.takeFirst();
    });
    m_dir = std::make_unique<QTemporaryDir>();
    m_chosen = m_dir->filePath(u"prog.rk5"_s);
    ui::setProgramFileChooserForTests([this](bool) {
        ++m_chooserCalls;
        return m_chosen;
    });
    m_line.setUp();
    if (QTest::currentTestFailed())
        return;
    m_screen = std::make_unique<TextScreen>(m_line.link());
}

void TestTextScreen::cleanup()
{
    m_screen.reset();
    m_line.tearDown();
    ui::setMessageResponder({});
    ui::setProgramFileChooserForTests({});
}

void TestTextScreen::show()
{
    m_screen->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_screen.get()));
}

void TestTextScreen::click(const QString &objectName)
{
    testenv::clickChild(m_screen.get(), objectName);
}

// Types line by line as the pupil does, Return between the lines.
void TestTextScreen::type(const QString &program)
{
    TSonEdit *editor = m_screen->editor();
    const QStringList lines = program.split(u'\n');
    for (int i = 0; i < lines.size(); ++i) {
        for (const QChar c : lines.at(i)) {
            if (c.unicode() < 0x80) {
                QTest::keyClick(editor, char(c.unicode()));
                continue;
            }
            // Japanese arrives from the input method as committed text.
            QInputMethodEvent commit;
            commit.setCommitString(QString(c));
            QCoreApplication::sendEvent(editor, &commit);
        }
        if (i + 1 < lines.size())
            QTest::keyClick(editor, Qt::Key_Return);
    }
}

QString TestTextScreen::writeFile(const QByteArray &bytes)
{
    const QString path = m_dir->filePath(u"in.rk5"_s);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return QString();
    f.write(bytes);
    return path;
}

void TestTextScreen::typedProgramIsSent_data()
{
    QTest::addColumn<bool>("how");
    QTest::newRow("start at once") << true;
    // The text screen ignores the setting: the robot never waits for its front switch.
    QTest::newRow("wait for the switch") << false;
}

void TestTextScreen::typedProgramIsSent()
{
    QFETCH(bool, how);
    QVERIFY(SettingsFile().setPlayHow(how).ok);
    show();
    type(u"motor(fwd,fwd) //まえ\nwait(10)\n//　やすむ\nmotor(stop,stop)\nwait(5)"_s);
    QVERIFY(m_screen->editor()->modified());
    click(u"send"_s);
    const QList<ReceivedByte> got = m_line.pty()->waitForBytes(41, 8000);
    QByteArray expected("\x01\x45\x0A\x40\x05\xFE");
    expected.append(QByteArray(35, char(0xFE)));
    QCOMPARE(PseudoTerminal::valuesOf(got), expected);
    QTRY_VERIFY_WITH_TIMEOUT(!m_line.transfer()->isVisible(), 3000);
    QVERIFY(m_boxes.isEmpty());
}

void TestTextScreen::sizeLimit_data()
{
    QTest::addColumn<int>("pairs");
    QTest::addColumn<bool>("sent");
    // 59 motor/wait pairs and one single-byte statement: 119 bytes, 120 with the end byte.
    QTest::newRow("119 bytes are sent") << 59 << true;
    QTest::newRow("120 bytes are refused") << 60 << false;
}

void TestTextScreen::sizeLimit()
{
    QFETCH(int, pairs);
    QFETCH(bool, sent);
    show();
    QStringList lines;
    for (int i = 0; i < pairs; ++i)
        lines << u"motor(fwd,fwd)"_s << u"wait(1)"_s;
    lines << u"setio1(in)"_s;
    m_screen->editor()->setText(lines.join(u"\r\n"_s));
    click(u"send"_s);
    if (!sent) {
        QCOMPARE(m_boxes.size(), 1);
        QCOMPARE(m_boxes.first().text, u"命令数が119を超えています。"_s);
        QVERIFY(m_line.pty()->collectFor(300).isEmpty());
        QVERIFY(!m_line.transfer()->isVisible());
        return;
    }
    const QByteArray got = PseudoTerminal::valuesOf(m_line.pty()->waitForBytes(123, 15000));
    QCOMPARE(got.size(), 123);
    QCOMPARE(got.at(0), char(1));
    QCOMPARE(got.at(41), char(2));
    QCOMPARE(got.at(82), char(3));
    QCOMPARE(got.mid(83, 37), QByteArray("\x45\x01").repeated(18) + QByteArray("\x45"));
    QCOMPARE(got.right(3), QByteArray("\x01\x28\xFE"));
    QVERIFY(m_boxes.isEmpty());
}

void TestTextScreen::faultyProgramMarksItsLines_data()
{
    // ためす refuses a program exactly as the send button does.
    QTest::addColumn<QString>("button");
    QTest::newRow("send") << u"send"_s;
    QTest::newRow("trial") << u"trial"_s;
}

void TestTextScreen::faultyProgramMarksItsLines()
{
    QFETCH(QString, button);
    show();
    type(u"motor(fwd,fwd)\nwait(10)\nmotr(fwd,fwd)\nwait(10)\nwait(300)"_s);
    click(button);
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes.first().kind, ui::MessageKind::Warning);
    QVERIFY(m_boxes.first().text.startsWith(u"3行目が違います"_s));
    TSonEdit *editor = m_screen->editor();
    QVERIFY(!editor->markedLines().isEmpty());
    QCOMPARE(editor->markedLines().first(), 2);
    QCOMPARE(editor->textCursor().blockNumber(), 2);
    QVERIFY(m_line.pty()->collectFor(700).isEmpty());
    QVERIFY(!m_line.transfer()->isVisible());
    QVERIFY(!m_line.trial()->window()->isVisible());

    // The next edit takes the marks away.
    QTest::keyClick(editor, Qt::Key_End);
    QTest::keyClick(editor, Qt::Key_Backspace);
    QVERIFY(editor->markedLines().isEmpty());
}

void TestTextScreen::playSendsSeven()
{
    show();
    click(u"play"_s);
    QCOMPARE(PseudoTerminal::valuesOf(m_line.pty()->waitForBytes(1, 2000)), QByteArray("\x07"));
}

void TestTextScreen::trialLightsTheRunningLine()
{
    show();
    type(u"// twice\nloop(2)\nmotor(fwd,fwd)\nwait(5)\nendloop"_s);
    QTest::keyClick(m_screen.get(), Qt::Key_F6);
    TrialWindow *floor = m_line.trial()->window();
    QVERIFY(floor->isVisible());
    floor->pause();
    TSonEdit *editor = m_screen->editor();
    // Lines from 0: the motor line, again after the loop's end, then nothing.
    QList<int> lit{editor->runningLine()};
    while (!floor->trial().finished()) {
        floor->stepOnce();
        lit.append(editor->runningLine());
    }
    QCOMPARE(lit, (QList<int>{2, 2, -1}));
    QVERIFY(m_boxes.isEmpty());
    QVERIFY(m_line.pty()->collectFor(300).isEmpty());
}

void TestTextScreen::readingOtherStepsEmptiesEditor_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("icon file") << QByteArray("DD\r\n0/motor(fwd,fwd)/1/1/10\r\n");
    QTest::newRow("route file") << QByteArray("D_pro\r\n100,100\r\n");
}

void TestTextScreen::readingOtherStepsEmptiesEditor()
{
    QFETCH(QByteArray, file);
    show();
    m_screen->editor()->setText(u"wait(1)"_s);
    m_chosen = writeFile(file);
    click(u"Read"_s);
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes.first().text,
             u"指定したファイルを開くことが出来ません\r\n他のステップで保存されいる可能性があります。"_s);
    QCOMPARE(m_screen->editor()->text(), QString());
    QCOMPARE(m_screen->editor()->lineCount(), 1);
}

void TestTextScreen::readingKeepsTextAndClearsMark()
{
    show();
    type(u"wait(1)"_s);
    m_answers = {MessageButton::No};
    m_chosen = writeFile(QByteArray("KB\r\nmotor(fwd,rev)\r\nwait(2) //\x82\xdc\x82\xed\x82\xe9\r\n"));
    click(u"Read"_s);
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes.first().text, u"プログラムが更新されています。保存しますか？"_s);
    QCOMPARE(m_screen->editor()->text(), u"motor(fwd,rev)\r\nwait(2) //まわる\r\n"_s);
    QVERIFY(!m_screen->editor()->modified());
}

void TestTextScreen::saveQuestionBeforeLeaving_data()
{
    QTest::addColumn<MessageButton>("answer");
    QTest::addColumn<bool>("left");
    QTest::addColumn<bool>("saved");
    QTest::newRow("yes saves and stays") << MessageButton::Yes << false << true;
    QTest::newRow("no leaves without saving") << MessageButton::No << true << false;
    QTest::newRow("cancel stays") << MessageButton::Cancel << false << false;
}

void TestTextScreen::saveQuestionBeforeLeaving()
{
    QFETCH(MessageButton, answer);
    QFETCH(bool, left);
    QFETCH(bool, saved);
    bool menuShown = false;
    connect(m_screen.get(), &WorkingScreen::menuRequested, this, [&] { menuShown = true; });
    show();
    type(u"motor(fwd,fwd)\nwait(10)"_s);
    m_answers = {answer};
    click(u"shutdown"_s);
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes.first().text, u"プログラムが更新されています。保存しますか？"_s);
    QCOMPARE(m_boxes.first().buttons, (QList<MessageButton>{MessageButton::Yes, MessageButton::No, MessageButton::Cancel}));
    QCOMPARE(menuShown, left);
    QCOMPARE(m_screen->isVisible(), !left);
    QCOMPARE(QFile::exists(m_chosen), saved);
    QCOMPARE(m_screen->editor()->text().isEmpty(), left);
    if (saved) {
        QFile f(m_chosen);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("KB\r\nmotor(fwd,fwd)\r\nwait(10)\r\n"));
        // Saving leaves the mark set: leaving asks again, and No now leaves.
        m_answers = {MessageButton::No};
        click(u"shutdown"_s);
        QCOMPARE(m_boxes.size(), 2);
        QVERIFY(menuShown);
    }
}

void TestTextScreen::keyboardSaveAsksNothingMoreThanButton()
{
    show();
    type(u"wait(3)"_s);
    QTest::keyClick(m_screen->editor(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(m_chooserCalls, 1);
    QVERIFY(QFile::exists(m_chosen));
    QVERIFY(m_boxes.isEmpty());
    QCOMPARE(m_screen->editor()->text(), u"wait(3)"_s);

    // Ctrl+O reads, after the same question as the button.
    m_chosen = writeFile(QByteArray("KB\r\nwait(4)\r\n"));
    m_answers = {MessageButton::No};
    QTest::keyClick(m_screen->editor(), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_screen->editor()->text(), u"wait(4)\r\n"_s);
}

void TestTextScreen::sampleLoadsAndCompiles()
{
    show();
    click(u"readsample"_s);
    QVERIFY(m_boxes.isEmpty());
    const QString text = m_screen->editor()->text();
    QVERIFY(m_screen->editor()->lineCount() > 3);
    QVERIFY(!m_screen->editor()->modified());
    TSmr compiler(text);
    QVERIFY2(compiler.Compile(), qPrintable(compiler.GetMessages()));
    QVERIFY(compiler.codeLines().size() > 0);
}

void TestTextScreen::commentsColouredFromFirstSlashes()
{
    QVERIFY(SettingsFile().setComentColor(colors::clYellow).ok);
    show();
    type(u"wait(10) //a//b\nmotor(fwd,fwd)"_s);
    QCoreApplication::processEvents();
    const QList<QTextEdit::ExtraSelection> painted = m_screen->editor()->extraSelections();
    QCOMPARE(painted.size(), 1);
    QCOMPARE(painted.first().cursor.selectedText(), u"//a//b"_s);
    QCOMPARE(painted.first().format.foreground().color(), QColor(Qt::yellow));
    QCOMPARE(painted.first().format.background().color(), QColor(Qt::black));
}

void TestTextScreen::unholdableCharacterRefused()
{
    show();
    TSonEdit *editor = m_screen->editor();
    QTest::keyClicks(editor, u"wait(1)"_s);
    QKeyEvent emoji(QEvent::KeyPress, 0, Qt::NoModifier, u"😀"_s);
    QCoreApplication::sendEvent(editor, &emoji);
    QCOMPARE(editor->text(), u"wait(1)"_s);
    QCOMPARE(m_boxes.size(), 1);
    QVERIFY(m_boxes.first().text.contains(u"😀"_s));

    // A paste keeps what the code page holds and names the rest.
    QApplication::clipboard()->setText(u" //🚗はしる"_s);
    editor->paste();
    QCOMPARE(editor->text(), u"wait(1) //はしる"_s);
    QCOMPARE(m_boxes.size(), 2);
    QVERIFY(m_boxes.last().text.contains(u"🚗"_s));
}

void TestTextScreen::helpPanelItems_data()
{
    QTest::addColumn<bool>("extended");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("ballBeside");
    QTest::addColumn<QString>("subBallOn"); // empty: hidden

    QTest::newRow("basic m4") << false << u"m4"_s << u"m_4"_s << u"m4"_s << QString();
    QTest::newRow("basic m6") << false << u"m6"_s << u"m_6"_s << u"m6"_s << QString();
    QTest::newRow("extended m_8") << true << u"m_8"_s << u"m_8"_s << u"m_8"_s << QString();
    QTest::newRow("extended m51 shows its SW item") << true << u"m51"_s << u"m_5"_s << u"m51"_s << u"m_5"_s;
    QTest::newRow("extended m61 shows its SW item") << true << u"m61"_s << u"m_6"_s << u"m61"_s << u"m_6"_s;
    QTest::newRow("sub-item m_9") << true << u"m_9"_s << u"m_9"_s << u"m51"_s << u"m_9"_s;
    QTest::newRow("sub-item m_10") << true << u"m_10"_s << u"m_10"_s << u"m61"_s << u"m_10"_s;
}

void TestTextScreen::helpPanelItems()
{
    QFETCH(bool, extended);
    QFETCH(QString, item);
    QFETCH(QString, picture);
    QFETCH(QString, ballBeside);
    QFETCH(QString, subBallOn);
    show();
    QCOMPARE(m_screen->helpPage(), u"Navi\\navi\\index_s4.html"_s);
    if (extended) {
        QTest::mousePress(m_screen->findChild<QWidget *>(u"Image1"_s), Qt::LeftButton);
        QVERIFY(m_screen->helpPanelOpen());
        QCOMPARE(m_screen->helpPage(), u"Navi\\navi\\index_s8.html"_s);
        QVERIFY(m_screen->helpPanel()->panel()->isVisible());
    }
    click(item);
    QCOMPARE(m_screen->helpPanel()->shownPicture(), u"Photo\\Button\\key\\"_s + picture + u".jpg"_s);
    auto *ballWidget = m_screen->findChild<QWidget *>(extended ? u"ball"_s : u"ball1"_s);
    auto *beside = m_screen->findChild<QWidget *>(ballBeside);
    QCOMPARE(ballWidget->y(), beside->y());
    auto *subBall = m_screen->findChild<QWidget *>(u"s_ball"_s);
    QCOMPARE(subBall->isVisible(), !subBallOn.isEmpty());
    if (!subBallOn.isEmpty())
        QVERIFY(qAbs(subBall->y() - m_screen->findChild<QWidget *>(subBallOn)->y()) <= 2);
    QVERIFY(m_boxes.isEmpty());
    QCOMPARE(m_screen->editor()->text(), QString());
}

void TestTextScreen::settingsOkRepaintsEditor()
{
    SettingsScreen settings(m_line.port());
    connect(&settings, &SettingsScreen::editorAppearanceChanged, m_screen.get(), &TextScreen::applyEditorAppearance);
    show();
    type(u"wait(1) //x"_s);
    settings.showSettings();
    QVERIFY(QTest::qWaitForWindowExposed(&settings));
    auto clickIn = [&](const QString &name) {
        auto *w = settings.findChild<QWidget *>(name);
        QVERIFY2(w, qPrintable(name));
        QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
    };
    clickIn(u"Panel24"_s); // navy background
    clickIn(u"Panel51"_s); // yellow text
    clickIn(u"Panel70"_s); // lime comments
    settings.findChild<QSpinBox *>(u"SpinEdit1"_s)->setValue(22);
    clickIn(u"ok"_s);
    QCoreApplication::processEvents();
    TSonEdit *editor = m_screen->editor();
    QCOMPARE(editor->color(), QColor(0, 0, 128));
    QCOMPARE(editor->palette().color(QPalette::Base), QColor(0, 0, 128));
    QCOMPARE(editor->fontColor(), QColor(255, 255, 0));
    QCOMPARE(editor->font().pointSize(), 22);
    QCOMPARE(editor->selColor(), QColor(255, 255, 127));
    const QList<QTextEdit::ExtraSelection> painted = editor->extraSelections();
    QCOMPARE(painted.size(), 1);
    QCOMPARE(painted.first().format.foreground().color(), QColor(0, 255, 0));
    QCOMPARE(painted.first().format.background().color(), QColor(0, 0, 128));
}

QTEST_MAIN(TestTextScreen)
#include "tst_textscreen.moc"
