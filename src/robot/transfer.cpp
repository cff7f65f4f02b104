#include "robot/transfer.h"

#include "app/ui/messagebox.h"
#include "robot/transferplayer.h"
#include "robot/trs232c.h"
#include "robot/wireplan.h"


#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>

namespace {

using ui::MessageKind;

// One transfer in progress: lives on the transfer window, so it cannot outlive it. Hiding the
// window (the pupil closing it, or leaving) drops the rest of the transfer.
class TransferRun : public QObject
{
public:
    TransferRun(TransferDisplay *display, Trs232c *port, QWidget *screen)
        : QObject(display->transferWidget())
        , m_display(display)
        , m_window(display->transferWidget())
        , m_screen(screen)
        , m_player(new TransferPlayer(port, this))
    {
        connect(m_player, &TransferPlayer::progressChanged, this, &TransferRun::setProgress);
        connect(m_player, &TransferPlayer::finished, this, &TransferRun::done);
        connect(m_player, &TransferPlayer::failed, this, &TransferRun::failed);
        m_window->installEventFilter(this);
    }

    bool start(const WirePlan &plan)
    {
        setProgress(0);
        m_window->show();
        m_window->raise();
        return m_player->start(plan);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && event->type() == QEvent::Hide && m_player->isPlaying()) {
            m_player->stop();
            deleteLater();
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
        // After the player has returned from its handler: the box runs an event loop of its own.
        QTimer::singleShot(0, qApp, [screen = m_screen] {
            ui::showMessage(screen, MessageKind::Warning, robotUnreachableText());
        });
    }

    TransferDisplay *m_display;
    QPointer<QWidget> m_window;
    QPointer<QWidget> m_screen;
    TransferPlayer *m_player;
};

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
    return QStringLiteral("ロボットにつながりませんでした。\r\nケーブルと、設定のCOMポートをたしかめてください。");
}

bool sendProgram(const RobotLink &link, ScreenKind kind, const QString &programText, bool how,
                 QWidget *screen)
{
    // A second send during the pauses would mix its bytes into the first.
    if (portBusy(link, screen))
        return false;
    const WirePlan plan = wirePlanForText(programText, kind, how);
    if (!plan.ok) {
        ui::showMessage(screen, MessageKind::Warning, plan.messages.join(QStringLiteral("\r\n")));
        return false;
    }
    if (!portOpen(link, screen) || !link.display)
        return false;
    auto *run = new TransferRun(link.display, link.port, screen);
    return run->start(plan);
}

bool playProgram(const RobotLink &link, ScreenKind kind, QWidget *screen)
{
    if (portBusy(link, screen) || !portOpen(link, screen))
        return false;
    if (link.port->WriteByte(startCommand(kind)))
        return true;
    ui::showMessage(screen, MessageKind::Warning, robotUnreachableText());
    return false;
}
