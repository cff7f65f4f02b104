// SPDX-License-Identifier: GPL-3.0-or-later
#include "icon/iconpalette.h"

#include "app/ui/pictures.h"
#include "icon/icontable.h"

#include <QtWidgets/QApplication>

#include <QBitmap>
#include <QDrag>
#include <QMouseEvent>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace palettedrag {

QMimeData *mimeDataFor(const QString &icon)
{
    auto *data = new QMimeData;
    data->setData(QLatin1StringView(MIME_TYPE), icon.toUtf8());
    return data;
}

QString iconOf(const QMimeData *data)
{
    if (!data || !data->hasFormat(QLatin1StringView(MIME_TYPE)))
        return QString();
    const QString icon = QString::fromUtf8(data->data(QLatin1StringView(MIME_TYPE)));
    return findIcon(icon) ? icon : QString();
}

QPixmap dragPixmap(const QString &icon)
{
    QPixmap pixmap = ui::loadPicture(dragPictureOf(icon));
    pixmap.setMask(pixmap.createMaskFromColor(Qt::white));
    return pixmap;
}

} // namespace palettedrag

PaletteIcon::PaletteIcon(const QString &icon, const QRect &geometry, QWidget *parent)
    : QWidget(parent)
    , m_picture(ui::loadPictureQuietly(pictureOf(icon) == EMPTY_SLOT_PICTURE ? dragPictureOf(icon)
                                                                                : pictureOf(icon)))
{
    setObjectName(icon);
    setGeometry(geometry);
    setProperty("hint", hintOf(icon));
    setCursor(Qt::OpenHandCursor);
}

void PaletteIcon::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (!m_picture.isNull()) {
        painter.drawPixmap(rect(), m_picture);
        return;
    }
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, displayNameOf(icon()));
}

void PaletteIcon::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_armed = true;
    m_pressPoint = event->position().toPoint();
}

void PaletteIcon::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_armed)
        return;
    const QPoint d = event->position().toPoint() - m_pressPoint;
    const int threshold = QApplication::startDragDistance();
    if (qAbs(d.x()) > threshold || qAbs(d.y()) > threshold) {
        m_armed = false;
        startDrag();
    }
}

void PaletteIcon::mouseReleaseEvent(QMouseEvent *)
{
    m_armed = false;
}

void PaletteIcon::startDrag()
{
    QPixmap pixmap;
    try {
        pixmap = palettedrag::dragPixmap(icon());
    } catch (const std::exception &) {
        emit dragFailed();
        return;
    }
    auto *drag = new QDrag(this);
    drag->setMimeData(palettedrag::mimeDataFor(icon()));
    drag->setPixmap(pixmap);
    drag->setHotSpot(m_pressPoint);
    drag->exec(Qt::CopyAction);
}

namespace {

struct PalettePlace
{
    const char16_t *icon;
    int left, top;
    bool controlIcon; // hidden in STEP2
};

constexpr PalettePlace PLACES[] = {
    {u"Image1", 3, 3, false},    {u"Image2", 51, 3, false},   {u"Image3", 99, 3, false},
    {u"Image4", 3, 51, false},   {u"Image5", 51, 51, false},  {u"Image6", 99, 51, false},
    {u"Image7", 3, 99, false},   {u"Image8", 51, 99, false},  {u"Image9", 99, 99, false},
    {u"Image10", 3, 155, true},  {u"Image11", 51, 155, true}, {u"Image12", 99, 155, false},
    {u"Image13", 3, 211, true},  {u"Image14", 51, 211, true}, {u"Image15", 3, 259, true},
    {u"Image16", 51, 259, true},
};

// Image29 stands over the hidden switch icons in STEP2.
class StepTwoPicture : public QWidget
{
public:
    explicit StepTwoPicture(QWidget *parent)
        : QWidget(parent)
        , m_picture(ui::loadPictureQuietly(u"Photo\\Button\\Image29.bmp"_s))
    {
        setObjectName(u"Image29"_s);
        setGeometry(24, 208, 105, 106);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        if (!m_picture.isNull()) {
            painter.drawPixmap(rect(), m_picture);
            return;
        }
        painter.setPen(QColor(60, 60, 60));
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, u"STEP3で\nつかえるよ"_s);
    }

private:
    QPixmap m_picture;
};

} // namespace

IconPalette::IconPalette(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(u"TabSheet1"_s);
    for (const PalettePlace &p : PLACES) {
        auto *icon = new PaletteIcon(QString::fromUtf16(p.icon), QRect(p.left, p.top, 48, 49), this);
        icon->setProperty("controlIcon", p.controlIcon);
        connect(icon, &PaletteIcon::dragFailed, this, &IconPalette::dragFailed);
        m_icons << icon;
    }
    m_image29 = new StepTwoPicture(this);
}

void IconPalette::setStepMode(int step)
{
    for (PaletteIcon *icon : m_icons) {
        if (icon->property("controlIcon").toBool())
            icon->setVisible(step != 1);
    }
    m_image29->setVisible(step == 1);
}

PaletteIcon *IconPalette::paletteIcon(const QString &icon) const
{
    for (PaletteIcon *p : m_icons) {
        if (p->icon() == icon)
            return p;
    }
    return nullptr;
}
