// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings/colorvalue.h"

#include "app/settings/iniinteger.h"

using namespace Qt::StringLiterals;

namespace {

struct NamedColor
{
    const char *name;
    ColorValue value;
};

constexpr ColorValue system(int index)
{
    return colors::SYSTEM_COLOR_BIT | ColorValue(index);
}

// The standard colours, then the platform's system colours in the order of their numbers.
constexpr NamedColor NAMED_COLORS[] = {
    {"clBlack", colors::clBlack},
    {"clMaroon", colors::clMaroon},
    {"clGreen", colors::clGreen},
    {"clOlive", colors::clOlive},
    {"clNavy", colors::clNavy},
    {"clPurple", colors::clPurple},
    {"clTeal", colors::clTeal},
    {"clGray", colors::clGray},
    {"clSilver", colors::clSilver},
    {"clRed", colors::clRed},
    {"clLime", colors::clLime},
    {"clYellow", colors::clYellow},
    {"clBlue", colors::clBlue},
    {"clFuchsia", colors::clFuchsia},
    {"clAqua", colors::clAqua},
    {"clWhite", colors::clWhite},
    {"clScrollBar", system(0)},
    {"clBackground", system(1)},
    {"clActiveCaption", system(2)},
    {"clInactiveCaption", system(3)},
    {"clMenu", system(4)},
    {"clWindow", system(5)},
    {"clWindowFrame", system(6)},
    {"clMenuText", system(7)},
    {"clWindowText", system(8)},
    {"clCaptionText", system(9)},
    {"clActiveBorder", system(10)},
    {"clInactiveBorder", system(11)},
    {"clAppWorkSpace", system(12)},
    {"clHighlight", system(13)},
    {"clHighlightText", system(14)},
    {"clBtnFace", system(15)},
    {"clBtnShadow", system(16)},
    {"clGrayText", system(17)},
    {"clBtnText", system(18)},
    {"clInactiveCaptionText", system(19)},
    {"clBtnHighlight", system(20)},
    {"cl3DDkShadow", system(21)},
    {"cl3DLight", system(22)},
    {"clInfoText", system(23)},
    {"clInfoBk", system(24)},
    {"clNone", colors::clNone},
};

}

std::optional<ColorValue> colorByName(const QString &name)
{
    for (const NamedColor &entry : NAMED_COLORS) {
        if (name.compare(QLatin1StringView(entry.name), Qt::CaseInsensitive) == 0)
            return entry.value;
    }
    return std::nullopt;
}

QString colorName(ColorValue value)
{
    for (const NamedColor &entry : NAMED_COLORS) {
        if (entry.value == value)
            return QString::fromLatin1(entry.name);
    }
    return {};
}

ColorParse colorFromText(const QString &text)
{
    ColorParse result;
    if (const auto named = colorByName(text)) {
        result.ok = true;
        result.value = *named;
        return result;
    }
    if (const auto number = parseIniInteger(text, false)) {
        result.ok = true;
        result.value = ColorValue(*number);
        return result;
    }
    result.error = u"'%1' は整数ではありません"_s.arg(text);
    return result;
}

QString colorToText(ColorValue value)
{
    const QString name = colorName(value);
    if (!name.isEmpty())
        return name;
    return u'$' + u"%1"_s.arg(value, 8, 16, QLatin1Char('0')).toUpper();
}
