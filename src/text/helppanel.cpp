// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/helppanel.h"

#include "app/ui/pictures.h"

#include <QtWidgets/QFrame>

#include <QPainter>

using namespace Qt::StringLiterals;

namespace {

QString itemPicture(const QString &name)
{
    return u"Photo\\Button\\"_s + name + u".jpg"_s;
}

QString explanationPicture(const QString &name)
{
    return u"Photo\\Button\\key\\"_s + name + u".jpg"_s;
}

struct Item
{
    const char16_t *name;
    int x, y, width, height;
    const char16_t *caption;
};

// Window coordinates.
constexpr Item BASIC[] = {
    {u"m1", 77, 77, 129, 19, u"基本動作"},
    {u"m3", 77, 114, 129, 19, u"スピード設定"},
    {u"m4", 77, 151, 129, 19, u"繰返し"},
    {u"m5", 77, 188, 129, 19, u"条件繰り返し"},
    {u"m6", 77, 225, 129, 19, u"条件分岐"},
};

// Panel1 coordinates; the sub-items stand indented below their group.
constexpr Item EXTENDED[] = {
    {u"m_1", 5, 6, 120, 19, u"基本動作"},
    {u"m_3", 5, 27, 120, 19, u"スピード設定"},
    {u"m_4", 5, 48, 120, 19, u"繰返し"},
    {u"m_8", 5, 69, 120, 19, u"io設定"},
    {u"m_7", 5, 90, 120, 19, u"io動作"},
    {u"m51", 5, 111, 120, 19, u"条件繰り返し"},
    {u"m_5", 24, 132, 96, 17, u"SW"},
    {u"m_9", 24, 151, 96, 17, u"io"},
    {u"m61", 5, 170, 120, 19, u"条件分岐"},
    {u"m_6", 24, 191, 96, 17, u"SW"},
    {u"m_10", 24, 210, 96, 17, u"io"},
};

const QRect PANEL_PLACE(72, 72, 145, 233);
const QColor PANEL_COLOUR = QColor::fromRgb(0x99, 0x99, 0x99);

}

HelpPicture::HelpPicture(const QString &name, const QRect &geometry, const QString &caption, QWidget *parent)
    : ClickablePicture(parent)
    , m_caption(caption)
{
    setObjectName(name);
    setGeometry(geometry);
    setCursor(Qt::PointingHandCursor);
}

void HelpPicture::setPictureFile(const QString &relativeName)
{
    m_picture = ui::loadPicture(relativeName);
    m_file = relativeName;
    update();
}

void HelpPicture::setPictureFileQuietly(const QString &relativeName)
{
    m_picture = ui::loadPictureQuietly(relativeName);
    m_file = relativeName;
    update();
}

void HelpPicture::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (!m_picture.isNull()) {
        p.drawPixmap(rect(), m_picture);
        return;
    }
    if (!m_caption.isEmpty())
        p.drawText(rect(), Qt::AlignCenter, m_caption);
}

HelpPanel::HelpPanel(QWidget *window)
    : QObject(window)
    , m_window(window)
{
    for (const Item &i : BASIC) {
        auto *item = new HelpPicture(QString::fromUtf16(i.name), QRect(i.x, i.y, i.width, i.height),
                                     QString::fromUtf16(i.caption), window);
        m_basic.append(item);
        connect(item, &HelpPicture::clicked, this, [this, item] { m6Click(item); });
    }
    ball1 = new HelpPicture(u"ball1"_s, QRect(77, 77, 20, 19), QString(), window);
    ball1->setAttribute(Qt::WA_TransparentForMouseEvents);

    Panel1 = new QFrame(window);
    Panel1->setObjectName(u"Panel1"_s);
    Panel1->setGeometry(PANEL_PLACE);
    Panel1->setAutoFillBackground(true);
    QPalette palette = Panel1->palette();
    palette.setColor(QPalette::Window, PANEL_COLOUR);
    Panel1->setPalette(palette);
    for (const Item &i : EXTENDED) {
        auto *item = new HelpPicture(QString::fromUtf16(i.name), QRect(i.x, i.y, i.width, i.height),
                                     QString::fromUtf16(i.caption), Panel1);
        m_extended.append(item);
        connect(item, &HelpPicture::clicked, this, [this, item] { m_1Click(item); });
    }
    ball = new HelpPicture(u"ball"_s, QRect(5, 6, 20, 19), QString(), Panel1);
    s_ball = new HelpPicture(u"s_ball"_s, QRect(26, 133, 15, 15), QString(), Panel1);
    for (HelpPicture *marker : {ball, s_ball})
        marker->setAttribute(Qt::WA_TransparentForMouseEvents);

    Image6 = new HelpPicture(u"Image6"_s, QRect(56, 305, 172, 206), QString(), window);
    Image6->setCursor(Qt::ArrowCursor);

    // Pictures that are missing show their caption instead; nobody is told at start.
    for (HelpPicture *item : m_basic + m_extended)
        item->setPictureFileQuietly(itemPicture(item->objectName()));
    ball1->setPictureFileQuietly(u"Photo\\Button\\ball1.bmp"_s);
    ball->setPictureFileQuietly(u"Photo\\Button\\ball.bmp"_s);
    s_ball->setPictureFileQuietly(u"Photo\\Button\\s_ball.bmp"_s);
    Image6->setPictureFileQuietly(explanationPicture(u"m_1"_s));
    putBall(ball1, m_basic.first());
    reset();
}

void HelpPanel::reset()
{
    m_open = false;
    Panel1->hide();
    s_ball->hide();
}

void HelpPanel::toggle()
{
    m_open = !m_open;
    if (m_open) {
        Panel1->show();
        Panel1->raise();
        putBall(ball, m_extended.first());
        s_ball->hide();
    } else {
        Panel1->hide();
        putBall(ball1, m_basic.first());
    }
    show(u"m_1"_s);
    emit openChanged(m_open);
}

QString HelpPanel::shownPicture() const
{
    return Image6->pictureFile();
}

void HelpPanel::m6Click(HelpPicture *item)
{
    putBall(ball1, item);
    // m1 explains with m_1, m3 with m_3, ...
    show(u"m_"_s + item->objectName().mid(1));
}

void HelpPanel::m_1Click(HelpPicture *item)
{
    const QString name = item->objectName();
    auto byName = [this](const QString &n) {
        for (HelpPicture *p : std::as_const(m_extended)) {
            if (p->objectName() == n)
                return p;
        }
        return m_extended.first();
    };
    auto subBall = [this](HelpPicture *sub) {
        s_ball->move(sub->x() + 1, sub->y() + 1);
        s_ball->show();
        s_ball->raise();
    };
    if (name == u"m51" || name == u"m61") {
        HelpPicture *first = byName(name == u"m51" ? u"m_5"_s : u"m_6"_s);
        putBall(ball, item);
        subBall(first);
        show(first->objectName());
        return;
    }
    if (name == u"m_5" || name == u"m_9") {
        putBall(ball, byName(u"m51"_s));
        subBall(item);
    } else if (name == u"m_6" || name == u"m_10") {
        putBall(ball, byName(u"m61"_s));
        subBall(item);
    } else {
        putBall(ball, item);
        s_ball->hide();
    }
    show(name);
}

void HelpPanel::show(const QString &itemName)
{
    Image6->setPictureFile(explanationPicture(itemName));
}

void HelpPanel::putBall(QWidget *marker, QWidget *beside)
{
    marker->move(beside->x(), beside->y());
    marker->show();
    marker->raise();
}
