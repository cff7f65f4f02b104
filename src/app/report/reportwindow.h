#pragma once

#include <QtWidgets/QWidget>

#include "app/ui/appwindows.h"
#include "app/ui/picturewindow.h"

// TForm11: the report of the pupil's program. The caller sets the Tag (1 icon, 9 text,
// 10 route) and shows the window.
class ReportWindow : public PictureWindow
{
    Q_OBJECT
public:
    explicit ReportWindow(AppWindows &windows);

    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

private:
    AppWindows &m_windows;
    PictureButton *shutdown1 = nullptr;
    int m_tag = 0;
};
