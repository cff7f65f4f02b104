#include "icon/previewwindow.h"
#include "common/errornumbers.h"

PreviewWindow::PreviewWindow()
    : PictureWindow({QStringLiteral("TForm6"), QStringLiteral("preview"), QSize(519, 550),
                     QStringLiteral("back"), {errors::PREVIEW_BUTTON_PRESS, errors::PREVIEW_BUTTON_RELEASE}})
{
    tojiru = addButton(QStringLiteral("tojiru"), QRect(233, 509, 241, 31), QStringLiteral("閉じる"));
    connect(tojiru, &PictureButton::clicked, this, &QWidget::close);
}

void PreviewWindow::showFor(const IconProgram &)
{
    show();
    raise();
}
