// SPDX-License-Identifier: GPL-3.0-or-later
#include "route/routefile.h"

#include "common/programfilename.h"

#include "common/cp932.h"
#include "common/fields.h"
#include "route/floorlayout.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr int RECORD_FIELD_COUNT = 9;

bool parseInteger(const QString &field, int *value)
{
    bool ok = false;
    const int parsed = field.toInt(&ok);
    if (ok)
        *value = parsed;
    return ok;
}

bool parseRecord(const QString &line, RoutePoint *point)
{
    // With fewer than nine fields fieldOf would hand back an earlier field as x, y or heading.
    if (line.count(u'/') < RECORD_FIELD_COUNT - 1)
        return false;
    // Bytes CP932 has no character for (a damaged file): such a record could never be saved.
    if (line.contains(QChar::ReplacementCharacter))
        return false;
    point->turnCommand = fieldOf(line, 1);
    point->turnWait = fieldOf(line, 2);
    point->forwardCommand = fieldOf(line, 3);
    point->forwardWait = fieldOf(line, 4);
    return parseInteger(fieldOf(line, 5), &point->x) && parseInteger(fieldOf(line, 6), &point->y)
           && parseInteger(fieldOf(line, 7), &point->labelX)
           && parseInteger(fieldOf(line, 8), &point->labelY)
           && parseInteger(fieldOf(line, 9), &point->heading);
}

}

QString routeRecordLine(const RoutePoint &point)
{
    return QStringList{point.turnCommand,
                       point.turnWait,
                       point.forwardCommand,
                       point.forwardWait,
                       QString::number(point.x),
                       QString::number(point.y),
                       QString::number(point.labelX),
                       QString::number(point.labelY),
                       QString::number(point.heading)}
        .join(u'/');
}

QStringList routeFileLines(const RouteModel &route)
{
    QStringList lines;
    lines.reserve(ROUTE_FILE_LINE_COUNT);
    lines.append(QString::fromUtf16(ROUTE_FILE_MARKER));
    for (int i = 0; i < ROUTE_USED_RECORDS; ++i)
        lines.append(routeRecordLine(route.record(i)));
    return lines;
}

bool writeRouteFile(const QString &path, const RouteModel &route, QString *error)
{
    return cp932::writeLines(path, routeFileLines(route), error);
}

RouteReadResult readRouteLines(const QStringList &lines, RouteModel *route)
{
    RouteReadResult result;
    // An empty file (or one of blank lines only) was never a file of another step: it is a
    // damaged route file.
    if (std::all_of(lines.cbegin(), lines.cend(), [](const QString &line) { return line.trimmed().isEmpty(); })) {
        result.status = RouteReadStatus::Malformed;
        return result;
    }
    if (lines.first() != QString::fromUtf16(ROUTE_FILE_MARKER)) {
        result.status = RouteReadStatus::WrongMarker;
        return result;
    }
    if (lines.size() < ROUTE_FILE_LINE_COUNT) {
        result.status = RouteReadStatus::Malformed;
        return result;
    }
    std::array<RoutePoint, ROUTE_RECORD_COUNT> records;
    for (int i = 0; i < ROUTE_USED_RECORDS; ++i) {
        if (!parseRecord(lines.at(i + 1), &records[static_cast<size_t>(i)])) {
            result.status = RouteReadStatus::Malformed;
            return result;
        }
    }
    // A point no drawing can place (a damaged or made-up file) would be drawn off the floor.
    if (!routeRecordsOnFloor(records)) {
        result.status = RouteReadStatus::Malformed;
        return result;
    }
    result.status = RouteReadStatus::Ok;
    result.hasRoute = route->assignRecords(records);
    return result;
}

RouteReadResult readRouteFile(const QString &path, RouteModel *route)
{
    const cp932::ReadResult file = cp932::readLines(path);
    if (!file.ok) {
        RouteReadResult result;
        result.status = RouteReadStatus::FileError;
        result.error = file.error;
        return result;
    }
    return readRouteLines(file.lines, route);
}

QString routeReadMessage(RouteReadStatus status)
{
    switch (status) {
    case RouteReadStatus::Ok:
        return {};
    case RouteReadStatus::WrongMarker:
        return QString::fromUtf16(OTHER_STEP_MESSAGE);
    case RouteReadStatus::Malformed:
    case RouteReadStatus::FileError:
        break;
    }
    return {};
}

bool routeFileToProgramText(const QStringList &fileLines, QStringList *text, QStringList *messages)
{
    RouteModel route;
    const RouteReadResult result = readRouteLines(fileLines, &route);
    if (result.status != RouteReadStatus::Ok) {
        if (messages) {
            if (result.status == RouteReadStatus::Malformed)
                messages->append(u"ルートのプログラムファイルがこわれているので読めません。"_s);
            else
                messages->append(u"ルートのプログラムファイルではありません。"_s);
        }
        return false;
    }
    if (text)
        *text = route.programText();
    return true;
}
