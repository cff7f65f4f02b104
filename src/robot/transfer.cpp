#include "robot/transfer.h"

#include "app/ui/messagebox.h"
#include "robot/trs232c.h"
#include "robot/wireplan.h"
#include "robot/wireplayer.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

using ui::MessageKind;

void tellUnreachable(QWidget *screen)
{
    // After the player has returned from its handler: the box runs an event loop of its own.
    QTimer::singleShot(0, qApp, [screen = QPointer<QWidget>(screen)] {
        ui::showMessage(screen, MessageKind::Warning, robotUnreachableText());
    });
}

}

// One transfer in progress: lives on the transfer window, so it cannot outlive it. Hiding the
// window (the pupil closing it) or the screen it came from (leaving it) stops the transfer at
// the end of the block on its way.
class TransferRun : public QObject
{
    Q_OBJECT
public:
    TransferRun(TransferDisplay *display, Trs232c *port, QWidget *screen, const WirePlan &plan)
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
            if (windowClosed || screenLeft)
                m_playback->stop();
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
    }

    void failed()
    {
        deleteLater();
        if (m_window)
            m_window->close();
        tellUnreachable(m_screen);
    }

    TransferDisplay *m_display;
    QPointer<QWidget> m_window;
    QPointer<QWidget> m_screen;
    Trs232c *m_port;
    WirePlayback *m_playback;
    bool m_showingForQuit = false;
};

namespace {

bool portBusy(const RobotLink &link, QWidget *screen)
{
    if (!link.port || !link.port->lineClaimed())
        return false;
    ui::showMessage(screen, MessageKind::Information, Trs232c::lineBusyText());
    return true;
}

bool portOpen(const RobotLink &link, QWidget *screen)
{
    if (link.port && link.port->isOpen())
        return true;
    ui::showMessage(screen, MessageKind::Warning, robotUnreachableText());
    return false;
}

}

QString robotUnreachableText()
{
    return u"ロボットにつながりませんでした。\r\nケーブルと、設定のCOMポートをたしかめてください。"_s;
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
    if (!portOpen(link, screen) || !link.display)
        return false;
    auto *run = new TransferRun(link.display, link.port, screen, plan);
    return run->start();
}

bool playProgram(const RobotLink &link, ScreenKind kind, QWidget *screen)
{
    if (portBusy(link, screen) || !portOpen(link, screen))
        return false;
    WirePlayer *player = WirePlayer::of(link.port);
    // Usually out at once; it waits only for the pause of a byte just before it.
    auto *run = new WirePlayback(runPlan(kind), player);
    QObject::connect(run, &WirePlayback::finished, run, &QObject::deleteLater);
    QObject::connect(run, &WirePlayback::stopped, run, &QObject::deleteLater);
    if (!player->play(run)) {
        run->deleteLater();
        ui::showMessage(screen, MessageKind::Warning, robotUnreachableText());
        return false;
    }
    QObject::connect(run, &WirePlayback::failed, run, [run, screen = QPointer<QWidget>(screen)] {
        run->deleteLater();
        tellUnreachable(screen);
    });
    return true;
}

void finishSendingBeforeQuit(const RobotLink &link)
{
    if (link.display) {
        if (auto *run = link.display->transferWidget()->findChild<TransferRun *>(QString(), Qt::FindDirectChildrenOnly))
            run->finishForQuit();
    }
    if (WirePlayer *player = WirePlayer::of(link.port)) {
        // Anything else on its way (the operation test, a remote-control byte) is short.
        if (WirePlayback *other = player->playback())
            other->stop();
        player->waitUntilIdle();
    }
}

#include "transfer.moc"
