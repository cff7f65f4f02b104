#pragma once

#include <QtWidgets/QWidget>

#include "app/ui/appwindows.h"
#include "app/ui/picturewindow.h"

// A working screen of the step chain (icon, text, route, remote control): 770 x 578, shown at
// the main menu's position, with the standard buttons. See app/ui/appwindows.h for how
// screens move along the chain.
class WorkingScreen : public PictureWindow
{
    Q_OBJECT
public:
    // Places of the standard buttons; an empty rectangle leaves that button out.
    struct StandardPlaces
    {
        QRect setup, shutdown, shutdown1, navi, B_step, F_step;
    };

    WorkingScreen(AppWindows &windows, const Design &design, const StandardPlaces &places,
                  int navigatorTag);

    int navigatorTag() const { return m_navigatorTag; }
    PictureButton *naviButton() const { return navi; }

    // Each show places the screen where the menu is (the icon screen only once, at creation).
    void setFollowsMenu(bool on) { m_followsMenu = on; }
    void placeAtMenu();

    // Moves along the chain to target (a working screen or the menu); false when the
    // screen's question kept the pupil here.
    bool leaveTo(QWidget *target);

protected:
    // The question before losing work; false keeps the screen.
    virtual bool mayLeave() { return true; }
    // After the screen was left: empties its program.
    virtual void programLeft() {}
    // The neighbours in the chain (null: the button does nothing).
    virtual QWidget *previousScreen() const { return nullptr; }
    virtual QWidget *nextScreen() const { return nullptr; }

    virtual void F_stepClick();
    virtual void B_stepClick();
    virtual void shutdownClick();
    virtual void shutdown1Click();
    virtual void setupClick();
    virtual void naviClick();

    // Closes a visible navigator first, as every screen change does.
    void closeNavigator();
    // Ends the application: closes this window and the main window. Screens quit through
    // this, never through close(), which counts as a close from outside (see closeEvent).
    void quitApplication();

    void showEvent(QShowEvent *event) override;
    // A close from outside (the window manager) is the quit button: with the menu hidden,
    // the program would otherwise go on running with no window at all.
    void closeEvent(QCloseEvent *event) override;

    AppWindows &m_windows;
    PictureButton *setup = nullptr;
    PictureButton *shutdown = nullptr;
    PictureButton *shutdown1 = nullptr;
    PictureButton *navi = nullptr;
    PictureButton *B_step = nullptr;
    PictureButton *F_step = nullptr;

private:
    int m_navigatorTag;
    bool m_followsMenu = true;
    bool m_quitting = false;
};
