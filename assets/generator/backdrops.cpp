// SPDX-License-Identifier: GPL-3.0-or-later
// Window backgrounds and the fixed pictures inside windows. A background leaves the places of
// its window's controls free: titles sit where no control is, and the controls stand on light
// panels of the colour the buttons fill their corners with.
#include "painting.h"

#include <QHash>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRandomGenerator>
#include <QtMath>

#include <functional>

using namespace paint;
using pictures::Picture;

namespace {

struct Panel
{
    QRectF box;
    QString heading;
};

struct Layout
{
    QRectF title;            // the title ribbon
    QString subtitle;        // a smaller line beside or below the title
    QList<Panel> panels;     // light panels under groups of controls
    bool stepBar = false;    // the band at the bottom with the step buttons
    std::function<void(QPainter &, const QColor &)> extra;
};

void sky(QPainter &p, const QImage &image, const QColor &accent, const QString &seed)
{
    QLinearGradient g(0, 0, 0, image.height());
    g.setColorAt(0, mix(accent, Qt::white, 0.62));
    g.setColorAt(0.45, mix(accent, Qt::white, 0.86));
    g.setColorAt(1, mix(accent, Qt::white, 0.93));
    p.fillRect(image.rect(), g);
    // Soft bubbles, always the same for one window, so builds give the same pictures.
    QRandomGenerator random(qHash(seed));
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 26; ++i) {
        const qreal r = 8 + random.bounded(46);
        const QPointF c(random.bounded(image.width()), random.bounded(image.height()));
        p.setBrush(QColor(255, 255, 255, 26 + random.bounded(40)));
        p.drawEllipse(c, r, r);
    }
    // A faint dotted grid, like the squared paper of a classroom.
    p.setBrush(QColor(255, 255, 255, 70));
    for (int y = 12; y < image.height(); y += 24)
        for (int x = 12; x < image.width(); x += 24)
            p.drawEllipse(QPointF(x, y), 1.2, 1.2);
}

void ribbon(QPainter &p, const QRectF &box, const QString &title, const QString &subtitle,
            const QColor &accent)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 35));
    p.drawRoundedRect(box.translated(0, 3), qMin(box.height() / 2, 18.0), qMin(box.height() / 2, 18.0));
    QLinearGradient g(box.topLeft(), box.bottomLeft());
    g.setColorAt(0, accent.lighter(125));
    g.setColorAt(1, accent.darker(112));
    p.setBrush(g);
    p.setPen(QPen(accent.darker(150), 1.5));
    p.drawRoundedRect(box, qMin(box.height() / 2, 18.0), qMin(box.height() / 2, 18.0));
    if (box.height() > 50) {
        // A title block: the step in large letters, what it is about below.
        const QRectF top(box.left() + 12, box.top() + 6, box.width() - 24, box.height() * 0.52);
        const QRectF bottom(box.left() + 10, top.bottom(), box.width() - 20, box.height() * 0.34);
        caption(p, top, {title}, fittedFont({title}, top, 34), Qt::white);
        caption(p, bottom, {subtitle}, fittedFont({subtitle}, bottom, 17), QColor(255, 255, 230));
        p.restore();
        return;
    }
    const qreal face = box.height() * 0.9;
    robot(p, QPointF(box.left() + box.height() * 0.75, box.center().y() + face * 0.12), face, QColor(0xff, 0xff, 0xff));
    const QRectF text = box.adjusted(box.height() * 1.45, 2, -box.height() / 2, -2);
    if (subtitle.isEmpty()) {
        caption(p, text, {title}, fittedFont({title}, text, box.height() * 0.62), Qt::white);
    } else {
        const QRectF top(text.left(), text.top(), text.width(), text.height() * 0.6);
        const QRectF bottom(text.left(), top.bottom(), text.width(), text.height() * 0.4);
        caption(p, top, {title}, fittedFont({title}, top, 30), Qt::white);
        caption(p, bottom, {subtitle}, fittedFont({subtitle}, bottom, 15), QColor(255, 255, 230));
    }
    p.restore();
}

void stepBar(QPainter &p, const QImage &image, const QColor &accent)
{
    const QRectF band(0, image.height() - 35, image.width(), 35);
    p.setPen(Qt::NoPen);
    p.setBrush(panelColour());
    p.drawRect(band);
    p.setBrush(accent);
    p.drawRect(QRectF(band.left(), band.top(), band.width(), 3));
}

