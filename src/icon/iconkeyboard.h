// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtWidgets/QWidget>

#include <QObject>
#include <QPointer>

class IconPalette;
class SlotColumn;
class QStackedWidget;

// Icon programming without a mouse. The palette and the slot column are one Tab stop each;
// inside them the arrows move. Return or Space on a palette icon puts it into the current
// slot of the column exactly as a drop does (the same drop event), then the current slot moves
// on. On a slot: Return opens its value page as a click on its value does, Delete drops the
// delete icon on it, Space is its click (the insert action). When a value page opens its
// first key takes the focus; when the palette comes back, so does the focus.
class IconKeyboard : public QObject
{
    Q_OBJECT
public:
    IconKeyboard(IconPalette *palette, SlotColumn *column, QStackedWidget *pages);

    int currentSlot() const { return m_slot; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool paletteKey(QWidget *icon, int key);
    bool slotKey(int slot, int key);
    void dropOn(int slot, const QString &icon);
    void setCurrentSlot(int slot, bool focus);
    void setCurrentIcon(QWidget *icon, bool focus);
    void describeSlot(int slot);
    void pageChanged();

    IconPalette *m_palette;
    SlotColumn *m_slots;
    QStackedWidget *m_pages;
    QPointer<QWidget> m_icon;
    int m_slot = 0;
};
