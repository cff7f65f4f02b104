// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <tuple>

namespace testenv {

// Icons placed on slots: (slot, icon name, value).
using PlacedIcons = QList<std::tuple<int, QString, int>>;

// The bytes of an icon program file with those icons placed and all other slots never written.
QByteArray iconFile(const PlacedIcons &placed);
// count forward icons of one tenth of a second each, on the slots from firstSlot on.
PlacedIcons forwards(int count, int firstSlot = 0);

}
