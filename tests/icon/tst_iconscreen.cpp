// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/messagebox.h"
#include "app/ui/programfiledialog.h"
#include "common/cp932.h"
#include "icon/iconfile.h"
#include "icon/iconpalette.h"
#include "icon/iconscreen.h"
#include "icon/keypadpage.h"
#include "icon/slotcolumn.h"
#include "support/icondrop.h"
#include "support/findwindow.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QSlider>
#include <QtWidgets/QStackedWidget>

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;
using ui::MessageButton;

class TestIconScreen : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void dropOpensKeypadAndConfirmStoresValue();
    void keypadRefusesAboveTwentySeconds();
    void foreignDragIsRefused();
    void angleDropAndConfirm();
    void deleteMovesLaterInstructionsUpWithLabels();
    void insertOpensGap();
    void readFileRecreatesLabelsThatReopen();
    void readRefusalsKeepProgramAndLabels_data();
    void readRefusalsKeepProgramAndLabels();
    void saveAppendsExtensionAndRefusesOthers();
    void sendRefusesUnsetSlot();
    void stepTwoHidesControlIcons();
    void hintGoesToMemo();
    void askToSaveBeforeLeaving();
    void clearAllEmptiesSlotsAndLabels();
    void dropEndsPendingEdit();
    void undoRedoEachChange_data();
    void undoRedoEachChange();
    void undoHundredStepsAndSaveQuestion();
    void actionChangingNothingIsNoStep_data();
    void actionChangingNothingIsNoStep();
    void allDeleteOfNothingIsNoStep();
    void shortcutsDoOnlyWhatTheirButtonsMay();

private:
    // Delivers a drag of a palette icon onto slot n the way the platform does.
    bool dropOn(int n, const QString &icon);
    bool dropMime(int n, QMimeData *data);
    void click(const QString &objectName);
    // A timed move of 1.5, a turn of 90 degrees and a third icon, each value confirmed.
    bool placeThreeInstructions();
    QString writeFile(const QStringList &lines);

    IconScreen *m_screen = nullptr;
    QList<ui::MessageRequest> m_boxes;
    MessageButton m_answer = MessageButton::Ok;
    QString m_chosenFile;
    QTemporaryDir m_dir;
};

void TestIconScreen::init()
{
    m_boxes.clear();
    m_answer = MessageButton::Ok;
    ui::setMessageResponder([this](const ui::MessageRequest &request) {
        m_boxes << request;
        return request.buttons.contains(m_answer) ? m_answer : request.buttons.value(0);
    });
    ui::setProgramFileChooserForTests([this](bool) { return m_chosenFile; });
    m_screen = new IconScreen(RobotLink{});
    m_screen->setStepMode(2);
    m_screen->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_screen));
}

void TestIconScreen::cleanup()
{
    delete m_screen;
    m_screen = nullptr;
    ui::setMessageResponder({});
    ui::setProgramFileChooserForTests({});
}

bool TestIconScreen::dropOn(int n, const QString &icon)
{
    // The data a drag from the palette carries.
    return dropMime(n, palettedrag::mimeDataFor(icon));
}

bool TestIconScreen::placeThreeInstructions()
{
    if (!dropOn(0, u"Image2"_s))
        return false;
    QTest::keyClicks(m_screen->keypadPage()->trackBar(), u"1.5"_s);
    QTest::keyClick(m_screen->keypadPage()->trackBar(), Qt::Key_Return);
    if (!dropOn(1, u"Image6"_s))
        return false;
    click(u"Turn_90"_s);
    click(u"Enter"_s);
    return dropOn(2, u"Image11"_s);
}

bool TestIconScreen::dropMime(int n, QMimeData *data)
{
    return testenv::dropMimeData(m_screen, n, data);
}

void TestIconScreen::click(const QString &objectName)
{
    testenv::clickChild(m_screen, objectName);
}

QString TestIconScreen::writeFile(const QStringList &lines)
{
    static int counter = 0;
    const QString path = m_dir.filePath(u"p%1.rk5"_s.arg(++counter));
    return cp932::writeLines(path, lines) ? path : QString();
}

