#pragma once

#include <QtWidgets/QWidget>

#include "app/ui/picturewindow.h"

#include <QPointer>

class ReportSource;

// TForm11: the report of the pupil's program. The caller (a ReportSource: the icon, text or
// route screen) gives the Tag (1 icon, 9 text, 10 route) and the listing.
class ReportWindow : public PictureWindow
{
    Q_OBJECT
public:
    ReportWindow();

    // Shows the window for caller, which must outlive it (every window lives for the run).
    void openFor(const ReportSource *caller);
    int tag() const { return m_tag; }

private:
    const ReportSource *m_caller = nullptr;
    PictureButton *shutdown1 = nullptr;
    int m_tag = 0;
};
