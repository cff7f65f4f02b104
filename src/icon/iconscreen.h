// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtWidgets/QWidget>

#include "app/report/reportsource.h"
#include "app/settings/settingsreader.h"
#include "app/ui/workingscreen.h"
#include "icon/iconprogram.h"
#include "icon/icontext.h"
#include "icon/iconscreenmodel.h"
#include "icon/keypadpage.h"
#include "transfer/transfer.h"

#include <functional>

class IconPalette;
class QLabel;
class QStackedWidget;
class SlotColumn;
struct SlotLabelLayout;

// TForm1: icon programming, STEP2 and STEP3 in one window. The program, its history, the step
// mode (1: STEP2, 2: STEP3; shown in the Tag of F_step too) and the slot being edited live in
// the screen's model; the window and its slot column only show them.
class IconScreen : public WorkingScreen, public ReportSource, public SettingsReader
{
    Q_OBJECT
public:
    explicit IconScreen(const RobotLink &link);

    QString helpPage() const override;
    int reportTag() const override;
    void fillReportListing(ReportInput *input) const override;
    // Reads the start mode again (and shows or hides the last three slots to match).
    void settingsAccepted() override;

    // The start mode play/how as read when the screen was last shown or the settings were
    // accepted: it decides both the hidden slots and the transfer's start header.
    bool startsAtOnce() const { return m_startAtOnce; }

    // Where the delete-icon option comes from: the settings screen's live check box, which
    // the main menu hands over (until then, set.ini).
    void setDeleteShiftSource(std::function<bool()> source) { m_deleteShift = std::move(source); }

    int stepMode() const;
    // Switches the window's controls to STEP2 (1) or STEP3 (2).
    void setStepMode(int step);

    const IconProgram &program() const { return m_model.program(); }
    // Changed since saved, read or emptied, as the history says.
    bool isModified() const { return m_model.modified(); }
    bool insertMode() const { return m_model.insertMode(); }
    // The texts of slot n's name and value labels (empty for an empty slot), for the list
    // window and the report.
    QString slotNameText(int n) const;
    QString slotValueText(int n) const;

    // Empties every slot that holds an instruction and empties the history (unmodified).
    void clearAll();

    // One step back or forward in the program's history (Ctrl+Z, Ctrl+Y / Ctrl+Shift+Z).
    void undo();
    void redo();
    bool canUndo() const { return m_model.canUndo(); }

    SlotColumn *slotColumn() const { return ScrollBox1; }
    IconPalette *palette() const { return TabSheet1; }
    TimeKeypadPage *keypadPage() const { return TabSheet2; }
    AnglePage *anglePage() const { return TabSheet3; }
    QStackedWidget *pageControl() const { return PageControl1; }

signals:
    void previewRequested();
    void programListRequested();
    void reportRequested();

protected:
    void F_stepClick() override;
    void B_stepClick() override;
    bool mayLeave() override;
    void programLeft() override;
    QStringList recoveryLines() const override;
    bool restoreRecovery(const QStringList &lines) override;

    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createCommandButtons();
    void createKeyboardShortcuts();
    // Shows the pupil the slot that kept the program from being sent.
    void showRefusedSlot(int slot);
    void watchHints();

    // Slot events.
    void dropIcon(int slot, const QString &icon);
    void slotClicked(int slot);
    void reopenValue(int slot);
    void timeConfirmed(const TimeKeypad::Confirmed &result);
    void angleConfirmed(int angle);

    // Shows slot n as the program holds it, its labels made from the data.
    void redrawSlot(int n);
    void redrawFrom(int first);
    // Shows the slots that held an instruction before the program was emptied as empty.
    void showEmptySlots(const IconProgram &before);
    // After every change of the program: the recovery copy, when it made a step.
    void recordChange(bool stepped);
    void showHistoryState();
    void openValuePage(QWidget *page, int slot);
    void showPalette();
    void setEditLock(bool locked);
    void readStartMode();

    // Command buttons.
    void sendClick();
    // ためす: the program on the floor inside the program, the running part lit here.
    void trialClick();
    // The program text for send and ためす; a slot without its value is marked and told.
    ProgramTextResult programTextOrSayWhy();
    void playClick();
    void ReadClick();
    void SaveClick();
    void PreviewClick();
    void All_ViewClick();
    void ReportClick();
    void All_DeleteClick();
    void insertMouseDown();
    void insertClick();

    // Writes the program to a file the pupil chooses.
    void saveProgram();
    // A program file's lines as the screen's program, or the box that says why not.
    void showReadFile(const QStringList &lines);

    RobotLink m_link;
    std::function<bool()> m_deleteShift;
    IconScreenModel m_model;
    bool m_startAtOnce = true;

    SlotColumn *ScrollBox1 = nullptr;
    QStackedWidget *PageControl1 = nullptr;
    IconPalette *TabSheet1 = nullptr;
    TimeKeypadPage *TabSheet2 = nullptr;
    AnglePage *TabSheet3 = nullptr;
    QLabel *Memo1 = nullptr;
    PictureButton *send = nullptr;
    PictureButton *play = nullptr;
    PictureButton *trial = nullptr;
    PictureButton *Read = nullptr;
    PictureButton *Save = nullptr;
    PictureButton *Preview = nullptr;
    PictureButton *All_View = nullptr;
    PictureButton *Report = nullptr;
    PictureButton *All_Delete = nullptr;
    PictureButton *insert = nullptr;
};
