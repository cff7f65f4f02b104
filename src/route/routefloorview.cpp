// SPDX-License-Identifier: GPL-3.0-or-later
#include "route/routefloorview.h"

#include "app/ui/pictures.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTransform>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

const QColor FLOOR_COLOUR = QColor::fromRgb(0xE4, 0xE4, 0xE4);
const QColor GRID_COLOUR = QColor::fromRgb(0x80, 0x80, 0x80);
constexpr int SCALE_FONT_PIXELS = 11;

QString pictureOf(MarkerKind kind)
{
    switch (kind) {
    case MarkerKind::Start: return u"Photo\\Button\\Start.bmp"_s;
    case MarkerKind::Arrow: return u"Photo\\Button\\FF.bmp"_s;
    case MarkerKind::End: return u"Photo\\Button\\End.bmp"_s;
    case MarkerKind::Cone: return u"Photo\\Button\\piron.bmp"_s;
    }
    return {};
}

// A transparent picture shows nothing where it has the colour of its bottom-left pixel.
QImage keyedOut(const QPixmap &pixmap)
{
    QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    if (image.isNull())
        return image;
    const QRgb key = image.pixel(0, image.height() - 1);
    for (int y = 0; y < image.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (row[x] == key)
                row[x] = qRgba(0, 0, 0, 0);
        }
    }
    return image;
}

} // namespace

RouteFloorView::RouteFloorView(QWidget *parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void RouteFloorView::setContentScale(int numerator, int denominator)
{
    if (numerator <= 0 || denominator <= 0 || (numerator == m_scaleNumerator && denominator == m_scaleDenominator))
        return;
    m_scaleNumerator = numerator;
    m_scaleDenominator = denominator;
    if (m_zoom > 0)
        setFixedSize(shown(floorPixels(m_zoom)), shown(floorPixels(m_zoom)));
    showScene();
}

int RouteFloorView::shown(int floorPixels) const
{
    return int(std::nearbyint(double(floorPixels) * m_scaleNumerator / m_scaleDenominator));
}

QPoint RouteFloorView::toShown(QPoint floorPixel) const
{
    return QPoint(shown(floorPixel.x()), shown(floorPixel.y()));
}

QPoint RouteFloorView::toFloor(QPoint shownPixel) const
{
    const double f = double(m_scaleDenominator) / m_scaleNumerator;
    return QPoint(int(std::nearbyint(shownPixel.x() * f)), int(std::nearbyint(shownPixel.y() * f)));
}

QSize RouteFloorView::toFloor(QSize shownSize) const
{
    const QPoint p = toFloor(QPoint(shownSize.width(), shownSize.height()));
    return QSize(p.x(), p.y());
}

void RouteFloorView::showScene()
{
    if (m_scaleNumerator == m_scaleDenominator || m_scene.isNull())
        m_shownScene = QPixmap();
    else
        m_shownScene = m_scene.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    update();
}

void RouteFloorView::redraw(const FloorRoute &route, const QList<QPoint> &obstacles, int zoom)
{
    if (zoom != m_zoom || m_grid.isNull()) {
        m_zoom = zoom;
        setFixedSize(shown(floorPixels(zoom)), shown(floorPixels(zoom)));
        drawGrid();
    }
    m_lines = routeLines(route, zoom);
    m_markers = floorMarkers(route, obstacles, zoom);
    QPixmap scene = m_grid.copy();
    QPainter p(&scene);
    p.setPen(QPen(Qt::black, ROUTE_LINE_WIDTH));
    p.drawLines(m_lines);
    for (const FloorMarker &marker : std::as_const(m_markers))
        p.drawImage(marker.rect.topLeft(), markerPicture(marker));
    p.end();
    m_scene = scene;
    showScene();
}

void RouteFloorView::drawGrid()
{
    const int size = floorPixels(m_zoom);
    m_grid = QPixmap(size, size);
    m_grid.fill(FLOOR_COLOUR);
    QPainter p(&m_grid);
    for (const GridLine &line : floorGridLines(m_zoom)) {
        p.setPen(QPen(GRID_COLOUR, line.width));
        p.drawLine(line.line);
    }
    QFont font = p.font();
    font.setPixelSize(SCALE_FONT_PIXELS);
    p.setFont(font);
    // The text's top stands at the given point, as the scale counts from the bottom line up.
    for (const ScaleLabel &label : floorScaleLabels(m_zoom))
        p.drawText(QRect(label.at, QSize(60, 14)), Qt::AlignLeft | Qt::AlignTop, label.text);
}

QImage RouteFloorView::markerPicture(const FloorMarker &marker)
{
    const QString name = pictureOf(marker.kind);
    const QString key = u"%1@%2@%3x%4"_s.arg(name).arg(marker.rotation).arg(marker.rect.width()).arg(marker.rect.height());
    auto found = m_pictures.constFind(key);
    if (found != m_pictures.constEnd())
        return *found;
    QImage image = keyedOut(ui::loadPicture(name));
    if (marker.rotation % 360 != 0) {
        // Turned about its centre; the corners that turn in stay transparent.
        image = image.transformed(QTransform().rotate(marker.rotation), Qt::SmoothTransformation);
    }
    // Stretched once to its place's size, so a redraw only copies it.
    image = image.scaled(marker.rect.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    m_pictures.insert(key, image);
    return image;
}

void RouteFloorView::showBand(QPoint start, QPoint end)
{
    const QLine line(start, end);
    if (m_bandShown && line == m_band)
        return;
    if (m_bandShown)
        updateBandArea(m_band);
    m_band = line;
    m_bandShown = true;
    updateBandArea(m_band);
}

void RouteFloorView::hideBand()
{
    if (!m_bandShown)
        return;
    m_bandShown = false;
    updateBandArea(m_band);
}

void RouteFloorView::updateBandArea(QLine line)
{
    for (const QRect &r : lineCover(QLine(toShown(line.p1()), toShown(line.p2())), ROUTE_LINE_WIDTH))
        update(r);
}

void RouteFloorView::setRunningSegment(int record)
{
    if (record == m_running)
        return;
    m_running = record;
    update();
}

void RouteFloorView::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    const QPixmap &scene = m_shownScene.isNull() ? m_scene : m_shownScene;
    for (const QRect &r : event->region())
        p.drawPixmap(r, scene, r);
    if (m_running >= 1 && m_running <= m_lines.size()) {
        const QLine &line = m_lines.at(m_running - 1);
        p.setPen(QPen(QColor(0x2f, 0x9e, 0x55), ROUTE_LINE_WIDTH * 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(toShown(line.p1()), toShown(line.p2()));
    }
    if (m_bandShown) {
        // Inverted pixels: dark on the floor, light where the band crosses the route.
        p.setCompositionMode(QPainter::RasterOp_NotDestination);
        p.setPen(QPen(Qt::black, ROUTE_LINE_WIDTH));
        p.drawLine(toShown(m_band.p1()), toShown(m_band.p2()));
    }
}

void RouteFloorView::mousePressEvent(QMouseEvent *event)
{
    emit pressed(toFloor(event->position().toPoint()), event->button());
}

void RouteFloorView::mouseMoveEvent(QMouseEvent *event)
{
    emit moved(toFloor(event->position().toPoint()));
}

void RouteFloorView::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
}
