// SPDX-License-Identifier: GPL-3.0-or-later
#include "icon/slotcolumn.h"

#include "editor/sonstrings.h"

#include "app/ui/pictures.h"
#include "app/ui/windowscaling.h"
#include "icon/iconpalette.h"
#include "icon/iconprogram.h"

#include <QtWidgets/QLabel>
#include <QtWidgets/QScrollBar>

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace {

constexpr int ROW_PITCH = 56;
constexpr int PICTURE_TOP = 32;
constexpr int PICTURE_SIZE = 48;
constexpr int LABEL_POINT_SIZE = 15;
constexpr int LABEL_HEIGHT = 24;

QFont labelFont(const QFont &base, int pointSize)
{
    QFont font = base;
    font.setBold(true);
    font.setPointSize(pointSize);
    return font;
}

// The label widths were laid out for a narrow proportional font; with a wider stand-in font a
// value such as "15.5秒" would be cut off, so the text shrinks until it fits its label. The
// fit is worked out at the design size; a docked (scaled) column scales the chosen font.
void fitText(QLabel *label, const QString &text, int designWidth)
{
    QFont font = labelFont(label->font(), LABEL_POINT_SIZE);
    while (font.pointSize() > 8 && QFontMetrics(font).horizontalAdvance(text) > designWidth)
        font.setPointSize(font.pointSize() - 1);
    ui::setDesignFont(label, font);
    label->setText(text);
}

} // namespace

SlotPicture::SlotPicture(int slot, QWidget *parent)
    : QWidget(parent)
    , m_slot(slot)
{
    setObjectName(u"Drop_image%1"_s.arg(slot + 1));
    setGeometry(40, PICTURE_TOP + ROW_PITCH * slot, PICTURE_SIZE, PICTURE_SIZE);
    setAcceptDrops(true);
    setProperty("tag", slot);
}

void SlotPicture::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    update();
}

void SlotPicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (!m_picture.isNull())
        painter.drawPixmap(rect(), m_picture);
    else
        painter.fillRect(rect(), QColor(0xb9, 0xc3, 0xcf));
}

void SlotPicture::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit clicked(m_slot);
}

