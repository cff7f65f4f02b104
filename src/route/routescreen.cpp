#include "route/routescreen.h"
#include "common/errornumbers.h"

RouteScreen::RouteScreen(const RobotLink &link)
    : WorkingScreen({QStringLiteral("TForm10"), QStringLiteral("route"), QSize(770, 578),
                     QStringLiteral("back"), {errors::ROUTE_BUTTON_PRESS, errors::ROUTE_BUTTON_RELEASE}},
                    {QRect(572, 93, 49, 30), QRect(623, 93, 61, 29), QRect(687, 93, 50, 29),
                     QRect(332, 549, 120, 29), QRect(125, 549, 116, 29), QRect(539, 549, 116, 29)},
                    10)
    , m_link(link)
{
}

QString RouteScreen::helpPage() const
{
    return QStringLiteral("Navi\\navi\\index_s5.html");
}

int RouteScreen::reportTag() const
{
    return REPORT_TAG_ROUTE;
}

void RouteScreen::fillReportListing(ReportInput *input) const
{
    input->route = RouteModel();
}
