// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtWidgets/QWidget>

#include "app/ui/windowscaling.h"
#include "route/floorlayout.h"

#include <QHash>
#include <QImage>
#include <QPixmap>

// The floor picture of the route screen: the grid, the route and its markers, the cones, and
// the rubber band over them. The floor and its markers are painted once into a cached picture
// when the route changes; a pointer move only repaints the few pixels the band leaves and
// enters, so the band keeps up with the pointer even on the largest floor.
//
// Docked beside the navigator the floor is shown smaller: it keeps working in pixels of the
// floor picture (as the route screen and the files know them) and maps only what it shows
// and where the pointer is.
class RouteFloorView : public QWidget, public ui::ScaledContent
{
    Q_OBJECT
public:
    explicit RouteFloorView(QWidget *parent = nullptr);

    void setContentScale(int numerator, int denominator) override;
    // Between pixels of the floor picture and of the widget as shown.
    QPoint toShown(QPoint floorPixel) const;
    QPoint toFloor(QPoint shownPixel) const;
    QSize toFloor(QSize shownSize) const;

    int zoom() const { return m_zoom; }
    // Repaints the cached picture from the route, the obstacles and the zoom. Loading a marker
    // picture can fail (ui::Failure), which the caller's guard reports.
    void redraw(const FloorRoute &route, const QList<QPoint> &obstacles, int zoom);

    // The rubber band, drawn with an inverting pen from start to end (pixels).
    void showBand(QPoint start, QPoint end);
    void hideBand();
    bool bandShown() const { return m_bandShown; }
    QLine band() const { return m_band; }

    // What the last redraw placed on the floor.
    const QList<FloorMarker> &markers() const { return m_markers; }
    const QList<QLine> &lines() const { return m_lines; }
    // The segment (by the record it ends at) the robot on the floor inside the program drives
    // now, drawn over the route in green; 0 for none.
    void setRunningSegment(int record);
    int runningSegment() const { return m_running; }
    // The cached picture (floor, route, markers), without the band.
    const QPixmap &scene() const { return m_scene; }

signals:
    void pressed(QPoint pixel, Qt::MouseButton button);
    void moved(QPoint pixel);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    // The second press of a double click is no click on the floor.
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void drawGrid();
    void showScene();
    int shown(int floorPixels) const;
    QImage markerPicture(const FloorMarker &marker);
    void updateBandArea(QLine line);

    int m_zoom = 0;
    QPixmap m_grid;
    QPixmap m_scene;
    // The scene as shown, when the floor is shown smaller than its picture.
    QPixmap m_shownScene;
    int m_scaleNumerator = 1;
    int m_scaleDenominator = 1;
    QList<FloorMarker> m_markers;
    QList<QLine> m_lines;
    // Marker pictures with their background keyed out, by file name, rotation and size.
    QHash<QString, QImage> m_pictures;
    QLine m_band;
    bool m_bandShown = false;
    int m_running = 0;
};