void TestIconScreen::dropOpensKeypadAndConfirmStoresValue()
{
    // Another window holds the keyboard when the drag ends, as after a drag on Wayland.
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
    QVERIFY(dropOn(3, u"Image2"_s));
    SlotColumn *column = m_screen->slotColumn();
    QCOMPARE(m_screen->program().slot(3), (ProgramSlot{u"motor(fwd,fwd)"_s, u"前進"_s, 3, 0, 0}));
    QCOMPARE(column->nameLabel(3)->text(), u"前進"_s);
    QCOMPARE(column->valueLabel(3)->text(), u"秒"_s);
    QCOMPARE(m_screen->pageControl()->currentWidget(), m_screen->keypadPage());
    QVERIFY(m_screen->isModified());
    QVERIFY(!m_screen->findChild<QWidget *>(u"send"_s)->isEnabled());

    // Typed on the keyboard: the window sees the keys before the track bar.
    QVERIFY(QTest::qWaitForWindowActive(m_screen));
    QTest::keyClicks(QApplication::focusWidget(), u"15.5"_s);
    QCOMPARE(m_screen->findChild<QLabel *>(u"Label6"_s)->text(), u"15"_s);
    QTest::keyClick(m_screen->keypadPage()->trackBar(), Qt::Key_Return);
    QCOMPARE(m_screen->program().slot(3).value, 155);
    QCOMPARE(column->valueLabel(3)->text(), u"15.5秒"_s);
    QCOMPARE(m_screen->pageControl()->currentWidget(), m_screen->palette());
    QVERIFY(m_screen->findChild<QWidget *>(u"send"_s)->isEnabled());

    // Replacing it leaves no old label behind and starts at 0.
    QVERIFY(dropOn(3, u"Image11"_s));
    QCOMPARE(m_screen->program().slot(3).value, 0);
    QCOMPARE(column->nameLabel(3)->text(), u"繰返終了"_s);
    QCOMPARE(column->findChildren<QLabel *>(u"SlotValue4"_s).size(), 1);
    QCOMPARE(m_screen->pageControl()->currentWidget(), m_screen->palette());
    QVERIFY(m_boxes.isEmpty());
}

void TestIconScreen::keypadRefusesAboveTwentySeconds()
{
    QVERIFY(dropOn(0, u"Image8"_s));
    click(u"time_2"_s);
    click(u"time_0"_s);
    click(u"time_00"_s);
    click(u"time_1"_s);
    click(u"Image42"_s);
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes.first().text, u"時間・回数が最大値を超えています。"_s);
    QCOMPARE(m_screen->pageControl()->currentWidget(), m_screen->keypadPage());
    QCOMPARE(m_screen->program().slot(0).value, 0);

    // 2, 0 alone is twenty seconds and is taken.
    click(u"time_00"_s);
    click(u"time_0"_s);
    click(u"Image42"_s);
    QCOMPARE(m_screen->program().slot(0).value, 200);
    QCOMPARE(m_screen->slotValueText(0), u"20.0秒"_s);
}

void TestIconScreen::foreignDragIsRefused()
{
    auto *text = new QMimeData;
    text->setText(u"Image2"_s);
    QVERIFY(!dropMime(5, text));
    QVERIFY(!dropOn(5, u"Image99"_s));
    QVERIFY(!m_screen->program().hasInstructions());
    QVERIFY(!m_screen->isModified());
}

void TestIconScreen::angleDropAndConfirm()
{
    QVERIFY(dropOn(0, u"Image6"_s));
    QCOMPARE(m_screen->pageControl()->currentWidget(), m_screen->anglePage());
    click(u"Turn_45"_s);
    click(u"Turn_90"_s); // a later choice replaces the earlier one
    click(u"Enter"_s);
    QCOMPARE(m_screen->program().slot(0).value, 90);
    QCOMPARE(m_screen->slotValueText(0), u"90度"_s);

    // The Enter key on the angle page changes nothing.
    QVERIFY(dropOn(1, u"Image1"_s));
    QTest::keyClick(m_screen, Qt::Key_Return);
    QCOMPARE(m_screen->pageControl()->currentWidget(), m_screen->anglePage());
    click(u"Enter"_s);
    QCOMPARE(m_screen->program().slot(1).value, 0);
    QCOMPARE(m_screen->slotValueText(1), u"0度"_s);
}

