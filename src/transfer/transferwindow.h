// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtWidgets/QWidget>

#include "app/ui/picturewindow.h"
#include "transfer/transfer.h"

#include <QColor>

#include <optional>

class QProgressBar;
class QLabel;
class QTimer;

// TForm3: the progress of a transfer, a borderless 446 x 334 window centred on the screen, with
// the bar LMDProgress1 and the picture Image2 that blinks while the window shows.
class TransferWindow : public PictureWindow, public TransferDisplay
{
    Q_OBJECT
public:
    TransferWindow();

    QWidget *transferWidget() override { return this; }

    QProgressBar *progressBar() const { return LMDProgress1; }
    // The bar's value and its colour for that value.
    void setProgress(int percent) override;

    // The colour of the bar at a percentage: aqua, red, yellow, green, magenta in steps of 20;
    // none (the style's own) outside 0..100.
    static std::optional<QColor> LMDProgress1GetColor(int percent);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void FormShow();
    void FormClose();
    void Timer1Timer();

    QProgressBar *LMDProgress1 = nullptr;
    QLabel *Image2 = nullptr;
    QTimer *Timer1 = nullptr;
};
