// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/workfolder.h"
#include "robot/portdiagnosis.h"
#include "robot/portmessages.h"
#include "robot/serialportnames.h"
#include "robot/trs232c.h"
#include "support/pseudoterminal.h"

#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QtTest>

#include <cerrno>
#include <csignal>
#include <functional>

#include <fcntl.h>
#include <grp.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(PortCause)

namespace {

constexpr uid_t NOBODY = 65534;

int refuseEverything(const QByteArray &)
{
    return EACCES;
}

// A lock in the serial port library's format: pid, program, host.
bool writeLock(const QString &path, qint64 pid, const QString &program)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    file.write(QByteArray::number(pid) + '\n' + program.toUtf8() + '\n'
               + QSysInfo::machineHostName().toUtf8() + '\n');
    return true;
}

qint64 endedProcess()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

// Runs check in a child process that has dropped to an unprivileged user; its result is the
// child's exit code (0 = passed).
int asNobody(const std::function<int()> &check)
{
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(NOBODY) != 0 || ::setuid(NOBODY) != 0)
            ::_exit(90);
        ::_exit(check());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 99;
}

}

// Each reason a port cannot be used is told apart, with its own mark and its own mending.
class TestPortCauses : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void causeIsToldApart_data();
    void causeIsToldApart();
    void unprivilegedUserIsToldTheFix();
    void staleLockOfAnotherUserNeedsARestart();
    void goneDeviceIsTold();
    void replacedDeviceIsOpenedSilently();
    void linkToSomeonesTerminalIsRefused();

private:
    std::unique_ptr<PseudoTerminal> m_pty;
    QString m_lock;
    pid_t m_holder = 0;
};

void TestPortCauses::init()
{
    m_pty = std::make_unique<PseudoTerminal>();
    QVERIFY(m_pty->open());
    m_lock = serialLockFilePath(m_pty->slavePath());
    QVERIFY(!m_lock.isEmpty());
}

void TestPortCauses::cleanup()
{
    setAccessProbe(nullptr);
    if (m_holder > 0) {
        ::kill(m_holder, SIGKILL);
        ::waitpid(m_holder, nullptr, 0);
        m_holder = 0;
    }
    QFile::remove(m_lock);
    QFile::remove(WorkFolderPath() + u"com1"_s);
    m_pty.reset();
}

void TestPortCauses::causeIsToldApart_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<PortCause>("cause");
    QTest::addColumn<QString>("mark");
    QTest::addColumn<bool>("opens");

    QTest::newRow("free") << u"free"_s << PortCause::Usable << u"つかえます"_s << true;
    QTest::newRow("no device") << u"missing"_s << PortCause::NotFound << u"みつかりません"_s << false;
    QTest::newRow("no right") << u"no right"_s << PortCause::NoRight << u"けんげんがありません"_s << false;
    QTest::newRow("held by a running program") << u"held"_s << PortCause::Held << u"ほかで つかわれています"_s << false;
    // A lock we may remove is no obstacle: opening clears it.
    QTest::newRow("stale lock we may remove") << u"stale"_s << PortCause::Usable << u"つかえます"_s << true;
    // The owner crashed and its number went to another program: the lock is as stale (and the
    // unrelated program is never named).
    QTest::newRow("lock of a number reused by another program") << u"reused"_s << PortCause::Usable << u"つかえます"_s
                                                                << true;
}

void TestPortCauses::causeIsToldApart()
{
    QFETCH(QString, setup);
    QFETCH(PortCause, cause);
    QFETCH(QString, mark);
    QFETCH(bool, opens);

    QString device = m_pty->slavePath();
    if (setup == u"missing")
        device = u"/dev/rk25-no-such-port"_s;
    else if (setup == u"no right")
        setAccessProbe(&refuseEverything);
    else if (setup == u"held") {
        m_holder = ::fork();
        if (m_holder == 0) {
            ::pause();
            ::_exit(0);
        }
        // The lock names the program the holder runs, as the serial port library writes it.
        QVERIFY(writeLock(m_lock, m_holder, QFileInfo(QCoreApplication::applicationFilePath()).fileName()));
    } else if (setup == u"reused") {
        m_holder = ::fork();
        if (m_holder == 0) {
            ::execlp("sleep", "sleep", "60", static_cast<char *>(nullptr));
            ::_exit(1);
        }
        QTRY_COMPARE(QFileInfo(u"/proc/%1/exe"_s.arg(m_holder)).symLinkTarget().section(u'/', -1), u"sleep"_s);
        QVERIFY(writeLock(m_lock, m_holder, u"rk25"_s));
    } else if (setup == u"stale") {
        QVERIFY(writeLock(m_lock, endedProcess(), u"rk25"_s));
    }

    const PortStatus seen = diagnosePort(device);
    QCOMPARE(seen.cause, cause);
    QCOMPARE(QString::fromUtf16(portMessage(seen.cause).mark), mark);
    QVERIFY2(!portBoxText(seen).contains(u"sleep"_s), qPrintable(portBoxText(seen)));

    Trs232c port;
    port.setPortname(device);
    QCOMPARE(port.Open(), opens);
    QCOMPARE(port.lastStatus().cause, cause);
    if (opens) {
        port.WriteByte(254);
        QCOMPARE(PseudoTerminal::valuesOf(m_pty->waitForBytes(1, 2000)), QByteArray(1, char(254)));
        return;
    }
    const QString box = portBoxText(port.lastStatus());
    QVERIFY2(box.contains(device), qPrintable(box));
    if (cause == PortCause::NoRight)
        QVERIFY2(box.contains(u"\r\nsudo usermod -aG dialout "_s + loginName() + u"\r\n"_s), qPrintable(box));
    if (cause == PortCause::Held)
        QVERIFY2(box.contains(QString::number(m_holder)), qPrintable(box));
    // Every cause is worded differently from the catch-all box.
    QVERIFY(box != portBoxText({PortCause::Other, device, 0, {}, {}}));
}