void TestIconScreen::deleteMovesLaterInstructionsUpWithLabels()
{
    QVERIFY(dropOn(0, u"Image13"_s));
    QVERIFY(dropOn(1, u"Image11"_s));
    QVERIFY(dropOn(2, u"Image15"_s));
    QVERIFY(dropOn(1, u"Image12"_s));
    QCOMPARE(m_screen->program().slot(1).name, u"前チェック終了"_s);
    QCOMPARE(m_screen->slotNameText(1), u"前チェック終了"_s);
    QCOMPARE(m_screen->slotValueText(1), u"0"_s);
    QVERIFY(!m_screen->program().slot(2).holdsInstruction());
    QVERIFY(!m_screen->slotColumn()->nameLabel(2));
    QVERIFY(!m_screen->slotColumn()->valueLabel(2));
}

void TestIconScreen::insertOpensGap()
{
    QVERIFY(dropOn(0, u"Image11"_s));
    QVERIFY(dropOn(1, u"Image16"_s));
    click(u"Drop_image1"_s); // insert mode is off: nothing happens
    QCOMPARE(m_screen->slotNameText(0), u"繰返終了"_s);
    click(u"insert"_s);
    QVERIFY(m_screen->insertMode());
    click(u"Drop_image1"_s);
    QVERIFY(!m_screen->insertMode());
    QVERIFY(!m_screen->program().slot(0).holdsInstruction());
    QVERIFY(!m_screen->slotColumn()->nameLabel(0));
    QCOMPARE(m_screen->slotNameText(1), u"繰返終了"_s);
    QCOMPARE(m_screen->slotNameText(2), u"後チェック終了"_s);
    QCOMPARE(m_screen->program().slot(2).index, 2);
}

void TestIconScreen::readFileRecreatesLabelsThatReopen()
{
    QStringList lines = iconFileLines(IconProgram());
    lines[1] = u"4/7//繰返開始/3"_s;
    lines[2] = u"0/0/motor(rev,fwd)/左回転/90"_s;
    lines[3] = u"9/0/motor(fwd,fwd)/前進/15"_s;
    lines[4] = u"9/0/motor(stop,stop)/停止/5"_s; // same index: replaces the line before
    m_chosenFile = writeFile(lines);
    QVERIFY(dropOn(20, u"Image2"_s));
    click(u"Image42"_s);
    m_answer = MessageButton::No; // do not save the program there was
    click(u"Read"_s);
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes.first().text, u"プログラムを保存しますか？"_s);
    QVERIFY(!m_screen->isModified());

    QCOMPARE(m_screen->slotValueText(4), u"3.0回"_s);
    QCOMPARE(m_screen->slotValueText(0), u"90度"_s);
    QCOMPARE(m_screen->slotColumn()->valueLabel(0)->geometry().left(), 192);
    QCOMPARE(m_screen->slotNameText(9), u"停止"_s);
    QCOMPARE(m_screen->slotValueText(9), u"00.5秒"_s);
    QCOMPARE(m_screen->slotColumn()->findChildren<QLabel *>(u"SlotName10"_s).size(), 1);
    QVERIFY(!m_screen->slotColumn()->nameLabel(20));

    // A re-created value label opens its page and the confirm stores into that slot.
    QTest::mouseClick(m_screen->slotColumn()->valueLabel(4), Qt::LeftButton);
    QCOMPARE(m_screen->pageControl()->currentWidget(), m_screen->keypadPage());
    QCOMPARE(m_screen->findChild<QLabel *>(u"Label6"_s)->text(), u"03"_s);
    QCOMPARE(m_screen->keypadPage()->trackBar()->value(), 30);
    click(u"time_5"_s);
    QCOMPARE(m_screen->findChild<QLabel *>(u"Label6"_s)->text(), u"35"_s);
    click(u"Image42"_s); // 35 repeats are more than 20
    QCOMPARE(m_boxes.last().text, u"時間・回数が最大値を超えています。"_s);
    QCOMPARE(m_screen->program().slot(4).value, 3);
    m_screen->keypadPage()->trackBar()->setValue(150);
    QCOMPARE(m_screen->findChild<QLabel *>(u"Label6"_s)->text(), u"15"_s);
    click(u"Image42"_s);
    QCOMPARE(m_screen->program().slot(4).value, 15);
    QCOMPARE(m_screen->slotValueText(4), u"15.0回"_s);

    QTest::mouseClick(m_screen->slotColumn()->valueLabel(9), Qt::LeftButton);
    QCOMPARE(m_screen->keypadPage()->trackBar()->value(), 5);
    click(u"Image42"_s);
    QCOMPARE(m_screen->program().slot(9).value, 5);
}

