// SPDX-License-Identifier: GPL-3.0-or-later
#include "icon/previewwindow.h"

#include "app/ui/errorguard.h"
#include "app/ui/pictures.h"
#include "common/errornumbers.h"

#include <QtWidgets/QLabel>

#include <QCloseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QShowEvent>

using namespace Qt::StringLiterals;

namespace {

constexpr int GRID_STEP = 5;
constexpr int GRID_LINES = PREVIEW_AREA_SIZE / GRID_STEP + 1;
constexpr int GRID_MAJOR = 25;
constexpr QRgb GRID_COLOUR = 0xC0C0C0;
constexpr int PATH_WIDTH = 3;
constexpr QRgb LENGTH_COLOUR = 0x00FF00;

void drawGrid(QPainter &painter)
{
    for (int k = 0; k < GRID_LINES; ++k) {
        const int at = k * GRID_STEP;
        painter.setPen(QPen(QColor(GRID_COLOUR), at % GRID_MAJOR == 0 ? 2 : 1));
        painter.drawLine(at, 0, at, PREVIEW_AREA_SIZE);
        painter.drawLine(0, at, PREVIEW_AREA_SIZE, at);
    }
}

// A top view of the robot facing up: the body, a wheel on either side and an arrow at the
// front, turned to its heading. The start is drawn paler than the end.
void drawRobot(QPainter &painter, const PreviewRobot &robot, bool atEnd)
{
    constexpr qreal HALF = PREVIEW_ROBOT_SIZE / 2.0;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(robot.x, robot.y);
    painter.rotate(-robot.heading);
    painter.setOpacity(atEnd ? 1.0 : 0.8);

    const QColor outline(0x24, 0x37, 0x6b);
    painter.setPen(QPen(outline, 1));
    painter.setBrush(QColor(0x33, 0x33, 0x33));
    painter.drawRoundedRect(QRectF(-HALF, -HALF * 0.5, HALF * 0.3, HALF), 1.5, 1.5);
    painter.drawRoundedRect(QRectF(HALF * 0.7, -HALF * 0.5, HALF * 0.3, HALF), 1.5, 1.5);

    painter.setBrush(atEnd ? QColor(0xff, 0xd8, 0x4d) : QColor(0x9f, 0xd8, 0xff));
    painter.drawEllipse(QPointF(0, 0), HALF * 0.7, HALF * 0.7);

    QPainterPath arrow;
    arrow.moveTo(0, -HALF * 0.62);
    arrow.lineTo(-HALF * 0.38, HALF * 0.05);
    arrow.lineTo(HALF * 0.38, HALF * 0.05);
    arrow.closeSubpath();
    painter.setBrush(outline);
    painter.drawPath(arrow);
    painter.restore();
}

// Square ends: the whole width reaches each end point, and the segments meet without gaps.
void drawPath(QPainter &painter, const PreviewDrawing &drawing)
{
    painter.setPen(QPen(Qt::red, PATH_WIDTH, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    for (const PreviewSegment &s : drawing.segments)
        painter.drawLine(s.x1, s.y1, s.x2, s.y2);
}

// The instruction's picture turned counter-clockwise by `degrees` about its centre on a canvas
// grown to hold it, its background colour (the bottom-left pixel) made transparent, and
// stretched to the size it is shown at.
QPixmap turnedPicture(const QString &name, int degrees, int size)
{
    QImage image = ui::loadPicture(name).toImage().convertToFormat(QImage::Format_ARGB32);
    const QRgb background = image.pixel(0, image.height() - 1);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] == background)
                line[x] = qRgba(0, 0, 0, 0);
        }
    }
    const QImage turned = image.transformed(QTransform().rotate(-degrees), Qt::SmoothTransformation);
    return QPixmap::fromImage(
        turned.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

} // namespace

PreviewArea::PreviewArea(const PreviewDrawing &drawing, QWidget *parent)
    : QWidget(parent)
    , m_picture(PREVIEW_AREA_SIZE, PREVIEW_AREA_SIZE)
{
    setObjectName(u"area"_s);
    setGeometry(PREVIEW_AREA_LEFT, PREVIEW_AREA_TOP, PREVIEW_AREA_SIZE, PREVIEW_AREA_SIZE);
    m_picture.fill(Qt::white);
    QPainter painter(&m_picture);
    drawGrid(painter);
    if (drawing.hasPath) {
        drawRobot(painter, drawing.startRobot, false);
        drawRobot(painter, drawing.endRobot, true);
        drawPath(painter, drawing);
    }
}

void PreviewArea::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
}

