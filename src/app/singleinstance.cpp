// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/singleinstance.h"

#include <QtNetwork/QLocalServer>
#include <QtNetwork/QLocalSocket>

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

constexpr QByteArrayView FRONT_REQUEST = "front\n";
constexpr int RETRY_MS = 100;
constexpr int UNREADABLE_LOCK_AGE_S = 10;

}

SingleInstance::SingleInstance(const QString &workFolder, QObject *parent)
    : QObject(parent)
    , m_workFolder(workFolder)
    , m_lock(workFolder + QString::fromUtf16(LOCK_NAME))
{
    // Only a dead owner makes the lock stale, never its age: a lesson may last all day.
    m_lock.setStaleLockTime(0);
    m_retry.setInterval(RETRY_MS);
    m_retry.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, &SingleInstance::tryAsking);
    m_giveUp.setInterval(ASK_TIMEOUT_MS);
    m_giveUp.setSingleShot(true);
    connect(&m_giveUp, &QTimer::timeout, this, [this] { finishAsking(false); });
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::serverName(const QString &workFolder)
{
    // A socket path must stay short, and the folder may be long and Japanese: its hash names it.
    const QByteArray folder = QDir::cleanPath(QDir(workFolder).absolutePath()).toUtf8();
    return u"rk25-"_s + QString::fromLatin1(QCryptographicHash::hash(folder, QCryptographicHash::Sha256).toHex().left(24));
}

bool SingleInstance::takeOverUnreadableLock()
{
    // A lock cut off while it was written names no owner, and QLockFile never calls it stale;
    // one that old cannot belong to a run still starting.
    qint64 pid = 0;
    QString host;
    QString app;
    if (m_lock.error() != QLockFile::LockFailedError || m_lock.getLockInfo(&pid, &host, &app))
        return false;
    const QFileInfo lock(m_workFolder + QString::fromUtf16(LOCK_NAME));
    if (lock.lastModified().secsTo(QDateTime::currentDateTime()) < UNREADABLE_LOCK_AGE_S)
        return false;
    return m_lock.removeStaleLockFile() && m_lock.tryLock(0);
}

bool SingleInstance::claim()
{
    if (!m_lock.tryLock(0) && !takeOverUnreadableLock())
        return false;
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    const QString name = serverName(m_workFolder);
    // We hold the lock, so a socket of that name was left by a run that crashed.
    QLocalServer::removeServer(name);
    // Without the socket this run still holds the folder; a later start then only waits and ends.
    m_server->listen(name);
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *peer = m_server->nextPendingConnection()) {
            connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
            connect(peer, &QLocalSocket::readyRead, this, [this, peer] {
                if (!peer->canReadLine())
                    return;
                if (peer->readLine() == FRONT_REQUEST.toByteArray())
                    emit frontRequested();
                peer->disconnectFromServer();
            });
        }
    });
    return true;
}

void SingleInstance::askRunningToFront(std::function<void(bool)> done)
{
    m_done = std::move(done);
    m_giveUp.start();
    tryAsking();
}

void SingleInstance::tryAsking()
{
    if (m_asking)
        m_asking->deleteLater();
    m_asking = new QLocalSocket(this);
    QLocalSocket *socket = m_asking;
    connect(socket, &QLocalSocket::connected, this, [socket] { socket->write(FRONT_REQUEST.toByteArray()); });
    // The running one hangs up once it has read the request.
    connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
        if (socket == m_asking)
            finishAsking(true);
    });
    connect(socket, &QLocalSocket::errorOccurred, this, [this, socket](QLocalSocket::LocalSocketError error) {
        if (socket != m_asking || error == QLocalSocket::PeerClosedError)
            return;
        // Not listening yet (it is starting too): try again until the timeout.
        if (m_giveUp.isActive())
            m_retry.start();
    });
    socket->connectToServer(serverName(m_workFolder));
}

void SingleInstance::finishAsking(bool answered)
{
    m_retry.stop();
    m_giveUp.stop();
    if (m_done)
        std::exchange(m_done, {})(answered);
}