void label(QPainter &p, const QRectF &box, const QString &text, const QColor &ink, qreal size = 13)
{
    caption(p, box, {text}, fittedFont({text}, box, size), ink, false, Qt::AlignLeft | Qt::AlignVCenter);
}

// The main menu: title across the top, the seven menu bars in one panel, the robot beside.
Layout menuLayout()
{
    Layout l;
    l.title = QRectF(24, 8, 722, 46);
    l.panels = {{QRectF(127, 106, 532, 434), {}}, {QRectF(547, 56, 127, 40), {}}};
    l.extra = [](QPainter &p, const QColor &accent) {
        label(p, QRectF(139, 62, 390, 34), QStringLiteral("RK-25  やりたいことを えらんでね"), accent.darker(160), 19);
        robot(p, QPointF(714, 420), 86, QColor(0x5b, 0x9c, 0xf0));
        robot(p, QPointF(64, 470), 64, QColor(0xf0, 0x8a, 0x24));
        caption(p, QRectF(10, 548, 750, 24), {QStringLiteral("ロボットを プログラムで うごかそう！")},
                uiFont(15), accent.darker(150), false);
    };
    return l;
}

// Icon screen: palette and hint at the left, slot column in the middle, commands at the right.
Layout iconLayout()
{
    Layout l;
    l.title = QRectF(18, 6, 520, 40);
    l.panels = {{QRectF(42, 58, 176, 376), QStringLiteral("めいれい")},
                {QRectF(50, 438, 158, 90), {}},
                {QRectF(248, 48, 310, 482), {}},
                {QRectF(585, 92, 112, 434), QStringLiteral("ボタン")},
                {QRectF(560, 38, 197, 44), {}}};
    l.stepBar = true;
    l.extra = [](QPainter &p, const QColor &accent) {
        label(p, QRectF(60, 439, 140, 17), QStringLiteral("ヒント"), accent.darker(130), 12);
    };
    return l;
}

Layout listLayout()
{
    Layout l;
    l.panels = {{QRectF(4, 3, 762, 532), {}}};
    l.extra = [](QPainter &p, const QColor &accent) {
        const QRectF box(10, 537, 248, 30);
        p.setPen(Qt::NoPen);
        p.setBrush(accent);
        p.drawRoundedRect(box, 15, 15);
        caption(p, box, {QStringLiteral("プログラム いちらん")}, uiFont(17), Qt::white);
        label(p, QRectF(518, 537, 246, 30), QStringLiteral("アイコンの じゅんばんだよ"), accent.darker(150), 15);
    };
    return l;
}

Layout transferLayout()
{
    Layout l;
    l.title = QRectF(14, 10, 418, 40);
    l.panels = {{QRectF(46, 198, 349, 53), {}}};
    l.extra = [](QPainter &p, const QColor &accent) {
        // A computer sends the program to the robot: the arrows run from left to right.
        const QRectF screen(58, 74, 100, 70);
        p.setPen(QPen(QColor(0x3a, 0x40, 0x4c), 3));
        p.setBrush(QColor(0xe9, 0xf4, 0xff));
        p.drawRoundedRect(screen, 8, 8);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x3a, 0x40, 0x4c));
        p.drawRect(QRectF(98, 144, 20, 14));
        p.drawRoundedRect(QRectF(78, 156, 60, 8), 3, 3);
        p.setFont(codeFont(11));
        p.setPen(accent.darker(130));
        p.drawText(QPointF(68, 96), QStringLiteral("motor(fwd"));
        p.drawText(QPointF(68, 112), QStringLiteral("wait(10)"));
        p.drawText(QPointF(68, 128), QStringLiteral("loop(3)"));
        for (int i = 0; i < 3; ++i)
            arrow(p, QPointF(178 + i * 34, 118), QPointF(204 + i * 34, 118), 7, 18,
                  mix(accent, QColor(0xf2, 0xb7, 0x05), i / 2.0));
        robot(p, QPointF(330, 126), 92, QColor(0x5b, 0x9c, 0xf0));
        caption(p, QRectF(20, 304, 406, 24), {QStringLiteral("おわるまで ケーブルを ぬかないでね")}, uiFont(14),
                accent.darker(150), false);
        // The blinking note shows on a plain patch, so it appears and disappears cleanly.
        p.setPen(Qt::NoPen);
        p.setBrush(panelColour());
        p.drawRoundedRect(QRectF(131, 252, 194, 53), 12, 12);
    };
    return l;
}

