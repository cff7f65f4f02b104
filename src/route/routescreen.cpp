#include "route/routescreen.h"

#include "robot/remotecontrolscreen.h"
#include "text/textscreen.h"

RouteScreen::RouteScreen(AppWindows &windows)
    : WorkingScreen(windows,
                    {QStringLiteral("TForm10"), QStringLiteral("route"), QSize(770, 578),
                     QStringLiteral("back"), {1006, 1007}},
                    {QRect(572, 93, 49, 30), QRect(623, 93, 61, 29), QRect(687, 93, 50, 29),
                     QRect(332, 549, 120, 29), QRect(125, 549, 116, 29), QRect(539, 549, 116, 29)},
                    10)
{
}

QWidget *RouteScreen::previousScreen() const
{
    return m_windows.text;
}

QWidget *RouteScreen::nextScreen() const
{
    return m_windows.remote;
}
