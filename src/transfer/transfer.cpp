// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/transfer.h"

#include "app/ui/messagebox.h"
#include "robot/programtransfer.h"
#include "robot/robotline.h"
#include "robot/wireplan.h"
#include "robot/wireplayer.h"

#include <QEvent>
#include <QPointer>

using namespace Qt::StringLiterals;

namespace {

using ui::MessageKind;

void tellLater(QWidget *screen, const QString &text)
{
    ui::tell(screen, MessageKind::Warning, text);
}

void tellUnreachable(QWidget *screen, const RobotLine *port)
{
    tellLater(screen, unreachableText(port));
}

}

// What the transfer window shows of one program's road: lives on the window, so it cannot
// outlive it. Hiding the window (the pupil closing it) or the screen it came from (leaving it)
// stops the transfer at the end of the block on its way.
class TransferRun : public QObject
{
    Q_OBJECT
public:
    TransferRun(TransferDisplay *display, ProgramTransfer *road, QWidget *screen)
        : QObject(display->transferWidget())
        , m_display(display)
        , m_window(display->transferWidget())
        , m_screen(screen)
        , m_road(road)
    {
        m_road->setParent(this);
        connect(m_road, &ProgramTransfer::progressChanged, this, &TransferRun::setProgress);
        connect(m_road, &ProgramTransfer::finished, this, &TransferRun::done);
        connect(m_road, &ProgramTransfer::stopped, this, &TransferRun::done);
        connect(m_road, &ProgramTransfer::failed, this, &TransferRun::failed);
        m_window->installEventFilter(this);
        if (m_screen)
            m_screen->installEventFilter(this);
    }

    bool start()
    {
        setProgress(0);
        // The window shows a transfer that has started, not one the line refused.
        if (!m_road->play())
            return false;
        m_window->show();
        m_window->raise();
        return true;
    }

    // Quitting: the block on its way is finished in front of the pupil.
    void finishForQuit()
    {
        if (!m_road->isActive())
            return;
        if (m_window) {
            m_showingForQuit = true;
            m_window->show();
            m_window->raise();
        }
        m_road->stop();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Hide && m_road->isActive() && !m_showingForQuit) {
            const bool windowClosed = watched == m_window;
            // A minimised screen has not been left.
            const bool screenLeft = watched == m_screen && !event->spontaneous();
            if (screenLeft)
                m_cutByLeaving = m_road->stopLosesBytes();
            if (windowClosed || screenLeft)
                m_road->stop();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void setProgress(int percent)
    {
        if (m_window)
            m_display->setProgress(percent);
    }

    void done()
    {
        deleteLater();
        if (m_window)
            m_window->close();
        // The robot holds part of a program now; quitting needs no box.
        if (m_cutByLeaving && !m_showingForQuit)
            tellLater(nullptr, transferCutText());
    }

    void failed(const QString &text)
    {
        deleteLater();
        if (m_window)
            m_window->close();
        tellLater(m_screen, text);
    }

    TransferDisplay *m_display;
    QPointer<QWidget> m_window;
    QPointer<QWidget> m_screen;
    ProgramTransfer *m_road;
    bool m_showingForQuit = false;
    bool m_cutByLeaving = false;
};

namespace {

MessageKind boxKindOf(ProgramTransfer::Refusal why)
{
    return why == ProgramTransfer::Refusal::LineBusy ? MessageKind::Information : MessageKind::Warning;
}

bool portBusy(const RobotLink &link, QWidget *screen)
{
    if (!link.port || !link.port->lineClaimed())
        return false;
    ui::showMessage(screen, MessageKind::Information, RobotLine::lineBusyText());
    return true;
}

// A port in error, gone or replaced behind its name is opened again first, silently.
bool portReady(const RobotLink &link, QWidget *screen)
{
    if (link.port && link.port->makeReady())
        return true;
    ui::showMessage(screen, MessageKind::Warning, unreachableText(link.port));
    return false;
}

}

bool sendProgram(const RobotLink &link, ScreenKind kind, const QString &programText, bool how,
                 QWidget *screen)
{
    auto *road = new ProgramTransfer(link.port);
    // The boxes only show what the road says.
    QObject::connect(road, &ProgramTransfer::refused, road,
                     [screen](ProgramTransfer::Refusal why, const QString &text) {
        ui::showMessage(screen, boxKindOf(why), text);
    });
    if (!road->prepare(programText, kind, how) || !link.display) {
        delete road;
        return false;
    }
    auto *run = new TransferRun(link.display, road, screen);
    if (run->start())
        return true;
    // Refused before anything went out (the line could not be made ready).
    if (!road->isActive())
        delete run;
    return false;
}

QString trialHint()
{
    return u"ロボットがなくても、ゆかの上でプログラムをためします（F6）"_s;
}

bool tryProgram(const RobotLink &link, ScreenKind kind, const QString &programText, bool how, QWidget *screen,
                std::function<void(int line)> onLine, const QList<QPoint> &route)
{
    const WirePlan plan = wirePlanForText(programText, kind, how);
    if (!plan.ok) {
        ui::showMessage(screen, boxKindOf(ProgramTransfer::Refusal::NotAccepted), plan.messages.join(u"\r\n"_s));
        return false;
    }
    if (!link.trial)
        return false;
    link.trial->tryPlan(plan, kind, route, screen, std::move(onLine));
    return true;
}

bool playProgram(const RobotLink &link, ScreenKind kind, QWidget *screen)
{
    if (portBusy(link, screen) || !portReady(link, screen))
        return false;
    WirePlayer *player = WirePlayer::of(link.port);
    // Usually out at once; it waits only for the pause of a byte just before it.
    auto *run = new WirePlayback(runPlan(kind), player);
    QObject::connect(run, &WirePlayback::finished, run, &QObject::deleteLater);
    QObject::connect(run, &WirePlayback::stopped, run, &QObject::deleteLater);
    if (!player->play(run)) {
        run->deleteLater();
        ui::showMessage(screen, MessageKind::Warning, unreachableText(link.port));
        return false;
    }
    QObject::connect(run, &WirePlayback::failed, run,
                     [run, screen = QPointer<QWidget>(screen), port = QPointer<RobotLine>(link.port)] {
        run->deleteLater();
        tellUnreachable(screen, port);
    });
    return true;
}

void finishSendingBeforeQuit(const RobotLink &link, QObject *context, std::function<void()> then)
{
    if (link.display) {
        if (auto *run = link.display->transferWidget()->findChild<TransferRun *>(QString(), Qt::FindDirectChildrenOnly))
            run->finishForQuit();
    }
    if (WirePlayer *player = WirePlayer::of(link.port)) {
        // Anything else on its way (the operation test, a remote-control byte) is short.
        if (WirePlayback *other = player->playback())
            other->stop();
        player->whenIdle(context, std::move(then));
        return;
    }
    then();
}

#include "transfer.moc"
