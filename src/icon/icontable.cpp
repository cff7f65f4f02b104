// SPDX-License-Identifier: GPL-3.0-or-later
#include "icon/icontable.h"

#include <array>

using namespace Qt::StringLiterals;

namespace {

const std::array<IconInfo, 16> &table()
{
    static const std::array<IconInfo, 16> icons = {{
        {u"Image1"_s, u"前進左折"_s, u"前左折"_s, SlotKind::MOTION, u"motor(stop,fwd)"_s, u"度"_s,
         ValueClass::Turn, u"Photo\\Button\\FL.bmp"_s, u"Photo\\Button\\FL.bmp"_s},
        {u"Image2"_s, u"前進"_s, u"前進"_s, SlotKind::MOTION, u"motor(fwd,fwd)"_s, u"秒"_s,
         ValueClass::Time, u"Photo\\Button\\FF.bmp"_s, u"Photo\\Button\\FF.bmp"_s},
        {u"Image3"_s, u"前進右折"_s, u"前右折"_s, SlotKind::MOTION, u"motor(fwd,stop)"_s, u"度"_s,
         ValueClass::Turn, u"Photo\\Button\\FR.bmp"_s, u"Photo\\Button\\FR.bmp"_s},
        {u"Image4"_s, u"左回転"_s, u"左回転"_s, SlotKind::MOTION, u"motor(rev,fwd)"_s, u"度"_s,
         ValueClass::Rotation, u"Photo\\Button\\L_Turn.bmp"_s, u"Photo\\Button\\L_Turn.bmp"_s},
        {u"Image5"_s, u"停止"_s, u"停止"_s, SlotKind::MOTION, u"motor(stop,stop)"_s, u"秒"_s,
         ValueClass::Time, u"Photo\\Button\\Stop.bmp"_s, u"Photo\\Button\\Stop.bmp"_s},
        {u"Image6"_s, u"右回転"_s, u"右回転"_s, SlotKind::MOTION, u"motor(fwd,rev)"_s, u"度"_s,
         ValueClass::Rotation, u"Photo\\Button\\R_Turn.bmp"_s, u"Photo\\Button\\R_Turn.bmp"_s},
        {u"Image7"_s, u"後進左折"_s, u"後左折"_s, SlotKind::MOTION, u"motor(stop,rev)"_s, u"度"_s,
         ValueClass::Turn, u"Photo\\Button\\BL.bmp"_s, u"Photo\\Button\\BL.bmp"_s},
        {u"Image8"_s, u"後進"_s, u"後進"_s, SlotKind::MOTION, u"motor(rev,rev)"_s, u"秒"_s,
         ValueClass::Time, u"Photo\\Button\\BB.bmp"_s, u"Photo\\Button\\BB.bmp"_s},
        {u"Image9"_s, u"後進右折"_s, u"後右折"_s, SlotKind::MOTION, u"motor(rev,stop)"_s, u"度"_s,
         ValueClass::Turn, u"Photo\\Button\\BR.bmp"_s, u"Photo\\Button\\BR.bmp"_s},
        {u"Image10"_s, u"繰返し開始"_s, u"繰返開始"_s, SlotKind::LOOP_START, QString(), u"回"_s,
         ValueClass::Count, u"Photo\\Button\\Repeat_Start.bmp"_s, u"Photo\\Button\\Repeat_Start.bmp"_s},
        {u"Image11"_s, u"繰返し終了"_s, u"繰返終了"_s, SlotKind::LOOP_END, u"endloop"_s, QString(),
         ValueClass::None, u"Photo\\Button\\Repeat_End.bmp"_s, u"Photo\\Button\\Repeat_End.bmp"_s},
        {u"Image12"_s, u"命令削除"_s, QString(), SlotKind::EMPTY, QString(), QString(),
         ValueClass::None, EMPTY_SLOT_PICTURE.toString(), u"Photo\\Button\\Delete.bmp"_s},
        {u"Image13"_s, u"前SWOFFの間"_s, u"前SW OFFの間"_s, SlotKind::WHILE_FRONT, u"while(SW1=OFF)"_s,
         QString(), ValueClass::None, u"Photo\\Button\\F_Off_Start.bmp"_s,
         u"Photo\\Button\\F_Off_Start.bmp"_s},
        {u"Image14"_s, u"後SWOFFの間"_s, u"後SW OFFの間"_s, SlotKind::WHILE_REAR, u"while(SW2=OFF)"_s,
         QString(), ValueClass::None, u"Photo\\Button\\B_Off_Start.bmp"_s,
         u"Photo\\Button\\B_Off_Start.bmp"_s},
        {u"Image15"_s, u"チェック終わり"_s, u"前チェック終了"_s, SlotKind::END_FRONT, u"endwhile"_s,
         QString(), ValueClass::None, u"Photo\\Button\\F_Off_End.bmp"_s,
         u"Photo\\Button\\F_Off_End.bmp"_s},
        {u"Image16"_s, u"チェック終わり"_s, u"後チェック終了"_s, SlotKind::END_REAR, u"endwhile"_s,
         QString(), ValueClass::None, u"Photo\\Button\\B_Off_End.bmp"_s,
         u"Photo\\Button\\B_Off_End.bmp"_s},
    }};
    return icons;
}

} // namespace

std::span<const IconInfo> iconTable()
{
    return table();
}

const IconInfo *findIcon(QStringView icon)
{
    for (const IconInfo &info : table()) {
        if (info.icon == icon)
            return &info;
    }
    return nullptr;
}

// One field of an icon's row, or the fallback for a name the table does not know.
template<typename T>
T fieldOfIcon(QStringView icon, T IconInfo::*field, T fallback)
{
    const IconInfo *info = findIcon(icon);
    return info ? info->*field : fallback;
}

QString hintOf(QStringView icon)
{
    return fieldOfIcon(icon, &IconInfo::hint, QString(QString()));
}

QString displayNameOf(QStringView icon)
{
    return fieldOfIcon(icon, &IconInfo::displayName, QString(QString()));
}

qint32 kindOf(QStringView icon)
{
    return fieldOfIcon(icon, &IconInfo::kind, qint32(0));
}

QString lineOf(QStringView icon)
{
    return fieldOfIcon(icon, &IconInfo::line, QString(QString()));
}

QString unitOf(QStringView icon)
{
    return fieldOfIcon(icon, &IconInfo::unit, QString(QString()));
}

ValueClass valueClassOf(QStringView icon)
{
    return fieldOfIcon(icon, &IconInfo::valueClass, ValueClass(ValueClass::None));
}

QString pictureOf(QStringView icon)
{
    const IconInfo *info = findIcon(icon);
    return info ? info->picture : QString();
}

QString dragPictureOf(QStringView icon)
{
    const IconInfo *info = findIcon(icon);
    return info ? info->dragPicture : QString();
}

QString iconOfDisplayName(QStringView displayName)
{
    for (const IconInfo &info : table()) {
        if (info.displayName == displayName)
            return info.icon;
    }
    return QString();
}
