// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/cp932.h"
#include "common/workfolder.h"
#include "icon/iconfile.h"
#include "support/testenv.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

#include <cmath>
#include <csignal>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

// rk25-robot --replay on what rk25c --wire prints, as a teacher would pipe them together.
class TestRobotReplay : public QObject
{
    Q_OBJECT
private slots:
    void replaysWire_data();
    void replaysWire();
    void refusesWrongInput_data();
    void refusesWrongInput();
    void sampleAgainstTheWall_data();
    void sampleAgainstTheWall();
    void helpAndVersion();
    void windowEndsOnSignalsWithoutItsLink_data();
    void windowEndsOnSignalsWithoutItsLink();
};

namespace {

// loop(3), forward 1.5 s, spin right 90, endloop.
QByteArray squareCorner()
{
    IconProgram program;
    program.setFromIcon(0, u"Image10");
    program.setValue(0, 3);
    program.setFromIcon(1, u"Image2");
    program.setValue(1, 15);
    program.setFromIcon(2, u"Image6");
    program.setValue(2, 90);
    program.setFromIcon(3, u"Image11");
    return cp932::encodeLines(iconFileLines(program));
}

QString lastLine(const QString &out)
{
    return out.trimmed().section(u'\n', -1);
}

}

void TestRobotReplay::replaysWire_data()
{
    QTest::addColumn<QStringList>("compilerArgs");
    QTest::addColumn<QStringList>("robotArgs");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("pose");
    QTest::addColumn<int>("instructions");

    QTest::newRow("repeat block")
        << QStringList{u"--wire"_s} << QStringList{u"--replay"_s, u"-"_s} << 0 << u"pose 26.25 0.00 180.0"_s
        << 1 + 3 * 3 + 1;
    QTest::newRow("header, front switch pressed")
        << QStringList{u"--wire"_s, u"--wait-for-switch"_s}
        << QStringList{u"--replay"_s, u"-"_s, u"--press"_s, u"sw1@20"_s} << 0 << u"pose 26.25 0.00 180.0"_s << -1;
    QTest::newRow("header, rear switch only: time runs out")
        << QStringList{u"--wire"_s, u"--wait-for-switch"_s}
        << QStringList{u"--replay"_s, u"-"_s, u"--press"_s, u"sw2@20"_s} << 3 << u"pose 0.00 0.00 90.0"_s << -1;
    QTest::newRow("switch pressed twice, the second counts")
        << QStringList{u"--wire"_s, u"--wait-for-switch"_s}
        << QStringList{u"--replay"_s, u"-"_s, u"--press"_s, u"sw1@1"_s, u"--press"_s, u"sw1@30.5"_s} << 0
        << u"pose 26.25 0.00 180.0"_s << -1;
}

void TestRobotReplay::replaysWire()
{
    QFETCH(QStringList, compilerArgs);
    QFETCH(QStringList, robotArgs);
    QFETCH(int, exitCode);
    QFETCH(QString, pose);
    QFETCH(int, instructions);
    const testenv::Outcome wire = testenv::runRk25c(compilerArgs, squareCorner());
    QCOMPARE(wire.exitCode, 0);
    const testenv::Outcome robot = testenv::runRk25Robot(robotArgs, wire.out.toUtf8());
    QCOMPARE(robot.err, QString());
    QCOMPARE(robot.exitCode, exitCode);
    QCOMPARE(lastLine(robot.out), pose);
    const QStringList lines = robot.out.trimmed().split(u'\n');
    if (instructions >= 0)
        QCOMPARE(lines.size() - 2, instructions);
    QVERIFY(lines[lines.size() - 2].startsWith(u"floor "_s));
    // Every line but the last two is "SECONDS OFFSET TEXT", in time order.
    double previous = 0;
    for (const QString &line : lines.mid(0, lines.size() - 2)) {
        bool ok = false;
        const double t = line.section(u' ', 0, 0).toDouble(&ok);
        QVERIFY2(ok && t >= previous, qPrintable(line));
        previous = t;
    }
}

void TestRobotReplay::refusesWrongInput_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("replay without a file") << QStringList{u"--replay"_s} << QByteArray() << 2;
    QTest::newRow("press without replay") << QStringList{u"--press"_s, u"sw1@1"_s} << QByteArray() << 2;
    QTest::newRow("no such switch") << QStringList{u"--replay"_s, u"-"_s, u"--press"_s, u"sw3@1"_s} << QByteArray() << 2;
    QTest::newRow("com out of range") << QStringList{u"--com"_s, u"5"_s} << QByteArray() << 2;
    QTest::newRow("unknown option") << QStringList{u"--fast"_s} << QByteArray() << 2;
    QTest::newRow("missing file") << QStringList{u"--replay"_s, u"/nonexistent/wire.txt"_s} << QByteArray() << 1;
    QTest::newRow("cone on the start") << QStringList{u"--replay"_s, u"-"_s, u"--cone"_s, u"87.5,20"_s} << QByteArray() << 2;
    QTest::newRow("start outside the walls") << QStringList{u"--replay"_s, u"-"_s, u"--start"_s, u"-30,20,90"_s} << QByteArray() << 2;
    QTest::newRow("cone without Y") << QStringList{u"--replay"_s, u"-"_s, u"--cone"_s, u"50"_s} << QByteArray() << 2;
    QTest::newRow("world options without replay") << QStringList{u"--no-walls"_s} << QByteArray() << 2;
    QStringList eleven{u"--replay"_s, u"-"_s};
    for (int i = 0; i < 11; ++i)
        eleven << u"--cone"_s << u"%1,150"_s.arg(10 + 14 * i);
    QTest::newRow("eleven cones") << eleven << QByteArray() << 2;
    QTest::newRow("not wire lines") << QStringList{u"--replay"_s, u"-"_s} << QByteArray("1 100\nmotor(fwd,fwd)\n") << 1;
}

