#pragma once

#include <QtWidgets/QWidget>

#include "app/ui/picturewindow.h"
#include "icon/iconprogram.h"

// TForm2: the whole icon program at a glance, opened over the icon screen.
class ProgramListWindow : public PictureWindow
{
    Q_OBJECT
public:
    ProgramListWindow();

    // Shows the window for the icon screen's program.
    void showFor(const IconProgram &program);

private:
    PictureButton *tojiru = nullptr;
};
