// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures on the route screen's floor: the start, the goal and the traffic cone. They
// are drawn small (24 and 25 x 30 pixels) on a light grey floor, so each keeps a dark outline
// and one clear shape. White stays outside the shape: it is the colour keyed out on the floor.
#include "painting.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

using pictures::Picture;
using namespace paint;

namespace {

void begin(QPainter &p, QImage &image)
{
    image.fill(Qt::white);
    p.begin(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
}

// A round badge with a light top and a white rim, the base of the start and the goal.
void badge(QPainter &p, const QRectF &disc, const QColor &base)
{
    QRadialGradient g(disc.center() - QPointF(disc.width() / 5, disc.height() / 4), disc.width() * 0.75);
    g.setColorAt(0, base.lighter(150));
    g.setColorAt(1, base.darker(110));
    p.setPen(QPen(base.darker(170), 1.2));
    p.setBrush(g);
    p.drawEllipse(disc);
    p.setPen(QPen(QColor(255, 255, 255, 200), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(disc.adjusted(2, 2, -2, -2));
}

void start(QPainter &p, const QImage &image, const QColor &base)
{
    const QRectF disc = QRectF(image.rect()).adjusted(1, 1, -1, -1);
    badge(p, disc, base);
    caption(p, disc, {QStringLiteral("S")}, uiFont(14), Qt::white);
}

// A chequered flag on a pole: the goal every pupil knows from races.
void goal(QPainter &p, const QImage &image, const QColor &base)
{
    const QRectF disc = QRectF(image.rect()).adjusted(1, 1, -1, -1);
    badge(p, disc, base);
    const QPointF foot(disc.left() + 7.5, disc.bottom() - 4);
    p.setPen(QPen(QColor(0x3a, 0x3f, 0x48), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(foot, QPointF(foot.x(), disc.top() + 4));
    const QRectF flag(foot.x() + 0.8, disc.top() + 4.5, 10, 7.5);
    p.setPen(Qt::NoPen);
    const int columns = 4;
    const int rows = 3;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            p.setBrush((r + c) % 2 == 0 ? QColor(0xfa, 0xfa, 0xfa) : QColor(0x22, 0x22, 0x22));
            p.drawRect(QRectF(flag.left() + c * flag.width() / columns, flag.top() + r * flag.height() / rows,
                              flag.width() / columns + 0.1, flag.height() / rows + 0.1));
        }
    }
    p.setPen(QPen(QColor(0x22, 0x22, 0x22), 0.6));
    p.setBrush(Qt::NoBrush);
    p.drawRect(flag);
}

// A traffic cone seen from a little above: a shaded orange cone with two reflective bands,
// standing on a square foot whose front edge shows.
void cone(QPainter &p, const QImage &image, const QColor &base)
{
    const qreal w = image.width();
    const qreal h = image.height();
    const qreal mid = w / 2;
    const qreal top = 1.5;
    const qreal bottom = h - 6.5;

    QPolygonF foot{QPointF(1.5, h - 5.5), QPointF(w - 1.5, h - 5.5), QPointF(w - 3.5, h - 1.5), QPointF(3.5, h - 1.5)};
    p.setPen(QPen(QColor(0x25, 0x28, 0x2e), 0.8));
    p.setBrush(QColor(0x3a, 0x3f, 0x48));
    p.drawPolygon(foot);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x55, 0x5b, 0x66));
    p.drawRect(QRectF(2.5, h - 6.5, w - 5, 1.6));

    QPainterPath body;
    body.moveTo(mid - 1.4, top);
    body.lineTo(mid + 1.4, top);
    body.lineTo(w - 4, bottom);
    body.quadTo(mid, bottom + 2, 4, bottom);
    body.closeSubpath();
    // Light from the upper left: the right side is in shade, so the cone looks round.
    QLinearGradient shade(QPointF(4, 0), QPointF(w - 4, 0));
    shade.setColorAt(0, base.lighter(125));
    shade.setColorAt(0.45, base);
    shade.setColorAt(1, base.darker(150));
    p.setPen(QPen(base.darker(190), 0.9));
    p.setBrush(shade);
    p.drawPath(body);

    // Bands follow the cone's width at their height.
    const auto halfWidth = [&](qreal y) { return 1.4 + (mid - 4 - 1.4) * (y - top) / (bottom - top); };
    const auto band = [&](qreal y0, qreal y1) {
        QPainterPath b;
        b.moveTo(mid - halfWidth(y0), y0);
        b.quadTo(mid, y0 + 1.2, mid + halfWidth(y0), y0);
        b.lineTo(mid + halfWidth(y1), y1);
        b.quadTo(mid, y1 + 1.4, mid - halfWidth(y1), y1);
        b.closeSubpath();
        QLinearGradient g(QPointF(mid - halfWidth(y1), 0), QPointF(mid + halfWidth(y1), 0));
        g.setColorAt(0, QColor(0xff, 0xff, 0xff));
        g.setColorAt(1, QColor(0xc8, 0xcc, 0xd2));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawPath(b);
    };
    band(top + (bottom - top) * 0.28, top + (bottom - top) * 0.42);
    band(top + (bottom - top) * 0.62, top + (bottom - top) * 0.78);
    // A highlight down the lit side.
    p.setPen(QPen(QColor(255, 255, 255, 110), 1.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(mid - 1.2, top + 3), QPointF(mid - halfWidth(bottom - 3) + 2.2, bottom - 3));
}

}

bool drawFloorMarker(QImage &image, const Picture &picture)
{
    const QString name = baseName(picture);
    const QColor base = colour(picture.colour);
    QPainter p;
    if (name == u"Start") {
        begin(p, image);
        start(p, image, base);
    } else if (name == u"End") {
        begin(p, image);
        goal(p, image, base);
    } else if (name == u"piron") {
        begin(p, image);
        cone(p, image, base);
    } else {
        return false;
    }
    p.end();
    return true;
}
