// SPDX-License-Identifier: GPL-3.0-or-later
// Buttons, icons, keypad, remote-control pictures and the help pictures of the text screen.
#include "painting.h"

#include <QFontMetricsF>
#include <QHash>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

using namespace paint;
using pictures::Picture;

namespace {

void begin(QPainter &p, QImage &image, const QColor &ground)
{
    image.fill(ground);
    p.begin(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
}

// The motion glyphs, designed on a 48x48 grid; `scale` and `origin` place them elsewhere.
void motionGlyph(QPainter &p, const QString &name, const QColor &ink, const QColor &tint)
{
    const QColor wheel(0x26, 0x2d, 0x38);
    auto pivot = [&](QPointF c) {
        p.save();
        p.setPen(QPen(ink, 1.5));
        p.setBrush(wheel);
        p.drawRoundedRect(QRectF(c.x() - 3.5, c.y() - 7, 7, 14), 2.5, 2.5);
        p.restore();
    };
    if (name == u"FF") {
        arrow(p, {24, 41}, {24, 6}, 10, 24, ink);
    } else if (name == u"BB") {
        arrow(p, {24, 7}, {24, 42}, 10, 24, ink);
    } else if (name == u"FL") {
        arcArrow(p, {13, 33}, 17, -20, 110, 7, 15, ink);
        pivot({13, 33});
    } else if (name == u"FR") {
        arcArrow(p, {35, 33}, 17, 200, -110, 7, 15, ink);
        pivot({35, 33});
    } else if (name == u"BL") {
        arcArrow(p, {13, 15}, 17, 20, -110, 7, 15, ink);
        pivot({13, 15});
    } else if (name == u"BR") {
        arcArrow(p, {35, 15}, 17, 160, 110, 7, 15, ink);
        pivot({35, 15});
    } else if (name == u"L_Turn") {
        arcArrow(p, {24, 25}, 13, -70, 300, 6.5, 15, ink);
        p.setPen(Qt::NoPen);
        p.setBrush(tint);
        p.drawEllipse(QPointF(24, 25), 4, 4);
    } else if (name == u"R_Turn") {
        arcArrow(p, {24, 25}, 13, 250, -300, 6.5, 15, ink);
        p.setPen(Qt::NoPen);
        p.setBrush(tint);
        p.drawEllipse(QPointF(24, 25), 4, 4);
    } else if (name == u"Stop") {
        QPolygonF octagon;
        for (int i = 0; i < 8; ++i) {
            const qreal a = M_PI / 8 + i * M_PI / 4;
            octagon << QPointF(24 + 17 * qCos(a), 24 + 17 * qSin(a));
        }
        p.setPen(QPen(ink, 2.5));
        p.setBrush(tint);
        p.drawPolygon(octagon);
        caption(p, QRectF(8, 8, 32, 32), {QStringLiteral("止")}, uiFont(21), ink, false);
    }
}

void trashCan(QPainter &p, const QColor &ink)
{
    p.setPen(QPen(ink, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(12, 14), QPointF(36, 14));
    p.drawLine(QPointF(20, 14), QPointF(21, 10));
    p.drawLine(QPointF(21, 10), QPointF(27, 10));
    p.drawLine(QPointF(27, 10), QPointF(28, 14));
    QPainterPath can;
    can.moveTo(15, 17);
    can.lineTo(17, 39);
    can.lineTo(31, 39);
    can.lineTo(33, 17);
    p.drawPath(can);
    p.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(21, 21), QPointF(21.5, 35));
    p.drawLine(QPointF(27, 21), QPointF(26.5, 35));
}

// A bracket at the left edge: opening at the top for a block start, closing at the bottom
// for its end, like the brackets of a program listing.
void blockBracket(QPainter &p, bool opening, const QColor &ink)
{
    p.setPen(QPen(ink, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    if (opening) {
        path.moveTo(12, 8);
        path.lineTo(7, 8);
        path.lineTo(7, 40);
    } else {
        path.moveTo(7, 8);
        path.lineTo(7, 40);
        path.lineTo(12, 40);
    }
    p.drawPath(path);
}

}

void drawButton(QImage &image, const Picture &picture, bool pressed)
{
    QPainter p;
    begin(p, image, panelColour());
    const QColor base = colour(picture.colour);
    const qreal shift = pressed ? 1.0 : 0.0;
    const QRectF box = QRectF(image.rect()).adjusted(0.5 + shift, 0.5 + shift, -0.5, -0.5);
    tile(p, box.adjusted(0, 0, -shift, -shift), qMin(8.0, image.height() / 3.5), base, pressed);
    const QStringList lines = captionText(picture, pressed).split(u'\n');
    const QRectF text = box.adjusted(4, 2, -4, -2);
    // A lone sign ("＋", "－") is drawn large; words stay at a size that reads as a label.
    const qreal largest = lines.size() > 1 ? image.height() * 0.42
                          : lines.at(0).size() == 1 ? image.height() * 0.8
                                                     : qMin(18.0, image.height() * 0.56);
    QFont font = fittedFont(lines, text, largest);
    if (lines.size() == 2 && image.height() > 50) {
        // A title with a smaller line below it.
        QRectF top(text.left(), text.top() + 4, text.width(), text.height() * 0.55);
        QRectF bottom(text.left(), top.bottom(), text.width(), text.height() * 0.38);
        caption(p, top, {lines.at(0)}, fittedFont({lines.at(0)}, top, 26), Qt::white);
        caption(p, bottom, {lines.at(1)}, fittedFont({lines.at(1)}, bottom, 14),
                QColor(255, 255, 235));
    } else {
        caption(p, text, lines, font, pressed ? QColor(240, 240, 240) : Qt::white);
    }
    p.end();
}

void drawMenuButton(QImage &image, const Picture &picture, bool pressed)
{
    QPainter p;
    begin(p, image, panelColour());
    const QColor base = colour(picture.colour);
    const QStringList parts = QString::fromUtf8(picture.caption).split(u'|');
    const qreal shift = pressed ? 1.5 : 0;
    const QRectF box = QRectF(image.rect()).adjusted(0.5 + shift, 0.5 + shift, -0.5, -0.5);
    // A white bar with a coloured badge at the left.
    QLinearGradient g(box.topLeft(), box.bottomLeft());
    g.setColorAt(0, pressed ? mix(base, Qt::white, 0.55) : Qt::white);
    g.setColorAt(1, pressed ? mix(base, Qt::white, 0.4) : mix(base, Qt::white, 0.8));
    p.setPen(QPen(base.darker(pressed ? 150 : 120), 2));
    p.setBrush(g);
    p.drawRoundedRect(box.adjusted(1, 1, -1, -1), 14, 14);
    const QRectF badge(box.left() + 5, box.top() + 5, 92, box.height() - 10);
    tile(p, badge, 10, base, pressed);
    const QString mark = parts.value(0);
    if (mark == u"@gear") {
        gear(p, badge.center(), 15, Qt::white);
    } else if (mark == u"@help") {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(badge.center(), 16, 16);
        caption(p, QRectF(badge.center() - QPointF(16, 16), QSizeF(32, 32)), {QStringLiteral("?")},
                uiFont(26), base.darker(130), false);
    } else if (mark == u"@pad") {
        const QPointF c = badge.center();
        p.setPen(QPen(base.darker(150), 1));
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(c.x() - 26, c.y() - 13, 52, 26), 12, 12);
        p.setBrush(base.darker(120));
        p.drawRect(QRectF(c.x() - 18, c.y() - 2.5, 13, 5));
        p.drawRect(QRectF(c.x() - 14, c.y() - 6.5, 5, 13));
        p.setBrush(QColor(0xf2, 0xb7, 0x05));
        p.drawEllipse(QPointF(c.x() + 11, c.y() - 3), 3.5, 3.5);
        p.setBrush(QColor(0x2f, 0x9e, 0x55));
        p.drawEllipse(QPointF(c.x() + 18, c.y() + 3), 3.5, 3.5);
    } else {
        caption(p, badge.adjusted(6, 4, -6, -4), {mark}, fittedFont({mark}, badge.adjusted(6, 4, -6, -4), 22),
                Qt::white);
    }
    const QRectF title(badge.right() + 14, box.top() + 3, 200, box.height() - 6);
    caption(p, title, {parts.value(1)}, fittedFont({parts.value(1)}, title, 24), base.darker(150), false,
            Qt::AlignLeft | Qt::AlignVCenter);
    const QRectF note(title.right() + 6, box.top() + 3, box.right() - title.right() - 40, box.height() - 6);
    caption(p, note, {parts.value(2)}, fittedFont({parts.value(2)}, note, 14, false), QColor(0x44, 0x4c, 0x5a),
            false, Qt::AlignLeft | Qt::AlignVCenter);
    // A chevron at the right end: "go there".
    p.setPen(QPen(base, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const qreal cx = box.right() - 20, cy = box.center().y();
    p.drawPolyline(QPolygonF{QPointF(cx - 6, cy - 9), QPointF(cx + 3, cy), QPointF(cx - 6, cy + 9)});
    p.end();
}

void drawIcon(QImage &image, const Picture &picture)
{
    QPainter p;
    begin(p, image, Qt::white);
    const QString name = baseName(picture);
    const QColor base = colour(picture.colour);
    if (name == u"Empty_image") {
        p.setPen(QPen(base, 2, Qt::DashLine));
        p.setBrush(QColor(0xf7, 0xf9, 0xfc));
        p.drawRoundedRect(QRectF(3, 3, 42, 42), 9, 9);
        p.setPen(QPen(mix(base, Qt::white, 0.3), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(24, 17), QPointF(24, 31));
        p.drawLine(QPointF(17, 24), QPointF(31, 24));
        p.end();
        return;
    }
    tile(p, QRectF(2, 2, 44, 44), 10, base, false);
    const QColor ink = Qt::white;
    if (name == u"Delete") {
        trashCan(p, ink);
    } else if (name.startsWith(u"Repeat_")) {
        arcArrow(p, {24, 19}, 10, -60, 300, 5, 12, ink);
        caption(p, QRectF(4, 32, 40, 12), {captionText(picture, false)}, uiFont(10.5), ink);
        if (name == u"Repeat_Start")
            blockBracket(p, true, QColor(255, 255, 255, 170));
        else
            blockBracket(p, false, QColor(255, 255, 255, 170));
    } else if (name.contains(u"_Off_")) {
        const QStringList lines = QString::fromUtf8(picture.caption).split(u'|');
        const QRectF box(10, 5, 35, 38);
        caption(p, box, lines, fittedFont(lines, box, 12), ink);
        blockBracket(p, name.endsWith(u"Start"), QColor(255, 255, 255, 200));
    } else {
        motionGlyph(p, name, ink, base.darker(130));
    }
    p.end();
}

void drawKey(QImage &image, const Picture &picture, bool pressed)
{
    QPainter p;
    begin(p, image, panelColour());
    const QColor base = colour(picture.colour);
    const qreal shift = pressed ? 1 : 0;
    const QRectF box = QRectF(image.rect()).adjusted(1 + shift, 1 + shift, -1, -1 - (pressed ? 0 : 2));
    if (!pressed) {
        // The key's side, so that it looks like a key that can go down.
        p.setPen(Qt::NoPen);
        p.setBrush(base.darker(170));
        p.drawRoundedRect(box.translated(0, 2), 8, 8);
    }
    tile(p, box, 8, base, pressed);
    QString text = QString::fromUtf8(picture.caption);
    const bool digit = text.size() == 1;
    if (text == u".")
        text = QStringLiteral("・");
    const QRectF inner = box.adjusted(3, 1, -3, -1);
    caption(p, inner, {text}, fittedFont({text}, inner, digit ? 24 : 15), Qt::white);
    p.end();
}

void drawAngle(QImage &image, const Picture &picture, bool pressed)
{
    QPainter p;
    begin(p, image, panelColour());
    const QColor base = colour(picture.colour);
    const qreal shift = pressed ? 1 : 0;
    const QRectF box = QRectF(image.rect()).adjusted(1 + shift, 1 + shift, -1, -1);
    tile(p, box, 8, base, pressed);
    const int degrees = QString::fromUtf8(picture.caption).toInt();
    // A dial: the wedge is the angle the robot turns, starting at the top.
    const QPointF c(box.left() + 20, box.center().y());
    const qreal r = 14;
    p.setPen(QPen(Qt::white, 1.5));
    p.setBrush(base.darker(140));
    p.drawEllipse(c, r, r);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xf3, 0xb0));
    if (degrees >= 360)
        p.drawEllipse(c, r - 2, r - 2);
    else
        p.drawPie(QRectF(c.x() - r + 2, c.y() - r + 2, 2 * r - 4, 2 * r - 4), 90 * 16, -degrees * 16);
    p.setPen(QPen(Qt::white, 1.5));
    p.drawLine(c, QPointF(c.x(), c.y() - r));
    const QRectF text(box.left() + 36, box.top() + 2, box.width() - 38, box.height() - 4);
    const QString label = QString::number(degrees) + QStringLiteral("°");
    caption(p, text, {label}, fittedFont({label}, text, 17), Qt::white);
    p.end();
}

void drawRemote(QImage &image, const Picture &picture, bool pressed)
{
    static const QHash<QString, QPair<QString, int>> glyphs{
        {QStringLiteral("rajikon_FL"), {QStringLiteral("FL"), 7}},
        {QStringLiteral("rajikon_FF"), {QStringLiteral("FF"), 8}},
        {QStringLiteral("rajikon_FR"), {QStringLiteral("FR"), 9}},
        {QStringLiteral("rajikon_FLturn"), {QStringLiteral("L_Turn"), 4}},
        {QStringLiteral("rajikon_Stop"), {QStringLiteral("Stop"), 5}},
        {QStringLiteral("rajikon_FRturn"), {QStringLiteral("R_Turn"), 6}},
        {QStringLiteral("rajikon_BL"), {QStringLiteral("BL"), 1}},
        {QStringLiteral("rajikon_BB"), {QStringLiteral("BB"), 2}},
        {QStringLiteral("rajikon_BR"), {QStringLiteral("BR"), 3}},
    };
    const auto glyph = glyphs.value(baseName(picture));
    QPainter p;
    begin(p, image, panelColour());
    const QColor base = colour(picture.colour);
    QRectF box = QRectF(image.rect()).adjusted(4, 4, -4, -4);
    if (pressed) {
        // The current motion glows, so the pupil sees what the robot is doing.
        for (int i = 4; i >= 1; --i) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0xff, 0xd2, 0x3f, 60 + 30 * (4 - i)));
            p.drawRoundedRect(box.adjusted(-i, -i, i, i), 20 + i, 20 + i);
        }
        box.translate(1, 1);
    }
    tile(p, box, 20, base, pressed);
    p.save();
    p.translate(box.left() + 47 - 24 * 1.3, box.top() + 5);
    p.scale(1.3, 1.3);
    motionGlyph(p, glyph.first, Qt::white, base.darker(130));
    p.restore();
    const QString label = captionText(picture, pressed);
    const QRectF text(box.left() + 4, box.bottom() - 24, box.width() - 8, 20);
    caption(p, text, {label}, fittedFont({label}, text, 14), Qt::white);
    // The key on the keyboard that does the same.
    const QPointF keyCentre(box.left() + 14, box.top() + 14);
    p.setPen(QPen(base.darker(150), 1.2));
    p.setBrush(QColor(255, 255, 255, 230));
    p.drawRoundedRect(QRectF(keyCentre - QPointF(10, 10), QSizeF(20, 20)), 5, 5);
    caption(p, QRectF(keyCentre - QPointF(10, 10), QSizeF(20, 20)), {QString::number(glyph.second)},
            uiFont(14), base.darker(150), false);
    p.end();
}

