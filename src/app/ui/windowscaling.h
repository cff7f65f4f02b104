#pragma once

#include <QtWidgets/QWidget>

#include <QFont>
#include <QRect>

// Scaling a whole window's content, for docking a screen beside the learning navigator.
// The design geometry and font of every control are kept the first time a window is scaled,
// so scaling back returns it exactly to its design, however often it was scaled in between.
namespace ui {

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
