// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mainmenu.h"
#include "common/errornumbers.h"

#include "app/navi/navigator.h"
#include "app/report/reportwindow.h"
#include "app/settings/settingsreader.h"
#include "app/settings/settingsscreen.h"
#include "app/settings/reopenport.h"
#include "app/splashscreen.h"
#include "common/workfolder.h"
#include "app/ui/backgroundpicture.h"
#include "app/ui/controlnames.h"
#include "app/ui/stage.h"
#include "app/ui/windowkeys.h"
#include "common/recoverycopy.h"
#include "icon/iconscreen.h"
#include "icon/previewwindow.h"
#include "icon/programlistwindow.h"
#include "remote/remotecontrolscreen.h"
#include "transfer/transferwindow.h"
#include "robot/trs232c.h"
#include "route/routescreen.h"
#include "text/textscreen.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QProgressBar>

#include <QCloseEvent>
#include <QKeyEvent>

using namespace Qt::StringLiterals;

MainMenu::MainMenu()
    : PictureWindow({u"TForm13"_s, u"menu"_s, QSize(770, 578),
                     u"back"_s, {errors::MENU_BUTTON_PRESS, errors::MENU_BUTTON_RELEASE}})
{
    // The recovery copies this run writes carry its name; any other is offered.
    recovery::beginRun();
    m_port = new Trs232c(this);
    m_port->setObjectName(u"rs232c1"_s);
    connectModemLineHandlers(*m_port);
    m_link.port = m_port;
    ui::installKeyboardAccess();

    background()->setFallbackText(QString());
    auto menuButton = [this](const QString &name, int top, const QString &caption,
                             void (MainMenu::*click)()) {
        PictureButton *b = addButton(name, QRect(139, top, 508, 50), caption);
        connect(b, &PictureButton::clicked, this, click);
        return b;
    };
    menu_navi = menuButton(u"menu_navi"_s, 116, u"学習ナビ"_s,
                           &MainMenu::menu_naviClick);
    menu_setup = menuButton(u"menu_setup"_s, 177, u"設定"_s,
                            &MainMenu::menu_setupClick);
    menu_icon1 = menuButton(u"menu_icon1"_s, 237, u"STEP2　アイコン１"_s,
                            &MainMenu::menu_icon1Click);
    menu_icon2 = menuButton(u"menu_icon2"_s, 298, u"STEP3　アイコン２"_s,
                            &MainMenu::menu_icon2Click);
    menu_key = menuButton(u"menu_key"_s, 358, u"STEP4　文字入力"_s,
                          &MainMenu::menu_keyClick);
    menu_line = menuButton(u"menu_line"_s, 419, u"STEP5　ライン入力"_s,
                           &MainMenu::menu_lineClick);
    menu_raji = menuButton(u"menu_raji"_s, 479, u"ラジコンモード"_s,
                           &MainMenu::menu_rajiClick);
    close1 = addButton(u"close1"_s, QRect(555, 61, 111, 30), u"終了"_s);
    connect(close1, &PictureButton::clicked, this, &MainMenu::close1Click);
    addMenuKeys();
    ui::nameControls(this);
}

void MainMenu::addMenuKeys()
{
    // 1 to 7 from the top, shown on the entries.
    PictureButton *const entries[] = {menu_navi, menu_setup, menu_icon1, menu_icon2, menu_key, menu_line, menu_raji};
    for (int i = 0; i < 7; ++i) {
        const QString digit = QString::number(i + 1);
        entries[i]->setKeyLabel(digit);
        ui::bindKeys(this, {{QKeySequence(digit), entries[i]->objectName()}});
    }
}

bool MainMenu::eventFilter(QObject *watched, QEvent *event)
{
    // The end of a transfer is said on the screen that sent; a stopped one is not called done.
    if (watched == m_transfer && event->type() == QEvent::Hide) {
        const bool done = m_transfer->progressBar()->value() >= 100;
        for (QWidget *screen : std::initializer_list<QWidget *>{m_icon, m_text, m_route}) {
            if (screen && screen->isVisible())
                ui::announce(screen, done ? u"プログラムを おくりおわったよ"_s : u"おくるのが とちゅうで とまったよ"_s);
        }
    }
    return PictureWindow::eventFilter(watched, event);
}

