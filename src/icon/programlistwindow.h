#pragma once

#include <QtWidgets/QWidget>

#include "app/ui/appwindows.h"
#include "app/ui/picturewindow.h"

// TForm2: the whole icon program at a glance, opened over the icon screen.
class ProgramListWindow : public PictureWindow
{
    Q_OBJECT
public:
    explicit ProgramListWindow(AppWindows &windows);

private:
    AppWindows &m_windows;
    PictureButton *tojiru = nullptr;
};