void drawMarker(QImage &image, const Picture &picture)
{
    QPainter p;
    begin(p, image, Qt::white);
    const QString name = baseName(picture);
    const QColor base = colour(picture.colour);
    if (name == u"piron") {
        // A traffic cone: orange with white bands, on a dark foot.
        QPainterPath cone;
        cone.moveTo(12.5, 2);
        cone.lineTo(20, 25);
        cone.lineTo(5, 25);
        cone.closeSubpath();
        p.setPen(QPen(base.darker(160), 1));
        p.setBrush(base);
        p.drawPath(cone);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xfa, 0xfa, 0xfa));
        p.drawPolygon(QPolygonF{QPointF(10.2, 9), QPointF(14.8, 9), QPointF(16.1, 13), QPointF(8.9, 13)});
        p.drawPolygon(QPolygonF{QPointF(7.9, 16.5), QPointF(17.1, 16.5), QPointF(18.4, 20.5), QPointF(6.6, 20.5)});
        p.setBrush(QColor(0x3a, 0x3f, 0x48));
        p.drawRoundedRect(QRectF(2, 24.5, 21, 4.5), 1.5, 1.5);
    } else if (name.contains(u"ball")) {
        const QRectF ball = QRectF(image.rect()).adjusted(2, 2, -2, -2);
        QRadialGradient g(ball.center() - QPointF(ball.width() / 5, ball.height() / 5), ball.width() * 0.7);
        g.setColorAt(0, base.lighter(160));
        g.setColorAt(1, base.darker(115));
        p.setPen(QPen(base.darker(170), 1));
        p.setBrush(g);
        p.drawEllipse(ball);
    } else {
        const QRectF disc = QRectF(image.rect()).adjusted(1, 1, -1, -1);
        p.setPen(QPen(base.darker(160), 1.2));
        p.setBrush(base);
        p.drawEllipse(disc);
        const QString letter = QString::fromUtf8(picture.caption);
        caption(p, disc, {letter}, uiFont(15), Qt::white, false);
    }
    p.end();
}

