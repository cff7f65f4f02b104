// SPDX-License-Identifier: GPL-3.0-or-later
#include "icon/iconkeyboard.h"

#include "app/ui/controlnames.h"
#include "icon/iconpalette.h"
#include "icon/iconprogram.h"
#include "icon/icontable.h"
#include "icon/slotcolumn.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QStackedWidget>

#include <QDropEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// The palette's icons are named by the icon table; the palette shows the drag picture where
// the slot picture is the empty one (delete).
ui::SpokenName paletteIconName(const QString &window, const QString &control)
{
    if (window != u"TForm1" || !findIcon(control))
        return {};
    const QString picture = pictureOf(control) == EMPTY_SLOT_PICTURE ? dragPictureOf(control) : pictureOf(control);
    return {ui::spokenNameOfPicture(picture).name, hintOf(control)};
}

// A left click where a pupil would click: the same events the mouse gives.
void clickIn(QWidget *w)
{
    const QPointF middle = QRectF(w->rect()).center();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent e(type, middle, w->mapToGlobal(middle), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &e);
    }
}

}

IconKeyboard::IconKeyboard(IconPalette *palette, SlotColumn *column, QStackedWidget *pages)
    : QObject(pages)
    , m_palette(palette)
    , m_slots(column)
    , m_pages(pages)
{
    ui::addNameSource(paletteIconName);
    for (PaletteIcon *icon : palette->icons()) {
        ui::makePictureControl(icon, false);
        icon->setFocusPolicy(Qt::ClickFocus);
        icon->installEventFilter(this);
    }
    for (int i = 0; i < SLOT_COUNT; ++i) {
        SlotPicture *slot = column->slotPicture(i);
        ui::makePictureControl(slot, false);
        slot->setFocusPolicy(Qt::ClickFocus);
        slot->installEventFilter(this);
    }
    // The current slot is the column's one Tab stop, not the scroll area around it; it
    // comes after the palette, as the pupil reads the screen.
    column->setFocusPolicy(Qt::NoFocus);
    QWidget *before = palette->icons().last();
    for (int i = 0; i < SLOT_COUNT; ++i) {
        QWidget::setTabOrder(before, column->slotPicture(i));
        before = column->slotPicture(i);
    }
    setCurrentIcon(palette->icons().value(0), false);
    setCurrentSlot(0, false);
    connect(pages, &QStackedWidget::currentChanged, this, &IconKeyboard::pageChanged);
}

void IconKeyboard::setCurrentIcon(QWidget *icon, bool focus)
{
    if (!icon)
        return;
    if (m_icon && m_icon != icon)
        m_icon->setFocusPolicy(Qt::ClickFocus);
    m_icon = icon;
    icon->setFocusPolicy(Qt::StrongFocus);
    if (focus)
        icon->setFocus(Qt::OtherFocusReason);
}

void IconKeyboard::setCurrentSlot(int slot, bool focus)
{
    slot = qBound(0, slot, SLOT_COUNT - 1);
    if (!m_slots->slotPicture(slot)->isVisibleTo(m_slots))
        slot = m_slot;
    m_slots->slotPicture(m_slot)->setFocusPolicy(Qt::ClickFocus);
    m_slot = slot;
    SlotPicture *picture = m_slots->slotPicture(slot);
    picture->setFocusPolicy(Qt::StrongFocus);
    describeSlot(slot);
    m_slots->ensureWidgetVisible(picture, 0, 24);
    if (focus)
        picture->setFocus(Qt::OtherFocusReason);
}

// What the slot holds, for the screen reader: "まえ 1.0秒", or empty.
void IconKeyboard::describeSlot(int slot)
{
    const QString name = m_slots->nameText(slot);
    m_slots->slotPicture(slot)->setAccessibleDescription(
        name.isEmpty() ? u"から"_s : (name + u' ' + m_slots->valueText(slot)).trimmed());
}

