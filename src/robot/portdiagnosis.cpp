// SPDX-License-Identifier: GPL-3.0-or-later
#include "robot/portdiagnosis.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QStringList>
#include <QSysInfo>

#include <cerrno>

#include <signal.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
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

// The program a process runs, named as the lock file's application is: the file name of
// /proc/<pid>/exe, as QLockFile (which the serial port library locks with) writes and compares
// it. Another user's process hides that link; its comm, the same name cut to 15 bytes, is open
// to all, so there only as much is compared. Empty when the process is gone.
struct ProcessName
{
    QString name;
    bool cut = false; // from comm
};

ProcessName processName(qint64 pid)
{
    char target[4096];
    const QByteArray link = "/proc/" + QByteArray::number(pid) + "/exe";
    const ssize_t length = ::readlink(link.constData(), target, sizeof target);
    if (length > 0 && size_t(length) < sizeof target) {
        QByteArray path(target, length);
        if (path.endsWith(" (deleted)"))
            path.chop(10);
        return {QFileInfo(QFile::decodeName(path)).fileName(), false};
    }
    QFile comm(u"/proc/%1/comm"_s.arg(pid));
    if (!comm.open(QIODevice::ReadOnly))
        return {};
    return {QString::fromLocal8Bit(comm.readAll()).trimmed(), true};
}

// Whether the lock's owner still runs: a live process with its number runs the lock's
// application. A number given to another program since (the owner crashed and the system
// reused it) is no owner, as QLockFile::tryLock also finds.
bool ownerRunning(qint64 pid, const QString &application, QString *name)
{
    if (!processAlive(pid))
        return false;
    const ProcessName running = processName(pid);
    if (running.name.isEmpty())
        return false;
    QFileInfo app(application);
    if (app.isSymLink())
        app.setFile(app.symLinkTarget());
    QByteArray expected = QFile::encodeName(app.fileName());
    if (running.cut)
        expected.truncate(15);
    if (QFile::encodeName(running.name) != expected)
        return false;
    *name = running.name;
    return true;
}

// Whether the device is a pseudo-terminal that some process has as its controlling terminal:
// a terminal window's shell, an ssh login. A virtual robot's line is nobody's (it opens both
// ends with O_NOCTTY), but a comN link that outlived its robot points at a /dev/pts number the
// next terminal window gets; the robot's bytes must never go into that shell.
bool someonesTerminal(const QString &device)
{
    constexpr unsigned PTY_SLAVE_FIRST_MAJOR = 136; // UNIX98_PTY_SLAVE_MAJOR
    constexpr unsigned PTY_SLAVE_LAST_MAJOR = 143;
    struct stat st {};
    if (::stat(QFile::encodeName(device).constData(), &st) != 0 || !S_ISCHR(st.st_mode))
        return false;
    const unsigned long long majorNumber = major(st.st_rdev);
    const unsigned long long minorNumber = minor(st.st_rdev);
    if (majorNumber < PTY_SLAVE_FIRST_MAJOR || majorNumber > PTY_SLAVE_LAST_MAJOR)
        return false;
    // tty_nr of /proc/<pid>/stat, in the kernel's encoding of a device number.
    const QByteArray ttyNumber =
        QByteArray::number((minorNumber & 0xff) | (majorNumber << 8) | ((minorNumber & ~0xffULL) << 12));
    const QStringList processes = QDir(u"/proc"_s).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &pid : processes) {
        if (!pid.front().isDigit())
            continue;
        QFile stat(u"/proc/"_s + pid + u"/stat"_s);
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        // After the name in parentheses (which may hold blanks): state ppid pgrp session tty_nr.
        const qsizetype nameEnd = line.lastIndexOf(')');
        if (nameEnd < 0)
            continue;
        const QList<QByteArray> fields = line.mid(nameEnd + 1).simplified().split(' ');
        if (fields.size() > 4 && fields.at(4) == ttyNumber)
            return true;
    }
    return false;
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
    // No robot is at the other end of someone's terminal.
    if (someonesTerminal(device)) {
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
        QString owner;
        if (known && pid == qint64(::getpid())) {
            // Our own: the port is open in this program.
        } else if (known && here && pid > 0 && !ownerRunning(pid, application, &owner)) {
            if (!mayRemoveFile(lockPath)) {
                status.cause = PortCause::StaleLock;
                status.lockFile = lockPath;
                return status;
            }
        } else {
            status.cause = PortCause::Held;
            status.lockFile = lockPath;
            status.holderPid = known ? pid : 0;
            // The program that runs under that number here (never another one), or the
            // lock's word for it.
            status.holderName = owner.isEmpty() ? application : owner;
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
