// SPDX-License-Identifier: GPL-3.0-or-later
#include "icon/iconscreenmodel.h"

#include "icon/icontable.h"

IconScreenModel::IconScreenModel()
{
    m_history.reset(m_program);
}

bool IconScreenModel::record()
{
    return m_history.record(m_program, [](const IconProgram &a, const IconProgram &b) { return a.sameInstructions(b); });
}

bool IconScreenModel::drop(int slot, const QString &icon, bool deleteShift)
{
    endEditing();
    if (icon == DELETE_ICON) {
        m_program.dropIcon(slot, icon, deleteShift);
    } else if (m_program.setFromIcon(slot, icon) && valueClassOf(icon) != ValueClass::None) {
        beginEditing(slot);
    }
    return record();
}

bool IconScreenModel::confirmTime(qint32 value)
{
    const int slot = m_edited;
    endEditing();
    const qint32 kind = m_program.slot(slot).kind;
    if (kind == SlotKind::MOTION || kind == SlotKind::LOOP_START)
        m_program.setValue(slot, value);
    return record();
}

bool IconScreenModel::confirmAngle(qint32 value)
{
    const int slot = m_edited;
    endEditing();
    if (m_program.slot(slot).kind == SlotKind::MOTION)
        m_program.setValue(slot, value);
    return record();
}

bool IconScreenModel::insertGapAt(int slot)
{
    if (!m_insertMode || !IconProgram::isSlotNumber(slot))
        return false;
    m_insertMode = false;
    m_program.insertGap(slot);
    return record();
}

bool IconScreenModel::emptySlots()
{
    endEditing();
    m_program.clearAll();
    const bool stepped = record();
    // An empty program is never asked about; undoing the emptying makes it modified again.
    m_history.markSaved();
    return stepped;
}

void IconScreenModel::clearAll()
{
    endEditing();
    m_program.clearAll();
    m_history.reset(m_program);
}

bool IconScreenModel::undo()
{
    return apply(m_history.undo());
}

bool IconScreenModel::redo()
{
    return apply(m_history.redo());
}

bool IconScreenModel::apply(const IconProgram *state)
{
    if (!state)
        return false;
    endEditing();
    m_program = *state;
    return true;
}

IconReadStatus IconScreenModel::read(const QStringList &lines)
{
    const IconReadStatus status = readIconLines(lines, &m_program, m_step == 1).status;
    if (status != IconReadStatus::Ok)
        return status;
    endEditing();
    // A step back brings the work before the read back.
    record();
    m_history.markSaved();
    return status;
}

bool IconScreenModel::restore(const QStringList &lines)
{
    IconProgram recovered;
    IconReadStatus status = readIconLines(lines, &recovered, m_step == 1).status;
    int step = m_step;
    if (status == IconReadStatus::WrongStep) {
        status = readIconLines(lines, &recovered, false).status;
        step = 2;
    }
    if (status != IconReadStatus::Ok)
        return false;
    m_step = step;
    clearAll();
    m_program = recovered;
    record();
    m_history.forgetSaved();
    return true;
}
