#include "app/ui/workingscreen.h"

#include "app/mainmenu.h"
#include "app/navi/navigator.h"
#include "app/settings/settingsscreen.h"

#include <QCloseEvent>
#include <QShowEvent>

WorkingScreen::WorkingScreen(AppWindows &windows, const Design &design,
                             const StandardPlaces &places, int navigatorTag)
    : PictureWindow(design)
    , m_windows(windows)
    , m_navigatorTag(navigatorTag)
{
    auto make = [this](PictureButton *&button, const QString &name, const QRect &place,
                       const QString &caption, const QString &hint, void (WorkingScreen::*click)()) {
        if (place.isEmpty())
            return;
        button = addButton(name, place, caption, hint);
        connect(button, &PictureButton::clicked, this, click);
    };
    make(setup, QStringLiteral("setup"), places.setup, QStringLiteral("設定"),
         QStringLiteral("ポート及びモータ等の設定を行います"), &WorkingScreen::setupClick);
    make(shutdown, QStringLiteral("shutdown"), places.shutdown, QStringLiteral("メニュー"),
         QStringLiteral("メニュー画面に戻ります"), &WorkingScreen::shutdownClick);
    make(shutdown1, QStringLiteral("shutdown1"), places.shutdown1, QStringLiteral("終了"),
         QStringLiteral("プログラムを終了します"), &WorkingScreen::shutdown1Click);
    make(navi, QStringLiteral("navi"), places.navi, QStringLiteral("学習ナビ"),
         QStringLiteral("学習ナビを表示します"), &WorkingScreen::naviClick);
    make(B_step, QStringLiteral("B_step"), places.B_step, QStringLiteral("前のステップ"),
         QStringLiteral("前のステップに戻ります"), &WorkingScreen::B_stepClick);
    make(F_step, QStringLiteral("F_step"), places.F_step, QStringLiteral("次のステップ"),
         QStringLiteral("次のステップに進みます"), &WorkingScreen::F_stepClick);
}

void WorkingScreen::placeAtMenu()
{
    if (m_windows.menu)
        move(m_windows.menu->pos());
}

void WorkingScreen::showEvent(QShowEvent *event)
{
    if (m_followsMenu && !event->spontaneous())
        placeAtMenu();
    PictureWindow::showEvent(event);
}

void WorkingScreen::closeEvent(QCloseEvent *event)
{
    if (m_quitting) {
        event->accept();
        return;
    }
    if (!mayLeave()) {
        event->ignore();
        return;
    }
    event->accept();
    closeNavigator();
    if (m_windows.menu)
        m_windows.menu->close();
}

bool WorkingScreen::leaveTo(QWidget *target)
{
    if (!target || !mayLeave())
        return false;
    closeNavigator();
    if (target == m_windows.menu)
        m_windows.menu->showMenu();
    else
        target->show();
    hide();
    programLeft();
    return true;
}

void WorkingScreen::closeNavigator()
{
    if (m_windows.navigator && m_windows.navigator->isVisible())
        m_windows.navigator->close();
}

void WorkingScreen::quitApplication()
{
    m_quitting = true;
    close();
    m_quitting = false;
    if (m_windows.menu)
        m_windows.menu->close();
}

void WorkingScreen::F_stepClick()
{
    leaveTo(nextScreen());
}

void WorkingScreen::B_stepClick()
{
    leaveTo(previousScreen());
}

void WorkingScreen::shutdownClick()
{
    leaveTo(m_windows.menu);
}

void WorkingScreen::shutdown1Click()
{
    if (!mayLeave())
        return;
    closeNavigator();
    quitApplication();
}

void WorkingScreen::setupClick()
{
    if (m_windows.settings)
        m_windows.settings->showSettings();
}

void WorkingScreen::naviClick()
{
    if (m_windows.navigator)
        m_windows.navigator->openFor(this, m_navigatorTag);
}
