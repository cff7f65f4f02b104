// SPDX-License-Identifier: GPL-3.0-or-later
#include "icon/iconprogram.h"

using namespace Qt::StringLiterals;

const ProgramSlot &IconProgram::slot(int n) const
{
    static const ProgramSlot none;
    return isSlotNumber(n) ? m_slots[n] : none;
}

QString IconProgram::iconOf(int n) const
{
    return iconOfDisplayName(slot(n).name);
}

bool IconProgram::setFromIcon(int n, QStringView icon)
{
    const IconInfo *info = findIcon(icon);
    if (!isSlotNumber(n) || !info)
        return false;
    if (info->kind == SlotKind::EMPTY)
        return emptySlot(n);
    m_slots[n] = ProgramSlot{info->line, info->displayName, n, info->kind, 0};
    return true;
}

bool IconProgram::emptySlot(int n)
{
    if (!isSlotNumber(n))
        return false;
    m_slots[n] = ProgramSlot{QString(), QString(), n, SlotKind::EMPTY, 0};
    return true;
}

bool IconProgram::copySlot(int from, int to)
{
    if (!isSlotNumber(from) || !isSlotNumber(to))
        return false;
    m_slots[to] = m_slots[from];
    m_slots[to].index = to;
    return true;
}

bool IconProgram::setValue(int n, qint32 value)
{
    if (!isSlotNumber(n))
        return false;
    m_slots[n].value = value;
    return true;
}

bool IconProgram::place(int n, const ProgramSlot &data)
{
    if (!isSlotNumber(n))
        return false;
    m_slots[n] = data;
    m_slots[n].index = n;
    return true;
}

bool IconProgram::dropIcon(int t, QStringView icon, bool shiftUpOnDelete)
{
    if (!setFromIcon(t, icon))
        return false;
    if (icon == DELETE_ICON && shiftUpOnDelete)
        shiftUp(t);
    return true;
}

void IconProgram::shiftUp(int t)
{
    if (!isSlotNumber(t))
        return;
    for (int i = t; i < SLOT_COUNT - 1; ++i) {
        copySlot(i + 1, i);
        if (m_slots[i].holdsInstruction())
            emptySlot(i + 1);
    }
    if (m_slots[SLOT_COUNT - 1].holdsInstruction())
        emptySlot(SLOT_COUNT - 1);
}

void IconProgram::insertGap(int t)
{
    if (!isSlotNumber(t))
        return;
    for (int i = SLOT_COUNT - 1; i >= t; --i) {
        if (!m_slots[i].holdsInstruction())
            continue;
        // Nothing lies below the last slot, so its instruction cannot move on.
        if (i < SLOT_COUNT - 1)
            copySlot(i, i + 1);
        emptySlot(i);
    }
}

void IconProgram::clearAll()
{
    for (int i = 0; i < SLOT_COUNT; ++i) {
        if (m_slots[i].holdsInstruction())
            emptySlot(i);
    }
}

bool IconProgram::sameInstructions(const IconProgram &other) const
{
    for (int i = 0; i < SLOT_COUNT; ++i) {
        ProgramSlot mine = m_slots[i];
        const ProgramSlot &theirs = other.m_slots[i];
        if (!mine.holdsInstruction() && !theirs.holdsInstruction())
            mine.index = theirs.index;
        if (!(mine == theirs))
            return false;
    }
    return true;
}

bool IconProgram::hasInstructions() const
{
    for (const ProgramSlot &s : m_slots) {
        if (s.holdsInstruction())
            return true;
    }
    return false;
}

bool IconProgram::onlyMotions() const
{
    for (const ProgramSlot &s : m_slots) {
        if (s.holdsInstruction() && s.kind != SlotKind::MOTION)
            return false;
    }
    return true;
}

QString recreatedValueText(const ProgramSlot &slot)
{
    const QString icon = iconOfDisplayName(slot.name);
    const QString unit = unitOf(icon);
    const ValueClass valueClass = valueClassOf(icon);
    if (valueClass == ValueClass::Time) {
        const QString digits = QString::number(slot.value);
        switch (slot.value >= 0 ? digits.size() : 0) {
        case 1:
            return u"00."_s + digits + unit;
        case 2:
            return u"0"_s + digits[0] + u'.' + digits[1] + unit;
        case 3:
            return digits.left(2) + u'.' + digits[2] + unit;
        default:
            // Only a file edited by hand holds such a time; show it readably all the same.
            {
                const qint64 v = slot.value;
                const qint64 magnitude = v < 0 ? -v : v;
                return (v < 0 ? u"-"_s : QString()) + QString::number(magnitude / 10) + u'.'
                    + QString::number(magnitude % 10) + unit;
            }
        }
    }
    if (valueClass == ValueClass::Count)
        return QString::number(slot.value) + u".0"_s + unit;
    return QString::number(slot.value) + unit;
}