void TestIconScreen::readRefusalsKeepProgramAndLabels_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("message");
    QStringList outside = iconFileLines(IconProgram());
    outside[1] = u"0/0/motor(fwd,fwd)/前進/15"_s;
    outside[30] = u"59/8/endloop/繰返終了/0"_s;
    QStringList repeat = iconFileLines(IconProgram());
    repeat[1] = u"0/7//繰返開始/3"_s;
    const QString otherStep = iconReadMessage(IconReadStatus::WrongMarker);
    QTest::newRow("index outside the slots") << outside << 2
                                             << u"(103)エラーが発生しました\r\nソフトを再起動するか再度インストールして下さい"_s;
    QTest::newRow("short file") << outside.mid(0, 20) << 2
                                << u"(103)エラーが発生しました\r\nソフトを再起動するか再度インストールして下さい"_s;
    QTest::newRow("route file") << QStringList{u"D_pro"_s} << 2 << otherStep;
    // Chosen by mistake: refused before it is read into memory.
    QTest::newRow("huge file") << (QStringList{u"A_pro"_s} << QString(5 * 1024 * 1024, u'a')) << 2
                               << u"(103)エラーが発生しました\r\nソフトを再起動するか再度インストールして下さい"_s;
    QTest::newRow("repeat in STEP2") << repeat << 1 << otherStep;
}

void TestIconScreen::readRefusalsKeepProgramAndLabels()
{
    QFETCH(QStringList, lines);
    QFETCH(int, step);
    QFETCH(QString, message);
    m_screen->setStepMode(step);
    QVERIFY(dropOn(2, u"Image9"_s));
    click(u"Turn_135"_s);
    click(u"Enter"_s);
    const IconProgram before = m_screen->program();
    m_chosenFile = writeFile(lines);
    m_answer = MessageButton::No;
    click(u"Read"_s);
    QCOMPARE(m_boxes.size(), 2);
    QCOMPARE(m_boxes.last().text, message);
    QCOMPARE(m_screen->program(), before);
    QCOMPARE(m_screen->slotValueText(2), u"135度"_s);
}

void TestIconScreen::saveAppendsExtensionAndRefusesOthers()
{
    QVERIFY(dropOn(0, u"Image5"_s));
    click(u"time_1"_s);
    click(u"Image42"_s);
    m_chosenFile = m_dir.filePath(u"mine.txt"_s);
    click(u"Save"_s);
    QCOMPARE(m_boxes.value(0).text, u"ファイル形式が違います"_s);
    QVERIFY(!QFile::exists(m_chosenFile));
    QVERIFY(m_screen->isModified());

    m_chosenFile = m_dir.filePath(u"mine"_s);
    click(u"Save"_s);
    QVERIFY(!m_screen->isModified());
    const cp932::ReadResult saved = cp932::readLines(m_chosenFile + u".rk5"_s);
    QVERIFY(saved.ok);
    QCOMPARE(saved.lines, iconFileLines(m_screen->program()));
    QCOMPARE(saved.lines.value(1), u"0/0/motor(stop,stop)/停止/10"_s);

    // Overwriting asks; No leaves the file and modified as they were.
    QVERIFY(dropOn(1, u"Image11"_s));
    m_answer = MessageButton::No;
    m_chosenFile = m_dir.filePath(u"mine.RK5"_s);
    QVERIFY(QFile::copy(m_dir.filePath(u"mine.rk5"_s), m_chosenFile));
    click(u"Save"_s);
    QCOMPARE(m_boxes.last().text, u"同じ名前のファイルが既にあります。上書きしますか？"_s);
    QVERIFY(m_screen->isModified());
    QCOMPARE(cp932::readLines(m_chosenFile).lines, saved.lines);
}

void TestIconScreen::sendRefusesUnsetSlot()
{
    QVERIFY(dropOn(4, u"Image2"_s));
    click(u"Image42"_s); // confirmed as 00.0: not set
    QVERIFY(dropOn(1, u"Image10"_s));
    click(u"Image42"_s);
    click(u"send"_s);
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes.first().text, u"2個目の繰返し回数が設定されていない為転送できません。"_s);
    QCOMPARE(m_boxes.first().kind, ui::MessageKind::Warning);
}

