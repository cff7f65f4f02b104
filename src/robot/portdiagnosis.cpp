// SPDX-License-Identifier: GPL-3.0-or-later
#include "robot/portdiagnosis.h"

#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QStringList>
#include <QSysInfo>

#include <cerrno>

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

int systemAccess(const QByteArray &path)
{
    return ::access(path.constData(), R_OK | W_OK) == 0 ? 0 : errno;
}

AccessProbe g_accessProbe = &systemAccess;

bool processAlive(qint64 pid)
{
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

QString processName(qint64 pid)
{
    QFile comm(u"/proc/%1/comm"_s.arg(pid));
    if (!comm.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLocal8Bit(comm.readAll()).trimmed();
}

}

void setAccessProbe(AccessProbe probe)
{
    g_accessProbe = probe ? probe : &systemAccess;
}

QString serialLockFilePath(const QString &device)
{
    // The folders and their order are those the serial port library looks in.
    static const QStringList folders{
        u"/var/lock"_s, u"/etc/locks"_s, u"/var/spool/locks"_s, u"/var/spool/uucp"_s,
        u"/tmp"_s, u"/var/tmp"_s, u"/var/lock/lockdev"_s, u"/run/lock"_s,
        QStandardPaths::writableLocation(QStandardPaths::TempLocation)};
    QString name = device;
    if (name.startsWith(u"/dev/"))
        name = name.mid(5);
    name.replace(u'/', u'_');
    for (const QString &folder : folders) {
        const QString path = folder + u"/LCK.."_s + name;
        const QFileInfo info(folder);
        if (info.isReadable() && (QFile::exists(path) || info.isWritable()))
            return path;
    }
    return {};
}

bool mayRemoveFile(const QString &path)
{
    const QByteArray file = QFile::encodeName(path);
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    struct stat folderStat {};
    struct stat fileStat {};
    if (::stat(folder.constData(), &folderStat) != 0 || ::lstat(file.constData(), &fileStat) != 0)
        return false;
    if (::access(folder.constData(), W_OK | X_OK) != 0)
        return false;
    const uid_t me = ::geteuid();
    // In a sticky folder (/run/lock, /tmp) only the file's owner may remove it.
    return !(folderStat.st_mode & S_ISVTX) || me == 0 || fileStat.st_uid == me
        || folderStat.st_uid == me;
}

PortStatus diagnosePort(const QString &device)
{
    PortStatus status;
    status.device = device;
    if (device.isEmpty() || !QFileInfo::exists(device)) {
        status.cause = PortCause::NotFound;
        return status;
    }
    const QString lockPath = serialLockFilePath(device);
    if (!lockPath.isEmpty() && QFileInfo::exists(lockPath)) {
        qint64 pid = 0;
        QString host;
        QString application;
        QLockFile lock(lockPath);
        const bool known = lock.getLockInfo(&pid, &host, &application);
        const bool here = host.isEmpty() || host == QSysInfo::machineHostName();
        if (known && pid == qint64(::getpid())) {
            // Our own: the port is open in this program.
        } else if (known && here && pid > 0 && !processAlive(pid)) {
            if (!mayRemoveFile(lockPath)) {
                status.cause = PortCause::StaleLock;
                status.lockFile = lockPath;
                return status;
            }
        } else {
            status.cause = PortCause::Held;
            status.lockFile = lockPath;
            status.holderPid = known ? pid : 0;
            if (known && here)
                status.holderName = processName(pid);
            if (status.holderName.isEmpty())
                status.holderName = application;
            return status;
        }
    }
    const int error = g_accessProbe(QFile::encodeName(device));
    if (error == EACCES || error == EPERM || error == EROFS) {
        status.cause = PortCause::NoRight;
        return status;
    }
    if (error == ENOENT || error == ENODEV || error == ENXIO) {
        status.cause = PortCause::NotFound;
        return status;
    }
    return status;
}