void SlotPicture::dragEnterEvent(QDragEnterEvent *event)
{
    if (!palettedrag::iconOf(event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        event->ignore();
}

void SlotPicture::dragMoveEvent(QDragMoveEvent *event)
{
    if (!palettedrag::iconOf(event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        event->ignore();
}

void SlotPicture::dropEvent(QDropEvent *event)
{
    const QString icon = palettedrag::iconOf(event->mimeData());
    if (icon.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit iconDropped(m_slot, icon);
}

SlotColumn::SlotColumn(QWidget *parent)
    : QScrollArea(parent)
{
    setObjectName(u"ScrollBox1"_s);
    setGeometry(256, 55, 294, 468);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    verticalScrollBar()->setSingleStep(8);
    verticalScrollBar()->setTracking(true);

    m_inside = new QWidget;
    m_inside->setObjectName(u"Image17"_s);
    m_inside->setAutoFillBackground(true);
    QPalette pal = m_inside->palette();
    pal.setColor(QPalette::Window, Qt::white);
    m_inside->setPalette(pal);
    m_inside->setFixedSize(276, PICTURE_TOP + ROW_PITCH * SLOT_COUNT);

    for (int i = 0; i < SLOT_COUNT; ++i) {
        Row &row = m_rows[size_t(i)];
        row.number = new QLabel(QString::number(i + 1), m_inside);
        row.number->setObjectName(u"Drag_No%1"_s.arg(i + 1));
        row.number->setGeometry(3, 43 + ROW_PITCH * i, 30, 28);
        row.number->setAlignment(Qt::AlignCenter);
        row.number->setFont(labelFont(font(), 20));
        row.picture = new SlotPicture(i, m_inside);
        row.picture->setPicture(ui::loadPictureQuietly(EMPTY_SLOT_PICTURE.toString()));
        connect(row.picture, &SlotPicture::iconDropped, this, &SlotColumn::iconDropped);
        connect(row.picture, &SlotPicture::clicked, this, &SlotColumn::slotClicked);
    }
    setWidget(m_inside);
}

SlotPicture *SlotColumn::slotPicture(int slot) const
{
    return IconProgram::isSlotNumber(slot) ? m_rows[size_t(slot)].picture : nullptr;
}

QLabel *SlotColumn::numberLabel(int slot) const
{
    return IconProgram::isSlotNumber(slot) ? m_rows[size_t(slot)].number : nullptr;
}

void SlotColumn::showPicture(int slot, const QString &relativeName)
{
    if (!IconProgram::isSlotNumber(slot))
        return;
    m_rows[size_t(slot)].picture->setPicture(ui::loadPicture(relativeName));
}

void SlotColumn::createLabels(int slot, const QString &name, const QString &valueText,
                              const SlotLabelLayout &layout)
{
    if (!IconProgram::isSlotNumber(slot))
        return;
    destroyLabels(slot);
    Row &row = m_rows[size_t(slot)];
    // Labels are placed in design coordinates: made while the screen is docked beside the
    // navigator they still stand beside their slot picture, and they follow later scaling.
    const int top = PICTURE_TOP + ROW_PITCH * slot + PICTURE_SIZE / 3;

    row.name = new QLabel(m_inside);
    row.name->setObjectName(u"SlotName%1"_s.arg(slot + 1));
    ui::setDesignGeometry(row.name, QRect(96, top, layout.nameWidth, LABEL_HEIGHT));
    fitText(row.name, name, layout.nameWidth);

    row.value = new QLabel(m_inside);
    row.value->setObjectName(u"SlotValue%1"_s.arg(slot + 1));
    row.value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ui::setDesignGeometry(row.value, QRect(layout.valueLeft, top, layout.valueWidth, LABEL_HEIGHT));
    fitText(row.value, valueText, layout.valueWidth);
    row.valueWidth = layout.valueWidth;
    row.value->setProperty("tag", slot);
    row.value->setCursor(Qt::PointingHandCursor);
    row.value->installEventFilter(this);

    row.name->show();
    row.value->show();
}

void SlotColumn::destroyLabels(int slot)
{
    if (!IconProgram::isSlotNumber(slot))
        return;
    Row &row = m_rows[size_t(slot)];
    delete row.name;
    delete row.value;
    row.name = nullptr;
    row.value = nullptr;
}

void SlotColumn::setValueText(int slot, const QString &text)
{
    if (IconProgram::isSlotNumber(slot) && m_rows[size_t(slot)].value)
        fitText(m_rows[size_t(slot)].value, text, m_rows[size_t(slot)].valueWidth);
}

QString SlotColumn::nameText(int slot) const
{
    const QLabel *label = IconProgram::isSlotNumber(slot) ? m_rows[size_t(slot)].name : nullptr;
    return label ? label->text() : QString();
}

QString SlotColumn::valueText(int slot) const
{
    const QLabel *label = IconProgram::isSlotNumber(slot) ? m_rows[size_t(slot)].value : nullptr;
    return label ? label->text() : QString();
}

void SlotColumn::setLastRowsVisible(bool visible)
{
    for (int i = SLOT_COUNT - 3; i < SLOT_COUNT; ++i) {
        m_rows[size_t(i)].number->setVisible(visible);
        m_rows[size_t(i)].picture->setVisible(visible);
    }
}

bool SlotColumn::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        const QVariant tag = watched->property("tag");
        if (mouse->button() == Qt::LeftButton && tag.isValid()) {
            emit valueLabelClicked(tag.toInt());
            return true;
        }
    }
    return QScrollArea::eventFilter(watched, event);
}

void SlotColumn::markSlot(int slot)
{
    clearMark();
    if (!IconProgram::isSlotNumber(slot))
        return;
    m_markedSlot = slot;
    const QColor mark = QColor::fromRgb(faultmark::background(0xFFFFFF, 0x000000, 0x000000));
    m_mark = new QWidget(m_inside);
    m_mark->setObjectName(u"SlotMark"_s);
    m_mark->setGeometry(0, PICTURE_TOP + ROW_PITCH * slot - 4, m_inside->width(), ROW_PITCH);
    m_mark->setAutoFillBackground(true);
    QPalette pal = m_mark->palette();
    pal.setColor(QPalette::Window, mark);
    m_mark->setPalette(pal);
    m_mark->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_mark->show();
    m_mark->lower();
    QLabel *number = m_rows[size_t(slot)].number;
    QFont bold = number->font();
    bold.setBold(true);
    number->setFont(bold);
    ensureWidgetVisible(m_rows[size_t(slot)].picture, 0, ROW_PITCH);
    connect(this, &SlotColumn::iconDropped, this, &SlotColumn::clearMark, Qt::SingleShotConnection);
    connect(this, &SlotColumn::slotClicked, this, &SlotColumn::clearMark, Qt::SingleShotConnection);
    connect(this, &SlotColumn::valueLabelClicked, this, &SlotColumn::clearMark, Qt::SingleShotConnection);
}

void SlotColumn::setRunningSlot(int slot)
{
    if (slot == m_runningSlot)
        return;
    delete m_running;
    m_running = nullptr;
    m_runningSlot = IconProgram::isSlotNumber(slot) ? slot : -1;
    if (m_runningSlot < 0)
        return;
    m_running = new QWidget(m_inside);
    m_running->setObjectName(u"RunningSlot"_s);
    m_running->setGeometry(0, PICTURE_TOP + ROW_PITCH * slot - 4, m_inside->width(), ROW_PITCH);
    m_running->setAutoFillBackground(true);
    QPalette pal = m_running->palette();
    pal.setColor(QPalette::Window, QColor(0xc8, 0xe6, 0xc9));
    m_running->setPalette(pal);
    m_running->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_running->show();
    m_running->lower();
    ensureWidgetVisible(m_rows[size_t(slot)].picture, 0, ROW_PITCH);
}

void SlotColumn::clearMark()
{
    if (m_markedSlot < 0)
        return;
    QLabel *number = m_rows[size_t(m_markedSlot)].number;
    QFont plain = number->font();
    plain.setBold(false);
    number->setFont(plain);
    delete m_mark;
    m_mark = nullptr;
    m_markedSlot = -1;
}
