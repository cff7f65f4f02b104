#pragma once

#include <QtWidgets/QWidget>

#include "app/ui/appwindows.h"
#include "app/ui/picturewindow.h"

class QProgressBar;
class QLabel;
class QTimer;

// TForm3: the progress of a transfer, a borderless 446 x 334 window with the bar LMDProgress1
// and the blinking picture Image2.
class TransferWindow : public PictureWindow
{
    Q_OBJECT
public:
    explicit TransferWindow(AppWindows &windows);

    QProgressBar *progressBar() const { return LMDProgress1; }

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    AppWindows &m_windows;
    QProgressBar *LMDProgress1 = nullptr;
    QLabel *Image2 = nullptr;
    QTimer *Timer1 = nullptr;
};
