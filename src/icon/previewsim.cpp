// SPDX-License-Identifier: GPL-3.0-or-later
#include "icon/previewsim.h"

#include "common/rounding.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

constexpr long double PI = 3.14159265358979323846264338327950288L;
constexpr float HALF_TREAD = TREAD / 2;

struct Motion
{
    QStringView line;
    QStringView mark;
};

constexpr Motion MOTIONS[] = {
    {u"motor(fwd,fwd)", u"FF"},     {u"motor(rev,rev)", u"BB"},    {u"motor(rev,fwd)", u"L_Turn"},
    {u"motor(fwd,rev)", u"R_Turn"}, {u"motor(stop,fwd)", u"FL"},   {u"motor(fwd,stop)", u"FR"},
    {u"motor(stop,rev)", u"BL"},    {u"motor(rev,stop)", u"BR"},   {u"motor(stop,stop)", u"Stop"},
};

long double radians(long double degrees)
{
    return degrees * PI / 180.0L;
}

int nearest(double value)
{
    return static_cast<int>(roundHalfEven(value));
}

// A turn about the wheel that stands still: the wheel lies half a tread to the side
// (sideSign +1 left of the heading, -1 right), and the centre swings about it to the new heading.
void pivot(PreviewPoint &point, float theta, float newTheta, int sideSign)
{
    const long double side = 90.0L * sideSign;
    const long double cx = point.x + HALF_TREAD * std::cos(radians(theta + side));
    const long double cy = point.y + HALF_TREAD * std::sin(radians(theta + side));
    point.x = static_cast<float>(cx + HALF_TREAD * std::cos(radians(newTheta - side)));
    point.y = static_cast<float>(cy + HALF_TREAD * std::sin(radians(newTheta - side)));
}

void drive(PreviewPoint &point, float theta, float distance)
{
    point.x = static_cast<float>(point.x + distance * std::cos(radians(theta)));
    point.y = static_cast<float>(point.y + distance * std::sin(radians(theta)));
}

float significantSpan(float span)
{
    return std::fabs(span) < PREVIEW_ZERO_SPAN ? 0.0f : span;
}

double truncatedScale(float span)
{
    return std::trunc(PREVIEW_AREA_SIZE / static_cast<double>(span) * 10.0) / 10.0;
}

PreviewRobot robotAt(int x, int y, int heading)
{
    constexpr int HALF = PREVIEW_ROBOT_SIZE / 2;
    return {std::clamp(x, HALF, PREVIEW_AREA_SIZE - HALF), std::clamp(y, HALF, PREVIEW_AREA_SIZE - HALF),
            heading};
}

}

QString previewMarkOf(QStringView line)
{
    for (const Motion &motion : MOTIONS) {
        if (motion.line == line)
            return motion.mark.toString();
    }
    return {};
}

QList<PreviewPoint> simulatePreview(const IconProgram &program)
{
    QList<PreviewPoint> points{PreviewPoint()};
    float theta = 90;
    for (int n = 0; n < SLOT_COUNT; ++n) {
        const ProgramSlot &slot = program.slot(n);
        if (slot.kind != SlotKind::MOTION)
            continue;
        const QString mark = previewMarkOf(slot.line);
        if (mark.isEmpty())
            continue;
        const float v = static_cast<float>(slot.value);
        PreviewPoint point = points.last();
        point.mark = mark;
        // Left turns count positive in rot; the new rot is rounded like every real to integer.
        const auto turn = [&](float by) {
            point.rot = static_cast<qint32>(roundHalfEven(static_cast<double>(point.rot + by)));
        };
        const float distance = static_cast<float>(PREVIEW_SPEED) * v / 10;
        if (mark == u"FF") {
            drive(point, theta, distance);
        } else if (mark == u"BB") {
            drive(point, theta, -distance);
        } else if (mark == u"L_Turn") {
            theta += v;
            turn(v);
        } else if (mark == u"R_Turn") {
            theta -= v;
            turn(-v);
        } else if (mark == u"FL") {
            pivot(point, theta, theta + v, +1);
            theta += v;
            turn(v);
        } else if (mark == u"FR") {
            pivot(point, theta, theta - v, -1);
            theta -= v;
            turn(-v);
        } else if (mark == u"BL") {
            pivot(point, theta, theta - v, +1);
            theta -= v;
            turn(-v);
        } else if (mark == u"BR") {
            pivot(point, theta, theta + v, -1);
            theta += v;
            turn(v);
        }
        points.append(point);
    }
    return points;
}

