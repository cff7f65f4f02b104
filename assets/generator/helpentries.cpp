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
