// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/fields.h"

QString fieldOf(QStringView line, int k)
{
    QStringView rest = line;
    QStringView field;
    while (k > 0) {
        const qsizetype slash = rest.indexOf(u'/');
        if (slash < 0) {
            if (k == 1)
                field = rest;
            break;
        }
        field = rest.left(slash);
        rest = rest.mid(slash + 1);
        --k;
    }
    return field.toString();
}
