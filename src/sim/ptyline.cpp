// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/ptyline.h"

#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace sim {

namespace {

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

}

PtyLine::PtyLine(QObject *parent)
    : QObject(parent)
{
}

PtyLine::~PtyLine()
{
    delete m_notifier;
    if (m_device >= 0)
        ::close(m_device);
    if (m_master >= 0)
        ::close(m_master);
}

bool PtyLine::open(QString *error)
{
    if (isOpen())
        return true;
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) {
        setError(error, u"疑似端末を作れません: "_s + systemError());
        if (master >= 0)
            ::close(master);
        return false;
    }
    char name[128] = {};
    if (::ptsname_r(master, name, sizeof name) != 0) {
        setError(error, u"疑似端末の名前がわかりません: "_s + systemError());
        ::close(master);
        return false;
    }
    const int device = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (device < 0) {
        setError(error, u"疑似端末を開けません: "_s + systemError());
        ::close(master);
        return false;
    }
    // Raw, so no byte is translated, echoed or taken as a control character.
    termios tio{};
    if (::tcgetattr(device, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(device, TCSANOW, &tio);
    }
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    m_master = master;
    m_device = device;
    m_devicePath = QString::fromLocal8Bit(name);
    m_notifier = new QSocketNotifier(m_master, QSocketNotifier::Read);
    connect(m_notifier, &QSocketNotifier::activated, this, &PtyLine::readAvailable);
    return true;
}

void PtyLine::readAvailable()
{
    QByteArray got;
    char buffer[512];
    for (;;) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n > 0) {
            got.append(buffer, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        break;
    }
    if (!got.isEmpty())
        emit bytesArrived(got);
}

QString comLinkPath(int n, const QString &folder)
{
    QString dir = folder;
    if (!dir.endsWith(u'/'))
        dir += u'/';
    return dir + u"com%1"_s.arg(n);
}

ComLinkState comLinkState(const QString &linkPath, const QString &devicePath)
{
    const QFileInfo info(linkPath);
    if (!info.exists() && !info.isSymLink())
        return ComLinkState::Free;
    if (info.isSymLink() && info.symLinkTarget() == devicePath)
        return ComLinkState::Ours;
    return ComLinkState::Foreign;
}

bool makeComLink(const QString &linkPath, const QString &devicePath, bool replaceForeign, QString *error)
{
    switch (comLinkState(linkPath, devicePath)) {
    case ComLinkState::Ours:
        return true;
    case ComLinkState::Foreign: {
        const QFileInfo info(linkPath);
        if (!replaceForeign || (info.isDir() && !info.isSymLink())) {
            setError(error, u"%1 はほかのものが使っています"_s.arg(linkPath));
            return false;
        }
        if (!QFile::remove(linkPath)) {
            setError(error, u"%1 を消せません"_s.arg(linkPath));
            return false;
        }
        break;
    }
    case ComLinkState::Free:
        break;
    }
    if (!QFile::link(devicePath, linkPath)) {
        setError(error, u"%1 を作れません"_s.arg(linkPath));
        return false;
    }
    return true;
}

void removeComLinkIfOurs(const QString &linkPath, const QString &devicePath)
{
    if (comLinkState(linkPath, devicePath) == ComLinkState::Ours)
        QFile::remove(linkPath);
}

}