PreviewFit fitPreview(const QList<PreviewPoint> &points)
{
    float maxX = 0, minX = 0, maxY = 0, minY = 0;
    for (const PreviewPoint &p : points) {
        maxX = std::max(maxX, p.x);
        minX = std::min(minX, p.x);
        maxY = std::max(maxY, p.y);
        minY = std::min(minY, p.y);
    }
    PreviewFit fit;
    fit.spanX = significantSpan(maxX - minX);
    fit.spanY = significantSpan(maxY - minY);
    const double sx = fit.spanX != 0 ? truncatedScale(fit.spanX) : 0;
    const double sy = fit.spanY != 0 ? truncatedScale(fit.spanY) : 0;
    if (fit.spanX != 0 && fit.spanY != 0) {
        const bool byX = sx <= sy;
        fit.scale = byX ? sx : sy;
        fit.length = nearest(byX ? fit.spanX : fit.spanY);
    } else if (fit.spanY != 0) {
        fit.scale = sy;
        fit.length = nearest(fit.spanY);
    } else if (fit.spanX != 0) {
        fit.scale = sx;
        fit.length = nearest(fit.spanX);
    }
    // Without any span every point is the start: any scale gives the same picture.
    const double s = fit.scale;
    fit.offsetX = nearest((PREVIEW_AREA_SIZE - fit.spanX * s) / 2 - minX * s);
    fit.offsetY = nearest((PREVIEW_AREA_SIZE - fit.spanY * s) / 2 - minY * s);
    return fit;
}

QList<PreviewPoint> previewFitted(const QList<PreviewPoint> &points, const PreviewFit &fit)
{
    QList<PreviewPoint> fitted = points;
    for (PreviewPoint &p : fitted) {
        p.x = static_cast<float>(p.x * fit.scale + fit.offsetX);
        p.y = static_cast<float>(p.y * fit.scale + fit.offsetY);
    }
    return fitted;
}

PreviewDrawing buildPreview(const IconProgram &program, int areaLeft, int areaTop)
{
    PreviewDrawing drawing;
    const QList<PreviewPoint> path = simulatePreview(program);
    if (path.size() < 2)
        return drawing;
    drawing.hasPath = true;
    drawing.fit = fitPreview(path);
    drawing.points = previewFitted(path, drawing.fit);
    drawing.lengthText = QString::number(drawing.fit.length);

    const int size = PREVIEW_AREA_SIZE;
    for (qsizetype i = 0; i + 1 < drawing.points.size(); ++i) {
        const PreviewPoint &from = drawing.points[i];
        const PreviewPoint &to = drawing.points[i + 1];
        PreviewSegment segment;
        segment.x1 = nearest(from.x);
        segment.y1 = nearest(size - from.y);
        segment.x2 = nearest(to.x);
        segment.y2 = nearest(size - to.y);

        // The picture shows the robot as it stands when the instruction begins.
        segment.picture = u"Photo\\Button\\"_s + to.mark + u".bmp"_s;
        segment.rotation = from.rot;
        const bool slanted = from.rot % 90 != 0;
        segment.pictureSize = slanted ? 34 : 24;
        segment.pictureLeft = std::clamp(nearest(segment.x1 + (segment.x2 - segment.x1) / 2.0 - 12) + areaLeft,
                                         areaLeft, areaLeft + size - 12);
        segment.pictureTop = std::clamp(nearest(segment.y1 + (segment.y2 - segment.y1) / 2.0 - 12) + areaTop,
                                        areaTop, areaTop + size - 12);

        segment.number = QString::number(i + 1);
        if (slanted) {
            segment.numberLeft = segment.pictureLeft < 451 ? segment.pictureLeft + 35 : segment.pictureLeft - 14;
            segment.numberTop = segment.pictureTop + 3;
        } else {
            segment.numberLeft = segment.pictureLeft < 461 ? segment.pictureLeft + 25 : segment.pictureLeft - 14;
            segment.numberTop = segment.pictureTop;
        }
        drawing.segments.append(segment);
    }

    const PreviewSegment &first = drawing.segments.first();
    drawing.start = {u"START"_s, std::min(areaLeft + first.x1 + 5, areaLeft + size - 53),
                     std::min(areaTop + first.y1 + 5, areaTop + size - 16)};
    const PreviewSegment &last = drawing.segments.last();
    drawing.end = {u"END"_s, std::min(areaLeft + last.x2 + 5, areaLeft + size - 32),
                   std::min(areaTop + last.y2 + 5, areaTop + size - 16)};
    drawing.startRobot = robotAt(first.x1, first.y1, drawing.points.first().rot);
    drawing.endRobot = robotAt(last.x2, last.y2, drawing.points.last().rot);
    return drawing;
}
