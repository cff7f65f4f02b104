// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

// An integer as set.ini spells it: decimal (optional sign), "$" hexadecimal, and, when
// allowHex0x is set and the text is longer than 2 characters, "0x"/"0X" hexadecimal.
// Hexadecimal takes up to 32 bits (wrapping into the negative); nothing else is a number.
std::optional<qint32> parseIniInteger(const QString &text, bool allowHex0x = true);
