// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

// The k-th field (k from 1) of a program-file line whose fields are separated by "/"; the last
// field runs to the end of the line. A line with fewer than k fields yields the last field that
// was split off before the separators ran out, or an empty text when none was.
QString fieldOf(QStringView line, int k);
