#include "robot/transferwindow.h"

#include "app/ui/backgroundpicture.h"
#include "app/ui/pictures.h"

#include <QtWidgets/QLabel>
#include <QtWidgets/QProgressBar>

#include <QTimer>

TransferWindow::TransferWindow(AppWindows &windows)
    : PictureWindow({QStringLiteral("TForm3"), QStringLiteral("transfer"), QSize(446, 334),
                     QStringLiteral("Image1"), {}})
    , m_windows(windows)
{
    background()->setDraggable(false);
    background()->setFallbackText(QStringLiteral("プログラムを送っています"));
    LMDProgress1 = new QProgressBar(this);
    LMDProgress1->setObjectName(QStringLiteral("LMDProgress1"));
    LMDProgress1->setGeometry(56, 208, 329, 33);
    LMDProgress1->setRange(0, 100);
    LMDProgress1->setValue(0);
    LMDProgress1->setTextVisible(false);
    Image2 = new QLabel(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(135, 256, 186, 45);
    Image2->setScaledContents(true);
    Image2->setPixmap(ui::loadPictureQuietly(QStringLiteral("Photo\\Back\\transfer_blink.jpg")));
    Timer1 = new QTimer(this);
    Timer1->setInterval(500);
    connect(Timer1, &QTimer::timeout, this, [this] { Image2->setVisible(!Image2->isVisible()); });
}

void TransferWindow::showEvent(QShowEvent *event)
{
    Timer1->start();
    PictureWindow::showEvent(event);
}

void TransferWindow::hideEvent(QHideEvent *event)
{
    Timer1->stop();
    PictureWindow::hideEvent(event);
}
