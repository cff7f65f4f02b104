// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtWidgets/QStackedWidget>
#include <QtWidgets/QWidget>

#include <QPointer>

// Where the screens appear. The main menu and the working screens show, hide and place screens
// only through the stage, so that one seam decides it for the whole program. On the desktop
// (the stage in use unless another is set) each screen is a borderless window of its own: the
// menu and the windows over the screens centred on the display, a working screen where the menu
// stands. A platform with one surface (a browser page) sets a PageStage instead, which shows
// the screens as pages of one widget.
namespace ui {

class Stage
{
public:
    virtual ~Stage() = default;
    // Brings the screen on view; with an anchor (the menu), it takes the anchor's place.
    virtual void showScreen(QWidget *screen, const QWidget *anchor = nullptr) = 0;
    virtual void hideScreen(QWidget *screen) = 0;
    // Puts the screen in the anchor's place without showing it (for a screen shown otherwise).
    virtual void place(QWidget *screen, const QWidget *anchor) = 0;
    // Moves a screen on the display (the navigator docks its caller beside itself and back).
    virtual void moveScreen(QWidget *screen, QPoint to) = 0;
    // Centres a window that comes over the screens: settings, report, lists, transfer, splash.
    virtual void centre(QWidget *window) = 0;
};

Stage &stage();
// The stage for the whole program from now on; nullptr brings the desktop's back. The caller
// keeps it alive for as long as it is set.
void setStage(Stage *stage);

// The screens as pages of one host widget: a screen shown becomes a page of it (a child, no
// longer a window of its own) and the page on view; windows over the screens are centred on
// the host.
class PageStage : public Stage
{
public:
    explicit PageStage(QStackedWidget *host)
        : m_host(host)
    {
    }
    void showScreen(QWidget *screen, const QWidget *anchor = nullptr) override;
    void hideScreen(QWidget *screen) override;
    // A page stays where the surface has it.
    void place(QWidget *, const QWidget *) override {}
    void moveScreen(QWidget *, QPoint) override {}
    void centre(QWidget *window) override;

private:
    QPointer<QStackedWidget> m_host;
};

}
