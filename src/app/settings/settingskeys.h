// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/settings/colorvalue.h"

#include <QString>

#include <array>
#include <cstddef>
#include <string_view>

// Every key of set.ini, in the order in which the settings screen's OK writes them: a file
// first created by OK holds its sections in this order.
enum class SettingId {
    ComportName,
    FontColor,
    ComentColor,
    BackColor,
    SelColor,
    FontSize,
    FontName,
    SmrSpeed,
    PlayHow,
    DeleteShift,
};

enum class SettingType { Integer, Boolean, Text, Colour };

struct SettingKey
{
    SettingId id;
    std::u16string_view section;
    std::u16string_view key;
    SettingType type;
    // As the file would spell it; a missing or unreadable value reads as this text would.
    std::u16string_view defaultText;
    // How the settings screen names the value to the pupil.
    std::u16string_view label;
};

// The one table of set.ini keys. Section names are spelled as the file has them ("coment").
inline constexpr std::array<SettingKey, 10> SETTING_KEYS{{
    {SettingId::ComportName, u"comport", u"name", SettingType::Integer, u"0", u"COMポート"},
    {SettingId::FontColor, u"font", u"color", SettingType::Colour, u"clWhite", u"文字の色"},
    {SettingId::ComentColor, u"coment", u"color", SettingType::Colour, u"cllime", u"コメントの色"},
    {SettingId::BackColor, u"back", u"color", SettingType::Colour, u"clBlack", u"背景の色"},
    {SettingId::SelColor, u"sel", u"color", SettingType::Colour, u"$00E2EFF1", u"えらんだ文字の色"},
    {SettingId::FontSize, u"font", u"size", SettingType::Integer, u"14", u"文字の大きさ"},
    {SettingId::FontName, u"font", u"name", SettingType::Text, u"MS Pゴシック", u"フォント名"},
    {SettingId::SmrSpeed, u"smr", u"speed", SettingType::Integer, u"20", u"車輪の速度"},
    {SettingId::PlayHow, u"play", u"how", SettingType::Boolean, u"1", u"命令の実行方法"},
    {SettingId::DeleteShift, u"delete", u"shift", SettingType::Boolean, u"1", u"削除アイコンの動き"},
}};

constexpr bool settingTableInIdOrder()
{
    for (std::size_t i = 0; i < SETTING_KEYS.size(); ++i) {
        if (std::size_t(SETTING_KEYS[i].id) != i)
            return false;
    }
    return true;
}
static_assert(settingTableInIdOrder(), "SETTING_KEYS rows must follow SettingId");

constexpr const SettingKey &settingKey(SettingId id)
{
    return SETTING_KEYS[std::size_t(id)];
}

QString sectionOf(SettingId id);
QString keyOf(SettingId id);
QString labelOf(SettingId id);
QString defaultTextOf(SettingId id);

// The defaults as values of their types.
int defaultInteger(SettingId id);
bool defaultBool(SettingId id);
ColorValue defaultColor(SettingId id);
