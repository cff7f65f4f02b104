#include "app/mainmenu.h"

#include "app/navi/navigator.h"
#include "app/report/reportwindow.h"
#include "app/settings/settingsscreen.h"
#include "app/settings/reopenport.h"
#include "app/splashscreen.h"
#include "app/ui/backgroundpicture.h"
#include "icon/iconscreen.h"
#include "icon/previewwindow.h"
#include "icon/programlistwindow.h"
#include "robot/remotecontrolscreen.h"
#include "robot/transferwindow.h"
#include "robot/trs232c.h"
#include "route/routescreen.h"
#include "text/textscreen.h"

#include <QtWidgets/QApplication>

#include <QCloseEvent>

MainMenu::MainMenu()
    : PictureWindow({QStringLiteral("TForm13"), QStringLiteral("menu"), QSize(770, 578),
                     QStringLiteral("back"), {1201, 1202}})
{
    m_port = new Trs232c(this);
    m_port->setObjectName(QStringLiteral("rs232c1"));
    connectModemLineHandlers(*m_port);
    m_windows.menu = this;
    m_windows.port = m_port;

    background()->setFallbackText(QString());
    auto menuButton = [this](const QString &name, int top, const QString &caption,
                             void (MainMenu::*click)()) {
        PictureButton *b = addButton(name, QRect(139, top, 508, 50), caption);
        connect(b, &PictureButton::clicked, this, click);
        return b;
    };
    menu_navi = menuButton(QStringLiteral("menu_navi"), 116, QStringLiteral("学習ナビ"),
                           &MainMenu::menu_naviClick);
    menu_setup = menuButton(QStringLiteral("menu_setup"), 177, QStringLiteral("設定"),
                            &MainMenu::menu_setupClick);
    menu_icon1 = menuButton(QStringLiteral("menu_icon1"), 237, QStringLiteral("STEP2　アイコン１"),
                            &MainMenu::menu_icon1Click);
    menu_icon2 = menuButton(QStringLiteral("menu_icon2"), 298, QStringLiteral("STEP3　アイコン２"),
                            &MainMenu::menu_icon2Click);
    menu_key = menuButton(QStringLiteral("menu_key"), 358, QStringLiteral("STEP4　文字入力"),
                          &MainMenu::menu_keyClick);
    menu_line = menuButton(QStringLiteral("menu_line"), 419, QStringLiteral("STEP5　ライン入力"),
                           &MainMenu::menu_lineClick);
    menu_raji = menuButton(QStringLiteral("menu_raji"), 479, QStringLiteral("ラジコンモード"),
                           &MainMenu::menu_rajiClick);
    close1 = addButton(QStringLiteral("close1"), QRect(555, 61, 111, 30), QStringLiteral("終了"));
    connect(close1, &PictureButton::clicked, this, &MainMenu::close1Click);
}

MainMenu::~MainMenu()
{
    while (!m_owned.empty())
        m_owned.pop_back();
}

void MainMenu::FormCreate()
{
    SplashScreen splash;
    splash.centreOnScreen();
    splash.show();
    splash.repaint();
    QApplication::processEvents();
    ReopenPort();
    splash.close();
}

void MainMenu::ReopenPort()
{
    ::ReopenPort(*m_port);
}

void MainMenu::createOtherWindows()
{
    if (!m_owned.empty())
        return;
    auto own = [this](auto *window) {
        m_owned.emplace_back(window);
        return window;
    };
    m_windows.report = own(new ReportWindow(m_windows));
    m_windows.programList = own(new ProgramListWindow(m_windows));
    m_windows.transfer = own(new TransferWindow(m_windows));
    m_windows.navigator = own(new Navigator(m_windows));
    m_windows.preview = own(new PreviewWindow(m_windows));
    m_windows.settings = own(new SettingsScreen(m_windows));
    m_windows.icon = own(new IconScreen(m_windows));
    m_windows.splash = own(new SplashScreen);
    m_windows.remote = own(new RemoteControlScreen(m_windows));
    m_windows.text = own(new TextScreen(m_windows));
    m_windows.route = own(new RouteScreen(m_windows));
    m_windows.report->centreOnScreen();
    m_windows.programList->centreOnScreen();
    m_windows.preview->centreOnScreen();
    m_windows.transfer->centreOnScreen();
    m_windows.settings->centreOnScreen();
}

void MainMenu::showMenu()
{
    show();
    raise();
    activateWindow();
}

void MainMenu::closeEvent(QCloseEvent *event)
{
    event->accept();
    QCoreApplication::quit();
}

void MainMenu::closeNavigatorIfVisible()
{
    if (m_windows.navigator && m_windows.navigator->isVisible())
        m_windows.navigator->close();
}

void MainMenu::openScreen(QWidget *screen)
{
    if (!screen)
        return;
    closeNavigatorIfVisible();
    screen->show();
    hide();
}

void MainMenu::openIconScreen(int step)
{
    IconScreen *icon = m_windows.icon;
    if (!icon)
        return;
    closeNavigatorIfVisible();
    icon->setStepMode(step);
    icon->show();
    hide();
    closeNavigatorIfVisible();
}

void MainMenu::menu_naviClick()
{
    if (m_windows.navigator)
        m_windows.navigator->openFor(this, 13);
}

void MainMenu::menu_setupClick()
{
    if (m_windows.settings)
        m_windows.settings->showSettings();
}

void MainMenu::menu_icon1Click()
{
    openIconScreen(1);
}

void MainMenu::menu_icon2Click()
{
    openIconScreen(2);
}

void MainMenu::menu_keyClick()
{
    openScreen(m_windows.text);
}

void MainMenu::menu_lineClick()
{
    openScreen(m_windows.route);
}

void MainMenu::menu_rajiClick()
{
    openScreen(m_windows.remote);
}

void MainMenu::close1Click()
{
    close();
}
