// SPDX-License-Identifier: GPL-3.0-or-later
#include "robot/transfer.h"

#include "app/ui/messagebox.h"
#include "robot/robotline.h"
#include "robot/wireplan.h"
#include "robot/wireplayer.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

using ui::MessageKind;

void tellLater(QWidget *screen, const QString &text)
{
    // After the player has returned from its handler: the box runs an event loop of its own.
    QTimer::singleShot(0, qApp, [screen = QPointer<QWidget>(screen), text] {
        ui::showMessage(screen, MessageKind::Warning, text);
    });
}

void tellUnreachable(QWidget *screen, const RobotLine *port)
{
    tellLater(screen, unreachableText(port));
}

}

// One transfer in progress: lives on the transfer window, so it cannot outlive it. Hiding the
// window (the pupil closing it) or the screen it came from (leaving it) stops the transfer at
// the end of the block on its way.
class TransferRun : public QObject
{
    Q_OBJECT
public:
    TransferRun(TransferDisplay *display, RobotLine *port, QWidget *screen, const WirePlan &plan)
        : QObject(display->transferWidget())
        , m_display(display)
        , m_window(display->transferWidget())
        , m_screen(screen)
        , m_port(port)
        , m_playback(new WirePlayback(plan, this))
    {
        connect(m_playback, &WirePlayback::progressChanged, this, &TransferRun::setProgress);
        connect(m_playback, &WirePlayback::finished, this, &TransferRun::done);
        connect(m_playback, &WirePlayback::stopped, this, &TransferRun::done);
        connect(m_playback, &WirePlayback::failed, this, &TransferRun::failed);
        m_window->installEventFilter(this);
        if (m_screen)
            m_screen->installEventFilter(this);
    }

    bool start()
    {
        setProgress(0);
        m_window->show();
        m_window->raise();
        return WirePlayer::of(m_port)->play(m_playback);
    }

    // Quitting: the block on its way is finished in front of the pupil.
    void finishForQuit()
    {
        if (!m_playback->isActive())
            return;
        if (m_window) {
            m_showingForQuit = true;
            m_window->show();
            m_window->raise();
        }
        m_playback->stop();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Hide && m_playback->isActive() && !m_showingForQuit) {
            const bool windowClosed = watched == m_window;
            // A minimised screen has not been left.
            const bool screenLeft = watched == m_screen && !event->spontaneous();
            if (screenLeft)
                m_cutByLeaving = stopLosesBytes();
            if (windowClosed || screenLeft)
                m_playback->stop();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    // Whether a stop now leaves the robot without part of the program: what still goes out
    // after a stop (the block's rest as 254) is not what was planned.
    bool stopLosesBytes() const
    {
        const WirePlan &plan = m_playback->plan();
        const int sent = m_playback->sentCount();
        const QList<WireByte> rest = restAfterStop(plan, sent);
        if (sent + rest.size() < plan.bytes.size())
            return true;
        for (qsizetype i = 0; i < rest.size(); ++i) {
            if (rest[i].value != plan.bytes[sent + i].value)
                return true;
        }
        return false;
    }

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

    void failed()
    {
        deleteLater();
        if (m_window)
            m_window->close();
        tellUnreachable(m_screen, m_port);
    }

    TransferDisplay *m_display;
    QPointer<QWidget> m_window;
    QPointer<QWidget> m_screen;
    RobotLine *m_port;
    WirePlayback *m_playback;
    bool m_showingForQuit = false;
    bool m_cutByLeaving = false;
};

namespace {

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

QString robotUnreachableText()
{
    return QString::fromUtf16(portMessage(PortCause::Other).box);
}

QString unreachableText(const RobotLine *port)
{
    if (!port || port->lastStatus().cause == PortCause::Usable)
        return robotUnreachableText();
    return portBoxText(port->lastStatus());
}

QString transferCutText()
{
    return u"プログラムを おくる とちゅうで 画面を かえたので、おくるのを とめました。\r\n"
           u"ロボットには プログラムが ぜんぶ とどいていません。もういちど おくってください。"_s;
}

bool sendProgram(const RobotLink &link, ScreenKind kind, const QString &programText, bool how,
                 QWidget *screen)
{
    // A second send during the pauses would mix its bytes into the first.
    if (portBusy(link, screen))
        return false;
    const WirePlan plan = wirePlanForText(programText, kind, how);
    if (!plan.ok) {
        ui::showMessage(screen, MessageKind::Warning, plan.messages.join(u"\r\n"_s));
        return false;
    }
    if (!link.display || !portReady(link, screen))
        return false;
    auto *run = new TransferRun(link.display, link.port, screen, plan);
    return run->start();
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
