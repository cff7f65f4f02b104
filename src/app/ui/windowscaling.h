#pragma once

#include <QtWidgets/QWidget>

// Scaling a whole window's content, for docking a screen beside the learning navigator.
// The design geometry and font of every control are kept the first time a window is scaled,
// so scaling back returns it exactly to its design, however often it was scaled in between.
namespace ui {

// Scales positions, sizes and fonts of all controls of window by numerator : denominator of
// its design, then sizes the window to its background picture `back` (if it has one).
void scaleWindowContent(QWidget *window, int numerator, int denominator);
// Back to the design: every control and the window take their design geometry and font.
void restoreWindowContent(QWidget *window);
bool isWindowScaled(const QWidget *window);

}