void TestRobotReplay::refusesWrongInput()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, input);
    QFETCH(int, exitCode);
    const testenv::Outcome o = testenv::runRk25Robot(args, input);
    QCOMPARE(o.exitCode, exitCode);
    QCOMPARE(o.out, QString());
    QVERIFY(!o.err.isEmpty());
}

void TestRobotReplay::sampleAgainstTheWall_data()
{
    QTest::addColumn<QStringList>("world");
    QTest::addColumn<QStringList>("contacts");
    QTest::addColumn<QString>("floor");
    // Up to the top wall (centre 8.6 cm below it), back 17.5, half a turn, forward 17.5 and on
    // for the lamp's 1.1 s: 166.4 - 17.5 - 17.5 - 19.25.
    QTest::newRow("walls") << QStringList() << QStringList{u"contact sw1 on"_s, u"contact sw1 off"_s}
                           << u"floor 87.50 112.15 270.0"_s;
    // A cone in the way: it stops 4.375 + 8.6 cm before the cone's centre instead.
    QTest::newRow("a cone in the way") << QStringList{u"--cone"_s, u"87.5,120"_s}
                                       << QStringList{u"contact sw1 on"_s, u"contact sw1 off"_s}
                                       << u"floor 87.50 52.775 270.0"_s;
    // No wall: the while creeps on until the time runs out.
    QTest::newRow("no walls") << QStringList{u"--no-walls"_s} << QStringList() << QString();
}

// The sample program of the text screen, as the send button puts it on the line, replayed
// against the walled floor.
void TestRobotReplay::sampleAgainstTheWall()
{
    QFETCH(QStringList, world);
    QFETCH(QStringList, contacts);
    QFETCH(QString, floor);
    const testenv::Outcome wire = testenv::runRk25c({u"--wire"_s, testenv::binDir() + u"/Data/文字入力サンプル.rk5"_s});
    QCOMPARE(wire.exitCode, 0);
    const testenv::Outcome robot = testenv::runRk25Robot(QStringList{u"--replay"_s, u"-"_s} + world, wire.out.toUtf8());
    QCOMPARE(robot.exitCode, floor.isEmpty() ? 3 : 0);
    const QStringList lines = robot.out.trimmed().split(u'\n');
    QStringList seen;
    for (const QString &line : lines) {
        if (line.section(u' ', 1, 1) == u"-"_s && line.section(u' ', 2, 2) == u"contact"_s)
            seen << line.section(u' ', 2);
    }
    QCOMPARE(seen, contacts);
    QVERIFY(lines.size() >= 2);
    QVERIFY(lines.last().startsWith(u"pose "_s));
    QVERIFY(lines[lines.size() - 2].startsWith(u"floor "_s));
    if (floor.isEmpty())
        return;
    // Two decimals in the output.
    const QStringList got = lines[lines.size() - 2].split(u' ');
    const QStringList want = floor.split(u' ');
    QCOMPARE(got.size(), 4);
    for (int i = 1; i < 4; ++i)
        QVERIFY2(std::abs(got[i].toDouble() - want[i].toDouble()) <= 0.0051, qPrintable(lines[lines.size() - 2]));
}

void TestRobotReplay::helpAndVersion()
{
    const testenv::Outcome help = testenv::runRk25Robot({u"--help"_s});
    QCOMPARE(help.exitCode, 0);
    QVERIFY(help.out.startsWith(u"Usage: "_s));
    for (const QString &option : {u"--replay <FILE>"_s, u"--no-walls"_s, u"--cone <X,Y>"_s, u"--start <X,Y,H>"_s, u"Exit status:"_s})
        QVERIFY2(help.out.contains(option), qPrintable(option));
    const testenv::Outcome version = testenv::runRk25Robot({u"--version"_s});
    QCOMPARE(version.exitCode, 0);
    QVERIFY2(QRegularExpression(u"^rk25-robot \\d+\\.\\d+(\\.\\d+)?\n$"_s).match(version.out).hasMatch(), qPrintable(version.out));
}

void TestRobotReplay::windowEndsOnSignalsWithoutItsLink_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGINT") << int(SIGINT);
    // The terminal it was started from is closed: its /dev/pts number goes to the next one.
    QTest::newRow("SIGHUP") << int(SIGHUP);
}

// The window's robot ends as it does when closed: its comN link goes with it.
void TestRobotReplay::windowEndsOnSignalsWithoutItsLink()
{
    QFETCH(int, signalNumber);
    QTemporaryDir home;
    QVERIFY(home.isValid());
    const QString workFolder = workFolderPathFor(home.filePath(u"Documents"_s));
    QVERIFY(QDir().mkpath(workFolder));
    QProcess robot;
    QProcessEnvironment env = testenv::accountEnvironment(home.path());
    env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    robot.setProcessEnvironment(env);
    robot.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    robot.start(testenv::rk25RobotPath(), {u"--com"_s, u"2"_s});
    QVERIFY(robot.waitForStarted());
    const QFileInfo link(workFolder + u"com2"_s);
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(link.filePath()).isSymLink(), 20000);
    QVERIFY(QFileInfo(link.filePath()).symLinkTarget().startsWith(u"/dev/pts/"_s));
    QCOMPARE(::kill(pid_t(robot.processId()), signalNumber), 0);
    QVERIFY(robot.waitForFinished(20000));
    QCOMPARE(robot.exitStatus(), QProcess::NormalExit);
    QCOMPARE(robot.exitCode(), 0);
    QVERIFY(!QFileInfo(link.filePath()).isSymLink());
}

QTEST_GUILESS_MAIN(TestRobotReplay)
#include "tst_robot_replay.moc"