void TestIconScreen::stepTwoHidesControlIcons()
{
    m_screen->setStepMode(1);
    IconPalette *palette = m_screen->palette();
    QVERIFY(!palette->paletteIcon(u"Image10"_s)->isVisible());
    QVERIFY(!palette->paletteIcon(u"Image16"_s)->isVisible());
    QVERIFY(palette->paletteIcon(u"Image12"_s)->isVisible());
    QVERIFY(m_screen->findChild<QWidget *>(u"Image29"_s)->isVisible());
    QVERIFY(m_screen->findChild<QWidget *>(u"Preview"_s)->isVisible());

    // A repeat in STEP2 cannot be previewed.
    m_screen->setStepMode(2);
    QVERIFY(dropOn(0, u"Image11"_s));
    m_screen->setStepMode(1);
    click(u"Preview"_s);
    QCOMPARE(m_boxes.value(0).text, u"プレビューできない命令が含まれています。"_s);
}

void TestIconScreen::hintGoesToMemo()
{
    auto *memo = m_screen->findChild<QLabel *>(u"Memo1"_s);
    QVERIFY(memo);
    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(m_screen->findChild<QWidget *>(u"setup"_s), &enter);
    QCOMPARE(memo->text(), u"ポート、モータ等の設定を行います"_s);
    QCoreApplication::sendEvent(m_screen->palette()->paletteIcon(u"Image13"_s), &enter);
    QCOMPARE(memo->text(), u"前SWOFFの間"_s);
    QVERIFY(m_screen->findChild<QWidget *>(u"send"_s)->toolTip().isEmpty());
}

void TestIconScreen::askToSaveBeforeLeaving()
{
    QVERIFY(dropOn(0, u"Image11"_s));
    // Yes saves, and the step change waits for the next click.
    m_answer = MessageButton::Yes;
    m_chosenFile = m_dir.filePath(u"kept"_s);
    click(u"B_step"_s);
    QCOMPARE(m_boxes.value(0).text, u"プログラムを保存しますか？"_s);
    QVERIFY(QFile::exists(m_chosenFile + u".rk5"_s));
    QCOMPARE(m_screen->stepMode(), 2);
    QVERIFY(m_screen->program().hasInstructions());
    QVERIFY(!m_screen->isModified());

    // Unchanged since the save: no question, and the step change empties the program.
    click(u"B_step"_s);
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_screen->stepMode(), 1);
    QVERIFY(!m_screen->program().hasInstructions());
    QVERIFY(!m_screen->slotColumn()->nameLabel(0));

    // Cancel keeps everything.
    QVERIFY(dropOn(3, u"Image2"_s));
    click(u"Image42"_s);
    m_answer = MessageButton::Cancel;
    click(u"F_step"_s);
    QCOMPARE(m_screen->stepMode(), 1);
    QVERIFY(m_screen->program().slot(3).holdsInstruction());
}

void TestIconScreen::clearAllEmptiesSlotsAndLabels()
{
    QVERIFY(dropOn(5, u"Image14"_s));
    QVERIFY(dropOn(40, u"Image16"_s));
    click(u"All_Delete"_s);
    QVERIFY(!m_screen->program().hasInstructions());
    QVERIFY(!m_screen->isModified());
    QCOMPARE(m_screen->program().slot(40).index, 40);
    QVERIFY(!m_screen->slotColumn()->nameLabel(5));
    QVERIFY(!m_screen->slotColumn()->valueLabel(40));
    QVERIFY(m_boxes.isEmpty());
}

void TestIconScreen::dropEndsPendingEdit()
{
    QVERIFY(dropOn(0, u"Image2"_s));
    click(u"time_5"_s);
    click(u"Image42"_s);
    QVERIFY(dropOn(3, u"Image4"_s)); // its angle page is open ...
    QVERIFY(dropOn(1, u"Image12"_s)); // ... when a deletion moves it up to slot 2
    QCOMPARE(m_screen->pageControl()->currentWidget(), m_screen->palette());
    QVERIFY(m_screen->findChild<QWidget *>(u"send"_s)->isEnabled());
    QCOMPARE(m_screen->program().slot(2).name, u"左回転"_s);
    QCOMPARE(m_screen->program().slot(0).value, 50);
    QVERIFY(!m_screen->program().slot(3).holdsInstruction());
    QCOMPARE(m_screen->program().slot(3).value, 0);
}

