#pragma once

#include <QtWidgets/QWidget>

#include "app/ui/picturewindow.h"
#include "icon/iconprogram.h"

// TForm6: the drawn path of a STEP2 icon program, opened over the icon screen.
class PreviewWindow : public PictureWindow
{
    Q_OBJECT
public:
    PreviewWindow();

    // Shows the window for the icon screen's program.
    void showFor(const IconProgram &program);

private:
    PictureButton *tojiru = nullptr;
};