void MainMenu::keyPressEvent(QKeyEvent *event)
{
    // The entries stand one under the other: the arrows walk them as Tab does.
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Left:
        focusNextPrevChild(false);
        return;
    case Qt::Key_Down:
    case Qt::Key_Right:
        focusNextPrevChild(true);
        return;
    default:
        PictureWindow::keyPressEvent(event);
    }
}

MainMenu::~MainMenu()
{
    while (!m_owned.empty())
        m_owned.pop_back();
}

void MainMenu::FormCreate(std::function<void()> then)
{
    auto *splash = new SplashScreen;
    splash->centreOnScreen();
    splash->show();
    auto done = [splash, then = std::move(then)](bool) {
        splash->close();
        splash->deleteLater();
        if (then)
            then();
    };
    if (!::ReopenPort(*m_port, this, done))
        done(false);
}

void MainMenu::ReopenPort()
{
    ::ReopenPort(*m_port, this, {});
}

void MainMenu::createOtherWindows()
{
    if (!m_owned.empty())
        return;
    auto own = [this](auto *window) {
        m_owned.emplace_back(window);
        return window;
    };
    m_report = own(new ReportWindow);
    m_programList = own(new ProgramListWindow);
    m_transfer = own(new TransferWindow);
    m_link.display = m_transfer;
    m_trialFloor = std::make_unique<TrialFloor>();
    m_link.trial = m_trialFloor.get();
    // The progress shows beside the screen; the keyboard stays where the pupil sent from.
    m_transfer->setAttribute(Qt::WA_ShowWithoutActivating);
    m_transfer->installEventFilter(this);
    m_navigator = own(new Navigator);
    m_preview = own(new PreviewWindow);
    m_settings = own(new SettingsScreen(m_port));
    m_icon = own(new IconScreen(m_link));
    m_splash = own(new SplashScreen);
    m_remote = own(new RemoteControlScreen(m_port));
    m_text = own(new TextScreen(m_link));
    m_route = own(new RouteScreen(m_link));
    m_report->centreOnScreen();
    m_programList->centreOnScreen();
    m_preview->centreOnScreen();
    m_transfer->centreOnScreen();
    m_settings->centreOnScreen();
    for (const auto &window : m_owned)
        ui::nameControls(window.get());
    // The settings answer Return and Escape as a dialogue does; the report prints on Ctrl+P.
    ui::bindKeys(m_settings, {{QKeySequence(Qt::Key_Return), u"ok"}, {QKeySequence(Qt::Key_Enter), u"ok"},
                              {QKeySequence(Qt::Key_Escape), u"cancel"}});
    ui::bindKeys(m_report, {{QKeySequence::Print, u"print"}});
    wire();
    // Work a killed or crashed run left behind is offered when its screen is first shown.
    for (WorkingScreen *screen : std::initializer_list<WorkingScreen *>{m_icon, m_text, m_route, m_remote})
        screen->armRecoveryOffer();
}

void MainMenu::wireScreen(WorkingScreen *screen)
{
    screen->setAnchor(this);
    connect(screen, &WorkingScreen::settingsRequested, m_settings, &SettingsScreen::showSettings);
    connect(screen, &WorkingScreen::navigatorRequested, m_navigator, [this, screen] {
        m_navigator->openFor(screen, screen->naviButton(), screen->navigatorTag(), screen->helpPage());
    });
    connect(screen, &WorkingScreen::navigatorCloseRequested, m_navigator, &Navigator::closeIfVisible);
    connect(screen, &WorkingScreen::menuRequested, this, &MainMenu::showMenu);
    connect(screen, &WorkingScreen::quitRequested, this, &QWidget::close);
}

