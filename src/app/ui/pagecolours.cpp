// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/pagecolours.h"

namespace {

constexpr QRgb INK = 0x1a1a1a;
constexpr QRgb PAPER = 0xffffff;
constexpr QRgb PANEL = 0xefefef;
constexpr QRgb MUTED = 0x808080;
constexpr QRgb SELECTION = 0x3d7fd9;
constexpr QRgb LINK = 0x1f57b0;
constexpr QRgb LINK_VISITED = 0x6b45b0;

}

namespace ui {

QPalette pagePalette()
{
    QPalette palette(QColor::fromRgb(PANEL), QColor::fromRgb(PAPER));
    const QColor ink = QColor::fromRgb(INK);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const bool disabled = group == QPalette::Disabled;
        const QColor text = disabled ? QColor::fromRgb(MUTED) : ink;
        palette.setColor(group, QPalette::Window, QColor::fromRgb(PAPER));
        palette.setColor(group, QPalette::Base, QColor::fromRgb(PAPER));
        palette.setColor(group, QPalette::AlternateBase, QColor::fromRgb(PANEL));
        palette.setColor(group, QPalette::Button, QColor::fromRgb(PANEL));
        palette.setColor(group, QPalette::WindowText, text);
        palette.setColor(group, QPalette::Text, text);
        palette.setColor(group, QPalette::ButtonText, text);
        palette.setColor(group, QPalette::BrightText, QColor::fromRgb(PAPER));
        palette.setColor(group, QPalette::PlaceholderText, QColor::fromRgb(MUTED));
        palette.setColor(group, QPalette::Highlight, QColor::fromRgb(SELECTION));
        palette.setColor(group, QPalette::HighlightedText, QColor::fromRgb(PAPER));
        palette.setColor(group, QPalette::Link, QColor::fromRgb(LINK));
        palette.setColor(group, QPalette::LinkVisited, QColor::fromRgb(LINK_VISITED));
        palette.setColor(group, QPalette::ToolTipBase, QColor::fromRgb(0xffffdc));
        palette.setColor(group, QPalette::ToolTipText, ink);
    }
    return palette;
}

void usePageColours(QWidget *widget)
{
    widget->setPalette(pagePalette());
}

}
