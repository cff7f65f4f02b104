// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtWidgets/QWidget>

#include <QFont>
#include <QRect>

// Scaling a whole window's content, for docking a screen beside the learning navigator.
// The design geometry and font of every control are taken each time a window at its design is
// scaled, so scaling back returns it exactly to its design, however often it was scaled in
// between; a font the program sets while the window is scaled becomes the control's design.
namespace ui {

// A control that draws its content at a scale of its own (the route floor at its zoom): the
// window's scaling leaves its size and font to it and tells it the scale instead.
class ScaledContent
{
public:
    virtual ~ScaledContent() = default;
    virtual void setContentScale(int numerator, int denominator) = 0;
};

// Scales positions, sizes and fonts of all controls of window by numerator : denominator of
// its design, then sizes the window to its background picture `back` (if it has one).
// Scroll areas keep showing the same part of their (scaled) content.
void scaleWindowContent(QWidget *window, int numerator, int denominator);
// Back to the design: every control and the window take their design geometry and font.
void restoreWindowContent(QWidget *window);
bool isWindowScaled(const QWidget *window);

// For controls made or changed while their window may be scaled: record the design geometry
// (or font) and give the control its window's present scale, so that it stands where a
// control of the design would and follows every later scaling and restoring.
void setDesignGeometry(QWidget *control, const QRect &design);
void setDesignFont(QWidget *control, const QFont &design);

}