Layout previewLayout()
{
    Layout l;
    l.extra = [](QPainter &p, const QColor &accent) {
        p.setPen(QPen(accent.lighter(200), 2));
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(4, 5, 510, 510), 8, 8);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 70));
        p.drawRoundedRect(QRectF(24, 516, 192, 28), 14, 14);
        p.setBrush(panelColour());
        p.drawRoundedRect(QRectF(228, 505, 251, 39), 10, 10);
    };
    return l;
}

Layout setupLayout()
{
    Layout l;
    l.title = QRectF(12, 6, 300, 32);
    l.panels = {{QRectF(40, 38, 134, 197), {}},
                {QRectF(176, 38, 284, 244), {}},
                {QRectF(39, 237, 136, 91), {}},
                {QRectF(224, 288, 220, 45), {}}};
    l.extra = [](QPainter &p, const QColor &accent) {
        gear(p, QPointF(470, 22), 13, mix(accent, Qt::white, 0.3));
        gear(p, QPointF(448, 30), 8, mix(accent, Qt::white, 0.5));
    };
    return l;
}

Layout remoteLayout()
{
    Layout l;
    l.title = QRectF(18, 8, 530, 44);
    l.panels = {{QRectF(561, 44, 196, 44), {}},
                {QRectF(198, 100, 377, 80), {}},
                {QRectF(212, 180, 346, 342), {}},
                {QRectF(582, 196, 170, 300), QStringLiteral("キーボードでも OK")}};
    l.stepBar = true;
    l.extra = [](QPainter &p, const QColor &accent) {
        // The number keys in the layout of the drive pictures.
        static const char *names[] = {"FL", "FF", "FR", "L_Turn", "Stop", "R_Turn", "BL", "BB", "BR"};
        static const int digits[] = {7, 8, 9, 4, 5, 6, 1, 2, 3};
        for (int i = 0; i < 9; ++i) {
            const QRectF key(600 + (i % 3) * 46, 232 + (i / 3) * 46, 40, 40);
            tile(p, key, 8, i == 4 ? QColor(0xd6, 0x45, 0x45) : accent, false);
            caption(p, key, {QString::number(digits[i])}, uiFont(20), Qt::white);
            Q_UNUSED(names);
        }
        caption(p, QRectF(590, 376, 154, 110),
                {QStringLiteral("すうじの キーで"), QStringLiteral("ボタンと おなじ"), QStringLiteral("うごきが できるよ"),
                 QStringLiteral("5 で とまる")},
                uiFont(14), QColor(0x33, 0x3a, 0x45), false);
        robot(p, QPointF(100, 330), 120, QColor(0xe0, 0x53, 0x3d));
        // The hint below the robot changes with the driving, so the screen draws it.
    };
    return l;
}

Layout textLayout()
{
    Layout l;
    l.title = QRectF(566, 8, 192, 74);
    l.subtitle = QStringLiteral("もじで プログラミング");
    l.panels = {{QRectF(46, 32, 192, 488), QStringLiteral("めいれいの せつめい")},
                {QRectF(248, 23, 318, 516), {}},
                {QRectF(585, 156, 112, 362), {}},
                {QRectF(560, 86, 197, 44), {}}};
    l.stepBar = true;
    return l;
}

Layout routeLayout()
{
    Layout l;
    l.title = QRectF(566, 8, 192, 74);
    l.subtitle = QStringLiteral("ラインで プログラミング");
    l.panels = {{QRectF(48, 22, 516, 516), {}},
                {QRectF(564, 86, 193, 44), {}},
                {QRectF(585, 148, 112, 193), {}},
                {QRectF(585, 346, 112, 190), {}}};
    l.stepBar = true;
    l.extra = [](QPainter &p, const QColor &accent) {
        label(p, QRectF(595, 348, 96, 18), QStringLiteral("しょうがいぶつ"), accent.darker(140), 12);
        label(p, QRectF(595, 398, 96, 17), QStringLiteral("ズーム"), accent.darker(140), 12);
        label(p, QRectF(595, 460, 46, 24), QStringLiteral("ばいりつ"), accent.darker(140), 11);
        caption(p, QRectF(0, 40, 46, 480), {QStringLiteral("ク"), QStringLiteral("リ"), QStringLiteral("ッ"),
                                           QStringLiteral("ク"), QStringLiteral("で"), QStringLiteral("み"),
                                           QStringLiteral("ち"), QStringLiteral("を"), QStringLiteral("か"),
                                           QStringLiteral("こ"), QStringLiteral("う")},
                uiFont(18), accent.darker(130), false);
    };
    return l;
}

