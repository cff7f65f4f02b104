// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mainmenu.h"
#include "app/singleinstance.h"
#include "app/ui/picturebutton.h"
#include "common/workfolder.h"
#include "support/findwindow.h"
#include "support/pseudoterminal.h"
#include "support/testenv.h"

#include <QtWidgets/QApplication>

#include <QDir>
#include <QLockFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>

using namespace Qt::StringLiterals;

// One program per account: a later start of rk25 finds the running one through the lock in the
// working folder, asks it to come to the front and ends; a lock whose owner is gone is taken over.
namespace {

constexpr int START_WAIT_MS = 20000;

// An account of its own, with a pseudo-terminal as COM1 so that the start-up is quiet.
struct Account
{
    QTemporaryDir home;
    PseudoTerminal pty;
    QString workFolder;

    bool prepare()
    {
        workFolder = workFolderPathFor(home.filePath(u"Documents"_s));
        return home.isValid() && QDir().mkpath(workFolder) && pty.open() && !pty.linkAsCom(1, workFolder).isEmpty();
    }
    QString lockPath() const { return workFolder + QString::fromUtf16(SingleInstance::LOCK_NAME); }
    void start(QProcess &program, const QString &binary = testenv::binDir() + u"/rk25"_s,
               const QStringList &args = {})
    {
        program.setProcessEnvironment(testenv::accountEnvironment(home.path()));
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        program.start(binary, args);
    }
};

qint64 lockOwner(const QString &path)
{
    qint64 pid = 0;
    QString host;
    QString app;
    return QLockFile(path).getLockInfo(&pid, &host, &app) ? pid : 0;
}

// The program holds the folder and answers a later start (so its event loop runs).
void waitUntilAnswering(const Account &account, const QProcess &program)
{
    QTRY_COMPARE_WITH_TIMEOUT(lockOwner(account.lockPath()), program.processId(), START_WAIT_MS);
    SingleInstance later(account.workFolder);
    QVERIFY(!later.claim());
    std::optional<bool> answered;
    later.askRunningToFront([&](bool a) { answered = a; });
    QTRY_VERIFY_WITH_TIMEOUT(answered.has_value(), SingleInstance::ASK_TIMEOUT_MS + 1000);
    QVERIFY(*answered);
    QCOMPARE(program.state(), QProcess::Running);
}

void endWithSigterm(QProcess &program)
{
    QCOMPARE(::kill(pid_t(program.processId()), SIGTERM), 0);
    QVERIFY(program.waitForFinished(START_WAIT_MS));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
}

}

class TestSingleInstance : public QObject
{
    Q_OBJECT
private slots:
    void laterStartAsksTheFirstAndEnds();
    void runningProgramAnswersAndLetsGoAtItsEnd();
    void lockOfAGoneRunIsTakenOver_data();
    void lockOfAGoneRunIsTakenOver();
    void frontIsTheOpenScreen();
};

void TestSingleInstance::laterStartAsksTheFirstAndEnds()
{
    Account account;
    QVERIFY(account.prepare());
    // The test holds the folder as the first run would.
    SingleInstance first(account.workFolder);
    QVERIFY(first.claim());
    int asked = 0;
    connect(&first, &SingleInstance::frontRequested, this, [&] { ++asked; });

    QProcess later;
    account.start(later);
    QVERIFY(later.waitForStarted());
    QTRY_COMPARE_WITH_TIMEOUT(later.state(), QProcess::NotRunning, START_WAIT_MS);
    QCOMPARE(later.exitStatus(), QProcess::NormalExit);
    QCOMPARE(later.exitCode(), 0);
    QCOMPARE(asked, 1);
    // The later start sent nothing to the robot: the port is the first run's.
    QVERIFY(account.pty.collectFor(100).isEmpty());
    QCOMPARE(lockOwner(account.lockPath()), QCoreApplication::applicationPid());
}

void TestSingleInstance::runningProgramAnswersAndLetsGoAtItsEnd()
{
    Account account;
    QVERIFY(account.prepare());
    QProcess program;
    account.start(program);
    QVERIFY(program.waitForStarted());
    waitUntilAnswering(account, program);
    endWithSigterm(program);
    SingleInstance next(account.workFolder);
    QVERIFY(next.claim());
}

void TestSingleInstance::lockOfAGoneRunIsTakenOver_data()
{
    QTest::addColumn<QString>("owner");
    // A crash leaves the lock; its process number may since belong to another program, and a
    // crash while the lock was being written leaves it empty.
    QTest::newRow("owner gone") << u"gone"_s;
    QTest::newRow("owner's number reused by another program") << u"other"_s;
    QTest::newRow("cut off while written") << u"empty"_s;
}

void TestSingleInstance::lockOfAGoneRunIsTakenOver()
{
    QFETCH(QString, owner);
    Account account;
    QVERIFY(account.prepare());
    QProcess other;
    other.start(u"sleep"_s, {owner == u"other" ? u"60"_s : u"0"_s});
    QVERIFY(other.waitForStarted());
    const qint64 pid = other.processId();
    if (owner != u"other")
        QVERIFY(other.waitForFinished());
    {
        QFile lock(account.lockPath());
        QVERIFY(lock.open(QIODevice::WriteOnly));
        if (owner != u"empty")
            lock.write(QByteArray::number(pid) + "\nrk25\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
    }

    QProcess program;
    account.start(program);
    QVERIFY(program.waitForStarted());
    waitUntilAnswering(account, program);
    endWithSigterm(program);
    if (owner == u"other") {
        QCOMPARE(other.state(), QProcess::Running);
        other.kill();
        other.waitForFinished();
    }
}

void TestSingleInstance::frontIsTheOpenScreen()
{
    MainMenu menu;
    menu.createOtherWindows();
    menu.show();
    QTest::mouseClick(menu.findChild<PictureButton *>(u"menu_key"_s), Qt::LeftButton);
    QWidget *text = testenv::findWindow<QWidget>(u"TForm9"_s);
    QVERIFY(text && text->isVisible());
    // Another program's window has the focus.
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), &elsewhere);
    menu.bringToFront();
    QTRY_COMPARE(QApplication::activeWindow(), text);
}

QTEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
