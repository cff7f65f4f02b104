// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "route/routetext.h"

#include <QPoint>
#include <QString>
#include <QStringList>

#include <array>

// The route of the route screen as plain data: the point records, the last index, the robot's
// heading and the two derived lists (program text and coordinates). The screen draws it and
// calls these functions; the file, the report and the transfer read the same data.
//
// Grid units throughout: the floor is 500 x 500, x to the right, y downwards, one cell 10 units.

// Records 0..58 exist; a route uses 0..57 (record 58 always stays empty). Record 0 is the start,
// record n (n >= 1) closes the segment from point n - 1 to point n.
inline constexpr int ROUTE_RECORD_COUNT = 59;
inline constexpr int ROUTE_USED_RECORDS = 58;
inline constexpr int ROUTE_LAST_RECORD = ROUTE_USED_RECORDS - 1;

// The heading of a robot at the start of a route: facing the top of the floor.
inline constexpr int ROUTE_START_HEADING = 90;

struct RoutePoint
{
    QString turnCommand;
    QString turnWait;
    QString forwardCommand;
    QString forwardWait;
    int x = 0;
    int y = 0;
    int labelX = 0; // label position of the segment (only stored in the route file)
    int labelY = 0;
    int heading = 0; // direction of the segment in degrees, 0 right, 90 up

    // The four text fields in program order (turn, its wait, run, its wait).
    std::array<QString, 4> textFields() const
    {
        return {turnCommand, turnWait, forwardCommand, forwardWait};
    }
    int nonEmptyTextFieldCount() const;
    bool operator==(const RoutePoint &) const = default;
};

// Result of adding a point. The screen shows "これ以上命令を追加できません。" for both refusals.
enum class AddPointResult {
    Added,
    LineLimit,   // lineCount has reached the limit
    RecordLimit, // the route already ends at record 57
};

// The line limit of a route, so that its program fits the robot's memory with or without the
// start header that waits for the front switch (`how` false sends the header: 110 lines).
int routeLineLimit(bool how);

// The label position of a segment for the route file, on one axis: startPx and endPx are the
// segment's start and drawn end in pixels, offset the floor picture's left (or top) offset
// inside the scroll view (0 or negative), pictureSize its width (or height), zoom 1..3.
int routeLabelCoordinate(int startPx, int endPx, int offset, int pictureSize, int zoom);

// The rubber band's target while drawing, in pixels: the pointer bent onto the nearest of the
// eight directions from the segment start, then snapped to the cell corners (10 * zoom pixels).
// A diagonal takes its length from the pointer's nearer axis and is not clamped to the floor.
// When the pointer lies on the start's row or column the target keeps previousTarget, snapped.
QPoint routeTarget(QPoint start, QPoint pointer, QPoint previousTarget, int zoom);

class RouteModel
{
public:
    RouteModel();

    const std::array<RoutePoint, ROUTE_RECORD_COUNT> &records() const { return m_records; }
    const RoutePoint &record(int index) const { return m_records.at(static_cast<size_t>(index)); }
    // Index of the last point; 0 when only the start exists (or no route).
    int lastIndex() const { return m_lastIndex; }
    // The robot's direction after the last segment; 90 when a route is started.
    int currentHeading() const { return m_currentHeading; }
    // Non-empty text fields over records 0..57.
    int lineCount() const;
    // Every record's text fields in record order, empty ones too (the report lists them).
    QList<QStringList> listingRecords() const;

    // The program text: every non-empty text field of records 0..57, in record and field
    // order, one per line. As rebuilt by rebuildLists(); emptied by starting, clearing or
    // abandoning a route.
    const QStringList &programText() const { return m_programText; }
    // For each line of programText(), the record whose segment (from the record before it to
    // this one) the line drives.
    const QList<int> &lineRecords() const { return m_lineRecords; }
    // "x,y" for every record of 0..57 whose x is not 0, as rebuilt by rebuildLists().
    const QStringList &coordinateList() const { return m_coordinates; }

    // Starts a new route at (x, y): clears the records and both lists, lastIndex 0, heading 90.
    void startRoute(int x, int y);

    // Adds the point (x, y) as record lastIndex + 1 and converts the segment that it closes
    // (segmentToText); labelX/labelY are stored as given (see routeLabelCoordinate). Refused,
    // with nothing changed, when lineCount() >= lineLimit or the route already ends at
    // record 57. Rebuilds the lists on success.
    AddPointResult addPoint(int x, int y, int labelX, int labelY, int lineLimit);

    // Converts the segment (x0, y0) -> (x1, y1) into the record at lastIndex: sets its four
    // text fields and heading and updates currentHeading. Text fields the segment does not
    // need are left as they are. addPoint calls it; exposed for the screen's own use.
    void segmentToText(int x0, int y0, int x1, int y1);

    // Removes the last point: clears record lastIndex and steps back one point. Returns true
    // when a route remains (lastIndex still above 0; heading taken from the new last record,
    // lists rebuilt). Returns false when the route is abandoned: heading 90, lists emptied.
    bool removeLastPoint();

    // Clears the route: every record, lastIndex 0, heading 90, both lists emptied.
    void clear();

    // Replaces the whole state, as reading a route file does: the records are taken as they
    // are (record 58 is kept empty), lastIndex = (records 0..57 with x != 0) - 1 and the
    // heading is that record's. Returns false, leaving a cleared route, when no record has
    // x != 0. Rebuilds the lists on success.
    bool assignRecords(const std::array<RoutePoint, ROUTE_RECORD_COUNT> &records);

    // Rebuilds the program text and the coordinate list from records 0..57.
    void rebuildLists();

    bool operator==(const RouteModel &) const = default;

private:
    std::array<RoutePoint, ROUTE_RECORD_COUNT> m_records;
    int m_lastIndex = 0;
    int m_currentHeading = ROUTE_START_HEADING;
    QStringList m_programText;
    QList<int> m_lineRecords;
    QStringList m_coordinates;
};