void TestPortCauses::unprivilegedUserIsToldTheFix()
{
    if (::geteuid() != 0)
        QSKIP("needs root to drop to another user");
    // A fresh pseudo-terminal belongs to root and the tty group, like a port to dialout.
    int master = -1;
    int slave = -1;
    char name[128] = {};
    QVERIFY(::openpty(&master, &slave, name, nullptr, nullptr) == 0);
    const QString device = QString::fromLocal8Bit(name);
    const int result = asNobody([device] {
        Trs232c port;
        port.setPortname(device);
        if (port.Open())
            return 1;
        if (port.lastStatus().cause != PortCause::NoRight)
            return 2;
        return portBoxText(port.lastStatus()).contains(u"dialout"_s) ? 0 : 3;
    });
    ::close(master);
    ::close(slave);
    QCOMPARE(result, 0);
}

void TestPortCauses::staleLockOfAnotherUserNeedsARestart()
{
    if (::geteuid() != 0)
        QSKIP("needs root to leave a lock another user cannot remove");
    QVERIFY(writeLock(m_lock, endedProcess(), u"rk25"_s));
    const QString device = m_pty->slavePath();
    const QString lock = m_lock;
    const int result = asNobody([device, lock] {
        const PortStatus status = diagnosePort(device);
        if (status.cause != PortCause::StaleLock)
            return 1;
        const QString box = portBoxText(status);
        return box.contains(lock) && box.contains(u"さいきどう"_s) ? 0 : 2;
    });
    QCOMPARE(result, 0);
}

void TestPortCauses::goneDeviceIsTold()
{
    Trs232c port;
    port.setPortname(m_pty->slavePath());
    QVERIFY(port.Open());
    QVERIFY(port.isSound());
    m_pty->close();
    QVERIFY(!port.isSound());
    QCOMPARE(port.currentStatus().cause, PortCause::Gone);
    QVERIFY(!port.WriteByte(5));
    QCOMPARE(port.lastStatus().cause, PortCause::Gone);
    // Nothing behind the name any more: opening again cannot help, and says so.
    QVERIFY(!port.makeReady());
    QCOMPARE(port.lastStatus().cause, PortCause::NotFound);
}

void TestPortCauses::replacedDeviceIsOpenedSilently()
{
    QVERIFY(!m_pty->linkAsCom(1).isEmpty());
    Trs232c port;
    port.setPortname(u"com1"_s);
    QVERIFY(port.Open());
    QSignalSpy opened(&port, &Trs232c::OnOpen);
    QVERIFY(port.makeReady());
    QCOMPARE(opened.count(), 0); // sound: left as it is

    auto replacement = std::make_unique<PseudoTerminal>();
    QVERIFY(replacement->open());
    QVERIFY(!replacement->linkAsCom(1).isEmpty());
    QVERIFY(!port.isSound());
    QVERIFY(port.makeReady());
    QCOMPARE(opened.count(), 1);
    QCOMPARE(port.devicePath(), replacement->slavePath());
    QVERIFY(port.WriteByte(7));
    QCOMPARE(PseudoTerminal::valuesOf(replacement->waitForBytes(1, 2000)), QByteArray(1, char(7)));
    QCOMPARE(m_pty->receivedBytes(), QByteArray());
}

// A virtual robot that ended without removing its comN link leaves it pointing at a /dev/pts
// number that the next terminal window gets: the robot's bytes must not go into that shell.
void TestPortCauses::linkToSomeonesTerminalIsRefused()
{
    QVERIFY(!m_pty->linkAsCom(1).isEmpty());
    QCOMPARE(comPortStatus(0).cause, PortCause::Usable);

    // A shell's session takes the pseudo-terminal as its controlling terminal.
    const QByteArray slave = QFile::encodeName(m_pty->slavePath());
    int ready[2];
    QCOMPARE(::pipe(ready), 0);
    m_holder = ::fork();
    if (m_holder == 0) {
        ::close(ready[0]);
        if (::setsid() < 0 || ::open(slave.constData(), O_RDWR) < 0)
            ::_exit(1);
        const char c = 1;
        [[maybe_unused]] const ssize_t n = ::write(ready[1], &c, 1);
        ::pause();
        ::_exit(0);
    }
    ::close(ready[1]);
    char c = 0;
    QCOMPARE(::read(ready[0], &c, 1), ssize_t(1));
    ::close(ready[0]);

    QCOMPARE(comPortStatus(0).cause, PortCause::NotFound);
    Trs232c port;
    port.setPortname(u"com1"_s);
    QVERIFY(!port.Open());
    QCOMPARE(port.lastStatus().cause, PortCause::NotFound);
    QCOMPARE(m_pty->collectFor(100).size(), 0);
}

QTEST_GUILESS_MAIN(TestPortCauses)
#include "tst_portcauses.moc"
