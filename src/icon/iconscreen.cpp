// SPDX-License-Identifier: GPL-3.0-or-later
#include "icon/iconscreen.h"
#include "common/errornumbers.h"

#include "app/settings/settingsfile.h"
#include "common/workfolder.h"
#include "app/ui/backgroundpicture.h"
#include "app/ui/controlnames.h"
#include "app/ui/errorguard.h"
#include "app/ui/messagebox.h"
#include "app/ui/programfiledialog.h"
#include "icon/iconfile.h"
#include "icon/iconkeyboard.h"
#include "icon/iconpalette.h"
#include "icon/slotcolumn.h"

#include <QtWidgets/QLabel>
#include <QtWidgets/QSlider>
#include <QtWidgets/QStackedWidget>

#include <QFileInfo>
#include <QKeyEvent>
#include <QKeySequence>
#include <QShortcut>

using namespace Qt::StringLiterals;
using ui::MessageButton;
using ui::MessageKind;

namespace {


// Where the labels of a slot stand: a drop lays them out by value class; labels made anew
// from the data give the rotations a wider name and a wider value further left.
SlotLabelLayout labelLayout(const QString &icon, bool recreated)
{
    SlotLabelLayout layout;
    switch (valueClassOf(icon)) {
    case ValueClass::None:
        layout.nameWidth = 175;
        break;
    case ValueClass::Rotation:
        layout.nameWidth = 90;
        if (recreated) {
            layout.valueLeft = 192;
            layout.valueWidth = 73;
        }
        break;
    case ValueClass::Turn:
        layout.nameWidth = recreated ? 84 : 90;
        break;
    default:
        break;
    }
    return layout;
}

// The long part of a hint, after "|".
QString longHint(const QString &hint)
{
    const qsizetype bar = hint.indexOf(u'|');
    return bar < 0 ? hint : hint.mid(bar + 1);
}

} // namespace

IconScreen::IconScreen(const RobotLink &link)
    : WorkingScreen(
                    {u"TForm1"_s, u"icon"_s, QSize(770, 578),
                     u"back"_s, {errors::ICON_BUTTON_PRESS, errors::ICON_BUTTON_RELEASE}},
                    {QRect(568, 45, 49, 30), QRect(627, 45, 61, 29), QRect(699, 45, 50, 29),
                     QRect(332, 549, 120, 29), QRect(125, 549, 116, 29), QRect(539, 549, 116, 29)},
                    1)
    , m_link(link)
{
    background()->setFillColor(QColor::fromRgb(0xC3, 0xC3, 0xC3));

    ScrollBox1 = new SlotColumn(this);
    connect(ScrollBox1, &SlotColumn::iconDropped, this, &IconScreen::dropIcon);
    connect(ScrollBox1, &SlotColumn::slotClicked, this, &IconScreen::slotClicked);
    connect(ScrollBox1, &SlotColumn::valueLabelClicked, this, &IconScreen::reopenValue);

    PageControl1 = new QStackedWidget(this);
    PageControl1->setObjectName(u"PageControl1"_s);
    PageControl1->setGeometry(50, 98, 160, 332);
    TabSheet1 = new IconPalette(PageControl1);
    TabSheet2 = new TimeKeypadPage(PageControl1);
    TabSheet3 = new AnglePage(PageControl1);
    PageControl1->addWidget(TabSheet1);
    PageControl1->addWidget(TabSheet2);
    PageControl1->addWidget(TabSheet3);
    new IconKeyboard(TabSheet1, ScrollBox1, PageControl1);
    connect(TabSheet1, &IconPalette::dragFailed, this, [this] { ui::showNumberedError(this, errors::ICON_DRAG); });
    connect(TabSheet2, &TimeKeypadPage::confirmRequested, this, [this] {
        TabSheet2->confirm(m_model.program().slot(m_model.editedSlot()).kind);
    });
    connect(TabSheet2, &TimeKeypadPage::confirmed, this, &IconScreen::timeConfirmed);
    connect(TabSheet3, &AnglePage::confirmed, this, &IconScreen::angleConfirmed);

    Memo1 = new QLabel(this);
    Memo1->setObjectName(u"Memo1"_s);
    Memo1->setGeometry(59, 457, 140, 60);
    Memo1->setWordWrap(true);
    Memo1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Memo1->setStyleSheet(u"QLabel { background: black; color: white; padding: 2px; }"_s);

    createCommandButtons();
    createKeyboardShortcuts();
    watchHints();

    setStepMode(1);
    enableRecovery(u"icon.rk5"_s, [] { return WorkFolderPath(); });
}

