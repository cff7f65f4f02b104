#include "icon/programlistwindow.h"

ProgramListWindow::ProgramListWindow(AppWindows &windows)
    : PictureWindow({QStringLiteral("TForm2"), QStringLiteral("list"), QSize(770, 578),
                     QStringLiteral("back"), {202, 203}})
    , m_windows(windows)
{
    tojiru = addButton(QStringLiteral("tojiru"), QRect(265, 534, 241, 31), QStringLiteral("閉じる"));
    connect(tojiru, &PictureButton::clicked, this, &QWidget::close);
}
