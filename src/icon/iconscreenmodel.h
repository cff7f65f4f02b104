// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/snapshothistory.h"
#include "icon/iconfile.h"
#include "icon/iconprogram.h"

#include <QString>
#include <QStringList>

// What the icon screen holds, apart from how it shows it: the program, its history (undo, redo
// and whether it is modified), the step mode, the slot whose value page is open and insert
// mode. The window turns the pupil's actions into these calls and shows the result; a change
// returns whether it made a step of the history (an action that changes nothing makes none).
class IconScreenModel
{
public:
    static constexpr int NO_SLOT = -1;

    IconScreenModel();

    const IconProgram &program() const { return m_program; }

    // 1: STEP2 (motions only), 2: STEP3.
    int stepMode() const { return m_step; }
    void setStepMode(int step) { m_step = step == 1 ? 1 : 2; }

    // The slot whose value is being entered, or NO_SLOT while the palette shows.
    int editedSlot() const { return m_edited; }
    // Opening a value page changes nothing yet.
    void beginEditing(int slot) { m_edited = IconProgram::isSlotNumber(slot) ? slot : NO_SLOT; }
    void endEditing() { m_edited = NO_SLOT; }

    bool insertMode() const { return m_insertMode; }
    void toggleInsertMode() { m_insertMode = !m_insertMode; }

    // A palette icon dropped on a slot; the delete icon empties it (and with deleteShift moves
    // the later slots up). Ends any value entry first, since the drop may empty or move its
    // slot; an icon that takes a value opens the entry for its slot.
    bool drop(int slot, const QString &icon, bool deleteShift);
    // The value entered for the edited slot; stored only where the slot's instruction takes
    // one (a time or count: a motion or a repeat start; an angle: a motion). Ends the entry.
    bool confirmTime(qint32 value);
    bool confirmAngle(qint32 value);
    // In insert mode, a click on a slot opens a gap there and ends insert mode; false (and
    // nothing changed) otherwise.
    bool insertGapAt(int slot);
    // Empties every slot, as a step of the history that counts as saved (ぜんぶけす).
    bool emptySlots();
    // Empties every slot and starts the history anew, unmodified (leaving the screen).
    void clearAll();

    // One step back or forward; false when there is none. Ends any value entry.
    bool undo();
    bool redo();
    bool canUndo() const { return m_history.canUndo(); }
    bool canRedo() const { return m_history.canRedo(); }
    bool modified() const { return m_history.modified(); }

    // A file's lines as the program: on success a step of the history that counts as saved.
    IconReadStatus read(const QStringList &lines);
    // A recovery copy's lines: work of STEP3 brings the screen to STEP3. Starts the history
    // anew from the empty program, and the restored work counts as never saved.
    bool restore(const QStringList &lines);
    void markSaved() { m_history.markSaved(); }

private:
    bool record();
    // A state of the history as the program; false when there is none.
    bool apply(const IconProgram *state);

    IconProgram m_program;
    SnapshotHistory<IconProgram> m_history;
    int m_step = 1;
    int m_edited = NO_SLOT;
    bool m_insertMode = false;
};
