// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings/colorswatch.h"

#include <QtWidgets/QApplication>

#include <QMouseEvent>
#include <QPalette>

using namespace Qt::StringLiterals;

ColorSwatch::ColorSwatch(int number, ColorValue color, QWidget *parent)
    : QFrame(parent)
    , m_color(color)
{
    setObjectName(u"Panel"_s + QString::number(number));
    setFixedSize(57, 17);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, toQColor(color));
    setPalette(p);
    setCursor(Qt::PointingHandCursor);
    const QString name = colorName(color);
    setToolTip(name);
}

void ColorSwatch::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked(this);
}

const ColorValue *swatchColors()
{
    using namespace colors;
    static const ColorValue table[SWATCH_COUNT] = {
        clBlack, clMaroon, clGreen,  clOlive, clNavy,    clPurple, clTeal, clGray,
        clSilver, clRed,   clLime,   clYellow, clBlue,   clFuchsia, clWhite,
    };
    return table;
}

int swatchNumberOf(const QString &objectName)
{
    if (objectName.size() < 7 || !objectName.startsWith(u"Panel"_s))
        return -1;
    bool ok = false;
    const int number = objectName.mid(5, 2).toInt(&ok);
    return ok ? number : -1;
}

QColor toQColor(ColorValue value)
{
    if (value == colors::clNone)
        return QColor(Qt::transparent);
    if (value & colors::SYSTEM_COLOR_BIT) {
        // The platform colours 0..24 of the old system, mapped to the nearest palette role.
        const QPalette p = QApplication::palette();
        switch (value & 0xFF) {
        case 5: // clWindow
        case 24: // clInfoBk
            return p.color(QPalette::Base);
        case 6: // clWindowFrame
        case 7: // clMenuText
        case 8: // clWindowText
        case 23: // clInfoText
            return p.color(QPalette::Text);
        case 13: // clHighlight
            return p.color(QPalette::Highlight);
        case 14: // clHighlightText
            return p.color(QPalette::HighlightedText);
        case 17: // clGrayText
            return p.color(QPalette::PlaceholderText);
        case 18: // clBtnText
            return p.color(QPalette::ButtonText);
        default:
            return p.color(QPalette::Button);
        }
    }
    return QColor(colorRed(value), colorGreen(value), colorBlue(value));
}
