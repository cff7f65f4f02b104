// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtWidgets/QWidget>

#include <QPixmap>
#include <QPoint>

// The picture that fills a borderless window. Dragging it (any mouse button) moves the
// window by the pointer's travel and brings it to the front, since there is no title bar.
class BackgroundPicture : public QWidget
{
    Q_OBJECT
public:
    // name: `back` on most windows, `Image1` on the settings window.
    BackgroundPicture(const QString &name, const QString &pictureName, QWidget *parent);

    void setDraggable(bool on) { m_draggable = on; }
    void setFillColor(const QColor &color);
    // Drawn in the middle while the picture file is missing.
    void setFallbackText(const QString &text);
    QPixmap picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QPixmap m_picture;
    QColor m_fill;
    QString m_fallbackText;
    bool m_draggable = true;
    bool m_dragging = false;
    QPoint m_pressGlobal;
    QPoint m_windowAtPress;
};
