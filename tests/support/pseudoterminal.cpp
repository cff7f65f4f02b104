// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/pseudoterminal.h"

#include "common/workfolder.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QMutexLocker>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

PseudoTerminal::PseudoTerminal() = default;

PseudoTerminal::~PseudoTerminal()
{
    close();
}

bool PseudoTerminal::open()
{
    if (isOpen())
        return false;
    char name[256] = {};
    int master = -1;
    int slave = -1;
    if (::openpty(&master, &slave, name, nullptr, nullptr) != 0)
        return false;
    // Raw on the slave side: no echo, no line editing, no newline translation, so every byte
    // arrives at the master exactly as written.
    termios tio {};
    if (::tcgetattr(slave, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(slave, TCSANOW, &tio);
    }
    if (::pipe(m_wakePipe) != 0) {
        ::close(master);
        ::close(slave);
        return false;
    }
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    ::fcntl(slave, F_SETFL, ::fcntl(slave, F_GETFL) | O_NONBLOCK);
    m_master = master;
    m_slave = slave;
    m_slavePath = QString::fromLocal8Bit(name);
    {
        QMutexLocker lock(&m_mutex);
        m_bytes.clear();
    }
    m_clock.start();
    m_reader = std::thread([this] { readLoop(); });
    return true;
}

void PseudoTerminal::close()
{
    if (!isOpen())
        return;
    const char stop = 'x';
    [[maybe_unused]] const auto n = ::write(m_wakePipe[1], &stop, 1);
    if (m_reader.joinable())
        m_reader.join();
    ::close(m_wakePipe[0]);
    ::close(m_wakePipe[1]);
    m_wakePipe[0] = m_wakePipe[1] = -1;
    ::close(m_master);
    ::close(m_slave);
    m_master = m_slave = -1;
}

void PseudoTerminal::readLoop()
{
    for (;;) {
        const bool paused = m_paused;
        pollfd fds[2] = {{m_wakePipe[0], POLLIN, 0}, {m_master, POLLIN, 0}};
        const int ready = ::poll(fds, paused ? 1 : 2, paused ? 5 : -1);
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[0].revents)
            return;
        if (paused)
            continue;
        if (!(fds[1].revents & POLLIN)) {
            // A hang-up cannot last (the slave stays open here); avoid spinning meanwhile.
            ::usleep(1000);
            continue;
        }
        unsigned char buffer[512];
        const ssize_t got = ::read(m_master, buffer, sizeof buffer);
        if (got <= 0)
            continue;
        const qint64 now = m_clock.elapsed();
        QMutexLocker lock(&m_mutex);
        for (ssize_t i = 0; i < got; ++i)
            m_bytes.append(ReceivedByte {buffer[i], now});
        m_arrived.wakeAll();
    }
}

QList<ReceivedByte> PseudoTerminal::waitForBytes(int count, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs, Qt::PreciseTimer);
    for (;;) {
        if (QCoreApplication::instance())
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        QMutexLocker lock(&m_mutex);
        if (m_bytes.size() >= count || deadline.hasExpired())
            return m_bytes;
        // Short slices, so that Qt events (timers of the code under test) keep running.
        m_arrived.wait(&m_mutex, QDeadlineTimer(qMin<qint64>(5, deadline.remainingTime())));
    }
}

QList<ReceivedByte> PseudoTerminal::collectFor(int ms)
{
    return waitForBytes(INT_MAX, ms);
}

QList<ReceivedByte> PseudoTerminal::received() const
{
    QMutexLocker lock(&m_mutex);
    return m_bytes;
}

QByteArray PseudoTerminal::receivedBytes() const
{
    return valuesOf(received());
}

QByteArray PseudoTerminal::valuesOf(const QList<ReceivedByte> &bytes)
{
    QByteArray values;
    values.reserve(bytes.size());
    for (const ReceivedByte &b : bytes)
        values.append(char(b.value));
    return values;
}

void PseudoTerminal::clear()
{
    QMutexLocker lock(&m_mutex);
    m_bytes.clear();
}

bool PseudoTerminal::sendFromRobot(const QByteArray &bytes)
{
    if (!isOpen())
        return false;
    return ::write(m_master, bytes.constData(), size_t(bytes.size())) == bytes.size();
}

int PseudoTerminal::pendingAtSlave() const
{
    int waiting = 0;
    if (!isOpen() || ::ioctl(m_slave, FIONREAD, &waiting) != 0)
        return -1;
    return waiting;
}

QString PseudoTerminal::linkAsCom(int n, const QString &folder) const
{
    if (!isOpen())
        return {};
    QString dir = folder.isEmpty() ? WorkFolderPath() : folder;
    if (!dir.endsWith(u'/'))
        dir += u'/';
    const QString link = dir + QStringLiteral("com%1").arg(n);
    QFile::remove(link);
    if (!QFile::link(m_slavePath, link))
        return {};
    return link;
}
