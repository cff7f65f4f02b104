// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "common/errornumbers.h"

#include "route/routemodel.h"

#include <QString>
#include <QStringList>

// The route program file (.rk5): the marker line "D_pro", then records 0..57, one per line,
// nine "/"-separated fields: the four text fields, x, y, labelX, labelY, heading. The records
// are stored as held in memory, program text included, so reading never recomputes it.

inline constexpr char16_t ROUTE_FILE_MARKER[] = u"D_pro";
inline constexpr int ROUTE_FILE_LINE_COUNT = 1 + ROUTE_USED_RECORDS;
// The numbered failure of a malformed route file.
inline constexpr int ROUTE_FILE_READ_ERROR = errors::ROUTE_READ;

// The 59 lines of the file for the route, without line ends.
QStringList routeFileLines(const RouteModel &route);

// One record line ("turn/wait/forward/wait/x/y/labelX/labelY/heading").
QString routeRecordLine(const RoutePoint &point);

// Writes the file in CP932 with CR LF after every line, through QSaveFile: on failure the
// old file is kept and error holds the reason.
bool writeRouteFile(const QString &path, const RouteModel &route, QString *error = nullptr);

enum class RouteReadStatus {
    Ok,          // the route was replaced
    WrongMarker, // not a route file (an icon or text file, or no marker): route unchanged
    Malformed,   // an empty file, fewer than 59 lines, a record without nine fields, or a field 5..9 that is
                 // not an integer, or a point off the floor (routeRecordsOnFloor): route unchanged; the screen shows (1004)
    FileError,   // the file could not be read: route unchanged
};

struct RouteReadResult
{
    RouteReadStatus status = RouteReadStatus::FileError;
    // With Ok: true when the file held a route (a record with x != 0), which is then open
    // for drawing; false when it held none and the route is now empty (screen idle).
    bool hasRoute = false;
    QString error; // the system's reason for FileError
};

// Reads file lines into route. The lines are parsed into a copy first, so a failure leaves
// route exactly as it was; on success the route is replaced as RouteModel::assignRecords says.
RouteReadResult readRouteLines(const QStringList &lines, RouteModel *route);

// Reads a route file from disk (CP932; CR LF, CR or LF end a line).
RouteReadResult readRouteFile(const QString &path, RouteModel *route);

// The screen's message for a refused read: the other-step message for WrongMarker; empty for
// Malformed and FileError, which the screen reports with its numbered box ROUTE_FILE_READ_ERROR.
QString routeReadMessage(RouteReadStatus status);

// For the command-line compiler: the program text of a route file's lines, as the route
// screen would send it after reading the file. Returns false with messages when the lines
// are not a well-formed route file.
bool routeFileToProgramText(const QStringList &fileLines, QStringList *text, QStringList *messages);
