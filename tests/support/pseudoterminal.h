// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QByteArray>
#include <QElapsedTimer>
#include <QMutex>
#include <QString>
#include <QWaitCondition>

#include <atomic>
#include <thread>

// One byte that arrived at the master side of the pseudo-terminal, with the time it was read
// (milliseconds since open(), monotonic).
struct ReceivedByte
{
    quint8 value = 0;
    qint64 msecsSinceStart = 0;
};

// A pseudo-terminal pair standing in for the robot's serial line. The code under test opens
// slavePath() like a serial device; everything it writes is collected from the master side
// by a reader thread, unchanged (raw mode), each byte with a timestamp.
//
// The helper keeps its own descriptor of the slave open, so the master never sees a hang-up
// while the port under test is closed and re-opened.
//
// Note: purging the port's output (as Trs232c does on close) on a pseudo-terminal also drops
// bytes not yet read from the master; wait for the bytes before closing the port under test.
class PseudoTerminal
{
public:
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    bool open();
    void close();
    bool isOpen() const { return m_master >= 0; }

    // For example "/dev/pts/7".
    QString slavePath() const { return m_slavePath; }

    // Waits (handling Qt events meanwhile, if there is an application object) until at least
    // count bytes have arrived in total or timeoutMs has passed, and returns all bytes so far.
    QList<ReceivedByte> waitForBytes(int count, int timeoutMs);
    // Handles events for at least ms milliseconds, then returns all bytes so far.
    QList<ReceivedByte> collectFor(int ms);

    QList<ReceivedByte> received() const;
    QByteArray receivedBytes() const;
    static QByteArray valuesOf(const QList<ReceivedByte> &bytes);
    void clear();

    // Milliseconds since open(), on the clock of the timestamps.
    qint64 elapsed() const { return m_clock.elapsed(); }

    // While paused nothing is taken from the line, so a writer fills it and then blocks.
    void setReadingPaused(bool paused) { m_paused = paused; }

    // Bytes the "robot" sends back into the line (written to the master).
    bool sendFromRobot(const QByteArray &bytes);
    // Bytes waiting unread at the slave side (they were sent from the robot and nobody read them).
    int pendingAtSlave() const;
    // The helper's own descriptor of the slave (for reading the terminal's settings).
    int slaveDescriptor() const { return m_slave; }

    // Makes the symbolic link "com<n>" in folder (the working folder by default) point at the
    // slave device, replacing an existing link. Returns the link's path, or an empty text.
    QString linkAsCom(int n, const QString &folder = QString()) const;

private:
    void readLoop();

    int m_master = -1;
    int m_slave = -1;
    int m_wakePipe[2] = {-1, -1};
    QString m_slavePath;
    QElapsedTimer m_clock;
    std::thread m_reader;
    std::atomic<bool> m_paused = false;
    mutable QMutex m_mutex;
    QWaitCondition m_arrived;
    QList<ReceivedByte> m_bytes;
};
