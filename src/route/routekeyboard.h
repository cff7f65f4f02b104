// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtWidgets/QWidget>

#include <QObject>
#include <QPoint>

class QScrollArea;
class RouteFloorView;

// Route drawing without a mouse. While the floor has the focus a crosshair marks a grid
// point; the arrows move it one cell, with Shift five. Each move is a pointer move to that
// point, so the band snaps to the eight directions exactly as for the mouse; Return is a left
// press there (the start, then a point), Shift+Return a right press (the last point).
class RouteKeyboard : public QObject
{
    Q_OBJECT
public:
    RouteKeyboard(RouteFloorView *floor, QScrollArea *scroll);

    QPoint cell() const { return m_cell; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Where the crosshair stands, in pixels of the floor as shown.
    QPoint pixel() const;
    void moveBy(QPoint cells);
    void press(Qt::MouseButton button);
    void describe();

    RouteFloorView *m_floor;
    QScrollArea *m_scroll;
    QWidget *m_crosshair;
    QPoint m_cell;
};
