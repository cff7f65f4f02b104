// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtWidgets/QWidget>

#include <QPalette>

#include "app/ui/picturebutton.h"

class BackgroundPicture;

namespace ui {
// The light colours the program's own windows are drawn in, whatever palette the desktop
// hands Qt (a dark scheme would otherwise turn the labels on the pictures light on light).
// Message boxes and file dialogues keep the desktop's colours.
QPalette productPalette();
}

// A borderless window of fixed size filled by its background picture, with picture buttons
// that share the window's pair of error numbers (press, release). Its controls are drawn in
// the program's own light colours (ui::productPalette), not the desktop's.
class PictureWindow : public QWidget
{
    Q_OBJECT
public:
    struct Design
    {
        QString objectName;    // TForm13, TForm7, ...
        QString picture;       // background picture "Photo\\Back\\" + picture + ".jpg"
        QSize size;            // client size
        QString backName = QString::fromUtf16(u"back");
        PictureButton::ErrorNumbers buttonNumbers;
    };

    PictureWindow(const Design &design, QWidget *parent = nullptr);

    BackgroundPicture *background() const { return m_back; }
    void centreOnScreen();

protected:
    PictureButton *addButton(const QString &name, const QRect &geometry, const QString &caption,
                             const QString &hint = {});
    // Only the part of a hint before "|" is shown on the pointer (the rest is the long help).
    static QString shortHint(const QString &hint);

private:
    BackgroundPicture *m_back = nullptr;
    PictureButton::ErrorNumbers m_numbers;
};