void drawHelpCard(QImage &image, const Picture &picture)
{
    QPainter p;
    begin(p, image, Qt::white);
    const QColor base = colour(picture.colour);
    const QStringList parts = QString::fromUtf8(picture.caption).split(u'|');
    const QRectF title(0, 0, image.width(), 28);
    p.setPen(Qt::NoPen);
    p.setBrush(base);
    p.drawRect(title);
    caption(p, title.adjusted(6, 2, -6, -2), {parts.at(0)}, fittedFont({parts.at(0)}, title.adjusted(6, 2, -6, -2), 16),
            Qt::white);
    QStringList code, notes;
    for (int i = 1; i < parts.size(); ++i)
        (parts.at(i).startsWith(u'#') ? notes : code) << parts.at(i).mid(parts.at(i).startsWith(u'#') ? 1 : 0);
    const qreal codeStep = 14, noteStep = 16;
    QRectF codeBox(6, 34, image.width() - 12, code.size() * codeStep + 8);
    p.setPen(QPen(mix(base, Qt::white, 0.5), 1));
    p.setBrush(QColor(0x1f, 0x25, 0x33));
    p.drawRoundedRect(codeBox, 6, 6);
    const QFont mono = fittedFont(code, codeBox.adjusted(6, 0, -6, 0), 12, true, true);
    qreal y = codeBox.top() + 4;
    for (const QString &line : code) {
        const int cut = line.indexOf(u'(');
        p.setFont(mono);
        const QFontMetricsF metrics(mono);
        const QPointF at(codeBox.left() + 7, y + codeStep - 3);
        // The statement word stands out from its arguments, as in the editor.
        const QString word = cut < 0 ? line : line.left(cut);
        p.setPen(QColor(0x7c, 0xf0, 0x9a));
        p.drawText(at, word);
        p.setPen(QColor(0xf5, 0xf7, 0xfa));
        p.drawText(at + QPointF(metrics.horizontalAdvance(word), 0), line.mid(word.size()));
        y += codeStep;
    }
    y = codeBox.bottom() + 4;
    const QFont note = fittedFont(notes, QRectF(0, 0, image.width() - 16, 1000), 12, true);
    for (const QString &line : notes) {
        if (y + noteStep > image.height() - 2)
            break;
        p.setPen(Qt::NoPen);
        p.setBrush(base);
        p.drawEllipse(QPointF(8, y + noteStep / 2), 2.2, 2.2);
        caption(p, QRectF(13, y, image.width() - 16, noteStep), {line}, note, QColor(0x26, 0x2d, 0x38), false,
                Qt::AlignLeft | Qt::AlignVCenter);
        y += noteStep;
    }
    p.setPen(QPen(base, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(image.rect()).adjusted(1, 1, -1, -1));
    p.end();
}

void drawHelpItem(QImage &image, const Picture &picture)
{
    QPainter p;
    const QColor base = colour(picture.colour);
    begin(p, image, mix(base, Qt::white, 0.86));
    p.setPen(Qt::NoPen);
    p.setBrush(base);
    p.drawRoundedRect(QRectF(1, 2, 5, image.height() - 4), 2, 2);
    const QString text = QString::fromUtf8(picture.caption);
    const QRectF box(10, 0, image.width() - 12, image.height());
    caption(p, box, {text}, fittedFont({text}, box, image.height() - 7), base.darker(160), false,
            Qt::AlignLeft | Qt::AlignVCenter);
    p.setPen(QPen(mix(base, Qt::white, 0.5), 1));
    p.drawLine(QPointF(8, image.height() - 0.5), QPointF(image.width(), image.height() - 0.5));
    p.end();
}
