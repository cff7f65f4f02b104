// SPDX-License-Identifier: GPL-3.0-or-later
#include "programs/programsource.h"

#include "icon/iconfile.h"
#include "route/routefile.h"
#include "text/textfile.h"

ProgramSource programSourceFromLines(const QStringList &lines)
{
    const QString first = lines.isEmpty() ? QString() : lines.first();
    if (first == QStringView(TEXT_FILE_MARKER)) {
        ProgramSource source;
        source.ok = true;
        source.kind = ScreenKind::Text;
        source.text = lines.mid(1);
        return source;
    }
    if (first == QStringView(ICON_FILE_MARKER)) {
        ProgramSource source;
        source.kind = ScreenKind::Icon;
        source.ok = iconFileToProgramText(lines, &source.text, &source.messages);
        return source;
    }
    if (first == QStringView(ROUTE_FILE_MARKER)) {
        ProgramSource source;
        source.kind = ScreenKind::Route;
        source.ok = routeFileToProgramText(lines, &source.text, &source.messages);
        return source;
    }
    ProgramSource source;
    source.ok = true;
    source.kind = ScreenKind::Text;
    source.text = lines;
    return source;
}