void MainMenu::wire()
{
    for (WorkingScreen *screen : std::initializer_list<WorkingScreen *>{m_icon, m_text, m_route, m_remote})
        wireScreen(screen);

    // The step chain; the icon screen walks STEP2 -> STEP3 itself.
    auto show = [this](QWidget *screen) { return [this, screen] { ui::stage().showScreen(screen, this); }; };
    m_icon->setNextScreen(show(m_text));
    m_text->setPreviousScreen([this, icon = m_icon] {
        icon->setStepMode(2);
        ui::stage().showScreen(icon, this);
    });
    m_text->setNextScreen(show(m_route));
    m_route->setPreviousScreen(show(m_text));
    m_route->setNextScreen(show(m_remote));
    m_remote->setPreviousScreen(show(m_route));

    m_icon->setDeleteShiftSource([settings = m_settings] { return settings->deleteShiftsUp(); });
    connect(m_icon, &IconScreen::previewRequested, m_preview,
            [this] { m_preview->showFor(m_icon->program()); });
    connect(m_icon, &IconScreen::programListRequested, m_programList, [this] {
        ReportInput labels; // the slot labels, as the report lists them
        m_icon->fillReportListing(&labels);
        m_programList->showFor(m_icon->program(), labels.iconSlots);
    });
    connect(m_icon, &IconScreen::reportRequested, m_report, [this] { m_report->openFor(m_icon); });
    connect(m_text, &TextScreen::reportRequested, m_report, [this] { m_report->openFor(m_text); });
    connect(m_route, &RouteScreen::reportRequested, m_report, [this] { m_report->openFor(m_route); });

    connect(m_settings, &SettingsScreen::editorAppearanceChanged, m_text,
            &TextScreen::applyEditorAppearance);
    // Screens that read set.ini when shown read it again when the settings are accepted.
    for (WorkingScreen *screen : std::initializer_list<WorkingScreen *>{m_icon, m_text, m_route, m_remote}) {
        if (auto *reader = dynamic_cast<SettingsReader *>(screen))
            connect(m_settings, &SettingsScreen::settingsAccepted, screen, [reader] { reader->settingsAccepted(); });
    }
}

void MainMenu::showMenu()
{
    ui::stage().showScreen(this);
    raise();
    activateWindow();
}

void MainMenu::bringToFront()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (!window->isVisible())
            continue;
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
        window->raise();
    }
    // The focus goes where the pupil was: an open box, else the open screen, else the menu.
    QWidget *front = QApplication::activeModalWidget();
    if (!front && m_icon) {
        for (WorkingScreen *screen : std::initializer_list<WorkingScreen *>{m_icon, m_text, m_route, m_remote})
            if (screen->isVisible())
                front = screen;
    }
    if (!front && isVisible())
        front = this;
    if (front) {
        front->raise();
        front->activateWindow();
    }
}

void MainMenu::closeEvent(QCloseEvent *event)
{
    recovery::endRun();
    event->accept();
    // The robot must not be left in the middle of a block: the end comes once the line is quiet.
    finishSendingBeforeQuit(m_link, this, [this] {
        if (m_icon) {
            for (WorkingScreen *screen : std::initializer_list<WorkingScreen *>{m_icon, m_text, m_route, m_remote})
                screen->keepRecoveryAtEnd();
        }
        QCoreApplication::quit();
    });
}

void MainMenu::closeNavigatorIfVisible()
{
    if (m_navigator)
        m_navigator->closeIfVisible();
}

void MainMenu::openScreen(QWidget *screen)
{
    if (!screen)
        return;
    closeNavigatorIfVisible();
    ui::stage().showScreen(screen, this);
    ui::stage().hideScreen(this);
}

void MainMenu::openIconScreen(int step)
{
    IconScreen *icon = m_icon;
    if (!icon)
        return;
    closeNavigatorIfVisible();
    icon->setStepMode(step);
    ui::stage().showScreen(icon, this);
    ui::stage().hideScreen(this);
    closeNavigatorIfVisible();
}

void MainMenu::menu_naviClick()
{
    if (m_navigator)
        m_navigator->openFor(this, menu_navi, 13, u"Navi\\navi\\index.html"_s);
}

void MainMenu::menu_setupClick()
{
    if (m_settings)
        m_settings->showSettings();
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
    openScreen(m_text);
}

void MainMenu::menu_lineClick()
{
    openScreen(m_route);
}

void MainMenu::menu_rajiClick()
{
    openScreen(m_remote);
}

void MainMenu::close1Click()
{
    close();
}
