#pragma once

#include <QtWidgets/QWidget>

#include "app/ui/workingscreen.h"

// TForm1: icon programming, STEP2 and STEP3 in one window. The step mode is kept in the Tag of
// F_step (1: STEP2, 2: STEP3).
class IconScreen : public WorkingScreen
{
    Q_OBJECT
public:
    explicit IconScreen(AppWindows &windows);

    int stepMode() const;
    // Switches the window's controls to STEP2 (1) or STEP3 (2).
    void setStepMode(int step);

protected:
    void F_stepClick() override;
    void B_stepClick() override;
    QWidget *nextScreen() const override;
};
