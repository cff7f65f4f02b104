// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/backgroundpicture.h"

#include "app/ui/pictures.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

BackgroundPicture::BackgroundPicture(const QString &name, const QString &pictureName,
                                     QWidget *parent)
    : QWidget(parent)
    , m_picture(ui::loadPictureQuietly(pictureName))
    , m_fill(30, 40, 70)
{
    setObjectName(name);
    setGeometry(0, 0, parent ? parent->width() : 0, parent ? parent->height() : 0);
    lower();
}

void BackgroundPicture::setFillColor(const QColor &color)
{
    m_fill = color;
    update();
}

void BackgroundPicture::setFallbackText(const QString &text)
{
    m_fallbackText = text;
    update();
}

void BackgroundPicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (!m_picture.isNull()) {
        painter.drawPixmap(rect(), m_picture);
        return;
    }
    painter.fillRect(rect(), m_fill);
    if (!m_fallbackText.isEmpty()) {
        QFont f = font();
        f.setPixelSize(qBound(12, height() / 14, 28));
        f.setBold(true);
        painter.setFont(f);
        painter.setPen(Qt::white);
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, m_fallbackText);
    }
}

// The window's travel is measured on the screen rather than within the picture: the picture
// moves with the window, and screen positions do not jump while the window manager catches up.
void BackgroundPicture::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    if (!m_draggable)
        return;
    window()->raise();
    // Where the window system moves windows itself (Wayland gives a client no other way), it
    // follows the pointer; otherwise the window is moved here by the pointer's travel.
    QWindow *handle = window()->windowHandle();
    if (event->button() == Qt::LeftButton && handle && handle->startSystemMove())
        return;
    m_dragging = true;
    m_pressGlobal = event->globalPosition().toPoint();
    m_windowAtPress = window()->pos();
}

void BackgroundPicture::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    if (!m_dragging)
        return;
    window()->move(m_windowAtPress + (event->globalPosition().toPoint() - m_pressGlobal));
    window()->raise();
}

void BackgroundPicture::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    m_dragging = false;
}
