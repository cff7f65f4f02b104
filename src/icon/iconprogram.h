// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "icon/icontable.h"

#include <QString>
#include <QStringView>

#include <array>

// Motion constants of the whole application; never changed at run time.
inline constexpr int ROTATE_FACTOR = 2;  // seconds for a full turn on the spot
inline constexpr int TURN_FACTOR = 4;    // seconds for a full turn about one wheel
inline constexpr int TIME_FACTOR = 10;   // wait units per second
inline constexpr int PREVIEW_SPEED = 18; // cm per second of straight driving (preview)
inline constexpr float TREAD = 10.54f;   // cm between the wheels (preview)

inline constexpr int SLOT_COUNT = 59;

// One program slot. An empty slot has kind EMPTY, no line, no name and value 0.
struct ProgramSlot
{
    QString line;  // program-text line; empty for an empty slot and the repeat start
    QString name;  // display name; empty for an empty slot
    qint32 index = 0; // the slot's own number as last written; carried into the file
    qint32 kind = SlotKind::EMPTY;
    qint32 value = 0; // tenths of a second, repeat count or degrees; 0 means "not set"

    bool holdsInstruction() const { return kind != SlotKind::EMPTY; }
    bool operator==(const ProgramSlot &) const = default;
};

// The 59 slots of the icon screen, numbered 0 to 58 (shown as 1 to 59). Slots are
// independent: empty slots may stand between instructions. Every operation ignores slot
// numbers outside 0 to 58 and reports that by returning false.
class IconProgram
{
public:
    static bool isSlotNumber(int n) { return n >= 0 && n < SLOT_COUNT; }

    // For a number outside the slots, an empty slot.
    const ProgramSlot &slot(int n) const;

    // The icon the slot shows, from its name; an empty slot gives the delete icon's
    // "Image12" (the empty-slot picture), an unknown name the empty text.
    QString iconOf(int n) const;

    // Sets slot n from a palette icon with value 0; the delete icon empties the slot.
    // An unknown icon changes nothing.
    bool setFromIcon(int n, QStringView icon);
    bool emptySlot(int n);
    // Copies the slot's data; the target's index becomes the target number.
    bool copySlot(int from, int to);
    bool setValue(int n, qint32 value);
    // Stores data as read from a file; the index becomes n.
    bool place(int n, const ProgramSlot &data);

    // Dropping a palette icon on slot t: the delete icon empties the slot and, with
    // shiftUpOnDelete, moves every later slot up by one.
    bool dropIcon(int t, QStringView icon, bool shiftUpOnDelete);
    // Closes the gap at slot t: every later slot moves up by one, slot 58 ends empty.
    void shiftUp(int t);
    // Opens a gap at slot t: every instruction from t on moves down by one; an instruction
    // in slot 58 is discarded.
    void insertGap(int t);
    // Empties every slot that holds an instruction (its index becomes its number).
    void clearAll();

    bool hasInstructions() const;
    // True when every instruction is a motion (what the preview can draw).
    bool onlyMotions() const;

    bool operator==(const IconProgram &) const = default;
    // The same instructions in the same slots: an empty slot is like any other, whatever
    // index it last had (the file keeps it, the pupil and the robot never see it).
    bool sameInstructions(const IconProgram &other) const;

private:
    std::array<ProgramSlot, SLOT_COUNT> m_slots{};
};

// Value text of a slot's value label when the label is made from the slot's data (after
// reading a file, a shift-up or an insert): 15 tenths give "01.5秒", a count of 3 "3.0回",
// 90 degrees "90度", an icon without value a bare "0".
QString recreatedValueText(const ProgramSlot &slot);