void IconScreen::createCommandButtons()
{
    // Ten buttons share the panel that once held nine.
    const auto at = [](int row) { return QRect(595, 125 + 40 * row, 92, 35); };
    addCommandButtons<IconScreen>(this, {
        {send, u"send", at(0), u"送る", u"プログラムを転送します"_s, &IconScreen::sendClick},
        {play, u"play", at(1), u"実行", u"プログラムを実行します"_s, &IconScreen::playClick},
        {trial, u"trial", at(2), u"ためす", trialHint(), &IconScreen::trialClick},
        {Read, u"Read", at(3), u"読み込み", u"保存したプログラムを読み込みます"_s, &IconScreen::ReadClick},
        {Save, u"Save", at(4), u"保存", u"作成したプログラムを保存します"_s, &IconScreen::SaveClick},
        {Preview, u"Preview", at(5), u"プレビュー", u"プレビューを表示します"_s, &IconScreen::PreviewClick},
        {All_View, u"All_View", at(6), u"一覧", u"作成したプログラムを一覧表示します"_s, &IconScreen::All_ViewClick},
        {Report, u"Report", at(7), u"印刷", u"作成したプログラムを印刷します"_s, &IconScreen::ReportClick},
        {All_Delete, u"All_Delete", at(8), u"ぜんぶけす", u"作成したプログラムをすべて削除します"_s,
         &IconScreen::All_DeleteClick},
        {insert, u"insert", at(9), u"ついか", u"プログラムを1個追加します"_s, &IconScreen::insertClick},
    });
    // The insert button's picture says whether insert mode is on: chosen on press (109).
    insert->setPressedPictures(false);
    connect(insert, &PictureButton::pressed, this, &IconScreen::insertMouseDown);
    const std::pair<PictureButton *, const char16_t *> standard[] = {
        {setup, u"ポート及びモータ等の設定を行います|ポート、モータ等の設定を行います"},
        {shutdown, u"メニュー画面に戻ります"},
        {shutdown1, u"プログラムを終了します"},
        {B_step, u"前のステップに戻ります"},
        {navi, u"学習ナビを表示します"},
        {F_step, u"次のステップに進みます"},
    };
    for (const auto &[button, hint] : standard) {
        if (button)
            button->setProperty("hint", QString::fromUtf16(hint));
    }
}

// The screen shows no hint pop-ups; the long part of the hint under the pointer goes to Memo1.
void IconScreen::watchHints()
{
    const QList<QWidget *> all = findChildren<QWidget *>();
    for (QWidget *w : all) {
        if (w->property("hint").isValid()) {
            w->setToolTip(QString());
            w->installEventFilter(this);
        }
    }
}

bool IconScreen::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Enter)
        Memo1->setText(longHint(watched->property("hint").toString()));
    else if (event->type() == QEvent::ToolTip)
        return true;
    return WorkingScreen::eventFilter(watched, event);
}

int IconScreen::stepMode() const
{
    return m_model.stepMode();
}

void IconScreen::setStepMode(int step)
{
    m_model.setStepMode(step);
    step = m_model.stepMode();
    F_step->setTag(step);
    B_step->setVisible(step != 1);
    Preview->setVisible(step == 1);
    TabSheet1->setStepMode(step);
    setWindowTitle(ui::windowTitleOf(objectName(), step));
}

QString IconScreen::slotNameText(int n) const
{
    return ScrollBox1->nameText(n);
}

QString IconScreen::slotValueText(int n) const
{
    return ScrollBox1->valueText(n);
}

QString IconScreen::helpPage() const
{
    return stepMode() == 1 ? u"Navi\\navi\\index_s2.html"_s : u"Navi\\navi\\index_s3.html"_s;
}

int IconScreen::reportTag() const
{
    return REPORT_TAG_ICON;
}

void IconScreen::fillReportListing(ReportInput *input) const
{
    input->iconSlots.clear();
    for (int n = 0; n < SLOT_COUNT; ++n)
        input->iconSlots.append({slotNameText(n), slotValueText(n)});
}

void IconScreen::F_stepClick()
{
    if (stepMode() == 1) {
        if (!mayLeave())
            return;
        closeNavigator();
        setStepMode(2);
        programLeft();
        return;
    }
    leaveTo(nextScreen());
}