Layout reportLayout()
{
    Layout l;
    l.title = QRectF(20, 14, 440, 48);
    l.panels = {{QRectF(470, 22, 290, 46), {}}, {QRectF(35, 72, 699, 491), {}}};
    return l;
}

Layout layoutFor(const QString &name)
{
    static const QHash<QString, std::function<Layout()>> layouts{
        {QStringLiteral("menu"), menuLayout},     {QStringLiteral("icon"), iconLayout},
        {QStringLiteral("list"), listLayout},     {QStringLiteral("transfer"), transferLayout},
        {QStringLiteral("preview"), previewLayout}, {QStringLiteral("setup"), setupLayout},
        {QStringLiteral("remote"), remoteLayout}, {QStringLiteral("text"), textLayout},
        {QStringLiteral("route"), routeLayout},   {QStringLiteral("report"), reportLayout},
    };
    return layouts.value(name, [] { return Layout{}; })();
}

}

void drawBackdrop(QImage &image, const Picture &picture)
{
    const QString name = baseName(picture);
    const QColor accent = colour(picture.colour);
    const Layout layout = layoutFor(name);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    if (name == u"preview") {
        // A dark frame: the length labels below the drawing are lime and need a dark ground.
        QLinearGradient g(0, 0, 0, image.height());
        g.setColorAt(0, accent.lighter(130));
        g.setColorAt(1, accent.darker(130));
        p.fillRect(image.rect(), g);
    } else {
        sky(p, image, accent, name);
    }
    if (layout.stepBar)
        stepBar(p, image, accent);
    for (const Panel &panel : layout.panels)
        paint::panel(p, panel.box, accent, panel.heading);
    if (!layout.title.isEmpty()) {
        QString title = QString::fromUtf8(picture.caption);
        QString subtitle = layout.subtitle;
        if (!subtitle.isEmpty())
            title = name == u"text" ? QStringLiteral("STEP4") : QStringLiteral("STEP5");
        ribbon(p, layout.title, title, subtitle, accent);
    }
    if (layout.extra)
        layout.extra(p, accent);
}

namespace {

void splash(QPainter &p, const QImage &image, const Picture &picture)
{
    const QColor accent = colour(picture.colour);
    const QStringList parts = QString::fromUtf8(picture.caption).split(u'|');
    QLinearGradient g(0, 0, 0, image.height());
    g.setColorAt(0, accent.darker(120));
    g.setColorAt(1, accent.lighter(140));
    p.fillRect(image.rect(), g);
    QRandomGenerator random(7);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 40; ++i) {
        p.setBrush(QColor(255, 255, 255, 40 + random.bounded(120)));
        const qreal r = 0.8 + random.bounded(2.2);
        p.drawEllipse(QPointF(random.bounded(image.width()), random.bounded(150)), r, r);
    }
    // The floor with a route drawn on it, and the robot on the route.
    p.setBrush(QColor(255, 255, 255, 215));
    p.drawRoundedRect(QRectF(-20, 178, image.width() + 40, 140), 30, 30);
    p.setPen(QPen(QColor(0xc0, 0xc8, 0xd4), 1));
    for (int x = 0; x < image.width(); x += 20)
        p.drawLine(QPointF(x, 182), QPointF(x, image.height()));
    for (int y = 190; y < image.height(); y += 20)
        p.drawLine(QPointF(0, y), QPointF(image.width(), y));
    p.setPen(QPen(QColor(0xe0, 0x53, 0x3d), 4, Qt::DashLine, Qt::RoundCap));
    p.drawPolyline(QPolygonF{QPointF(30, 262), QPointF(120, 262), QPointF(160, 222), QPointF(250, 222)});
    robot(p, QPointF(318, 196), 108, QColor(0xf0, 0x8a, 0x24));
    const QRectF brand(22, 18, 240, 64);
    caption(p, brand, {QStringLiteral("RK-25")}, uiFont(54), Qt::white);
    const QRectF title(16, 92, 370, 36);
    caption(p, title, {parts.at(0)}, fittedFont({parts.at(0)}, title, 24), Qt::white);
    const QRectF note(16, 132, 240, 26);
    caption(p, note, {parts.at(1)}, uiFont(16), QColor(0xff, 0xf3, 0xb0));
}

