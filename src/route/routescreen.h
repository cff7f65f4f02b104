#pragma once

#include <QtWidgets/QWidget>

#include "app/ui/workingscreen.h"

// TForm10: route programming, STEP5.
class RouteScreen : public WorkingScreen
{
    Q_OBJECT
public:
    explicit RouteScreen(AppWindows &windows);

protected:
    QWidget *previousScreen() const override;
    QWidget *nextScreen() const override;
};
