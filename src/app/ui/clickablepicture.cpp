// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/clickablepicture.h"

#include <QMouseEvent>
#include <QPainter>

void ClickablePicture::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    m_held = event->button() == Qt::LeftButton;
    update();
    emit pressed();
    afterPress();
}

void ClickablePicture::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    const bool wasHeld = m_held;
    m_held = false;
    update();
    emit released();
    afterRelease();
    if (wasHeld && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void ClickablePicture::paintCaptionPlate(QPainter &painter, const QString &caption, bool lit) const
{
    painter.setRenderHint(QPainter::Antialiasing);
    // Large pictures (the drive arrows) get a rounder, bolder plate than the small buttons.
    const bool large = height() >= 90;
    const qreal inset = large ? 2 : 1;
    const qreal radius = large ? 10 : 6;
    const QRectF r = QRectF(rect()).adjusted(inset, inset, -inset, -inset);
    painter.setPen(QPen(QColor(40, 60, 120), large ? 2 : 1.5));
    painter.setBrush(lit ? QColor(250, 200, 80) : QColor(215, 225, 250));
    painter.drawRoundedRect(r, radius, radius);
    painter.setPen(isEnabled() ? QColor(20, 30, 70) : QColor(140, 140, 140));
    QFont f = font();
    f.setPixelSize(qBound(9, height() * 2 / 5, large ? 16 : 20));
    f.setBold(true);
    painter.setFont(f);
    painter.drawText(r, Qt::AlignCenter | Qt::TextWordWrap, caption);
}
