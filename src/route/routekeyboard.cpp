// SPDX-License-Identifier: GPL-3.0-or-later
#include "route/routekeyboard.h"

#include "app/ui/controlnames.h"
#include "route/floorlayout.h"
#include "route/routefloorview.h"

#include <QtWidgets/QScrollArea>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace {

// Drawn over the floor while it has the focus; the pointer goes through to the floor.
class Crosshair : public QWidget
{
public:
    explicit Crosshair(QWidget *floor)
        : QWidget(floor)
    {
        setObjectName(u"crosshair"_s);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
    }

    QPoint at;

protected:
    void paintEvent(QPaintEvent *) override
    {
        if (!parentWidget()->hasFocus())
            return;
        QPainter p(this);
        // A dark line under a yellow one shows on the white floor and on the route alike.
        for (const auto &[colour, width] : {std::pair{QColor(20, 30, 70), 4}, std::pair{QColor(0xf2, 0xb7, 0x05), 2}}) {
            p.setPen(QPen(colour, width));
            p.drawLine(at.x() - 14, at.y(), at.x() + 14, at.y());
            p.drawLine(at.x(), at.y() - 14, at.x(), at.y() + 14);
        }
        p.setPen(QPen(QColor(20, 30, 70), 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(at, 6, 6);
    }
};

}

RouteKeyboard::RouteKeyboard(RouteFloorView *floor, QScrollArea *scroll)
    : QObject(floor)
    , m_floor(floor)
    , m_scroll(scroll)
    , m_cell(FLOOR_CELLS / 2, FLOOR_CELLS / 2)
{
    ui::makePictureControl(floor, false);
    floor->setFocusPolicy(Qt::StrongFocus);
    // The floor is the Tab stop, not the scroll area around it.
    scroll->setFocusPolicy(Qt::NoFocus);
    m_crosshair = new Crosshair(floor);
    m_crosshair->setGeometry(floor->rect());
    floor->installEventFilter(this);
    describe();
}

// The crosshair's grid point where the floor shows it: docked beside the navigator the floor
// is drawn smaller, and a pointer event there is taken as a position on the floor as shown.
QPoint RouteKeyboard::pixel() const
{
    const int step = FLOOR_CELL_UNITS * qMax(1, m_floor->zoom());
    return m_floor->toShown(m_cell * step);
}

bool RouteKeyboard::eventFilter(QObject *, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Resize:
        m_crosshair->setGeometry(m_floor->rect());
        m_crosshair->raise();
        static_cast<Crosshair *>(m_crosshair)->at = pixel();
        return false;
    case QEvent::FocusIn:
        static_cast<Crosshair *>(m_crosshair)->at = pixel();
        m_crosshair->raise();
        m_crosshair->update();
        m_scroll->ensureVisible(pixel().x(), pixel().y(), 40, 40);
        return false;
    case QEvent::FocusOut:
        m_crosshair->update();
        return false;
    case QEvent::KeyPress:
        break;
    default:
        return false;
    }
    auto *key = static_cast<QKeyEvent *>(event);
    const int stride = key->modifiers() & Qt::ShiftModifier ? 5 : 1;
    switch (key->key()) {
    case Qt::Key_Left: moveBy({-stride, 0}); return true;
    case Qt::Key_Right: moveBy({stride, 0}); return true;
    case Qt::Key_Up: moveBy({0, -stride}); return true;
    case Qt::Key_Down: moveBy({0, stride}); return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (key->modifiers() & Qt::ControlModifier)
            return false;
        press(key->modifiers() & Qt::ShiftModifier ? Qt::RightButton : Qt::LeftButton);
        return true;
    default:
        return false;
    }
}

void RouteKeyboard::moveBy(QPoint cells)
{
    m_cell.setX(qBound(0, m_cell.x() + cells.x(), FLOOR_CELLS));
    m_cell.setY(qBound(0, m_cell.y() + cells.y(), FLOOR_CELLS));
    const QPointF at = pixel();
    QMouseEvent move(QEvent::MouseMove, at, m_floor->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m_floor, &move);
    static_cast<Crosshair *>(m_crosshair)->at = pixel();
    m_crosshair->update();
    m_scroll->ensureVisible(pixel().x(), pixel().y(), 40, 40);
    describe();
}

void RouteKeyboard::press(Qt::MouseButton button)
{
    const QPointF at = pixel();
    QMouseEvent down(QEvent::MouseButtonPress, at, m_floor->mapToGlobal(at), button, button, Qt::NoModifier);
    QCoreApplication::sendEvent(m_floor, &down);
    QMouseEvent up(QEvent::MouseButtonRelease, at, m_floor->mapToGlobal(at), button, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m_floor, &up);
    m_crosshair->raise();
}

// Where the crosshair stands, in centimetres as the floor's scale counts them (from the
// bottom left corner).
void RouteKeyboard::describe()
{
    const auto cm = [](int cells) { return QString::number(cells * FLOOR_CELL_CM, 'f', 1); };
    m_floor->setAccessibleDescription(u"よこ %1cm たて %2cm"_s.arg(cm(m_cell.x()), cm(FLOOR_CELLS - m_cell.y())));
}
