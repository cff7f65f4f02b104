// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/stage.h"

#include <QGuiApplication>
#include <QScreen>

namespace ui {

namespace {

void centreOn(QWidget *window, const QRect &area)
{
    window->move(area.x() + (area.width() - window->width()) / 2, area.y() + (area.height() - window->height()) / 2);
}

// Each screen a window of its own.
class DesktopStage : public Stage
{
public:
    void showScreen(QWidget *screen, const QWidget *anchor) override
    {
        place(screen, anchor);
        screen->show();
    }
    void hideScreen(QWidget *screen) override { screen->hide(); }
    void place(QWidget *screen, const QWidget *anchor) override
    {
        if (anchor)
            screen->move(anchor->pos());
    }
    void moveScreen(QWidget *screen, QPoint to) override { screen->move(to); }
    void centre(QWidget *window) override
    {
        QScreen *display = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
        if (display)
            centreOn(window, display->geometry());
    }
};

Stage *&current()
{
    static Stage *s = nullptr;
    return s;
}

}

Stage &stage()
{
    static DesktopStage desktop;
    return current() ? *current() : desktop;
}

void setStage(Stage *s)
{
    current() = s;
}

void PageStage::showScreen(QWidget *screen, const QWidget *)
{
    if (!m_host)
        return;
    if (m_host->indexOf(screen) < 0)
        m_host->addWidget(screen);
    m_host->setCurrentWidget(screen);
    screen->show();
}

void PageStage::hideScreen(QWidget *screen)
{
    screen->hide();
}

void PageStage::centre(QWidget *window)
{
    if (!m_host)
        return;
    const QWidget *surface = m_host->window();
    centreOn(window, QRect(surface->mapToGlobal(QPoint(0, 0)), surface->size()));
}

}
