// SPDX-License-Identifier: GPL-3.0-or-later
#include "painting.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

namespace paint {

QColor colour(unsigned rgb)
{
    return QColor((rgb >> 16) & 0xff, (rgb >> 8) & 0xff, rgb & 0xff);
}

QColor mix(const QColor &a, const QColor &b, qreal t)
{
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t,
                            a.greenF() + (b.greenF() - a.greenF()) * t,
                            a.blueF() + (b.blueF() - a.blueF()) * t);
}

QColor panelColour()
{
    return QColor(0xf4, 0xf8, 0xfc);
}

QFont uiFont(qreal pixelSize, bool bold)
{
    QFont font(QStringLiteral("Noto Sans CJK JP"));
    font.setPixelSize(qMax(1, qRound(pixelSize)));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

QFont codeFont(qreal pixelSize)
{
    QFont font(QStringLiteral("Noto Sans Mono CJK JP"));
    font.setPixelSize(qMax(1, qRound(pixelSize)));
    font.setBold(true);
    return font;
}

QFont fittedFont(const QStringList &lines, const QRectF &box, qreal maxPixels, bool bold, bool code)
{
    for (qreal size = maxPixels; size > 6; size -= 0.5) {
        QFont font = code ? codeFont(size) : uiFont(size, bold);
        QFontMetricsF metrics(font);
        qreal widest = 0;
        for (const QString &line : lines)
            widest = qMax(widest, metrics.horizontalAdvance(line));
        // CJK fonts have a tall line box; pack lines at a little more than the pixel size.
        const qreal height = lines.size() * size * 1.18;
        if (widest <= box.width() && height <= box.height())
            return font;
    }
    return code ? codeFont(6) : uiFont(6, bold);
}

void caption(QPainter &p, const QRectF &box, const QStringList &lines, const QFont &font,
             const QColor &fill, bool edge, Qt::Alignment align)
{
    p.save();
    p.setFont(font);
    const QFontMetricsF metrics(font);
    const qreal step = font.pixelSize() * 1.18;
    const qreal total = step * lines.size();
    qreal top = box.top() + (box.height() - total) / 2;
    if (align & Qt::AlignTop)
        top = box.top();
    for (const QString &line : lines) {
        const qreal width = metrics.horizontalAdvance(line);
        qreal left = box.left() + (box.width() - width) / 2;
        if (align & Qt::AlignLeft)
            left = box.left();
        // Baseline placed so that the glyphs' visual middle sits in the middle of the step.
        const qreal baseline = top + step / 2 + (metrics.ascent() - metrics.descent()) / 2;
        QPainterPath path;
        path.addText(QPointF(left, baseline), font, line);
        if (edge) {
            QColor shade = fill.lightness() > 128 ? QColor(0, 0, 0, 90) : QColor(255, 255, 255, 120);
            p.setPen(QPen(shade, qMax(1.5, font.pixelSize() / 7.0), Qt::SolidLine, Qt::RoundCap,
                          Qt::RoundJoin));
            p.setBrush(Qt::NoBrush);
            p.drawPath(path);
        }
        p.setPen(Qt::NoPen);
        p.setBrush(fill);
        p.drawPath(path);
        top += step;
    }
    p.restore();
}

void tile(QPainter &p, const QRectF &box, qreal radius, const QColor &base, bool pressed)
{
    p.save();
    QLinearGradient gradient(box.topLeft(), box.bottomLeft());
    if (pressed) {
        gradient.setColorAt(0, base.darker(165));
        gradient.setColorAt(0.35, base.darker(135));
        gradient.setColorAt(1, base.darker(120));
    } else {
        gradient.setColorAt(0, base.lighter(135));
        gradient.setColorAt(0.5, base);
        gradient.setColorAt(1, base.darker(118));
    }
    p.setPen(QPen(base.darker(pressed ? 190 : 160), 1.2));
    p.setBrush(gradient);
    p.drawRoundedRect(box.adjusted(0.6, 0.6, -0.6, -0.6), radius, radius);
    if (!pressed) {
        // A glossy rim on the upper half: the button stands out of the panel.
        QRectF gloss = box.adjusted(2, 1.8, -2, -box.height() / 2);
        QLinearGradient shine(gloss.topLeft(), gloss.bottomLeft());
        shine.setColorAt(0, QColor(255, 255, 255, 120));
        shine.setColorAt(1, QColor(255, 255, 255, 10));
        p.setPen(Qt::NoPen);
        p.setBrush(shine);
        p.drawRoundedRect(gloss, radius * 0.7, radius * 0.7);
    } else {
        // An inner shadow along the top edge: the button is pushed into the panel.
        QRectF shadow = box.adjusted(1.5, 1.5, -1.5, -box.height() * 0.6);
        QLinearGradient dark(shadow.topLeft(), shadow.bottomLeft());
        dark.setColorAt(0, QColor(0, 0, 0, 90));
        dark.setColorAt(1, QColor(0, 0, 0, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(dark);
        p.drawRoundedRect(shadow, radius * 0.7, radius * 0.7);
    }
    p.restore();
}

void panel(QPainter &p, const QRectF &box, const QColor &accent, const QString &heading)
{
    p.save();
    p.setPen(Qt::NoPen);
    for (int i = 4; i >= 1; --i) {
        p.setBrush(QColor(20, 40, 70, 12));
        p.drawRoundedRect(box.translated(0, 2).adjusted(-i, -i + 1, i, i + 1), 12 + i, 12 + i);
    }
    p.setBrush(panelColour());
    p.setPen(QPen(mix(accent, Qt::white, 0.55), 2));
    p.drawRoundedRect(box, 12, 12);
    if (!heading.isEmpty()) {
        QRectF band(box.left() + 10, box.top() + 5, box.width() - 20, 20);
        const QFont font = fittedFont({heading}, band, 14);
        caption(p, band, {heading}, font, accent.darker(120), false);
    }
    p.restore();
}

void arrow(QPainter &p, QPointF from, QPointF to, qreal shaft, qreal head, const QColor &fill)
{
    const QLineF line(from, to);
    const qreal length = line.length();
    if (length <= 0)
        return;
    const qreal headLength = qMin(length * 0.55, head * 0.9);
    p.save();
    p.translate(from);
    p.rotate(-line.angle()); // QLineF angles are counter-clockwise; painter rotation clockwise
    QPainterPath path;
    path.moveTo(0, -shaft / 2);
    path.lineTo(length - headLength, -shaft / 2);
    path.lineTo(length - headLength, -head / 2);
    path.lineTo(length, 0);
    path.lineTo(length - headLength, head / 2);
    path.lineTo(length - headLength, shaft / 2);
    path.lineTo(0, shaft / 2);
    path.closeSubpath();
    p.setPen(QPen(fill.darker(170), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(path);
    p.restore();
}

void arcArrow(QPainter &p, QPointF centre, qreal radius, qreal startDeg, qreal sweepDeg,
              qreal shaft, qreal head, const QColor &fill)
{
    // Screen y grows downwards, so a counter-clockwise angle a lies at (cos a, -sin a).
    auto at = [&](qreal deg, qreal r) {
        const qreal a = qDegreesToRadians(deg);
        return QPointF(centre.x() + r * qCos(a), centre.y() - r * qSin(a));
    };
    const qreal headDeg = qRadiansToDegrees(head * 0.9 / radius) * (sweepDeg > 0 ? 1 : -1);
    const qreal bodyEnd = startDeg + sweepDeg - headDeg;
    QPainterPath path;
    const int steps = 48;
    for (int i = 0; i <= steps; ++i) {
        const qreal d = startDeg + (bodyEnd - startDeg) * i / steps;
        const QPointF q = at(d, radius + shaft / 2);
        i == 0 ? path.moveTo(q) : path.lineTo(q);
    }
    path.lineTo(at(bodyEnd, radius + head / 2));
    path.lineTo(at(startDeg + sweepDeg, radius));
    path.lineTo(at(bodyEnd, radius - head / 2));
    for (int i = steps; i >= 0; --i)
        path.lineTo(at(startDeg + (bodyEnd - startDeg) * i / steps, radius - shaft / 2));
    path.closeSubpath();
    p.save();
    p.setPen(QPen(fill.darker(170), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(path);
    p.restore();
}

void robot(QPainter &p, QPointF c, qreal s, const QColor &body)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const qreal u = s / 100.0;
    // Shadow on the floor.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 40));
    p.drawEllipse(QPointF(c.x(), c.y() + 44 * u), 46 * u, 8 * u);
    // Wheels.
    p.setBrush(QColor(0x33, 0x3a, 0x45));
    p.drawRoundedRect(QRectF(c.x() - 50 * u, c.y() + 2 * u, 16 * u, 40 * u), 6 * u, 6 * u);
    p.drawRoundedRect(QRectF(c.x() + 34 * u, c.y() + 2 * u, 16 * u, 40 * u), 6 * u, 6 * u);
    // Body.
    QLinearGradient g(QPointF(c.x(), c.y() - 40 * u), QPointF(c.x(), c.y() + 40 * u));
    g.setColorAt(0, body.lighter(140));
    g.setColorAt(1, body.darker(115));
    p.setPen(QPen(body.darker(170), 2 * u));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(c.x() - 36 * u, c.y() - 30 * u, 72 * u, 68 * u), 18 * u, 18 * u);
    // Head with antenna.
    p.setPen(QPen(body.darker(170), 3 * u, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(c.x(), c.y() - 58 * u), QPointF(c.x(), c.y() - 72 * u));
    p.setBrush(QColor(0xff, 0xd2, 0x3f));
    p.drawEllipse(QPointF(c.x(), c.y() - 74 * u), 5 * u, 5 * u);
    p.setBrush(QColor(0xf7, 0xfa, 0xff));
    p.setPen(QPen(body.darker(170), 2 * u));
    p.drawRoundedRect(QRectF(c.x() - 28 * u, c.y() - 58 * u, 56 * u, 32 * u), 12 * u, 12 * u);
    // Eyes and smile.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x22, 0x2a, 0x38));
    p.drawEllipse(QPointF(c.x() - 11 * u, c.y() - 44 * u), 4.5 * u, 5.5 * u);
    p.drawEllipse(QPointF(c.x() + 11 * u, c.y() - 44 * u), 4.5 * u, 5.5 * u);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(c.x() - 9.5 * u, c.y() - 46 * u), 1.6 * u, 1.6 * u);
    p.drawEllipse(QPointF(c.x() + 12.5 * u, c.y() - 46 * u), 1.6 * u, 1.6 * u);
    p.setPen(QPen(QColor(0x22, 0x2a, 0x38), 2.2 * u, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(c.x() - 8 * u, c.y() - 40 * u, 16 * u, 10 * u), 200 * 16, 140 * 16);
    // Front switch and a panel light.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0x6b, 0x4a));
    p.drawRoundedRect(QRectF(c.x() - 10 * u, c.y() - 16 * u, 20 * u, 10 * u), 3 * u, 3 * u);
    p.setBrush(QColor(0x7c, 0xf0, 0x9a));
    p.drawEllipse(QPointF(c.x() - 20 * u, c.y() + 14 * u), 4 * u, 4 * u);
    p.setBrush(QColor(0xff, 0xd2, 0x3f));
    p.drawEllipse(QPointF(c.x() - 8 * u, c.y() + 14 * u), 4 * u, 4 * u);
    p.restore();
}

void gear(QPainter &p, QPointF c, qreal r, const QColor &fill)
{
    QPainterPath path;
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        const qreal a0 = M_PI * i / teeth, a1 = M_PI * (i + 1) / teeth;
        const qreal radius = (i % 2 == 0) ? r : r * 0.78;
        const QPointF q0(c.x() + radius * qCos(a0), c.y() + radius * qSin(a0));
        const QPointF q1(c.x() + radius * qCos(a1), c.y() + radius * qSin(a1));
        i == 0 ? path.moveTo(q0) : path.lineTo(q0);
        path.lineTo(q1);
    }
    path.closeSubpath();
    path.addEllipse(c, r * 0.35, r * 0.35);
    path.setFillRule(Qt::OddEvenFill);
    p.save();
    p.setPen(QPen(fill.darker(160), 1));
    p.setBrush(fill);
    p.drawPath(path);
    p.restore();
}

}

QString baseName(const pictures::Picture &picture)
{
    QString name = QString::fromUtf8(picture.name);
    name = name.mid(name.lastIndexOf(u'\\') + 1);
    return name.left(name.lastIndexOf(u'.'));
}

QString captionText(const pictures::Picture &picture, bool pressed)
{
    const QStringList parts = QString::fromUtf8(picture.caption).split(u'|');
    return (pressed && parts.size() > 1) ? parts.at(1) : parts.at(0);
}
