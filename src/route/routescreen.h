#pragma once

#include <QtWidgets/QWidget>

#include "app/report/reportsource.h"
#include "app/ui/workingscreen.h"
#include "robot/transfer.h"

// TForm10: route programming, STEP5.
class RouteScreen : public WorkingScreen, public ReportSource
{
    Q_OBJECT
public:
    explicit RouteScreen(const RobotLink &link);

    QString helpPage() const override;
    int reportTag() const override;
    void fillReportListing(ReportInput *input) const override;

signals:
    void reportRequested();

private:
    RobotLink m_link;
};
