// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/picturebutton.h"

#include "app/ui/controlnames.h"
#include "app/ui/errorguard.h"
#include "app/ui/pictures.h"

#include <QPainter>

PictureButton::PictureButton(const QString &name, const QRect &geometry, ErrorNumbers numbers,
                             const QString &caption, QWidget *parent)
    : ClickablePicture(parent)
    , m_caption(caption)
    , m_numbers(numbers)
{
    setObjectName(name);
    setGeometry(geometry);
    setCursor(Qt::PointingHandCursor);
    ui::makePictureControl(this);
    const QWidget *w = parent ? parent->window() : nullptr;
    ui::SpokenName spoken = ui::spokenNameOf(w ? w->objectName() : QString(), name);
    setAccessibleName(spoken.name.isEmpty() ? caption : spoken.name);
    if (!spoken.description.isEmpty())
        setAccessibleDescription(spoken.description);
    loadReleasedPictureQuietly();
}

void PictureButton::setKeyLabel(const QString &key)
{
    m_keyLabel = key;
    setProperty("shortcutKey", key);
    update();
}

void PictureButton::setPictureExtension(const QString &extension)
{
    m_extension = extension;
    loadReleasedPictureQuietly();
}

void PictureButton::loadReleasedPictureQuietly()
{
    QPixmap p = ui::loadPictureQuietly(ui::buttonPictureName(objectName(), false, m_extension));
    if (!p.isNull()) {
        m_picture = p;
        update();
    }
}

void PictureButton::setPictureFile(const QString &relativeName)
{
    m_picture = ui::loadPicture(relativeName);
    update();
}

void PictureButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (!m_picture.isNull()) {
        painter.drawPixmap(rect(), m_picture);
        paintKeyLabel(painter);
        return;
    }
    // Without its pictures the button still has to be found and read.
    paintCaptionPlate(painter, m_caption, isHeld());
    paintKeyLabel(painter);
}

void PictureButton::paintKeyLabel(QPainter &painter)
{
    if (m_keyLabel.isEmpty())
        return;
    // A key cap at the right end, over the arrow that only says "go".
    painter.setRenderHint(QPainter::Antialiasing);
    const int side = qBound(14, height() / 2, 24);
    const QRectF cap(width() - side - 6, (height() - side) / 2.0, side, side);
    painter.setPen(QPen(QColor(20, 30, 70), 1.5));
    painter.setBrush(QColor(255, 255, 255, 230));
    painter.drawRoundedRect(cap, 4, 4);
    QFont f = font();
    f.setPixelSize(side * 3 / 4);
    f.setBold(true);
    painter.setFont(f);
    painter.drawText(cap, Qt::AlignCenter, m_keyLabel);
}

void PictureButton::afterPress()
{
    if (m_pressedPictures)
        ui::guarded(window(), m_numbers.press,
                    [&] { setPictureFile(ui::buttonPictureName(objectName(), true, m_extension)); });
}

void PictureButton::afterRelease()
{
    if (m_pressedPictures)
        ui::guarded(window(), m_numbers.release,
                    [&] { setPictureFile(ui::buttonPictureName(objectName(), false, m_extension)); });
}
