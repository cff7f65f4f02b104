// SPDX-License-Identifier: GPL-3.0-or-later
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

// Drags the data onto the slot's picture; true when the slot took the drop. A slot that
// refuses the drag on entering gets no drop at all, as with a real drag.
inline bool dropMimeData(IconScreen *screen, int slot, QMimeData *data)
{
    QWidget *target = screen->slotColumn()->slotPicture(slot);
    screen->slotColumn()->ensureWidgetVisible(target);
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    bool accepted = false;
    if (enter.isAccepted()) {
        QDragMoveEvent move(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &move);
        QDropEvent dropped(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &dropped);
        accepted = dropped.isAccepted();
    }
    delete data;
    return accepted;
}

// A palette icon dropped on the slot; true when the slot took it.
inline bool dropIcon(IconScreen *screen, int slot, const QString &icon)
{
    return dropMimeData(screen, slot, palettedrag::mimeDataFor(icon));
}

}
