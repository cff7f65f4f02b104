// SPDX-License-Identifier: GPL-3.0-or-later
#include "route/routemodel.h"

#include "common/rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

using namespace Qt::StringLiterals;

int RoutePoint::nonEmptyTextFieldCount() const
{
    int count = 0;
    for (const QString &field : textFields())
        count += field.isEmpty() ? 0 : 1;
    return count;
}

int routeLineLimit(bool how)
{
    return how ? 115 : 110;
}

int routeLabelCoordinate(int startPx, int endPx, int offset, int pictureSize, int zoom)
{
    const double middle = startPx + (endPx - startPx) / 2.0 - 12;
    int label = static_cast<int>(roundHalfEven(middle)) + offset;
    label = std::clamp(label, offset, std::max(offset, offset + pictureSize - 12));
    return static_cast<int>(roundHalfEven(static_cast<double>(label) / std::max(zoom, 1)));
}

QPoint routeTarget(QPoint start, QPoint pointer, QPoint previousTarget, int zoom)
{
    const int dx = pointer.x() - start.x();
    const int dy = pointer.y() - start.y();
    QPoint target = previousTarget;
    if (dx != 0 && dy != 0) {
        const long double a = std::atan(static_cast<long double>(std::abs(dy)) / std::abs(dx)) * 180.0L
                              / 3.14159265358979323846264338327950288L;
        const int sx = dx < 0 ? -1 : 1;
        const int sy = dy < 0 ? -1 : 1;
        if (a < 22.5L)
            target = QPoint(pointer.x(), start.y());
        else if (a < 45.0L)
            target = QPoint(pointer.x(), start.y() + sy * std::abs(dx));
        else if (a < 67.5L)
            target = QPoint(start.x() + sx * std::abs(dy), pointer.y());
        else
            target = QPoint(start.x(), pointer.y());
    }
    const int cell = 10 * std::max(zoom, 1);
    const auto snap = [cell](int v) {
        return static_cast<int>(roundHalfEven(static_cast<double>(v) / cell)) * cell;
    };
    return QPoint(snap(target.x()), snap(target.y()));
}

RouteModel::RouteModel() = default;

QList<QStringList> RouteModel::listingRecords() const
{
    QList<QStringList> records;
    for (const RoutePoint &point : m_records) {
        const auto fields = point.textFields();
        records.append(QStringList(fields.cbegin(), fields.cend()));
    }
    return records;
}

int RouteModel::lineCount() const
{
    int count = 0;
    for (int i = 0; i < ROUTE_USED_RECORDS; ++i)
        count += m_records[static_cast<size_t>(i)].nonEmptyTextFieldCount();
    return count;
}

void RouteModel::startRoute(int x, int y)
{
    clear();
    m_records[0].x = x;
    m_records[0].y = y;
}

AddPointResult RouteModel::addPoint(int x, int y, int labelX, int labelY, int lineLimit)
{
    if (lineCount() >= lineLimit)
        return AddPointResult::LineLimit;
    if (m_lastIndex >= ROUTE_LAST_RECORD)
        return AddPointResult::RecordLimit;

    const RoutePoint &previous = m_records[static_cast<size_t>(m_lastIndex)];
    const int x0 = previous.x;
    const int y0 = previous.y;
    ++m_lastIndex;
    // A record past the last point can still hold data read from a file; the new point
    // must not inherit any of it.
    RoutePoint &point = m_records[static_cast<size_t>(m_lastIndex)];
    point = RoutePoint();
    point.x = x;
    point.y = y;
    segmentToText(x0, y0, x, y);
    point.labelX = labelX;
    point.labelY = labelY;
    rebuildLists();
    return AddPointResult::Added;
}

void RouteModel::segmentToText(int x0, int y0, int x1, int y1)
{
    const SegmentText text = ::segmentToText(x0, y0, x1, y1, m_currentHeading);
    RoutePoint &point = m_records[static_cast<size_t>(m_lastIndex)];
    if (!text.turnCommand.isEmpty())
        point.turnCommand = text.turnCommand;
    if (!text.turnWait.isEmpty())
        point.turnWait = text.turnWait;
    if (!text.forwardCommand.isEmpty())
        point.forwardCommand = text.forwardCommand;
    if (!text.forwardWait.isEmpty())
        point.forwardWait = text.forwardWait;
    point.heading = text.heading;
    m_currentHeading = text.heading;
}

bool RouteModel::removeLastPoint()
{
    m_records[static_cast<size_t>(m_lastIndex)] = RoutePoint();
    if (m_lastIndex > 0)
        --m_lastIndex;
    if (m_lastIndex != 0) {
        m_currentHeading = m_records[static_cast<size_t>(m_lastIndex)].heading;
        rebuildLists();
        return true;
    }
    m_currentHeading = ROUTE_START_HEADING;
    m_programText.clear();
    m_lineRecords.clear();
    m_coordinates.clear();
    return false;
}

void RouteModel::clear()
{
    m_records.fill(RoutePoint());
    m_lastIndex = 0;
    m_currentHeading = ROUTE_START_HEADING;
    m_programText.clear();
    m_lineRecords.clear();
    m_coordinates.clear();
}

bool RouteModel::assignRecords(const std::array<RoutePoint, ROUTE_RECORD_COUNT> &records)
{
    int used = 0;
    for (int i = 0; i < ROUTE_USED_RECORDS; ++i)
        used += records[static_cast<size_t>(i)].x != 0 ? 1 : 0;
    clear();
    if (used == 0)
        return false;
    m_records = records;
    m_records[ROUTE_RECORD_COUNT - 1] = RoutePoint();
    m_lastIndex = used - 1;
    m_currentHeading = m_records[static_cast<size_t>(m_lastIndex)].heading;
    rebuildLists();
    return true;
}

void RouteModel::rebuildLists()
{
    m_programText.clear();
    m_lineRecords.clear();
    m_coordinates.clear();
    for (int i = 0; i < ROUTE_USED_RECORDS; ++i) {
        const RoutePoint &point = m_records[static_cast<size_t>(i)];
        for (const QString &field : point.textFields()) {
            if (!field.isEmpty()) {
                m_programText.append(field);
                m_lineRecords.append(i);
            }
        }
        if (point.x != 0)
            m_coordinates.append(u"%1,%2"_s.arg(point.x).arg(point.y));
    }
}
