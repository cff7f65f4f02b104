// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

#include <span>

// What the value of an instruction means; decides its value page and its wait scaling.
enum class ValueClass {
    None,     // no value (repeat end, switch waits, delete)
    Time,     // tenths of a second: 前進, 停止, 後進
    Rotation, // degrees, on the spot: 左回転, 右回転
    Turn,     // degrees, about one wheel: 前左折, 前右折, 後左折, 後右折
    Count,    // repeat count: 繰返開始
};

// Kind codes of a program slot. Codes 1 and 2 are not used.
namespace SlotKind {
enum : qint32 {
    EMPTY = -1,
    MOTION = 0,
    WHILE_FRONT = 3,
    END_FRONT = 4,
    WHILE_REAR = 5,
    END_REAR = 6,
    LOOP_START = 7,
    LOOP_END = 8,
};
}

// One palette icon and everything that hangs on it. Pictures are the system's relative
// names ("Photo\Button\FF.bmp"); programFilePath() turns them into paths.
struct IconInfo
{
    QString icon;        // palette picture name, "Image1" … "Image16"
    QString hint;        // hint text of the palette picture
    QString displayName; // the slot's name; empty for the delete icon
    qint32 kind;
    QString line;        // program-text line; empty for the repeat start and delete
    QString unit;        // "秒", "度", "回" or empty
    ValueClass valueClass;
    QString picture;     // shown in the slot when dropped
    QString dragPicture; // shown under the pointer while dragged
};

// The sixteen palette icons, Image1 to Image16 in order.
std::span<const IconInfo> iconTable();

// The table row of an icon name; nullptr for a name the table does not know.
const IconInfo *findIcon(QStringView icon);

// Lookups by exact, case-sensitive name. An unknown icon gives the empty text (kind: 0,
// value class: None).
QString hintOf(QStringView icon);
QString displayNameOf(QStringView icon);
qint32 kindOf(QStringView icon);
QString lineOf(QStringView icon);
QString unitOf(QStringView icon);
ValueClass valueClassOf(QStringView icon);
QString pictureOf(QStringView icon);
QString dragPictureOf(QStringView icon);

// Reverse lookup from a slot's display name to its icon. The empty name gives "Image12", so
// that an empty slot shows the empty-slot picture; an unknown name gives the empty text.
QString iconOfDisplayName(QStringView displayName);

inline constexpr QStringView DELETE_ICON = u"Image12";
inline constexpr QStringView EMPTY_SLOT_PICTURE = u"Photo\\Back\\Empty_image.bmp";
