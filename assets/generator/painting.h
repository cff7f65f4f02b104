// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "picturetable.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QString>
#include <QStringList>

// Shared painting helpers: one look (colours, fonts, rounded tiles) for every picture.
namespace paint {

QColor colour(unsigned rgb);
QColor mix(const QColor &a, const QColor &b, qreal t); // t = 0 gives a, 1 gives b

// The light colour of the panels the controls sit on; buttons fill their corners with it so
// that they join the panel without a seam.
QColor panelColour();

QFont uiFont(qreal pixelSize, bool bold = true);
QFont codeFont(qreal pixelSize);

// The largest font (at most maxPixels) at which every line fits the rectangle.
QFont fittedFont(const QStringList &lines, const QRectF &box, qreal maxPixels, bool bold = true,
                 bool code = false);

// Centred lines of text with a soft dark edge so that white text stays readable on any colour.
void caption(QPainter &p, const QRectF &box, const QStringList &lines, const QFont &font,
             const QColor &fill, bool edge = true, Qt::Alignment align = Qt::AlignCenter);

// A rounded tile with a vertical gradient, a light rim at the top and a darker border.
void tile(QPainter &p, const QRectF &box, qreal radius, const QColor &base, bool pressed);

// A light rounded panel with a soft shadow; an optional heading in the accent colour.
void panel(QPainter &p, const QRectF &box, const QColor &accent, const QString &heading = {});

// Thick arrow from `from` to `to` with a head of the given width.
void arrow(QPainter &p, QPointF from, QPointF to, qreal shaft, qreal head, const QColor &fill);

// Arc arrow about a centre, from startDeg sweeping sweepDeg (mathematical sense on screen:
// positive is counter-clockwise), the head at the end.
void arcArrow(QPainter &p, QPointF centre, qreal radius, qreal startDeg, qreal sweepDeg,
              qreal shaft, qreal head, const QColor &fill);

// The friendly robot of the product: a round body on two wheels, looking at the pupil.
void robot(QPainter &p, QPointF centre, qreal size, const QColor &body);

// A small gear, a question mark badge and a game pad, for the menu badges.
void gear(QPainter &p, QPointF centre, qreal radius, const QColor &fill);

}

// The drawing routines, one per kind of picture. Each paints the whole image.
void drawBackdrop(QImage &image, const pictures::Picture &picture);
void drawFixedPicture(QImage &image, const pictures::Picture &picture);
void drawButton(QImage &image, const pictures::Picture &picture, bool pressed);
void drawMenuButton(QImage &image, const pictures::Picture &picture, bool pressed);
void drawIcon(QImage &image, const pictures::Picture &picture);
void drawKey(QImage &image, const pictures::Picture &picture, bool pressed);
void drawAngle(QImage &image, const pictures::Picture &picture, bool pressed);
void drawRemote(QImage &image, const pictures::Picture &picture, bool pressed);
void drawMarker(QImage &image, const pictures::Picture &picture);
// The start, goal and cone of the route floor; false for any other marker.
bool drawFloorMarker(QImage &image, const pictures::Picture &picture);
void drawHelpCard(QImage &image, const pictures::Picture &picture);
void drawHelpItem(QImage &image, const pictures::Picture &picture);
void drawHelpEntry(QImage &image, const pictures::Picture &picture);
void drawHelpCardWithSketch(QImage &image, const pictures::Picture &picture);

// The base name of a picture ("Photo\Button\send.jpg" gives "send").
QString baseName(const pictures::Picture &picture);
// The caption of a picture, the pressed variant where it has one ("a|b").
QString captionText(const pictures::Picture &picture, bool pressed);
