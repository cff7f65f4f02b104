#include "robot/programsource.h"

namespace {

ProgramSource refused(ScreenKind kind, const QString &message)
{
    ProgramSource source;
    source.kind = kind;
    source.messages.append(message);
    return source;
}

}

ProgramSource programSourceFromLines(const QStringList &lines)
{
    const QString first = lines.isEmpty() ? QString() : lines.first();
    if (first == QStringView(TextFileMarker)) {
        ProgramSource source;
        source.ok = true;
        source.kind = ScreenKind::Text;
        source.text = lines.mid(1);
        return source;
    }
    if (first == QStringView(IconFileMarker))
        return refused(ScreenKind::Icon, QStringLiteral("アイコンのプログラムファイル(DD)はまだ読めません。"));
    if (first == QStringView(RouteFileMarker))
        return refused(ScreenKind::Route, QStringLiteral("ルートのプログラムファイル(D_pro)はまだ読めません。"));
    ProgramSource source;
    source.ok = true;
    source.kind = ScreenKind::Text;
    source.text = lines;
    return source;
}

QString joinProgramText(const QStringList &lines)
{
    return lines.join(QStringLiteral("\r\n"));
}
