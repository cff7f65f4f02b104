// SPDX-License-Identifier: GPL-3.0-or-later
#include "icon/icontext.h"

#include "common/rounding.h"

using namespace Qt::StringLiterals;

namespace {

QString angleWait(qint32 degrees, int factor)
{
    // Computed in double, kept in single precision, then rounded: 45° on the spot is 2.5,
    // which rounds to 2.
    const float units = static_cast<float>(double(degrees) / 360.0 * factor * TIME_FACTOR);
    return QString::number(roundHalfEven(units));
}

} // namespace

QString waitLengthText(QStringView name, qint32 value)
{
    switch (valueClassOf(iconOfDisplayName(name))) {
    case ValueClass::Rotation:
        return angleWait(value, ROTATE_FACTOR);
    case ValueClass::Turn:
        return angleWait(value, TURN_FACTOR);
    default:
        return QString::number(double(value) / 10.0 * TIME_FACTOR, 'g', 15);
    }
}

ProgramTextResult buildProgramText(const IconProgram &program)
{
    ProgramTextResult result;
    const auto refuse = [&result](int slot, const QString &text, RefusalBox box) {
        result.lines.clear();
        result.lineSlots.clear();
        result.refusedSlot = slot;
        result.message = QString::number(slot + 1) + text;
        result.box = box;
        return result;
    };
    for (int i = 0; i < SLOT_COUNT; ++i) {
        const ProgramSlot &slot = program.slot(i);
        switch (slot.kind) {
        case SlotKind::EMPTY:
            break;
        case SlotKind::MOTION:
            if (slot.value == 0)
                return refuse(i, u"個目の秒数が設定されていない為転送できません。"_s, RefusalBox::Information);
            result.lines << slot.line << u"wait("_s + waitLengthText(slot.name, slot.value) + u')';
            result.lineSlots << i << i;
            break;
        case SlotKind::LOOP_START:
            if (slot.value == 0)
                return refuse(i, u"個目の繰返し回数が設定されていない為転送できません。"_s, RefusalBox::Warning);
            result.lines << u"loop("_s + QString::number(slot.value) + u')';
            result.lineSlots << i;
            break;
        default:
            result.lines << slot.line;
            result.lineSlots << i;
            break;
        }
    }
    result.ok = true;
    return result;
}
