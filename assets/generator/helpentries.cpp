// SPDX-License-Identifier: GPL-3.0-or-later
// Entries of the text screen's help lists. The marker ball (or the small ball of a sub-item)
// sits on the left end of the entry, so the entry keeps that end free and its caption starts
// after it.
#include "painting.h"

#include <QPainter>

using namespace paint;
using pictures::Picture;

namespace {
// Room for ball1/ball (20 wide) on a group, for s_ball (15 wide) on a sub-item.
qreal markerRoom(const QImage &image)
{
    return image.height() >= 19 ? 22 : 18;
}
}

void drawHelpEntry(QImage &image, const Picture &picture)
{
    QPainter p;
    const QColor base = colour(picture.colour);
    image.fill(mix(base, Qt::white, 0.86));
    p.begin(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const qreal room = markerRoom(image);
    p.setPen(Qt::NoPen);
    p.setBrush(mix(base, Qt::white, 0.7));
    p.drawEllipse(QRectF(room / 2 - 4, image.height() / 2.0 - 4, 8, 8));
    p.setBrush(base);
    p.drawRoundedRect(QRectF(room, 2, 4, image.height() - 4), 2, 2);
    const QString text = QString::fromUtf8(picture.caption);
    const QRectF box(room + 8, 0, image.width() - room - 10, image.height());
    caption(p, box, {text}, fittedFont({text}, box, image.height() - 6), base.darker(160), false,
            Qt::AlignLeft | Qt::AlignVCenter);
    p.setPen(QPen(mix(base, Qt::white, 0.5), 1));
    p.drawLine(QPointF(room, image.height() - 0.5), QPointF(image.width(), image.height() - 0.5));
    p.end();
}

namespace {

// Whether the square at x, y of side size holds only the card's white ground.
bool blank(const QImage &image, int x, int y, int size)
{
    for (int j = y; j < y + size; ++j) {
        for (int i = x; i < x + size; ++i) {
            if (qGray(image.pixel(i, j)) < 245)
                return false;
        }
    }
    return true;
}

// A small sketch of what the card explains: the robot moving, repeating, a switch or an io line.
void sketch(QPainter &p, const QString &name, const QRectF &box, const QColor &base)
{
    const QPointF c = box.center();
    const qreal s = box.width();
    if (name == u"m_1" || name == u"m_3") {
        robot(p, c + QPointF(0, s * 0.12), s * 0.55, base);
        arrow(p, c + QPointF(-s * 0.05, -s * 0.18), c + QPointF(-s * 0.05, -s * 0.48), s * 0.1, s * 0.26, base.darker(130));
        if (name == u"m_3")
            arrow(p, c + QPointF(s * 0.22, -s * 0.12), c + QPointF(s * 0.22, -s * 0.42), s * 0.07, s * 0.18,
                  base.darker(130));
    } else if (name == u"m_4") {
        arcArrow(p, c, s * 0.36, 100, 300, s * 0.09, s * 0.22, base);
        robot(p, c, s * 0.36, base.darker(120));
    } else if (name == u"m_5" || name == u"m_6") {
        // The front switch: a round push button on a plate.
        p.setPen(QPen(base.darker(150), 1.5));
        p.setBrush(mix(base, Qt::white, 0.75));
        p.drawRoundedRect(QRectF(c.x() - s * 0.4, c.y() - s * 0.05, s * 0.8, s * 0.4), 4, 4);
        p.setBrush(base);
        p.drawEllipse(QPointF(c.x(), c.y() - s * 0.05), s * 0.2, s * 0.2);
        arrow(p, c + QPointF(0, -s * 0.5), c + QPointF(0, -s * 0.28), s * 0.08, s * 0.2, base.darker(130));
    } else {
        // An io line: a pin with its wire and a lamp.
        p.setPen(QPen(base.darker(150), 2));
        p.drawLine(QPointF(c.x() - s * 0.4, c.y() + s * 0.2), QPointF(c.x() + s * 0.1, c.y() + s * 0.2));
        p.drawLine(QPointF(c.x() + s * 0.1, c.y() + s * 0.2), QPointF(c.x() + s * 0.1, c.y() - s * 0.05));
        p.setBrush(name == u"m_8" ? mix(base, Qt::white, 0.7) : QColor(0xff, 0xd2, 0x3a));
        p.drawEllipse(QPointF(c.x() + s * 0.1, c.y() - s * 0.22), s * 0.2, s * 0.2);
        p.setBrush(base);
        p.drawRect(QRectF(c.x() - s * 0.48, c.y() + s * 0.1, s * 0.18, s * 0.2));
    }
}

}

// The explanation card, with a sketch in the first free corner below the example.
void drawHelpCardWithSketch(QImage &image, const Picture &picture)
{
    drawHelpCard(image, picture);
    const int size = 40;
    const int right = image.width() - size - 5;
    for (int y = image.height() - size - 5; y >= 34; y -= 2) {
        if (!blank(image, right, y, size))
            continue;
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        sketch(p, baseName(picture), QRectF(right, y, size, size), colour(picture.colour));
        return;
    }
}
