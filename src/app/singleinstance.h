// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLockFile>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

class QLocalServer;
class QLocalSocket;

// One program per account: two runs would share the working folder (each would let go of the
// other's recovery copies and temporaries). The first run holds a lock file in the working
// folder and listens on a local socket named after the folder; a later start finds the lock,
// asks the first run to come to the front and ends. A lock left by a crashed run is taken over
// (QLockFile checks that its owner still runs under the program's name).
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    inline static constexpr char16_t LOCK_NAME[] = u".rk25.lock";
    // How long a later start keeps trying to reach the first run (it may be starting itself).
    inline static constexpr int ASK_TIMEOUT_MS = 5000;

    // workFolder ends with a separator.
    explicit SingleInstance(const QString &workFolder, QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when this run is the only one (it now holds the folder and answers later starts).
    bool claim();
    // A later start: asks the running one to come to the front, then calls done with true, or
    // with false when it did not answer within ASK_TIMEOUT_MS.
    void askRunningToFront(std::function<void(bool)> done);

    // The local socket's name for a working folder (one per folder, so per account).
    static QString serverName(const QString &workFolder);

signals:
    // A later start asked this run to show itself.
    void frontRequested();

private:
    bool takeOverUnreadableLock();
    void tryAsking();
    void finishAsking(bool answered);

    QString m_workFolder;
    QLockFile m_lock;
    QLocalServer *m_server = nullptr;
    QLocalSocket *m_asking = nullptr;
    QTimer m_retry;
    QTimer m_giveUp;
    std::function<void(bool)> m_done;
};
