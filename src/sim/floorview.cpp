// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/floorview.h"

#include "route/floorlayout.h"

#include <QtWidgets/QWidget>

#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QPainterPath>
#include <QWheelEvent>

#include <cmath>
#include <numbers>

using namespace Qt::StringLiterals;

namespace {

constexpr double FLOOR_CM = sim::FLOOR_SIDE_CM;
constexpr int MARGIN_PX = 36; // room for the cm scales
// The view grows in steps of a scale label, so a robot beyond the edge does not redraw the
// floor at every frame.
constexpr double VIEW_STEP_CM = FLOOR_CM_PER_LABEL;
// The trail keeps a point when the robot moved at least this far, so arcs stay smooth.
constexpr double TRAIL_STEP_CM = 0.3;
// A very long drive forgets the oldest part of its trail, so drawing stays cheap.
constexpr qsizetype TRAIL_MAX_POINTS = 20000;

// The product's colours, whatever palette the desktop gives.
const QColor OUTSIDE(238, 242, 250);
const QColor FLOOR(255, 255, 250);
const QColor GRID_FINE(215, 225, 240);
const QColor GRID_STRONG(150, 170, 210);
const QColor SCALE_TEXT(60, 70, 110);
const QColor WALL(70, 80, 110);
const QColor OPEN_EDGE(90, 110, 170);
const QColor CONE(245, 130, 40);
const QColor GUIDE(60, 160, 90);

}

FloorView::FloorView(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(u"floor"_s);
    setMinimumSize(300, 300);
    m_view = viewFor(m_pose);
    clearTrail();
}

void FloorView::setPose(const sim::Pose &pose)
{
    const QPointF p(pose.x, pose.y);
    const bool moved = m_trail.isEmpty() || std::hypot(p.x() - m_trail.last().x(), p.y() - m_trail.last().y()) >= TRAIL_STEP_CM;
    if (!moved && pose.heading == m_pose.heading)
        return;
    const QRect before = robotRect(m_pose);
    m_pose = pose;
    const QRectF view = viewFor(pose);
    bool rescaled = view != m_view;
    m_view = view;
    if (moved) {
        if (m_trail.size() >= TRAIL_MAX_POINTS) {
            m_trail.remove(0, TRAIL_MAX_POINTS / 4);
            rescaled = true;
        } else if (!rescaled && !m_trail.isEmpty()) {
            drawTrailSegment(m_trail.last(), p);
        }
        m_trail.append(p);
    }
    if (rescaled) {
        rebuildLayer();
        update();
        return;
    }
    update(before.united(robotRect(m_pose)));
}

void FloorView::setSwitches(bool front, bool rear)
{
    if (front == m_front && rear == m_rear)
        return;
    m_front = front;
    m_rear = rear;
    update(robotRect(m_pose));
}

void FloorView::setWorld(const sim::World &world)
{
    m_world = world;
    m_view = viewFor(m_pose);
    rebuildLayer();
    update();
}

void FloorView::setGuide(const QPolygonF &points)
{
    m_guide = points;
    rebuildLayer();
    update();
}

void FloorView::clearTrail()
{
    m_trail.clear();
    m_trail.append(QPointF(m_pose.x, m_pose.y));
    rebuildLayer();
    update();
}

QRectF FloorView::viewFor(const sim::Pose &pose) const
{
    // Between walls the robot cannot leave the floor.
    if (m_world.walls)
        return {0, 0, FLOOR_CM, FLOOR_CM};
    const double r = sim::bodyHalfLength() + 3;
    const double x0 = std::floor(std::min(0.0, pose.x - r) / VIEW_STEP_CM) * VIEW_STEP_CM;
    const double y0 = std::floor(std::min(0.0, pose.y - r) / VIEW_STEP_CM) * VIEW_STEP_CM;
    const double x1 = std::ceil(std::max(FLOOR_CM, pose.x + r) / VIEW_STEP_CM) * VIEW_STEP_CM;
    const double y1 = std::ceil(std::max(FLOOR_CM, pose.y + r) / VIEW_STEP_CM) * VIEW_STEP_CM;
    const double side = std::max(x1 - x0, y1 - y0);
    return {x0, y0, side, side};
}

double FloorView::pixelsPerCm() const
{
    return (qMin(width(), height()) - 2.0 * MARGIN_PX) / m_view.width();
}

QPointF FloorView::origin() const
{
    // The square view in the middle of the widget.
    const double side = m_view.width() * pixelsPerCm();
    return {(width() - side) / 2, (height() - side) / 2};
}

QPointF FloorView::toScreen(double x, double y) const
{
    const double s = pixelsPerCm();
    const QPointF o = origin();
    return {o.x() + (x - m_view.left()) * s, o.y() + (m_view.top() + m_view.height() - y) * s};
}

