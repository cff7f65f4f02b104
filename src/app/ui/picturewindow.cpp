#include "app/ui/picturewindow.h"

#include "app/ui/backgroundpicture.h"
#include "app/ui/pictures.h"

#include <QGuiApplication>
#include <QScreen>

PictureWindow::PictureWindow(const Design &design, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , m_numbers(design.buttonNumbers)
{
    setObjectName(design.objectName);
    setWindowTitle(QGuiApplication::applicationDisplayName());
    setFixedSize(design.size);
    m_back = new BackgroundPicture(design.backName, ui::backgroundPictureName(design.picture), this);
}

void PictureWindow::centreOnScreen()
{
    QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
}

PictureButton *PictureWindow::addButton(const QString &name, const QRect &geometry,
                                        const QString &caption, const QString &hint)
{
    auto *button = new PictureButton(name, geometry, m_numbers, caption, this);
    if (!hint.isEmpty())
        button->setToolTip(shortHint(hint));
    return button;
}

QString PictureWindow::shortHint(const QString &hint)
{
    return hint.section(u'|', 0, 0);
}
