// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/picturewindow.h"

#include "app/ui/backgroundpicture.h"
#include "app/ui/stage.h"
#include "app/ui/pictures.h"

#include <QGuiApplication>

namespace ui {

QPalette productPalette()
{
    const QColor face(0xEF, 0xEF, 0xEF);
    // From a light face the palette derives black text on white fields and its shades.
    QPalette palette(face, face);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Highlight, QColor(0x30, 0x8C, 0xC6));
        palette.setColor(group, QPalette::HighlightedText, Qt::white);
        palette.setColor(group, QPalette::Link, QColor(0x00, 0x00, 0xFF));
        palette.setColor(group, QPalette::LinkVisited, QColor(0xFF, 0x00, 0xFF));
        palette.setColor(group, QPalette::PlaceholderText, QColor(0x00, 0x00, 0x00, 0x80));
        palette.setColor(group, QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xDC));
        palette.setColor(group, QPalette::ToolTipText, Qt::black);
    }
    return palette;
}

}

PictureWindow::PictureWindow(const Design &design, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , m_numbers(design.buttonNumbers)
{
    setObjectName(design.objectName);
    // Every control on the window inherits it; windows of its own (boxes, dialogues) do not.
    setPalette(ui::productPalette());
    setWindowTitle(QGuiApplication::applicationDisplayName());
    setFixedSize(design.size);
    m_back = new BackgroundPicture(design.backName, ui::backgroundPictureName(design.picture), this);
}

void PictureWindow::centreOnScreen()
{
    ui::stage().centre(this);
}

PictureButton *PictureWindow::addButton(const QString &name, const QRect &geometry,
                                        const QString &caption, const QString &hint)
{
    auto *button = new PictureButton(name, geometry, m_numbers, caption, this);
    if (!hint.isEmpty())
        button->setToolTip(shortHint(hint));
    return button;
}

QString PictureWindow::shortHint(const QString &hint)
{
    return hint.section(u'|', 0, 0);
}