QPointF FloorView::toFloor(const QPointF &screen) const
{
    const double s = pixelsPerCm();
    const QPointF o = origin();
    return {(screen.x() - o.x()) / s + m_view.left(), m_view.top() + m_view.height() - (screen.y() - o.y()) / s};
}

QRectF FloorView::floorRect() const
{
    return QRectF(toScreen(0, FLOOR_CM), toScreen(FLOOR_CM, 0));
}

QRect FloorView::robotRect(const sim::Pose &pose) const
{
    // The outline's farthest corner, with room for antialiasing.
    const double r = (sim::bodyHalfLength() + 2.0) * pixelsPerCm() + 3;
    const QPointF c = toScreen(pose.x, pose.y);
    return QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r).toAlignedRect();
}

void FloorView::resizeEvent(QResizeEvent *)
{
    rebuildLayer();
}

QPen FloorView::trailPen() const
{
    return QPen(QColor(240, 120, 40), 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void FloorView::drawTrailSegment(const QPointF &from, const QPointF &to)
{
    if (m_layer.isNull())
        return;
    QPainter p(&m_layer);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(trailPen());
    p.drawLine(toScreen(from.x(), from.y()), toScreen(to.x(), to.y()));
}

void FloorView::drawFloor(QPainter &p) const
{
    const QRectF f = floorRect();
    p.fillRect(f, FLOOR);
    const double step = f.width() / FLOOR_CELLS;
    const QPen fine(GRID_FINE, 1);
    const QPen strong(GRID_STRONG, 1);
    QFont font = p.font();
    font.setPixelSize(11);
    p.setFont(font);
    for (int i = 0; i <= FLOOR_CELLS; ++i) {
        const bool major = i % FLOOR_CELLS_PER_LABEL == 0;
        // A widened view keeps only the labelled lines, so the floor does not turn grey.
        if (!major && step < 4)
            continue;
        p.setPen(major ? strong : fine);
        const double at = i * step;
        p.drawLine(QPointF(f.left() + at, f.top()), QPointF(f.left() + at, f.bottom()));
        p.drawLine(QPointF(f.left(), f.bottom() - at), QPointF(f.right(), f.bottom() - at));
        if (major) {
            const QString label = QString::number(i / FLOOR_CELLS_PER_LABEL * FLOOR_CM_PER_LABEL);
            p.setPen(SCALE_TEXT);
            p.drawText(QRectF(f.left() + at - 20, f.bottom() + 2, 40, 14), Qt::AlignCenter, label);
            p.drawText(QRectF(f.left() - MARGIN_PX, f.bottom() - at - 7, MARGIN_PX - 4, 14), Qt::AlignRight | Qt::AlignVCenter, label);
        }
    }
    p.setPen(SCALE_TEXT);
    p.drawText(QRectF(f.right() - 40, f.bottom() + 16, 40, 14), Qt::AlignRight, u"cm"_s);
    p.drawText(QRectF(f.left() - MARGIN_PX, f.top() - 22, MARGIN_PX - 4, 14), Qt::AlignRight, u"cm"_s);

    p.setRenderHint(QPainter::Antialiasing);
    const double s = pixelsPerCm();
    if (m_world.walls)
        p.setPen(QPen(WALL, std::max(3.0, 1.5 * s), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    else
        p.setPen(QPen(OPEN_EDGE, 1.5, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(f);
    for (const QLineF &piece : m_world.pieces) {
        p.setPen(QPen(WALL, sim::WALL_PIECE_THICKNESS_CM * s, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(toScreen(piece.x1(), piece.y1()), toScreen(piece.x2(), piece.y2()));
    }
    const double coneR = sim::CONE_DIAMETER_CM / 2 * s;
    for (const QPointF &cone : m_world.cones) {
        const QPointF c = toScreen(cone.x(), cone.y());
        p.setPen(QPen(QColor(150, 70, 20), 1.2));
        p.setBrush(CONE);
        p.drawEllipse(c, coneR, coneR);
        p.setPen(QPen(QColor(255, 255, 255), std::max(1.5, 0.25 * coneR)));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, coneR * 0.55, coneR * 0.55);
        p.setBrush(QColor(150, 70, 20));
        p.setPen(Qt::NoPen);
        p.drawEllipse(c, coneR * 0.18, coneR * 0.18);
    }
    if (m_guide.size() > 1) {
        QPolygonF screen;
        for (const QPointF &pt : m_guide)
            screen.append(toScreen(pt.x(), pt.y()));
        // Wider than the trail, so it shows on both sides of a robot that follows it.
        p.setPen(QPen(QColor(GUIDE.red(), GUIDE.green(), GUIDE.blue(), 110), 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(screen);
        p.setBrush(GUIDE);
        p.setPen(Qt::NoPen);
        for (const QPointF &pt : screen)
            p.drawEllipse(pt, 2.5, 2.5);
    }
}

void FloorView::rebuildLayer()
{
    if (width() <= 0 || height() <= 0)
        return;
    m_layer = QPixmap(size() * devicePixelRatioF());
    m_layer.setDevicePixelRatio(devicePixelRatioF());
    m_layer.fill(OUTSIDE);
    QPainter p(&m_layer);
    drawFloor(p);
    if (m_trail.size() > 1) {
        QPolygonF screen;
        screen.reserve(m_trail.size());
        for (const QPointF &pt : m_trail)
            screen.append(toScreen(pt.x(), pt.y()));
        p.setPen(trailPen());
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(screen);
    }
}

void FloorView::paintEvent(QPaintEvent *event)
{
    if (m_layer.size() != size() * devicePixelRatioF())
        rebuildLayer();
    QPainter p(this);
    const QRect r = event->rect();
    const double dpr = m_layer.devicePixelRatioF();
    p.drawPixmap(r, m_layer, QRectF(r.x() * dpr, r.y() * dpr, r.width() * dpr, r.height() * dpr));
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipRect(r);
    drawRobot(p);
}

void FloorView::drawRobot(QPainter &p) const
{
    const double s = pixelsPerCm();
    p.save();
    p.translate(toScreen(m_pose.x, m_pose.y));
    // Screen y runs down, so a counter-clockwise heading turns the other way here; the robot is
    // drawn facing screen-up (heading 90) and rotated by the difference. Its frame's forward u
    // is screen -y, its left v screen -x.
    p.rotate(90.0 - m_pose.heading);
    p.scale(s, s);
    auto outline = [](const sim::BodyPart &part) {
        const QRectF inner(-part.v1, -part.u1, part.v1 - part.v0, part.u1 - part.u0);
        return inner.adjusted(-part.radius, -part.radius, part.radius, part.radius);
    };
    const sim::BodyPart &body = sim::bodyPart(sim::BODY);
    p.setPen(QPen(QColor(40, 60, 120), 0.4));
    p.setBrush(QColor(120, 170, 240, 220));
    p.drawRoundedRect(outline(body), body.radius, body.radius);

    p.setBrush(QColor(50, 50, 60));
    p.setPen(Qt::NoPen);
    for (int wheel : {sim::LEFT_WHEEL, sim::RIGHT_WHEEL}) {
        const sim::BodyPart &w = sim::bodyPart(wheel);
        p.drawRoundedRect(outline(w), w.radius, w.radius);
    }

    // The front: an arrow, then the switch plates on the front and rear edges.
    const double front = -(body.u1 + body.radius);
    QPolygonF arrow{QPointF(0, front + 1.2), QPointF(-2.6, front + 4.6), QPointF(2.6, front + 4.6)};
    p.setBrush(QColor(255, 255, 255));
    p.drawPolygon(arrow);
    p.setPen(QPen(QColor(40, 60, 120), 0.3));
    p.setBrush(m_front ? QColor(240, 60, 60) : QColor(250, 220, 80));
    p.drawRect(outline(sim::bodyPart(sim::FRONT_SWITCH)));
    p.setBrush(m_rear ? QColor(240, 60, 60) : QColor(250, 220, 80));
    p.drawRect(outline(sim::bodyPart(sim::REAR_SWITCH)));
    p.restore();
}

void FloorView::mousePressEvent(QMouseEvent *event)
{
    const QPointF at = toFloor(event->position());
    const bool onRobot = std::hypot(at.x() - m_pose.x, at.y() - m_pose.y) <= sim::bodyHalfLength();
    if (event->button() == Qt::LeftButton && onRobot) {
        m_drag = Drag::Move;
        m_grabOffset = QPointF(m_pose.x - at.x(), m_pose.y - at.y());
    } else if (event->button() == Qt::LeftButton) {
        emit floorClicked(at);
    } else if (event->button() == Qt::RightButton) {
        m_drag = Drag::Turn;
        mouseMoveEvent(event);
    }
}

void FloorView::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF at = toFloor(event->position());
    sim::Pose pose = m_pose;
    if (m_drag == Drag::Move) {
        pose.x = at.x() + m_grabOffset.x();
        pose.y = at.y() + m_grabOffset.y();
    } else if (m_drag == Drag::Turn) {
        const double dx = at.x() - m_pose.x;
        const double dy = at.y() - m_pose.y;
        if (std::hypot(dx, dy) < 1.0)
            return;
        // Whole degrees, so a pupil can set 90 exactly.
        pose.heading = sim::normalizedHeading(std::round(std::atan2(dy, dx) * 180.0 / std::numbers::pi));
    } else {
        return;
    }
    emit placed(pose);
}

void FloorView::mouseReleaseEvent(QMouseEvent *)
{
    m_drag = Drag::None;
}

void FloorView::wheelEvent(QWheelEvent *event)
{
    const int notches = event->angleDelta().y() / 120;
    if (notches == 0)
        return;
    sim::Pose pose = m_pose;
    pose.heading = sim::normalizedHeading(std::round(pose.heading / 15.0) * 15.0 + 15.0 * notches);
    emit placed(pose);
}
