// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mainmenu.h"
#include "app/quitsignals.h"
#include "common/workfolder.h"
#include "app/ui/application.h"
#include "robot/portdiagnosis.h"
#include "transfer/transfer.h"
#include "robot/trs232c.h"
#include "support/findwindow.h"
#include "support/pseudoterminal.h"
#include "support/testenv.h"
#include "support/wiretiming.h"

#include <QtWidgets/QApplication>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTest>
#include <QTimer>

#include <csignal>

using namespace Qt::StringLiterals;

namespace {

constexpr char CHILD_TRANSFER[] = "--child-transfer";
constexpr char CHILD_UNSAVED[] = "--child-unsaved";
constexpr int STARTUP_WAIT_MS = 20000;

// Two blocks, so a signal in the first has a second block to leave out.
QString twoBlockProgram()
{
    QString text;
    for (int i = 0; i < 30; ++i)
        text += u"motor(fwd,fwd)\r\nwait(10)\r\n"_s;
    return text;
}

// The program as it starts, then with a send begun once the event loop runs, or with a typed
// program on the text screen that was never saved.
int child(int argc, char **argv, bool unsaved)
{
    Rk25Application app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    MainMenu menu;
    QuitSignals quitSignals(&menu, [&menu] { menu.close(); });
    // Everything from here on once the start-up's re-open is over, as the program does.
    menu.FormCreate([&menu, unsaved] {
        menu.createOtherWindows();
        menu.show();
        const RobotLink link{&menu.rs232c1(), dynamic_cast<TransferDisplay *>(testenv::findWindow(u"TForm3"_s))};
        QTimer::singleShot(0, &menu, [link, &menu, unsaved] {
            if (!unsaved) {
                sendProgram(link, ScreenKind::Text, twoBlockProgram(), true, nullptr);
                return;
            }
            testenv::clickChild(&menu, u"menu_key"_s);
            QWidget *text = testenv::findWindow(u"TForm9"_s);
            QTest::keyClicks(text->findChild<QWidget *>(u"SonEdit1"_s), u"wait(10)"_s);
            // The parent's cue: the save question would come now.
            QTextStream(stdout) << "typed" << Qt::endl;
        });
    });
    return app.exec();
}

}

// Logout, shutdown and kill end the program as its own quit does: the block on its way is
// finished, the port closed and its lock file removed, so the next pupil can use the port.
class TestUnplugSignals : public QObject
{
    Q_OBJECT
private slots:
    void signalEndsCleanly_data();
    void signalEndsCleanly();
};

void TestUnplugSignals::signalEndsCleanly_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::addColumn<QString>("state");
    QTest::newRow("SIGTERM, idle") << int(SIGTERM) << u"idle"_s;
    QTest::newRow("SIGHUP, idle") << int(SIGHUP) << u"idle"_s;
    QTest::newRow("SIGINT, idle") << int(SIGINT) << u"idle"_s;
    QTest::newRow("SIGTERM, during a transfer") << int(SIGTERM) << u"transfer"_s;
    QTest::newRow("SIGHUP, during a transfer") << int(SIGHUP) << u"transfer"_s;
    // Nobody is there to answer a save question: the program must end without one.
    QTest::newRow("SIGHUP, unsaved text") << int(SIGHUP) << u"unsaved"_s;
}

void TestUnplugSignals::signalEndsCleanly()
{
    QFETCH(int, signalNumber);
    QFETCH(QString, state);
    const bool duringTransfer = state == u"transfer";

    QTemporaryDir home;
    QVERIFY(home.isValid());
    const QString workFolder = workFolderPathFor(home.filePath(u"Documents"_s));
    QVERIFY(QDir().mkpath(workFolder));
    PseudoTerminal pty;
    QVERIFY(pty.open());
    QVERIFY(!pty.linkAsCom(1, workFolder).isEmpty());
    const QString lock = serialLockFilePath(pty.slavePath());
    QVERIFY(!lock.isEmpty());

    QProcess program;
    program.setProcessEnvironment(testenv::accountEnvironment(home.path()));
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    if (state == u"idle")
        program.start(testenv::binDir() + u"/rk25"_s, {});
    else
        program.start(QCoreApplication::applicationFilePath(),
                      {QString::fromLatin1(duringTransfer ? CHILD_TRANSFER : CHILD_UNSAVED)});
    QVERIFY(program.waitForStarted());

    // The start-up's 254, then (for a transfer) a few bytes of the first block.
    const int before = duringTransfer ? 1 + 6 : 1;
    QCOMPARE(pty.waitForBytes(before, STARTUP_WAIT_MS).size(), before);
    QByteArray said;
    if (state == u"unsaved")
        QTRY_VERIFY_WITH_TIMEOUT((said += program.readAllStandardOutput()).contains("typed"), STARTUP_WAIT_MS);
    QVERIFY(QFile::exists(lock));
    QCOMPARE(::kill(pid_t(program.processId()), signalNumber), 0);
    QVERIFY(program.waitForFinished(STARTUP_WAIT_MS));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    QVERIFY2(!QFile::exists(lock), qPrintable(lock));

    const QByteArray wire = PseudoTerminal::valuesOf(pty.collectFor(100));
    QCOMPARE(quint8(wire.at(0)), quint8(254));
    if (duringTransfer) {
        // The first block whole, the second never begun.
        QCOMPARE(wire.size(), 1 + 41);
        QVERIFY(holdsWholeBlocks(wire.mid(1)));
    } else {
        QCOMPARE(wire.size(), 1);
    }
}

int main(int argc, char *argv[])
{
    if (argc > 1 && (qstrcmp(argv[1], CHILD_TRANSFER) == 0 || qstrcmp(argv[1], CHILD_UNSAVED) == 0))
        return child(argc, argv, qstrcmp(argv[1], CHILD_UNSAVED) == 0);
    QApplication app(argc, argv);
    TestUnplugSignals test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_unplug_signals.moc"
