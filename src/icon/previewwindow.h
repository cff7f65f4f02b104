#pragma once

#include <QtWidgets/QWidget>

#include "app/ui/appwindows.h"
#include "app/ui/picturewindow.h"

// TForm6: the drawn path of a STEP2 icon program, opened over the icon screen.
class PreviewWindow : public PictureWindow
{
    Q_OBJECT
public:
    explicit PreviewWindow(AppWindows &windows);

private:
    AppWindows &m_windows;
    PictureButton *tojiru = nullptr;
};
