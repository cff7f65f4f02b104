#include "common/cp932.h"
#include "icon/iconfile.h"
#include "support/testenv.h"

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
        QCOMPARE(lines.size() - 1, instructions);
    // Every line but the last is "SECONDS OFFSET TEXT", in time order.
    double previous = 0;
    for (const QString &line : lines.mid(0, lines.size() - 1)) {
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

QTEST_GUILESS_MAIN(TestRobotReplay)
#include "tst_robot_replay.moc"
