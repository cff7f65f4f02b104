#include "app/ui/workingscreen.h"

#include <QCloseEvent>
#include <QShowEvent>

WorkingScreen::WorkingScreen(const Design &design, const StandardPlaces &places, int navigatorTag)
    : PictureWindow(design)
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
    if (m_anchor)
        move(m_anchor->pos());
}

void WorkingScreen::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
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
    emit quitRequested();
}

bool WorkingScreen::leaveTo(const Destination &destination)
{
    if (!destination || !mayLeave())
        return false;
    closeNavigator();
    destination();
    hide();
    programLeft();
    return true;
}

WorkingScreen::Destination WorkingScreen::menuDestination()
{
    return [this] { emit menuRequested(); };
}

void WorkingScreen::closeNavigator()
{
    emit navigatorCloseRequested();
}

void WorkingScreen::quitApplication()
{
    m_quitting = true;
    close();
    m_quitting = false;
    emit quitRequested();
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
    leaveTo(menuDestination());
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
    emit settingsRequested();
}

void WorkingScreen::naviClick()
{
    emit navigatorRequested();
}
