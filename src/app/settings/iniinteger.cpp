// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings/iniinteger.h"

namespace {

std::optional<quint32> parseDigits(QStringView digits, int base)
{
    if (digits.isEmpty())
        return std::nullopt;
    quint64 value = 0;
    for (const QChar c : digits) {
        const int digit = (c >= u'0' && c <= u'9') ? c.unicode() - u'0'
            : (base == 16 && c >= u'a' && c <= u'f') ? c.unicode() - u'a' + 10
            : (base == 16 && c >= u'A' && c <= u'F') ? c.unicode() - u'A' + 10
                                                     : -1;
        if (digit < 0)
            return std::nullopt;
        value = value * quint64(base) + quint64(digit);
        if (value > 0xFFFFFFFFull)
            return std::nullopt;
    }
    return quint32(value);
}

}

std::optional<qint32> parseIniInteger(const QString &text, bool allowHex0x)
{
    if (allowHex0x && text.size() > 2 && (text.startsWith(u"0x") || text.startsWith(u"0X"))) {
        if (const auto value = parseDigits(QStringView(text).mid(2), 16))
            return qint32(*value);
        return std::nullopt;
    }
    if (text.startsWith(u'$')) {
        if (const auto value = parseDigits(QStringView(text).mid(1), 16))
            return qint32(*value);
        return std::nullopt;
    }
    QStringView digits(text);
    bool negative = false;
    if (digits.startsWith(u'-') || digits.startsWith(u'+')) {
        negative = digits.front() == u'-';
        digits = digits.mid(1);
    }
    const auto value = parseDigits(digits, 10);
    if (!value)
        return std::nullopt;
    const qint64 signedValue = negative ? -qint64(*value) : qint64(*value);
    if (signedValue < INT32_MIN || signedValue > INT32_MAX)
        return std::nullopt;
    return qint32(signedValue);
}
