// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop icon: the robot of the program on a blue rounded tile, drawn for every size
// the desktops ask for.
#include "appicon.h"
#include "painting.h"

#include <QDir>
#include <QSaveFile>

namespace {

QImage drawAppIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // A small margin keeps the tile the same optical size as other programs' icons.
    const qreal margin = size * 0.06;
    const QRectF box(margin, margin, size - 2 * margin, size - 2 * margin);
    paint::tile(p, box, size * 0.2, paint::colour(0x3d7fd9), false);
    // The robot fills most of the tile; its antenna and wheels are what show at 16 pixels.
    paint::robot(p, QPointF(size * 0.5, size * 0.575), size * 0.56, QColor(0xf0, 0x8a, 0x24));
    p.end();
    return image;
}

}

bool writeAppIcons(const QString &themeFolder)
{
    for (const int size : pictures::APP_ICON_SIZES) {
        const QString folder = QStringLiteral("%1/hicolor/%2x%2/apps").arg(themeFolder).arg(size);
        if (!QDir().mkpath(folder))
            return false;
        QSaveFile file(folder + u'/' + QString::fromLatin1(pictures::APP_ICON_NAME) + QStringLiteral(".png"));
        if (!file.open(QIODevice::WriteOnly) || !drawAppIcon(size).save(&file, "PNG") || !file.commit())
            return false;
    }
    return true;
}
