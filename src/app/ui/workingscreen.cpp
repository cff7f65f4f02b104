// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/workingscreen.h"

#include "app/ui/windowkeys.h"
#include "app/ui/messagebox.h"
#include "app/ui/stage.h"
#include "common/recoverycopy.h"

#include <QCloseEvent>
#include <QShowEvent>
#include <QTimer>

using namespace Qt::StringLiterals;

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
    make(setup, u"setup"_s, places.setup, u"設定"_s,
         u"ポート及びモータ等の設定を行います"_s, &WorkingScreen::setupClick);
    make(shutdown, u"shutdown"_s, places.shutdown, u"メニュー"_s,
         u"メニュー画面に戻ります"_s, &WorkingScreen::shutdownClick);
    make(shutdown1, u"shutdown1"_s, places.shutdown1, u"終了"_s,
         u"プログラムを終了します"_s, &WorkingScreen::shutdown1Click);
    make(navi, u"navi"_s, places.navi, u"学習ナビ"_s,
         u"学習ナビを表示します"_s, &WorkingScreen::naviClick);
    make(B_step, u"B_step"_s, places.B_step, u"前のステップ"_s,
         u"前のステップに戻ります"_s, &WorkingScreen::B_stepClick);
    make(F_step, u"F_step"_s, places.F_step, u"次のステップ"_s,
         u"次のステップに進みます"_s, &WorkingScreen::F_stepClick);
    ui::addWorkingScreenKeys(this);
}

WorkingScreen::~WorkingScreen() = default;

void WorkingScreen::enableRecovery(const QString &fileName, std::function<QString()> workFolder)
{
    m_recovery = std::make_unique<RecoveryCopy>(fileName, std::move(workFolder), [this] { return recoveryLines(); });
}

void WorkingScreen::programChanged()
{
    if (m_recovery)
        m_recovery->changed();
}

void WorkingScreen::dropRecovery()
{
    if (m_recovery)
        m_recovery->remove();
}

QString WorkingScreen::recoveryPath() const
{
    return m_recovery ? m_recovery->path() : QString();
}

void WorkingScreen::armRecoveryOffer()
{
    m_offerRecovery = m_recovery && m_recovery->leftOver().has_value();
}

void WorkingScreen::keepRecoveryAtEnd()
{
    if (m_recovery)
        m_recovery->keepAtEnd();
}

void WorkingScreen::offerRecovery()
{
    if (!m_recovery)
        return;
    const std::optional<QStringList> left = m_recovery->leftOver();
    if (!left)
        return;
    const ui::MessageButton answer =
        ui::showMessage(this, ui::MessageKind::Confirmation, u"まえの プログラムが のこっています。もどしますか？"_s,
                        {ui::MessageButton::Yes, ui::MessageButton::No});
    // A box closed by the program's end (a signal, a logout) is no answer: the copy waits.
    if (recovery::runEnding())
        return;
    if (answer == ui::MessageButton::Yes && restoreRecovery(*left)) {
        // Written again at once: the copy now belongs to this run.
        m_recovery->writeNow();
        return;
    }
    m_recovery->remove();
}

QList<QKeySequence> WorkingScreen::undoKeys()
{
    return {QKeySequence(Qt::CTRL | Qt::Key_Z)};
}

QList<QKeySequence> WorkingScreen::redoKeys()
{
    return {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)};
}

void WorkingScreen::placeAtMenu()
{
    ui::stage().place(this, m_anchor);
}

void WorkingScreen::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        placeAtMenu();
    PictureWindow::showEvent(event);
    if (m_offerRecovery && !event->spontaneous()) {
        m_offerRecovery = false;
        // After the screen's own show handling, with the screen on view behind the box.
        QTimer::singleShot(0, this, &WorkingScreen::offerRecovery);
    }
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
    dropRecovery();
    closeNavigator();
    emit quitRequested();
}

bool WorkingScreen::leaveTo(const Destination &destination)
{
    if (!destination || !mayLeave())
        return false;
    closeNavigator();
    destination();
    ui::stage().hideScreen(this);
    programLeft();
    dropRecovery();
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
    // The question let the work go: nothing to offer at the next start.
    dropRecovery();
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
