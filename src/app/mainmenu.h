// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtWidgets/QWidget>

#include "app/ui/picturewindow.h"
#include "transfer/transfer.h"
#include "app/trialfloor.h"

#include <functional>
#include <memory>
#include <vector>

class IconScreen;
class Navigator;
class PreviewWindow;
class ProgramListWindow;
class RemoteControlScreen;
class ReportWindow;
class RouteScreen;
class SettingsScreen;
class SplashScreen;
class TextScreen;
class TransferWindow;
class Trs232c;
class WorkingScreen;

// TForm13, the main menu and main window, and the composition root: it owns the serial port
// rs232c1 and creates every other window, and it is the only place that knows them all. The
// windows know none of each other; the menu hands each what it needs (the port and transfer
// window as a RobotLink, the step chain's neighbours, its own position) and connects their
// requests (settings, navigator, menu, quit, report, list, preview, editor look) in wire().
//
// Start-up runs, in this order: the constructor (the menu's own controls), FormCreate()
// (splash, port re-open), createOtherWindows(), then the menu is shown centred. Closing the
// menu ends the application.
class MainMenu : public PictureWindow
{
    Q_OBJECT
public:
    MainMenu();
    ~MainMenu() override;

    // The creation step: shows the splash while the port is re-opened, then closes it and
    // calls then. Returns at once; the re-open goes on on the event loop.
    void FormCreate(std::function<void()> then);
    // Creates the other windows once, hidden, in the start-up order, and wires them.
    void createOtherWindows();

    Trs232c &rs232c1() { return *m_port; }
    PictureButton *naviButton() const { return menu_navi; }

    // Shows the menu where it is, in front (when a screen returns to it).
    void showMenu();
    // A later start asked for this run: whatever the pupil has open comes to the front.
    void bringToFront();
    // Closes the port, waits 400 ms, takes the port from set.ini, opens it, waits 4000 ms and
    // sends 254.
    void ReopenPort();

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void addMenuKeys();
    void wire();
    void wireScreen(WorkingScreen *screen);
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

    Trs232c *m_port = nullptr;
    RobotLink m_link;
    // The other windows, deleted before the menu in reverse order of creation.
    std::vector<std::unique_ptr<QWidget>> m_owned;
    std::unique_ptr<TrialFloor> m_trialFloor;
    ReportWindow *m_report = nullptr;           // TForm11
    ProgramListWindow *m_programList = nullptr; // TForm2
    TransferWindow *m_transfer = nullptr;       // TForm3
    Navigator *m_navigator = nullptr;           // TForm4
    PreviewWindow *m_preview = nullptr;         // TForm6
    SettingsScreen *m_settings = nullptr;       // TForm7
    IconScreen *m_icon = nullptr;               // TForm1
    SplashScreen *m_splash = nullptr;           // TForm5, the second instance, never shown
    RemoteControlScreen *m_remote = nullptr;    // TForm8
    TextScreen *m_text = nullptr;               // TForm9
    RouteScreen *m_route = nullptr;             // TForm10

    PictureButton *menu_navi = nullptr;
    PictureButton *menu_setup = nullptr;
    PictureButton *menu_icon1 = nullptr;
    PictureButton *menu_icon2 = nullptr;
    PictureButton *menu_key = nullptr;
    PictureButton *menu_line = nullptr;
    PictureButton *menu_raji = nullptr;
    PictureButton *close1 = nullptr;
};
