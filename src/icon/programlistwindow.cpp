#include "icon/programlistwindow.h"
#include "common/errornumbers.h"

ProgramListWindow::ProgramListWindow()
    : PictureWindow({QStringLiteral("TForm2"), QStringLiteral("list"), QSize(770, 578),
                     QStringLiteral("back"), {errors::LIST_BUTTON_PRESS, errors::LIST_BUTTON_RELEASE}})
{
    tojiru = addButton(QStringLiteral("tojiru"), QRect(265, 534, 241, 31), QStringLiteral("閉じる"));
    connect(tojiru, &PictureButton::clicked, this, &QWidget::close);
}

void ProgramListWindow::showFor(const IconProgram &)
{
    show();
    raise();
}