void IconScreen::B_stepClick()
{
    if (!mayLeave())
        return;
    closeNavigator();
    setStepMode(1);
    programLeft();
}

bool IconScreen::mayLeave()
{
    if (!isModified())
        return true;
    const MessageButton answer =
        ui::showMessage(this, MessageKind::Information, u"プログラムを保存しますか？"_s,
                        {MessageButton::Yes, MessageButton::No, MessageButton::Cancel});
    if (answer == MessageButton::Yes) {
        // The pupil saves; the action itself waits for the next click.
        saveProgram();
        return false;
    }
    return answer == MessageButton::No;
}

void IconScreen::programLeft()
{
    clearAll();
    if (navi)
        navi->setEnabled(true);
}

void IconScreen::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        readStartMode();
    WorkingScreen::showEvent(event);
}

void IconScreen::settingsAccepted()
{
    readStartMode();
}

void IconScreen::readStartMode()
{
    m_startAtOnce = SettingsFile().playHow();
    // Waiting for the front switch costs the start header, so the last three slots go.
    ScrollBox1->setLastRowsVisible(m_startAtOnce);
}

void IconScreen::keyPressEvent(QKeyEvent *event)
{
    if (PageControl1->currentWidget() != TabSheet2) {
        WorkingScreen::keyPressEvent(event);
        return;
    }
    const QString text = event->text();
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        TabSheet2->confirm(m_model.program().slot(m_model.editedSlot()).kind);
    else if (text.size() == 1 && text[0] >= u'0' && text[0] <= u'9')
        TabSheet2->pressDigit(text[0].digitValue());
    else if (text == u".")
        TabSheet2->pressDecimalPoint();
    else
        WorkingScreen::keyPressEvent(event);
}

void IconScreen::dropIcon(int slot, const QString &icon)
{
    // A drop can empty or move the slot whose value page is open; that edit ends here, so a
    // confirm can never store its value into another instruction or an empty slot.
    if (PageControl1->currentWidget() != TabSheet1) {
        showPalette();
        setEditLock(false);
    }
    const bool stepped = m_model.drop(slot, icon, icon == DELETE_ICON
                                                      && (m_deleteShift ? m_deleteShift() : SettingsFile().deleteShift()));
    ui::guarded(this, errors::ICON_DROP, [&] {
        ScrollBox1->showPicture(slot, pictureOf(icon));
        ScrollBox1->destroyLabels(slot);
        if (icon == DELETE_ICON) {
            redrawFrom(slot);
            return;
        }
        ScrollBox1->createLabels(slot, displayNameOf(icon), unitOf(icon), labelLayout(icon, false));
        switch (valueClassOf(icon)) {
        case ValueClass::Time:
        case ValueClass::Count:
            TabSheet2->startEditing(unitOf(icon));
            openValuePage(TabSheet2, slot);
            break;
        case ValueClass::Rotation:
        case ValueClass::Turn:
            openValuePage(TabSheet3, slot);
            break;
        case ValueClass::None:
            break;
        }
    });
    recordChange(stepped);
    // A drag can leave the window without the keyboard (Wayland hands it to the drag's
    // source); the keypad's digits must reach the screen without another click.
    activateWindow();
    if (!focusWidget() || !focusWidget()->isVisible())
        setFocus(Qt::OtherFocusReason);
}

void IconScreen::slotClicked(int slot)
{
    if (!m_model.insertMode())
        return;
    const bool stepped = m_model.insertGapAt(slot);
    ui::guarded(this, errors::ICON_DROP, [&] {
        insert->setPictureFile(u"Photo\\Button\\insert.jpg"_s);
        redrawFrom(slot);
    });
    recordChange(stepped);
}

void IconScreen::reopenValue(int slot)
{
    if (!IconProgram::isSlotNumber(slot))
        return;
    const ProgramSlot &data = m_model.program().slot(slot);
    const QString icon = m_model.program().iconOf(slot);
    const QString unit = unitOf(icon);
    // Opening the page changes nothing yet; a value confirmed unchanged is no step either.
    ScrollBox1->setValueText(slot, unit);
    if (unit == u"度") {
        TabSheet3->startEditing(data.value);
        openValuePage(TabSheet3, slot);
    } else if (unit == u"回" || unit == u"秒") {
        TabSheet2->reopen(data.value, unit);
        openValuePage(TabSheet2, slot);
    }
}

