#pragma once

#include <QtWidgets/QWidget>

#include "app/ui/workingscreen.h"

// TForm8: remote-control driving, the step after STEP5. Leaving it to the menu or the route
// screen sends 254 first, so the robot stops driving.
class RemoteControlScreen : public WorkingScreen
{
    Q_OBJECT
public:
    explicit RemoteControlScreen(AppWindows &windows);

protected:
    void B_stepClick() override;
    void shutdownClick() override;
    QWidget *previousScreen() const override;

private:
    void sendTerminator();
};
