// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/transferwindow.h"

#include "app/ui/backgroundpicture.h"
#include "app/ui/pictures.h"

#include <QtWidgets/QLabel>
#include <QtWidgets/QProgressBar>

#include <QShowEvent>
#include <QTimer>

using namespace Qt::StringLiterals;

TransferWindow::TransferWindow()
    : PictureWindow({u"TForm3"_s, u"transfer"_s, QSize(446, 334),
                     u"Image1"_s, {}})
{
    background()->setDraggable(false);
    background()->setFallbackText(u"プログラムを送っています"_s);
    LMDProgress1 = new QProgressBar(this);
    LMDProgress1->setObjectName(u"LMDProgress1"_s);
    LMDProgress1->setGeometry(56, 208, 329, 33);
    LMDProgress1->setRange(0, 100);
    LMDProgress1->setTextVisible(false);
    Image2 = new QLabel(this);
    Image2->setObjectName(u"Image2"_s);
    Image2->setGeometry(135, 256, 186, 45);
    Image2->setScaledContents(true);
    Image2->setAttribute(Qt::WA_TranslucentBackground);
    Image2->setPixmap(ui::loadPictureQuietly(u"Photo\\Back\\transfer_blink.jpg"_s));
    Timer1 = new QTimer(this);
    Timer1->setObjectName(u"Timer1"_s);
    Timer1->setInterval(500);
    connect(Timer1, &QTimer::timeout, this, &TransferWindow::Timer1Timer);
    setProgress(0);
}

std::optional<QColor> TransferWindow::LMDProgress1GetColor(int percent)
{
    if (percent < 0 || percent > 100)
        return std::nullopt;
    if (percent <= 20)
        return QColor(0, 255, 255);
    if (percent <= 40)
        return QColor(255, 0, 0);
    if (percent <= 60)
        return QColor(255, 255, 0);
    if (percent <= 80)
        return QColor(0, 255, 0);
    return QColor(255, 0, 255);
}

void TransferWindow::setProgress(int percent)
{
    LMDProgress1->setValue(qBound(0, percent, 100));
    QString chunk;
    if (const std::optional<QColor> colour = LMDProgress1GetColor(percent))
        chunk = u"QProgressBar::chunk { background-color: %1; }"_s.arg(colour->name());
    LMDProgress1->setStyleSheet(
        u"QProgressBar { background-color: rgb(215, 215, 255); border: 1px solid rgb(120, 120, 170); }"_s
        + chunk);
}

void TransferWindow::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        FormShow();
    PictureWindow::showEvent(event);
}

void TransferWindow::hideEvent(QHideEvent *event)
{
    if (!event->spontaneous())
        FormClose();
    PictureWindow::hideEvent(event);
}

void TransferWindow::FormShow()
{
    centreOnScreen();
    Image2->show();
    Timer1->start();
}

void TransferWindow::FormClose()
{
    Timer1->stop();
}

void TransferWindow::Timer1Timer()
{
    Image2->setVisible(!Image2->isVisible());
}