void IconScreen::timeConfirmed(const TimeKeypad::Confirmed &result)
{
    const int slot = m_model.editedSlot();
    const bool stepped = m_model.confirmTime(result.value);
    showPalette();
    ScrollBox1->setValueText(slot, result.valueText + ScrollBox1->valueText(slot));
    setEditLock(false);
    recordChange(stepped);
}

void IconScreen::angleConfirmed(int angle)
{
    const int slot = m_model.editedSlot();
    const bool stepped = m_model.confirmAngle(angle);
    showPalette();
    ScrollBox1->setValueText(slot, QString::number(angle) + ScrollBox1->valueText(slot));
    setEditLock(false);
    recordChange(stepped);
}

void IconScreen::redrawSlot(int n)
{
    const ProgramSlot &data = m_model.program().slot(n);
    const QString icon = m_model.program().iconOf(n);
    ScrollBox1->destroyLabels(n);
    if (!data.holdsInstruction()) {
        ScrollBox1->showPicture(n, pictureOf(DELETE_ICON));
        return;
    }
    // A name from a hand-edited file has no icon; its slot shows no picture but keeps its
    // labels, so the instruction that will be sent stays visible.
    if (icon.isEmpty())
        ScrollBox1->slotPicture(n)->setPicture(QPixmap());
    else
        ScrollBox1->showPicture(n, pictureOf(icon));
    ScrollBox1->createLabels(n, data.name, recreatedValueText(data), labelLayout(icon, true));
}

void IconScreen::redrawFrom(int first)
{
    for (int i = qMax(0, first); i < SLOT_COUNT; ++i)
        redrawSlot(i);
}

void IconScreen::openValuePage(QWidget *page, int slot)
{
    m_model.beginEditing(slot);
    PageControl1->setCurrentWidget(page);
    setEditLock(true);
    if (page == TabSheet2)
        TabSheet2->trackBar()->setFocus();
}

void IconScreen::showPalette()
{
    m_model.endEditing();
    PageControl1->setCurrentWidget(TabSheet1);
}

void IconScreen::setEditLock(bool locked)
{
    for (PictureButton *b : {send, play, trial, All_View, Read, Save, Preview, Report, All_Delete, insert})
        b->setEnabled(!locked);
}

void IconScreen::showEmptySlots(const IconProgram &before)
{
    ui::guarded(this, errors::ICON_CLEAR, [&] {
        for (int i = 0; i < SLOT_COUNT; ++i) {
            if (!before.slot(i).holdsInstruction())
                continue;
            ScrollBox1->showPicture(i, pictureOf(DELETE_ICON));
            ScrollBox1->destroyLabels(i);
        }
    });
    ScrollBox1->clearMark();
}

void IconScreen::clearAll()
{
    showPalette();
    setEditLock(false);
    const IconProgram before = m_model.program();
    m_model.clearAll();
    showEmptySlots(before);
    dropRecovery();
}

void IconScreen::recordChange(bool stepped)
{
    if (!stepped)
        return;
    if (isModified())
        programChanged();
    else
        dropRecovery();
}

void IconScreen::undo()
{
    if (m_model.undo())
        showHistoryState();
}

void IconScreen::redo()
{
    if (m_model.redo())
        showHistoryState();
}

void IconScreen::showHistoryState()
{
    // A value page left open would store its value into whatever the slot now holds.
    showPalette();
    setEditLock(false);
    ui::guarded(this, errors::ICON_DROP, [&] { redrawFrom(0); });
    ScrollBox1->clearMark();
    if (isModified())
        programChanged();
    else
        dropRecovery();
}

QStringList IconScreen::recoveryLines() const
{
    return m_model.program().hasInstructions() ? iconFileLines(m_model.program()) : QStringList();
}

bool IconScreen::restoreRecovery(const QStringList &lines)
{
    const int step = m_model.stepMode();
    if (!m_model.restore(lines))
        return false;
    // Work of STEP3 goes back to STEP3.
    if (m_model.stepMode() != step)
        setStepMode(m_model.stepMode());
    showPalette();
    setEditLock(false);
    ui::guarded(this, errors::ICON_READ, [&] { redrawFrom(0); });
    ScrollBox1->clearMark();
    return true;
}

ProgramTextResult IconScreen::programTextOrSayWhy()
{
    ProgramTextResult text = buildProgramText(m_model.program());
    if (!text.ok) {
        showRefusedSlot(text.refusedSlot);
        ui::showMessage(this, text.box == RefusalBox::Warning ? MessageKind::Warning : MessageKind::Information,
                        text.message);
    }
    return text;
}

