#pragma once

// Dropping a palette icon on a slot of the icon screen the way the platform delivers a drag.
// Header only: it needs widgets, and the shared test library is GUI-free.

#include "icon/iconpalette.h"
#include "icon/iconscreen.h"
#include "icon/slotcolumn.h"

#include <QtWidgets/QApplication>

#include <QDropEvent>
#include <QMimeData>

namespace testenv {

// True when the slot took the drop.
inline bool dropIcon(IconScreen *screen, int slot, const QString &icon)
{
    QWidget *target = screen->slotColumn()->slotPicture(slot);
    screen->slotColumn()->ensureWidgetVisible(target);
    QMimeData *data = palettedrag::mimeDataFor(icon);
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDragMoveEvent move(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &move);
    QDropEvent dropped(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &dropped);
    const bool accepted = dropped.isAccepted();
    delete data;
    return accepted;
}

}