bool IconKeyboard::eventFilter(QObject *watched, QEvent *event)
{
    auto *w = static_cast<QWidget *>(watched);
    if (event->type() == QEvent::FocusIn) {
        if (auto *slot = qobject_cast<SlotPicture *>(w))
            setCurrentSlot(slot->slot(), false);
        else
            setCurrentIcon(w, false);
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier))
        return false;
    if (auto *slot = qobject_cast<SlotPicture *>(w))
        return slotKey(slot->slot(), key->key());
    return paletteKey(w, key->key());
}

bool IconKeyboard::paletteKey(QWidget *icon, int key)
{
    QPoint step;
    switch (key) {
    case Qt::Key_Left: step = {-1, 0}; break;
    case Qt::Key_Right: step = {1, 0}; break;
    case Qt::Key_Up: step = {0, -1}; break;
    case Qt::Key_Down: step = {0, 1}; break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        dropOn(m_slot, icon->objectName());
        return true;
    default:
        return false;
    }
    // The nearest shown icon in that direction, rows before columns.
    const QPoint from = icon->geometry().center();
    QWidget *best = nullptr;
    int bestDistance = 0;
    for (PaletteIcon *other : m_palette->icons()) {
        if (other == icon || !other->isVisibleTo(m_palette))
            continue;
        const QPoint d = other->geometry().center() - from;
        const int along = d.x() * step.x() + d.y() * step.y();
        const int across = qAbs(d.x() * step.y()) + qAbs(d.y() * step.x());
        if (along <= 0)
            continue;
        const int distance = along + 3 * across;
        if (!best || distance < bestDistance) {
            best = other;
            bestDistance = distance;
        }
    }
    if (best)
        setCurrentIcon(best, true);
    return true;
}

bool IconKeyboard::slotKey(int slot, int key)
{
    switch (key) {
    case Qt::Key_Up:
        setCurrentSlot(slot - 1, true);
        return true;
    case Qt::Key_Down:
        setCurrentSlot(slot + 1, true);
        return true;
    case Qt::Key_Left:
        setCurrentIcon(m_icon, true);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (QLabel *value = m_slots->valueLabel(slot))
            clickIn(value);
        return true;
    case Qt::Key_Delete:
        dropOn(slot, DELETE_ICON.toString());
        return true;
    case Qt::Key_Space:
        clickIn(m_slots->slotPicture(slot));
        return true;
    default:
        return false;
    }
}

void IconKeyboard::dropOn(int slot, const QString &icon)
{
    SlotPicture *target = m_slots->slotPicture(slot);
    if (!target->isVisible() || !target->isEnabled())
        return;
    const bool wasPalette = m_pages->currentWidget() == m_palette;
    // What a drag delivers on the way: enter, move, drop.
    std::unique_ptr<QMimeData> data(palettedrag::mimeDataFor(icon));
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return;
    QDragMoveEvent move(at, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &move);
    QDropEvent drop(at, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    if (!drop.isAccepted())
        return;
    if (icon != DELETE_ICON && slot + 1 < SLOT_COUNT)
        setCurrentSlot(slot + 1, false);
    else
        describeSlot(slot);
    // No value to give: the pupil goes on choosing where he was.
    if (wasPalette && m_pages->currentWidget() == m_palette && icon != DELETE_ICON)
        setCurrentIcon(m_icon, true);
}

void IconKeyboard::pageChanged()
{
    QWidget *page = m_pages->currentWidget();
    if (page == m_palette) {
        describeSlot(qMax(0, m_slot - 1));
        describeSlot(m_slot);
        if (m_icon && m_icon->isVisible())
            setCurrentIcon(m_icon, true);
        return;
    }
    QWidget *focus = QApplication::focusWidget();
    if (focus && page->isAncestorOf(focus))
        return;
    // The value page's first key, so the keypad works at once.
    for (QWidget *w : page->findChildren<QWidget *>()) {
        if (w->isVisibleTo(page) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) {
            w->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}