void TestIconScreen::undoRedoEachChange_data()
{
    QTest::addColumn<QString>("change");
    for (const char *change : {"drop", "keypad value", "angle value", "insert", "delete with shift-up", "All_Delete",
                               "read file"})
        QTest::newRow(change) << QString::fromLatin1(change);
}

void TestIconScreen::undoRedoEachChange()
{
    QFETCH(QString, change);
    QVERIFY(placeThreeInstructions());
    auto state = [this] {
        QStringList names;
        for (int n = 0; n < SLOT_COUNT; ++n)
            names << m_screen->slotNameText(n);
        return iconFileLines(m_screen->program()) + names;
    };
    const QStringList before = state();

    SlotColumn *column = m_screen->slotColumn();
    if (change == u"drop") {
        QVERIFY(dropOn(2, u"Image13"_s));
    } else if (change == u"keypad value") {
        QTest::mouseClick(column->valueLabel(0), Qt::LeftButton);
        QTest::keyClicks(m_screen->keypadPage()->trackBar(), u"3"_s);
        QTest::keyClick(m_screen->keypadPage()->trackBar(), Qt::Key_Return);
    } else if (change == u"angle value") {
        QTest::mouseClick(column->valueLabel(1), Qt::LeftButton);
        click(u"Turn_45"_s);
        click(u"Enter"_s);
    } else if (change == u"insert") {
        click(u"insert"_s);
        click(u"Drop_image1"_s);
    } else if (change == u"delete with shift-up") {
        QVERIFY(dropOn(0, u"Image12"_s));
    } else if (change == u"read file") {
        QStringList lines = iconFileLines(IconProgram());
        lines[5] = u"4/0/motor(fwd,fwd)/前進/15"_s;
        m_chosenFile = writeFile(lines);
        m_answer = MessageButton::No;
        click(u"Read"_s);
    } else {
        click(change);
    }
    const QStringList after = state();
    QVERIFY(after != before);

    QVERIFY(QTest::qWaitForWindowActive(m_screen));
    QTest::keyClick(m_screen, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(state(), before);
    QCOMPARE(m_screen->pageControl()->currentWidget(), m_screen->palette());
    QTest::keyClick(m_screen, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(state(), after);
    QTest::keyClick(m_screen, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(m_screen, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(state(), after);
}

void TestIconScreen::undoHundredStepsAndSaveQuestion()
{
    m_chosenFile = m_dir.filePath(u"steps.rk5"_s);
    QVERIFY(dropOn(0, u"Image11"_s));
    click(u"Save"_s);
    QVERIFY(!m_screen->isModified());
    const QStringList saved = iconFileLines(m_screen->program());
    for (int i = 0; i < 100; ++i)
        QVERIFY(dropOn(1 + i % 49, i % 2 ? u"Image13"_s : u"Image16"_s));
    QVERIFY(m_screen->isModified());
    for (int i = 0; i < 100; ++i)
        m_screen->undo();
    // Back at the saved program: nothing to ask about.
    QCOMPARE(iconFileLines(m_screen->program()), saved);
    QVERIFY(!m_screen->isModified());
    m_screen->undo();
    QVERIFY(!m_screen->program().hasInstructions());
    QVERIFY(m_screen->isModified());
    m_screen->redo();
    QVERIFY(!m_screen->isModified());
    m_screen->redo();
    QVERIFY(m_screen->isModified());
    m_answer = MessageButton::No;
    click(u"B_step"_s);
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes[0].text, u"プログラムを保存しますか？"_s);
    // The emptied program has no history to go back to.
    QVERIFY(!m_screen->canUndo());
}

void TestIconScreen::actionChangingNothingIsNoStep_data()
{
    QTest::addColumn<QString>("action");
    for (const char *action : {"delete on an empty slot", "keypad value unchanged", "angle value unchanged",
                               "insert below the last instruction", "read the saved file"})
        QTest::newRow(action) << QString::fromLatin1(action);
}

// What changes nothing adds no step and leaves a saved program unmodified: no question on
// leaving, and one undo goes back past the last real change.
void TestIconScreen::actionChangingNothingIsNoStep()
{
    QFETCH(QString, action);
    QVERIFY(placeThreeInstructions());
    m_chosenFile = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + u".rk5"_s);
    click(u"Save"_s);
    QVERIFY(!m_screen->isModified());
    SlotColumn *column = m_screen->slotColumn();

    if (action == u"delete on an empty slot") {
        QVERIFY(dropOn(20, u"Image12"_s));
    } else if (action == u"keypad value unchanged") {
        QTest::mouseClick(column->valueLabel(0), Qt::LeftButton);
        QCOMPARE(m_screen->pageControl()->currentWidget(), m_screen->keypadPage());
        click(u"Image42"_s);
    } else if (action == u"angle value unchanged") {
        QTest::mouseClick(column->valueLabel(1), Qt::LeftButton);
        QCOMPARE(m_screen->pageControl()->currentWidget(), m_screen->anglePage());
        click(u"Enter"_s);
    } else if (action == u"insert below the last instruction") {
        click(u"insert"_s);
        click(u"Drop_image10"_s);
    } else {
        m_answer = MessageButton::No;
        click(u"Read"_s);
    }
    QCOMPARE(m_screen->pageControl()->currentWidget(), m_screen->palette());
    QCOMPARE(m_screen->program().slot(0).value, 15);
    QCOMPARE(m_screen->program().slot(1).value, 90);
    QVERIFY(!m_screen->isModified());
    m_screen->undo();
    QVERIFY(!m_screen->program().slot(2).holdsInstruction());
    QVERIFY(m_screen->isModified());
    m_screen->redo();
    QVERIFY(!m_screen->isModified());
    click(u"B_step"_s);
    QVERIFY2(m_boxes.isEmpty(), m_boxes.isEmpty() ? "" : qPrintable(m_boxes.first().text));
    QCOMPARE(m_screen->stepMode(), 1);
}

// ぜんぶけす of an empty program is no step; twice in a row is one.
void TestIconScreen::allDeleteOfNothingIsNoStep()
{
    click(u"All_Delete"_s);
    QVERIFY(!m_screen->canUndo());
    QVERIFY(!m_screen->isModified());

    QVERIFY(dropOn(4, u"Image11"_s));
    click(u"All_Delete"_s);
    click(u"All_Delete"_s);
    QVERIFY(!m_screen->isModified());
    m_screen->undo();
    QVERIFY(m_screen->program().slot(4).holdsInstruction());
    QCOMPARE(m_screen->slotNameText(4), u"繰返終了"_s);
    m_screen->undo();
    QVERIFY(!m_screen->program().hasInstructions());
    QVERIFY(!m_screen->canUndo());
}

// Ctrl+O and Ctrl+S do only what 読み込み and 保存 may do: nothing while a value page has
// locked them.
void TestIconScreen::shortcutsDoOnlyWhatTheirButtonsMay()
{
    QStringList lines = iconFileLines(IconProgram());
    lines[5] = u"4/0/motor(fwd,fwd)/前進/15"_s;
    const QString other = writeFile(lines);
    QVERIFY(!other.isEmpty());
    m_answer = MessageButton::No;

    QVERIFY(dropOn(0, u"Image2"_s));
    QCOMPARE(m_screen->pageControl()->currentWidget(), m_screen->keypadPage());
    QVERIFY(!m_screen->findChild<QWidget *>(u"Read"_s)->isEnabled());
    QVERIFY(QTest::qWaitForWindowActive(m_screen));
    m_chosenFile = other;
    QTest::keyClick(m_screen, Qt::Key_O, Qt::ControlModifier);
    m_chosenFile = m_dir.filePath(u"written.rk5"_s);
    QTest::keyClick(m_screen, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(m_boxes.isEmpty());
    QVERIFY(!QFile::exists(m_chosenFile));
    QVERIFY(!m_screen->program().slot(4).holdsInstruction());
    QCOMPARE(m_screen->pageControl()->currentWidget(), m_screen->keypadPage());

    // Confirmed, the buttons and their keys work again.
    click(u"Image42"_s);
    QTest::keyClick(m_screen, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(QFile::exists(m_chosenFile));
    m_chosenFile = other;
    QTest::keyClick(m_screen, Qt::Key_O, Qt::ControlModifier);
    QVERIFY(m_screen->program().slot(4).holdsInstruction());
    QVERIFY(m_screen->findChild<QWidget *>(u"send"_s)->isEnabled());
}

QTEST_MAIN(TestIconScreen)
#include "tst_iconscreen.moc"
