#include "robot/remotecontrolscreen.h"

#include "app/mainmenu.h"
#include "robot/trs232c.h"
#include "route/routescreen.h"

RemoteControlScreen::RemoteControlScreen(AppWindows &windows)
    : WorkingScreen(windows,
                    {QStringLiteral("TForm8"), QStringLiteral("remote"), QSize(770, 578),
                     QStringLiteral("back"), {802, 801}},
                    {QRect(571, 51, 49, 30), QRect(629, 51, 61, 29), QRect(699, 51, 50, 29),
                     QRect(332, 550, 118, 27), QRect(125, 549, 116, 29), QRect()},
                    8)
{
}

void RemoteControlScreen::sendTerminator()
{
    if (m_windows.port)
        m_windows.port->WriteByte(254);
}

void RemoteControlScreen::B_stepClick()
{
    closeNavigator();
    sendTerminator();
    leaveTo(previousScreen());
}

void RemoteControlScreen::shutdownClick()
{
    closeNavigator();
    sendTerminator();
    leaveTo(m_windows.menu);
}

QWidget *RemoteControlScreen::previousScreen() const
{
    return m_windows.route;
}
