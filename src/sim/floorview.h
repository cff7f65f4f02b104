// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim/motion.h"
#include "sim/world.h"

#include <QtWidgets/QWidget>

#include <QPixmap>
#include <QPolygonF>
#include <QRectF>

// The 175 cm floor seen from above with its grid and cm scales, its walls, cones and wall
// pieces, a route laid on it as a guide line, the robot and its trail. The robot can be dragged
// to a place (left button) and turned (right button, or the wheel); a click elsewhere on the
// floor asks for a cone there. When the robot leaves the floor (walls off) the view widens so
// that it stays in sight.
class FloorView : public QWidget
{
    Q_OBJECT
public:
    explicit FloorView(QWidget *parent = nullptr);

    void setPose(const sim::Pose &pose);
    void setSwitches(bool front, bool rear);
    void setWorld(const sim::World &world);
    // Points in floor cm, drawn as a thin line; empty for none.
    void setGuide(const QPolygonF &points);
    // Draws the trail afresh from the robot's place.
    void clearTrail();
    const QPolygonF &trail() const { return m_trail; }
    // The part of the floor plane in view, in cm.
    QRectF viewCm() const { return m_view; }
    // The floor point at a place in the widget, and back.
    QPointF toFloor(const QPointF &screen) const;
    QPointF toScreen(double x, double y) const;

    QSize sizeHint() const override { return {640, 640}; }

signals:
    // The user put the robot down somewhere else, or turned it.
    void placed(const sim::Pose &pose);
    // A click on the floor away from the robot.
    void floorClicked(const QPointF &at);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    double pixelsPerCm() const;
    QPointF origin() const;
    QRectF floorRect() const;
    // The view that holds the floor and the robot at the pose, in steps of a scale label.
    QRectF viewFor(const sim::Pose &pose) const;
    // The grid, walls, cones, guide and trail, so a frame only copies the part that changed.
    void rebuildLayer();
    void drawFloor(QPainter &p) const;
    void drawTrailSegment(const QPointF &from, const QPointF &to);
    QPen trailPen() const;
    QRect robotRect(const sim::Pose &pose) const;
    void drawRobot(QPainter &painter) const;

    sim::Pose m_pose = sim::DEFAULT_START;
    bool m_front = false;
    bool m_rear = false;
    sim::World m_world;
    QPolygonF m_guide;
    QRectF m_view;
    QPolygonF m_trail;
    QPixmap m_layer;
    enum class Drag { None, Move, Turn } m_drag = Drag::None;
    QPointF m_grabOffset;
};
