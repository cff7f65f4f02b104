// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/iconfiles.h"

#include "common/cp932.h"
#include "icon/iconfile.h"

using namespace Qt::StringLiterals;

namespace testenv {

QByteArray iconFile(const PlacedIcons &placed)
{
    IconProgram program;
    for (const auto &[slot, icon, value] : placed) {
        program.setFromIcon(slot, icon);
        program.setValue(slot, value);
    }
    return cp932::encodeLines(iconFileLines(program));
}

PlacedIcons forwards(int count, int firstSlot)
{
    PlacedIcons placed;
    for (int i = 0; i < count; ++i)
        placed.append({firstSlot + i, u"Image2"_s, 1});
    return placed;
}

}
