// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings/settingskeys.h"

#include "app/settings/iniinteger.h"

namespace {

QString textOf(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

}

QString sectionOf(SettingId id)
{
    return textOf(settingKey(id).section);
}

QString keyOf(SettingId id)
{
    return textOf(settingKey(id).key);
}

QString labelOf(SettingId id)
{
    return textOf(settingKey(id).label);
}

QString defaultTextOf(SettingId id)
{
    return textOf(settingKey(id).defaultText);
}

int defaultInteger(SettingId id)
{
    return parseIniInteger(defaultTextOf(id)).value_or(0);
}

bool defaultBool(SettingId id)
{
    return defaultInteger(id) != 0;
}

ColorValue defaultColor(SettingId id)
{
    return colorFromText(defaultTextOf(id)).value;
}
