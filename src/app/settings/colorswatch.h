// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtWidgets/QFrame>

#include "app/settings/colorvalue.h"

#include <QColor>

// A colour swatch of the settings screen, named "Panel" + its number; a click reports it.
class ColorSwatch : public QFrame
{
    Q_OBJECT
public:
    ColorSwatch(int number, ColorValue color, QWidget *parent);
    ColorValue color() const { return m_color; }

signals:
    void clicked(ColorSwatch *swatch);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    ColorValue m_color;
};

// The 15 colours of a swatch group, by rows of three: the standard colours without clAqua.
const ColorValue *swatchColors();
constexpr int SWATCH_COUNT = 15;

// The swatch number in a name "PanelNN": the two digits at characters 6 and 7; -1 otherwise.
int swatchNumberOf(const QString &objectName);

// What a plain colour value looks like on the screen; system colours take the palette's.
QColor toQColor(ColorValue value);