void reportSheet(QPainter &p, const QImage &image, const Picture &picture)
{
    const QColor accent = colour(picture.colour);
    const QColor ink(0x33, 0x3a, 0x45);
    p.fillRect(image.rect(), QColor(0xff, 0xfd, 0xf7));
    // Ruled paper.
    p.setPen(QPen(QColor(0xe6, 0xea, 0xf2), 1));
    for (int y = 20; y < image.height(); y += 24)
        p.drawLine(0, y, image.width(), y);
    p.setPen(QPen(mix(accent, Qt::white, 0.5), 3));
    p.drawLine(14, 0, 14, image.height());
    auto field = [&](const QRectF &box) {
        p.setPen(QPen(mix(accent, Qt::white, 0.3), 1.5));
        p.setBrush(Qt::white);
        p.drawRoundedRect(box.adjusted(-3, -3, 3, 3), 6, 6);
    };
    // The fields: grade, class and name in one row, then the aim and the impressions.
    caption(p, QRectF(24, 28, 60, 30), {QStringLiteral("学年")}, uiFont(17), ink, false);
    field(QRectF(90, 28, 60, 30));
    caption(p, QRectF(154, 28, 30, 30), {QStringLiteral("年")}, uiFont(17), ink, false);
    field(QRectF(190, 28, 60, 30));
    caption(p, QRectF(254, 28, 30, 30), {QStringLiteral("組")}, uiFont(17), ink, false);
    caption(p, QRectF(296, 28, 60, 30), {QStringLiteral("氏名")}, uiFont(17), ink, false);
    field(QRectF(360, 28, 288, 30));
    label(p, QRectF(24, 74, 630, 26), QStringLiteral("どんな プログラムを つくりましたか？（もくてき）"), accent.darker(130), 16);
    field(QRectF(150, 108, 498, 120));
    label(p, QRectF(24, 244, 630, 26), QStringLiteral("やってみて どうでしたか？（かんそう）"), accent.darker(130), 16);
    field(QRectF(150, 278, 498, 120));
    caption(p, QRectF(24, 120, 116, 96), {QStringLiteral("ロボットに"), QStringLiteral("なにを"), QStringLiteral("させた？")},
            uiFont(14), ink, false);
    caption(p, QRectF(24, 290, 116, 96), {QStringLiteral("うまく"), QStringLiteral("いった？"), QStringLiteral("くふうは？")},
            uiFont(14), ink, false);
    label(p, QRectF(24, 424, 460, 30), QStringLiteral("かけたら 「レポートを つくる」を おしてね"), ink, 15);
}

}

void drawFixedPicture(QImage &image, const Picture &picture)
{
    const QString name = baseName(picture);
    const QColor accent = colour(picture.colour);
    const QStringList lines = QString::fromUtf8(picture.caption).split(u'|');
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    if (name == u"splash") {
        splash(p, image, picture);
    } else if (name == u"report_sheet") {
        reportSheet(p, image, picture);
    } else if (name == u"icon_slots") {
        // The paper behind the slot column: faint lines at the slot pitch.
        p.fillRect(image.rect(), QColor(0xff, 0xfd, 0xf7));
        p.setPen(QPen(mix(accent, Qt::white, 0.8), 1));
        for (int y = 28; y < image.height(); y += 56)
            p.drawLine(QPointF(34, y), QPointF(image.width() - 6, y));
        p.setPen(QPen(mix(accent, Qt::white, 0.6), 2));
        p.drawLine(QPointF(34, 0), QPointF(34, image.height()));
    } else if (name == u"transfer_blink") {
        p.fillRect(image.rect(), panelColour());
        tile(p, QRectF(image.rect()).adjusted(2, 2, -2, -2), 18, QColor(0xf2, 0xb7, 0x05), false);
        const QRectF box = QRectF(image.rect()).adjusted(10, 4, -10, -4);
        caption(p, box, lines, fittedFont(lines, box, 22), Qt::white);
    } else {
        // Notes: a light card with an accent edge.
        p.fillRect(image.rect(), panelColour());
        p.setPen(QPen(accent, 3));
        p.setBrush(mix(accent, Qt::white, 0.88));
        p.drawRoundedRect(QRectF(image.rect()).adjusted(2, 2, -2, -2), 12, 12);
        if (name == u"setup_wait")
            gear(p, QPointF(30, image.height() / 2.0), 17, accent);
        const QRectF box = name == u"setup_wait" ? QRectF(54, 6, image.width() - 62, image.height() - 12)
                                                 : QRectF(image.rect()).adjusted(8, 8, -8, -8);
        caption(p, box, lines, fittedFont(lines, box, 18), accent.darker(150), false);
    }
}