PreviewWindow::PreviewWindow()
    : PictureWindow({u"TForm6"_s, u"preview"_s, QSize(519, 550), u"back"_s,
                     {errors::PREVIEW_BUTTON_PRESS, errors::PREVIEW_BUTTON_RELEASE}})
{
    QFont lengthFont = font();
    lengthFont.setPixelSize(16);
    lengthFont.setBold(true);
    Label3 = addLabel(u"Label3"_s, lengthFont, QColor(LENGTH_COLOUR));
    Label3->setText(u"一辺の長さ約"_s);
    Label3->adjustSize();
    Label3->move(32, 520);
    // Right-justified: a longer length grows to the left, towards Label3.
    Label2 = addLabel(u"Label2"_s, lengthFont, QColor(LENGTH_COLOUR));
    Label2->setAlignment(Qt::AlignRight | Qt::AlignTop);
    Label2->setGeometry(124, 520, 50, 22);
    Label2->setText(u"000"_s);
    Label4 = addLabel(u"Label4"_s, lengthFont, QColor(LENGTH_COLOUR));
    Label4->setText(u"cm"_s);
    Label4->adjustSize();
    Label4->move(176, 520);

    tojiru = addButton(u"tojiru"_s, QRect(233, 509, 241, 31), u"閉じる"_s);
    connect(tojiru, &PictureButton::clicked, this, &QWidget::close);
}

QLabel *PreviewWindow::addLabel(const QString &name, const QFont &font, const QColor &colour)
{
    auto *label = new QLabel(this);
    label->setObjectName(name);
    label->setFont(font);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->show();
    return label;
}

void PreviewWindow::showFor(const IconProgram &program)
{
    if (isVisible()) {
        raise();
        activateWindow();
        return;
    }
    m_program = program;
    show();
    raise();
    activateWindow();
}

void PreviewWindow::showEvent(QShowEvent *event)
{
    PictureWindow::showEvent(event);
    // A window brought back by the window system keeps the drawing it has.
    if (!event->spontaneous())
        FormShow();
}

void PreviewWindow::FormShow()
{
    ui::guarded(this, errors::PREVIEW_SHOW, [&] {
        removeDrawing();
        // An earlier program's length must not stay under a drawing that has none.
        Label2->setText(u"000"_s);
        const PreviewDrawing drawing = buildPreview(m_program);
        m_area = new PreviewArea(drawing, this);
        m_area->show();
        QFont markFont = font();
        markFont.setPointSize(12);
        markFont.setBold(true);
        m_start = addLabel(u"START"_s, markFont, Qt::blue);
        m_end = addLabel(u"END"_s, markFont, Qt::blue);
        if (drawing.hasPath) {
            Label2->setText(drawing.lengthText);
            drawSegments(drawing);
        }
    });
}

void PreviewWindow::drawSegments(const PreviewDrawing &drawing)
{
    QFont numberFont = font();
    numberFont.setPointSize(17);
    numberFont.setBold(true);
    // A missing picture leaves its place empty; the rest of the drawing is still made.
    bool failed = false;
    for (qsizetype i = 0; i < drawing.segments.size(); ++i) {
        const PreviewSegment &s = drawing.segments[i];
        auto *picture = new QLabel(this);
        picture->setObjectName(u"SegmentPicture%1"_s.arg(i + 1));
        picture->setAttribute(Qt::WA_TransparentForMouseEvents);
        picture->setGeometry(s.pictureLeft, s.pictureTop, s.pictureSize, s.pictureSize);
        m_segmentWidgets << picture;
        try {
            picture->setPixmap(turnedPicture(s.picture, s.rotation, s.pictureSize));
        } catch (const std::exception &) {
            failed = true;
        }
        picture->show();

        QLabel *number = addLabel(u"SegmentNumber%1"_s.arg(i + 1), numberFont, Qt::black);
        number->setText(s.number);
        number->adjustSize();
        number->move(s.numberLeft, s.numberTop);
        m_segmentWidgets << number;
    }
    m_start->setText(drawing.start.text);
    m_start->adjustSize();
    m_start->move(drawing.start.left, drawing.start.top);
    m_end->setText(drawing.end.text);
    m_end->adjustSize();
    m_end->move(drawing.end.left, drawing.end.top);
    if (failed)
        ui::showNumberedError(this, errors::PREVIEW_DRAW);
}

void PreviewWindow::closeEvent(QCloseEvent *event)
{
    ui::guarded(this, errors::PREVIEW_CLOSE, [&] { removeDrawing(); });
    PictureWindow::closeEvent(event);
}

void PreviewWindow::removeDrawing()
{
    qDeleteAll(m_segmentWidgets);
    m_segmentWidgets.clear();
    delete m_area;
    m_area = nullptr;
    delete m_start;
    m_start = nullptr;
    delete m_end;
    m_end = nullptr;
}
