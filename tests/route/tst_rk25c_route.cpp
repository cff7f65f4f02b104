// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/cp932.h"
#include "route/routefile.h"
#include "support/testenv.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

// Route program files through the real command-line compiler, run as a separate process.
class TestRk25cRoute : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void run_data();
    void run();

private:
    QTemporaryDir m_dir;
};

namespace {

using testenv::Outcome;
using testenv::runRk25c;
using testenv::numberLine;

RouteModel workedExample()
{
    RouteModel route;
    route.startRoute(250, 400);
    for (const QPoint &p : {QPoint(250, 300), QPoint(350, 300), QPoint(300, 250), QPoint(200, 250),
                            QPoint(200, 350), QPoint(200, 250)})
        route.addPoint(p.x(), p.y(), 0, 0, routeLineLimit(true));
    return route;
}

// motor(fwd,fwd) 69, motor(fwd,rev) 70, motor(rev,fwd) 73, each with its wait byte.
const QString exampleBytes = u"69 20 70 5 69 20 73 8 69 14 73 2 69 20 73 5 69 20 70 10 69 20"_s;

}

void TestRk25cRoute::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QFileInfo::exists(testenv::rk25cPath()));
    QVERIFY(writeRouteFile(m_dir.filePath(u"example.rk5"_s), workedExample()));
    QVERIFY(writeRouteFile(m_dir.filePath(u"empty.rk5"_s), RouteModel()));
    QStringList cut = routeFileLines(workedExample()).mid(0, 40);
    QVERIFY(cp932::writeLines(m_dir.filePath(u"cut.rk5"_s), cut));
    QStringList bad = routeFileLines(workedExample());
    bad[3] = u"motor(fwd,rev)/wait(5)/motor(fwd,fwd)/wait(20)/3five0/300/0/0/0"_s;
    QVERIFY(cp932::writeLines(m_dir.filePath(u"bad.rk5"_s), bad));
    // A route file whose stored text does not compile: rk25c must say so, not send it.
    QStringList wrong = routeFileLines(workedExample());
    wrong[2] = u"//motor(fwd,fwd)/wait(999)/250/300/0/0/90"_s;
    QVERIFY(cp932::writeLines(m_dir.filePath(u"wrong.rk5"_s), wrong));
}

void TestRk25cRoute::run_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");

    QTest::newRow("text") << QStringList{"--text"} << "example.rk5" << 0
                          << workedExample().programText().join(u'\n') + u'\n';
    QTest::newRow("bytes") << QStringList() << "example.rk5" << 0 << exampleBytes + u'\n';
    // 22 bytes and the end byte, filled to one block.
    QTest::newRow("image") << QStringList{"--image"} << "example.rk5" << 0 << numberLine(exampleBytes + u" 254"_s, 17);
    QTest::newRow("image waiting for the switch")
        << QStringList{"--image", "--wait-for-switch"} << "example.rk5" << 0
        << numberLine(u"193 64 1 201 "_s + exampleBytes + u" 254"_s, 13);
    QTest::newRow("empty route text") << QStringList{"--text"} << "empty.rk5" << 0 << QString();
    QTest::newRow("empty route image") << QStringList{"--image"} << "empty.rk5" << 0 << numberLine(u"254"_s, 39);
    QTest::newRow("too few lines") << QStringList{"--text"} << "cut.rk5" << 1 << QString();
    QTest::newRow("x not a number") << QStringList() << "bad.rk5" << 1 << QString();
    QTest::newRow("stored text does not compile") << QStringList() << "wrong.rk5" << 1 << QString();
}

void TestRk25cRoute::run()
{
    QFETCH(QStringList, args);
    QFETCH(QString, file);
    QFETCH(int, exitCode);
    QFETCH(QString, out);

    const Outcome outcome = runRk25c(args + QStringList{m_dir.filePath(file)});
    QCOMPARE(outcome.exitCode, exitCode);
    QCOMPARE(outcome.out, out);
    if (exitCode == 0)
        QVERIFY2(outcome.err.isEmpty(), qPrintable(outcome.err));
    else
        QVERIFY(!outcome.err.trimmed().isEmpty());
}

QTEST_GUILESS_MAIN(TestRk25cRoute)
#include "tst_rk25c_route.moc"
