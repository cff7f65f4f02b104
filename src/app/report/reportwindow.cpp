#include "app/report/reportwindow.h"
#include "common/errornumbers.h"

#include "app/report/reportsource.h"
#include "app/ui/backgroundpicture.h"

ReportWindow::ReportWindow()
    : PictureWindow({QStringLiteral("TForm11"), QStringLiteral("report"), QSize(770, 578),
                     QStringLiteral("back"), {errors::REPORT_BUTTON_PRESS, errors::REPORT_BUTTON_RELEASE}})
{
    background()->setFillColor(Qt::black);
    shutdown1 = addButton(QStringLiteral("shutdown1"), QRect(699, 45, 50, 29),
                          QStringLiteral("閉じる"), QStringLiteral("印刷画面を閉じます"));
    connect(shutdown1, &PictureButton::clicked, this, &QWidget::close);
}

void ReportWindow::openFor(const ReportSource *caller)
{
    m_caller = caller;
    m_tag = caller ? caller->reportTag() : 0;
    show();
    raise();
}