void IconScreen::sendClick()
{
    if (const ProgramTextResult text = programTextOrSayWhy(); text.ok)
        sendProgram(m_link, ScreenKind::Icon, joinProgramText(text.lines), m_startAtOnce, this);
}

void IconScreen::trialClick()
{
    const ProgramTextResult text = programTextOrSayWhy();
    if (!text.ok)
        return;
    tryProgram(m_link, ScreenKind::Icon, joinProgramText(text.lines), m_startAtOnce, this,
               [this, lineSlots = text.lineSlots](int line) {
        ScrollBox1->setRunningSlot(line >= 1 && line <= lineSlots.size() ? lineSlots.at(line - 1) : -1);
    });
}

void IconScreen::playClick()
{
    playProgram(m_link, ScreenKind::Icon, this);
}

void IconScreen::ReadClick()
{
    if (!mayLeave())
        return;
    ui::readProgramFile(
        this, [this](const ui::ProgramFileContents &file) { showReadFile(file.lines); },
        [this](const QString &) { ui::showNumberedError(this, errors::ICON_READ); });
}

void IconScreen::showReadFile(const QStringList &lines)
{
    const IconReadStatus read = m_model.read(lines);
    switch (read) {
    case IconReadStatus::Ok:
        ui::guarded(this, errors::ICON_READ, [&] { redrawFrom(0); });
        showPalette();
        // The program is the file's.
        dropRecovery();
        break;
    case IconReadStatus::WrongMarker:
    case IconReadStatus::WrongStep:
        ui::showMessage(this, MessageKind::Information, iconReadMessage(read));
        break;
    case IconReadStatus::Malformed:
    case IconReadStatus::FileError:
        ui::showNumberedError(this, errors::ICON_READ);
        break;
    }
}

void IconScreen::SaveClick()
{
    saveProgram();
}

void IconScreen::saveProgram()
{
    ui::saveProgramFile(this, iconFileLines(m_model.program()), [this] {
        m_model.markSaved();
        dropRecovery();
    });
}

void IconScreen::PreviewClick()
{
    if (!m_model.program().onlyMotions()) {
        ui::showMessage(this, MessageKind::Information, u"プレビューできない命令が含まれています。"_s);
        return;
    }
    emit previewRequested();
}

void IconScreen::All_ViewClick()
{
    emit programListRequested();
}

void IconScreen::ReportClick()
{
    emit reportRequested();
}

void IconScreen::All_DeleteClick()
{
    // Undoable, unlike the emptying on leaving.
    const IconProgram before = m_model.program();
    m_model.emptySlots();
    showEmptySlots(before);
    dropRecovery();
}

void IconScreen::insertMouseDown()
{
    // The picture of the mode the click is about to switch to; it stays while insert mode is on.
    ui::guarded(this, errors::ICON_INSERT, [&] {
        insert->setPictureFile(!m_model.insertMode() ? u"Photo\\Button\\insert-1.jpg"_s : u"Photo\\Button\\insert.jpg"_s);
    });
}

void IconScreen::insertClick()
{
    m_model.toggleInsertMode();
}

// The keys every editor user knows do what the buttons do, questions included.
void IconScreen::createKeyboardShortcuts()
{
    // Only while the button may be clicked: a value page locks both, and a read then would
    // leave the palette shown with every command button locked.
    const auto likeButton = [this](const QKeySequence &keys, PictureButton *button, void (IconScreen::*handler)()) {
        auto *shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, [this, button, handler] {
            if (button->isVisible() && button->isEnabled())
                (this->*handler)();
        });
    };
    likeButton(QKeySequence::Save, Save, &IconScreen::SaveClick);
    likeButton(QKeySequence::Open, Read, &IconScreen::ReadClick);
    for (const QKeySequence &keys : undoKeys()) {
        auto *undoKey = new QShortcut(keys, this);
        connect(undoKey, &QShortcut::activated, this, &IconScreen::undo);
    }
    for (const QKeySequence &keys : redoKeys()) {
        auto *redoKey = new QShortcut(keys, this);
        connect(redoKey, &QShortcut::activated, this, &IconScreen::redo);
    }
}

void IconScreen::showRefusedSlot(int slot)
{
    if (slot >= 0)
        ScrollBox1->markSlot(slot);
}
