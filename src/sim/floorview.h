#pragma once

#include "sim/motion.h"

#include <QtWidgets/QWidget>

#include <QPixmap>
#include <QPolygonF>

// The 175 cm floor seen from above with its grid and cm scales, the robot on it and its trail.
// The robot can be dragged to a place (left button) and turned (right button, or the wheel).
class FloorView : public QWidget
{
    Q_OBJECT
public:
    explicit FloorView(QWidget *parent = nullptr);

    void setPose(const sim::Pose &pose);
    void setSwitches(bool front, bool rear);
    // Draws the trail afresh from the robot's place.
    void clearTrail();
    const QPolygonF &trail() const { return m_trail; }

    QSize sizeHint() const override { return {720, 720}; }

signals:
    // The user put the robot down somewhere else, or turned it.
    void placed(const sim::Pose &pose);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    QPointF toScreen(double x, double y) const;
    QPointF toFloor(const QPointF &screen) const;
    double pixelsPerCm() const;
    QRectF floorRect() const;
    // The grid with the trail drawn into it, so a frame only copies the part that changed.
    void rebuildLayer();
    void drawTrailSegment(const QPointF &from, const QPointF &to);
    QPen trailPen() const;
    QRect robotRect(const sim::Pose &pose) const;
    void drawRobot(QPainter &painter) const;

    sim::Pose m_pose;
    bool m_front = false;
    bool m_rear = false;
    QPolygonF m_trail;
    QPixmap m_layer;
    enum class Drag { None, Move, Turn } m_drag = Drag::None;
    QPointF m_grabOffset;
};
