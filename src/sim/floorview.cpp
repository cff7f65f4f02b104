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

// The route screen's floor, in cm.
constexpr double FLOOR_CM = FLOOR_CELLS * FLOOR_CELL_CM;
constexpr int MARGIN_PX = 36; // room for the cm scales
// The robot's start: the middle of the floor, near the bottom, facing up.
constexpr double START_X_CM = FLOOR_CM / 2;
constexpr double START_Y_CM = 35.0;
constexpr double BODY_CM = 14.0;
constexpr double WHEEL_LENGTH_CM = 6.0;
constexpr double WHEEL_WIDTH_CM = 2.0;
// The trail keeps a point when the robot moved at least this far, so arcs stay smooth.
constexpr double TRAIL_STEP_CM = 0.3;
// A very long drive forgets the oldest part of its trail, so drawing stays cheap.
constexpr qsizetype TRAIL_MAX_POINTS = 20000;

}

FloorView::FloorView(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(u"floor"_s);
    setMinimumSize(360, 360);
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
    if (moved) {
        if (m_trail.size() >= TRAIL_MAX_POINTS) {
            m_trail.remove(0, TRAIL_MAX_POINTS / 4);
            rebuildLayer();
            update();
        } else if (!m_trail.isEmpty()) {
            drawTrailSegment(m_trail.last(), p);
        }
        m_trail.append(p);
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

void FloorView::clearTrail()
{
    m_trail.clear();
    m_trail.append(QPointF(m_pose.x, m_pose.y));
    rebuildLayer();
    update();
}

double FloorView::pixelsPerCm() const
{
    return (qMin(width(), height()) - 2.0 * MARGIN_PX) / FLOOR_CM;
}

QRectF FloorView::floorRect() const
{
    const double side = FLOOR_CM * pixelsPerCm();
    return {double(MARGIN_PX), double(MARGIN_PX), side, side};
}

QPointF FloorView::toScreen(double x, double y) const
{
    const QRectF f = floorRect();
    const double s = pixelsPerCm();
    return {f.left() + (START_X_CM + x) * s, f.bottom() - (START_Y_CM + y) * s};
}

QPointF FloorView::toFloor(const QPointF &screen) const
{
    const QRectF f = floorRect();
    const double s = pixelsPerCm();
    return {(screen.x() - f.left()) / s - START_X_CM, (f.bottom() - screen.y()) / s - START_Y_CM};
}

QRect FloorView::robotRect(const sim::Pose &pose) const
{
    // The body's diagonal and the switches, with room for antialiasing.
    const double r = (BODY_CM * 0.75 + 2.0) * pixelsPerCm() + 3;
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
    p.setClipRect(floorRect());
    p.setPen(trailPen());
    p.drawLine(toScreen(from.x(), from.y()), toScreen(to.x(), to.y()));
}

void FloorView::rebuildLayer()
{
    if (width() <= 0 || height() <= 0)
        return;
    m_layer = QPixmap(size() * devicePixelRatioF());
    m_layer.setDevicePixelRatio(devicePixelRatioF());
    m_layer.fill(QColor(238, 242, 250));
    QPainter p(&m_layer);
    const QRectF f = floorRect();
    p.fillRect(f, QColor(255, 255, 250));
    const double step = f.width() / FLOOR_CELLS;
    const QPen fine(QColor(215, 225, 240), 1);
    const QPen strong(QColor(150, 170, 210), 1);
    QFont font = p.font();
    font.setPixelSize(11);
    p.setFont(font);
    for (int i = 0; i <= FLOOR_CELLS; ++i) {
        const bool major = i % FLOOR_CELLS_PER_LABEL == 0;
        p.setPen(major ? strong : fine);
        const double at = i * step;
        p.drawLine(QPointF(f.left() + at, f.top()), QPointF(f.left() + at, f.bottom()));
        p.drawLine(QPointF(f.left(), f.bottom() - at), QPointF(f.right(), f.bottom() - at));
        if (major) {
            const QString label = QString::number(i / FLOOR_CELLS_PER_LABEL * FLOOR_CM_PER_LABEL);
            p.setPen(QColor(60, 70, 110));
            p.drawText(QRectF(f.left() + at - 20, f.bottom() + 2, 40, 14), Qt::AlignCenter, label);
            p.drawText(QRectF(0, f.bottom() - at - 7, MARGIN_PX - 4, 14), Qt::AlignRight | Qt::AlignVCenter, label);
        }
    }
    p.setPen(QColor(60, 70, 110));
    p.drawText(QRectF(f.right() - 40, f.bottom() + 16, 40, 14), Qt::AlignRight, u"cm"_s);
    p.drawText(QRectF(0, f.top() - 22, MARGIN_PX - 4, 14), Qt::AlignRight, u"cm"_s);
    p.setPen(QPen(QColor(90, 110, 170), 2));
    p.drawRect(f);

    p.setRenderHint(QPainter::Antialiasing);
    p.setClipRect(f);
    p.setPen(QPen(QColor(120, 180, 120), 1.5, Qt::DashLine));
    p.drawEllipse(toScreen(0, 0), 4.0, 4.0);
    if (m_trail.size() > 1) {
        QPolygonF screen;
        screen.reserve(m_trail.size());
        for (const QPointF &pt : m_trail)
            screen.append(toScreen(pt.x(), pt.y()));
        p.setPen(trailPen());
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
    p.setClipRect(floorRect().intersected(QRectF(r)));
    drawRobot(p);
}

void FloorView::drawRobot(QPainter &p) const
{
    const double s = pixelsPerCm();
    p.save();
    p.translate(toScreen(m_pose.x, m_pose.y));
    // Screen y runs down, so a counter-clockwise heading turns the other way here; the robot is
    // drawn facing screen-up (heading 90) and rotated by the difference.
    p.rotate(90.0 - m_pose.heading);
    p.scale(s, s);

    const double half = sim::halfTread();
    QPainterPath body;
    body.addRoundedRect(QRectF(-BODY_CM / 2 + 1, -BODY_CM / 2, BODY_CM - 2, BODY_CM), 3, 3);
    p.setPen(QPen(QColor(40, 60, 120), 0.4));
    p.setBrush(QColor(120, 170, 240, 220));
    p.drawPath(body);

    // Wheels: left at -x, right at +x (the robot faces up, -y on screen).
    p.setBrush(QColor(50, 50, 60));
    p.setPen(Qt::NoPen);
    for (double side : {-half, half})
        p.drawRoundedRect(QRectF(side - WHEEL_WIDTH_CM / 2, -WHEEL_LENGTH_CM / 2, WHEEL_WIDTH_CM, WHEEL_LENGTH_CM), 0.6, 0.6);

    // The front: an arrow, then the front switch before it and the rear switch behind.
    QPolygonF arrow{QPointF(0, -BODY_CM / 2 + 1.2), QPointF(-2.6, -BODY_CM / 2 + 4.6), QPointF(2.6, -BODY_CM / 2 + 4.6)};
    p.setBrush(QColor(255, 255, 255));
    p.drawPolygon(arrow);
    p.setPen(QPen(QColor(40, 60, 120), 0.3));
    p.setBrush(m_front ? QColor(240, 60, 60) : QColor(250, 220, 80));
    p.drawRect(QRectF(-3, -BODY_CM / 2 - 1.6, 6, 1.6));
    p.setBrush(m_rear ? QColor(240, 60, 60) : QColor(250, 220, 80));
    p.drawRect(QRectF(-3, BODY_CM / 2, 6, 1.6));
    p.restore();
}

void FloorView::mousePressEvent(QMouseEvent *event)
{
    const QPointF at = toFloor(event->position());
    if (event->button() == Qt::LeftButton
        && std::hypot(at.x() - m_pose.x, at.y() - m_pose.y) <= BODY_CM) {
        m_drag = Drag::Move;
        m_grabOffset = QPointF(m_pose.x - at.x(), m_pose.y - at.y());
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
