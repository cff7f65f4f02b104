// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/quitsignals.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

#include <QSocketNotifier>

#include <array>
#include <cerrno>

#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr std::array<int, 3> QUIT_SIGNALS{SIGTERM, SIGHUP, SIGINT};
constexpr int QUIT_RETRY_MS = 100;

// The handler may only do async-signal-safe things: one write() into the pair.
int g_pipe[2] = {-1, -1};

void onQuitSignal(int number)
{
    const int saved = errno;
    const char byte = char(number);
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1);
    errno = saved;
}

void setHandler(void (*handler)(int))
{
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : QUIT_SIGNALS)
        ::sigaction(number, &action, nullptr);
}

}

QuitSignals::QuitSignals(QWidget *mainWindow, std::function<void()> quit)
    : m_quit(std::move(quit))
    , m_keepShown(mainWindow)
{
    if (g_pipe[0] >= 0)
        return; // one watcher per process
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_pipe) != 0) {
        g_pipe[0] = g_pipe[1] = -1;
        return;
    }
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &QuitSignals::signalArrived);
    // Before exec() a quit is lost; it is repeated until the event loop has taken it.
    m_keepQuitting.setInterval(QUIT_RETRY_MS);
    connect(&m_keepQuitting, &QTimer::timeout, qApp, &QCoreApplication::quit);
    connect(qApp, &QCoreApplication::aboutToQuit, &m_keepQuitting, &QTimer::stop);
    setHandler(&onQuitSignal);
}

QuitSignals::~QuitSignals()
{
    if (!m_notifier)
        return;
    setHandler(SIG_DFL);
    delete m_notifier;
    m_notifier = nullptr;
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

void QuitSignals::signalArrived()
{
    char buffer[16];
    while (::read(g_pipe[0], buffer, sizeof buffer) > 0) {
    }
    // A second signal while the first is being honoured changes nothing.
    if (m_quitting)
        return;
    m_quitting = true;
    // The windows are put away first, so that the quit's closing of every shown window meets
    // none: a screen closed that way would ask whether to save, and nobody is there to answer.
    // An open box ends with them.
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window != m_keepShown)
            window->hide();
    }
    // The main window's close ends the run itself, once the block on its way is out.
    if (m_quit) {
        m_quit();
        return;
    }
    QCoreApplication::quit();
    m_keepQuitting.start();
}
