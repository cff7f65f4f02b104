// SPDX-License-Identifier: GPL-3.0-or-later
#include "icon/valuekeypad.h"

#include "common/rounding.h"
#include "icon/icontable.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

QString twoDigits(qint64 n)
{
    return QString::number(n).rightJustified(2, u'0');
}

} // namespace

void TimeKeypad::digit(int d)
{
    const QString digit = QString::number(d);
    if (m_decimal) {
        m_tenths = digit;
        m_decimal = false;
        return;
    }
    m_integer = m_integer.right(1) + digit;
}

void TimeKeypad::trackBarMoved(int position, QStringView unit)
{
    if (unit == u"秒") {
        m_integer = twoDigits(position / 10);
        m_tenths = QString::number(position % 10);
    } else if (unit == u"回") {
        m_integer = twoDigits(roundHalfEven(position / 10.0));
    }
}

TimeKeypad::Confirmed TimeKeypad::confirm(qint32 kind) const
{
    Confirmed result;
    const qint64 integer = m_integer.toLongLong();
    const qint64 n = integer * 10 + m_tenths.toLongLong();
    if (n > 200)
        return result;
    result.accepted = true;
    result.value = kind == SlotKind::LOOP_START ? qint32(integer) : qint32(n);
    result.valueText = m_integer + u'.' + m_tenths;
    return result;
}

void TimeKeypad::reset()
{
    m_integer = u"00"_s;
    m_tenths = u"0"_s;
    m_decimal = false;
}

int TimeKeypad::reopen(qint32 value, QStringView unit)
{
    if (unit == u"回") {
        m_integer = twoDigits(value);
        return int(std::clamp<qint64>(qint64(value) * 10, 0, 200));
    }
    m_integer = QString::number(value / 10);
    m_tenths = QString::number(value % 10);
    return qBound(0, value, 200);
}

QString valueTooLargeMessage()
{
    return u"時間・回数が最大値を超えています。"_s;
}
