// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The report page as the window shows and prints it. The file on disk stays as written; only
// the copy handed to the renderer is adjusted where the renderer differs from a browser:
// - full-width spaces (U+3000) count as white space there and fold into one narrow space, so
//   each run of them is kept in a span that preserves white space;
// - bordered tables draw a raised frame there, so tables with a border get flat solid lines
//   in their border colour, as a browser draws them.
QString displayHtml(const QString &html);
