// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

// A colour as set.ini keeps it: low byte red, then green, then blue; the top byte is 0 for
// plain colours (system colours have the top bit set, clNone is 0x1FFFFFFF).
using ColorValue = quint32;

constexpr ColorValue colorFromRgb(int red, int green, int blue)
{
    return ColorValue(blue & 0xFF) << 16 | ColorValue(green & 0xFF) << 8 | ColorValue(red & 0xFF);
}
constexpr int colorRed(ColorValue value) { return int(value & 0xFF); }
constexpr int colorGreen(ColorValue value) { return int((value >> 8) & 0xFF); }
constexpr int colorBlue(ColorValue value) { return int((value >> 16) & 0xFF); }

namespace colors {
constexpr ColorValue clBlack = colorFromRgb(0, 0, 0);
constexpr ColorValue clMaroon = colorFromRgb(128, 0, 0);
constexpr ColorValue clGreen = colorFromRgb(0, 128, 0);
constexpr ColorValue clOlive = colorFromRgb(128, 128, 0);
constexpr ColorValue clNavy = colorFromRgb(0, 0, 128);
constexpr ColorValue clPurple = colorFromRgb(128, 0, 128);
constexpr ColorValue clTeal = colorFromRgb(0, 128, 128);
constexpr ColorValue clGray = colorFromRgb(128, 128, 128);
constexpr ColorValue clSilver = colorFromRgb(192, 192, 192);
constexpr ColorValue clRed = colorFromRgb(255, 0, 0);
constexpr ColorValue clLime = colorFromRgb(0, 255, 0);
constexpr ColorValue clYellow = colorFromRgb(255, 255, 0);
constexpr ColorValue clBlue = colorFromRgb(0, 0, 255);
constexpr ColorValue clFuchsia = colorFromRgb(255, 0, 255);
constexpr ColorValue clAqua = colorFromRgb(0, 255, 255);
constexpr ColorValue clWhite = colorFromRgb(255, 255, 255);
constexpr ColorValue SYSTEM_COLOR_BIT = 0x80000000u;
constexpr ColorValue clNone = 0x1FFFFFFFu;
}

// The value of a colour name (any case), for example "cllime".
std::optional<ColorValue> colorByName(const QString &name);
// The name of a value that has one ("clLime"), otherwise an empty text.
QString colorName(ColorValue value);

struct ColorParse
{
    bool ok = false;
    ColorValue value = 0;
    QString error; // "'...' は整数ではありません" when ok is false
};

// A name (any case), a "$" hexadecimal or a decimal number.
ColorParse colorFromText(const QString &text);
// The name when the value has one, else "$" and eight upper-case hexadecimal digits.
QString colorToText(ColorValue value);

// The top byte unchanged, each of red, green and blue p becoming 255 - p.
constexpr ColorValue InvertColor(ColorValue value)
{
    return (value & 0xFF000000u) | (~value & 0x00FFFFFFu);
}
