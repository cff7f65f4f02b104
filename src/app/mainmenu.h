#pragma once

#include <QtWidgets/QWidget>

#include "app/ui/appwindows.h"
#include "app/ui/picturewindow.h"

#include <memory>
#include <vector>

// TForm13, the main menu and main window. It owns the serial port rs232c1 and every other
// window (see app/ui/appwindows.h). Start-up runs, in this order: the constructor (the menu's
// own controls), FormCreate() (splash, port re-open), createOtherWindows(), then the menu is
// shown centred. Closing the menu ends the application.
class MainMenu : public PictureWindow
{
    Q_OBJECT
public:
    MainMenu();
    ~MainMenu() override;

    // The creation step: shows the splash while the port is re-opened, then closes it.
    void FormCreate();
    // Creates the other windows once, hidden, in the start-up order.
    void createOtherWindows();

    AppWindows &windows() { return m_windows; }
    Trs232c &rs232c1() { return *m_port; }
    PictureButton *naviButton() const { return menu_navi; }

    // Shows the menu where it is, in front (when a screen returns to it).
    void showMenu();
    // Closes the port, waits 400 ms, takes the port from set.ini, opens it, waits 4000 ms and
    // sends 254.
    void ReopenPort();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void menu_naviClick();
    void menu_setupClick();
    void menu_icon1Click();
    void menu_icon2Click();
    void menu_keyClick();
    void menu_lineClick();
    void menu_rajiClick();
    void close1Click();
    void openScreen(QWidget *screen);
    void openIconScreen(int step);
    void closeNavigatorIfVisible();

    AppWindows m_windows;
    Trs232c *m_port = nullptr;
    // The other windows, deleted before the menu in reverse order of creation.
    std::vector<std::unique_ptr<QWidget>> m_owned;

    PictureButton *menu_navi = nullptr;
    PictureButton *menu_setup = nullptr;
    PictureButton *menu_icon1 = nullptr;
    PictureButton *menu_icon2 = nullptr;
    PictureButton *menu_key = nullptr;
    PictureButton *menu_line = nullptr;
    PictureButton *menu_raji = nullptr;
    PictureButton *close1 = nullptr;
};
