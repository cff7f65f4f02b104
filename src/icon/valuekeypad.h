// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

// The time and count keypad of the icon screen, without its pictures: a two-digit integer
// register (shown in Label6), a tenths digit (Label7) and the decimal flag that sends the
// next digit to the tenths.
class TimeKeypad
{
public:
    QString integerText() const { return m_integer; }
    QString tenthsText() const { return m_tenths; }
    bool decimalFlag() const { return m_decimal; }

    // Without the decimal flag the integer register shifts: 1, 5 give "01", then "15".
    void digit(int d);
    void decimalPoint() { m_decimal = true; }
    // The track bar moved (0 to 200) while a slot of this unit is edited.
    void trackBarMoved(int position, QStringView unit);

    struct Confirmed
    {
        bool accepted = false; // false: above 20, the page stays as it is
        qint32 value = 0;      // tenths for a motion, the count for a repeat start
        QString valueText;     // Label6 "." Label7, the unit follows
    };
    // What confirming stores in a slot of this kind.
    Confirmed confirm(qint32 kind) const;

    // Back to "00", "0", flag off, as after every confirm.
    void reset();
    // Opens the keypad on a slot's value; gives the track bar position.
    int reopen(qint32 value, QStringView unit);

private:
    QString m_integer = QString::fromUtf16(u"00");
    QString m_tenths = QString::fromUtf16(u"0");
    bool m_decimal = false;
};

QString valueTooLargeMessage();
