// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "icon/iconprogram.h"

#include <QList>
#include <QString>
#include <QStringView>

// The path preview of an icon program, without a window: a two-wheel simulation of the motion
// slots, the fit of the path into the square drawing area, and every position the preview
// window needs (segment lines, pictures, number labels, START and END, the length label) as
// plain numbers. The window draws exactly these.

// The drawing area is square, PREVIEW_AREA_SIZE pixels, placed at (PREVIEW_AREA_LEFT,
// PREVIEW_AREA_TOP) in the preview window.
inline constexpr int PREVIEW_AREA_SIZE = 500;
inline constexpr int PREVIEW_AREA_LEFT = 9;
inline constexpr int PREVIEW_AREA_TOP = 10;

// Spans of the path below this many centimetres count as zero. Sines and cosines of multiples
// of 90 degrees leave noise of about 1e-14 cm across a straight path, far below it, while the
// smallest real movement (0.1 s straight, 1.8 cm; a 45-degree turn about a wheel, 1.5 cm) is far
// above. Without it the scale of a straight path would overflow.
inline constexpr float PREVIEW_ZERO_SPAN = 1e-3f;

// One point of the path. Centimetres with y upwards from the simulation; drawing pixels (still
// y upwards, 0..500) after previewFitted().
struct PreviewPoint
{
    float x = 0;
    float y = 0;
    QString mark; // "FF", "BB", "FL", "FR", "BL", "BR", "L_Turn", "R_Turn", "Stop"; empty for the start
    qint32 rot = 0; // degrees turned since the start, left turns positive
};

// The mark of a motion line ("motor(fwd,fwd)" gives "FF"); empty for any other line.
QString previewMarkOf(QStringView line);

// The path: point 0 at the origin, then one point per motion slot (kind MOTION), slots 0..58
// in order. Every other slot is skipped. The robot starts facing up (heading 90).
QList<PreviewPoint> simulatePreview(const IconProgram &program);

struct PreviewFit
{
    float spanX = 0; // after PREVIEW_ZERO_SPAN (noise is 0)
    float spanY = 0;
    double scale = 1; // pixels per centimetre, truncated to one decimal; 1 without any span
    int offsetX = 0;
    int offsetY = 0;
    int length = 0; // the side length shown below the area, cm; 0 without any span
};

// Fits the path into the area: the larger span fills it, the path centred.
PreviewFit fitPreview(const QList<PreviewPoint> &points);

// The points in drawing pixels: x * scale + offsetX, y * scale + offsetY.
QList<PreviewPoint> previewFitted(const QList<PreviewPoint> &points, const PreviewFit &fit);

struct PreviewSegment
{
    // The red line, 3 pixels wide, in area coordinates (y downwards).
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    // The instruction's picture: the system's file name, rotated counter-clockwise on screen by
    // `rotation` degrees about its centre (canvas enlarged to hold it), shown stretched to
    // pictureSize square at (pictureLeft, pictureTop) in window coordinates.
    QString picture;
    int rotation = 0;
    int pictureSize = 24;
    int pictureLeft = 0;
    int pictureTop = 0;
    // The segment's number, bold 17 pixels, black, window coordinates.
    QString number;
    int numberLeft = 0;
    int numberTop = 0;
};

struct PreviewLabel
{
    QString text; // "START" or "END"
    int left = 0; // window coordinates
    int top = 0;
};

// The robot drawn as a small top view where the path starts and where it ends, so the pupil
// sees which way it faces. Its centre (area coordinates) lies on the point, moved inside just
// far enough for the whole view to show.
inline constexpr int PREVIEW_ROBOT_SIZE = 26;

struct PreviewRobot
{
    int x = 0;
    int y = 0;
    int heading = 0; // degrees turned from facing up the screen, counter-clockwise positive
};

struct PreviewDrawing
{
    // False for a program without a motion slot: nothing is drawn and no label is set.
    bool hasPath = false;
    QList<PreviewPoint> points; // drawing pixels, y upwards
    PreviewFit fit;
    QString lengthText; // for Label2
    QList<PreviewSegment> segments; // one per motion slot, in order
    PreviewLabel start;
    PreviewLabel end;
    PreviewRobot startRobot;
    PreviewRobot endRobot;
};

// Everything the preview window draws for the program, for an area at (areaLeft, areaTop).
PreviewDrawing buildPreview(const IconProgram &program, int areaLeft = PREVIEW_AREA_LEFT,
                            int areaTop = PREVIEW_AREA_TOP);
