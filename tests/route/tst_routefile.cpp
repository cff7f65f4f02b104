// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/cp932.h"
#include "route/routefile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestRouteFile : public QObject
{
    Q_OBJECT
private slots:
    void writesWorkedExample();
    void roundTripKeepsStoredText();
    void readRefusals_data();
    void readRefusals();
    void lastIndexCountsRecordsOffTheLeftEdge();
    void noRecordGivesEmptyRoute();
    void fileRoundTripOnDisk();
    void unreadableFileKeepsRoute();
    void emptyFileOnDiskIsMalformed_data();
    void emptyFileOnDiskIsMalformed();
    void programTextForTheCompiler();

private:
    static RouteModel workedExample();
    static QStringList emptyFileLines();
};

RouteModel TestRouteFile::workedExample()
{
    // Drawn at zoom 1 without scrolling: labels as the screen computes them.
    RouteModel route;
    route.startRoute(250, 400);
    const QList<QPoint> points = {{250, 300}, {350, 300}, {300, 250}, {200, 250}, {200, 350}, {200, 250}};
    QPoint previous(250, 400);
    for (const QPoint &p : points) {
        const int lx = routeLabelCoordinate(previous.x(), p.x(), 0, 500, 1);
        const int ly = routeLabelCoordinate(previous.y(), p.y(), 0, 500, 1);
        route.addPoint(p.x(), p.y(), lx, ly, routeLineLimit(true));
        previous = p;
    }
    return route;
}

QStringList TestRouteFile::emptyFileLines()
{
    QStringList lines{u"D_pro"_s};
    for (int i = 0; i < ROUTE_USED_RECORDS; ++i)
        lines << u"////0/0/0/0/0"_s;
    return lines;
}

void TestRouteFile::writesWorkedExample()
{
    const QStringList lines = routeFileLines(workedExample());
    QCOMPARE(lines.size(), 59);
    QCOMPARE(lines[0], u"D_pro"_s);
    QCOMPARE(lines[1], u"////250/400/0/0/0"_s);
    QCOMPARE(lines[2], u"//motor(fwd,fwd)/wait(20)/250/300/238/338/90"_s);
    QCOMPARE(lines[3], u"motor(fwd,rev)/wait(5)/motor(fwd,fwd)/wait(20)/350/300/288/288/0"_s);
    for (int i = 8; i < 59; ++i)
        QCOMPARE(lines[i], u"////0/0/0/0/0"_s);
}

void TestRouteFile::roundTripKeepsStoredText()
{
    QStringList lines = routeFileLines(workedExample());
    // Text as stored wins over what the conversion would compute now.
    lines[2] = u"//motor(fwd,fwd)/wait(99)/250/300/-5/338/90"_s;
    RouteModel route;
    const RouteReadResult result = readRouteLines(lines, &route);
    QCOMPARE(result.status, RouteReadStatus::Ok);
    QVERIFY(result.hasRoute);
    QCOMPARE(route.lastIndex(), 6);
    QCOMPARE(route.currentHeading(), 90);
    QCOMPARE(route.record(1).forwardWait, u"wait(99)"_s);
    QCOMPARE(route.record(1).labelX, -5);
    QCOMPARE(route.lineCount(), 22);
    QCOMPARE(route.programText()[1], u"wait(99)"_s);
    QCOMPARE(route.coordinateList().size(), 7);
    QCOMPARE(routeFileLines(route), lines);
}

void TestRouteFile::readRefusals_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<RouteReadStatus>("status");

    QStringList good = routeFileLines(workedExample());
    QTest::newRow("icon file") << QStringList{u"DD"_s, u"x"_s} << RouteReadStatus::WrongMarker;
    QTest::newRow("text file") << QStringList{u"KB"_s, u"motor(fwd,fwd)"_s} << RouteReadStatus::WrongMarker;
    QTest::newRow("marker in lower case") << (QStringList{u"d_pro"_s} + good.mid(1)) << RouteReadStatus::WrongMarker;
    QTest::newRow("marker with a blank") << (QStringList{u"D_pro "_s} + good.mid(1)) << RouteReadStatus::WrongMarker;
    QTest::newRow("empty file") << QStringList{} << RouteReadStatus::Malformed;
    QTest::newRow("blank lines only") << QStringList{QString(), u" "_s} << RouteReadStatus::Malformed;
    QTest::newRow("58 lines") << good.mid(0, 58) << RouteReadStatus::Malformed;
    QStringList bad = good;
    bad[3] = u"motor(fwd,rev)/wait(5)/motor(fwd,fwd)/wait(20)/35x/300/288/288/0"_s;
    QTest::newRow("x not a number") << bad << RouteReadStatus::Malformed;
    bad = good;
    bad[58] = u"////0/0/0/0/"_s;
    QTest::newRow("empty heading in the last record") << bad << RouteReadStatus::Malformed;
    bad = good;
    bad[2] = u"//motor(fwd,fwd)/wait(20)/250/300"_s;
    QTest::newRow("a record cut short") << bad << RouteReadStatus::Malformed;
    bad = good;
    bad[4] = u"motor(fwd,"_s + QChar::ReplacementCharacter + u")/wait(5)/motor(fwd,fwd)/wait(20)/35/300/288/288/0"_s;
    QTest::newRow("bytes that are no CP932 in a command") << bad << RouteReadStatus::Malformed;
}

void TestRouteFile::readRefusals()
{
    QFETCH(QStringList, lines);
    QFETCH(RouteReadStatus, status);
    RouteModel route = workedExample();
    route.removeLastPoint();
    const RouteModel before = route;
    QCOMPARE(readRouteLines(lines, &route).status, status);
    QCOMPARE(route.records(), before.records());
    QCOMPARE(route.lastIndex(), before.lastIndex());
    QCOMPARE(route.currentHeading(), before.currentHeading());
    QCOMPARE(route.programText(), before.programText());
    QCOMPARE(route.coordinateList(), before.coordinateList());
    if (status == RouteReadStatus::WrongMarker)
        QVERIFY(routeReadMessage(status).contains(u"他のステップで保存されいる可能性があります。"));
}

void TestRouteFile::lastIndexCountsRecordsOffTheLeftEdge()
{
    QStringList lines = emptyFileLines();
    lines[1] = u"////0/400/0/0/0"_s;                                      // start on the left edge
    lines[2] = u"//motor(fwd,fwd)/wait(20)/0/300/0/0/90"_s;               // still on the edge
    lines[3] = u"motor(fwd,rev)/wait(5)/motor(fwd,fwd)/wait(20)/100/300/0/0/0"_s;
    lines[4] = u"motor(fwd,rev)/wait(5)/motor(fwd,fwd)/wait(20)/100/400/0/0/270"_s;
    RouteModel route;
    const RouteReadResult result = readRouteLines(lines, &route);
    QCOMPARE(result.status, RouteReadStatus::Ok);
    QVERIFY(result.hasRoute);
    // Two records with x != 0: lastIndex 1, the heading of record 1.
    QCOMPARE(route.lastIndex(), 1);
    QCOMPARE(route.currentHeading(), 90);
    QCOMPARE(route.coordinateList(), (QStringList{u"100,300"_s, u"100,400"_s}));
    QCOMPARE(route.programText().size(), 10);
}

void TestRouteFile::noRecordGivesEmptyRoute()
{
    QStringList lines = emptyFileLines();
    lines[5] = u"motor(fwd,rev)/wait(5)/motor(fwd,fwd)/wait(20)/0/300/0/0/180"_s;
    RouteModel route = workedExample();
    const RouteReadResult result = readRouteLines(lines, &route);
    QCOMPARE(result.status, RouteReadStatus::Ok);
    QVERIFY(!result.hasRoute);
    QCOMPARE(route.lastIndex(), 0);
    QCOMPARE(route.currentHeading(), 90);
    QCOMPARE(route.records(), RouteModel().records());
    QVERIFY(route.programText().isEmpty());
    QCOMPARE(route.lineCount(), 0);
    // The empty route can be started afresh.
    route.startRoute(100, 100);
    QCOMPARE(route.addPoint(100, 90, 0, 0, 115), AddPointResult::Added);
    QCOMPARE(route.lastIndex(), 1);
}

void TestRouteFile::fileRoundTripOnDisk()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"ルート.rk5"_s);
    const RouteModel route = workedExample();
    QString error;
    QVERIFY2(writeRouteFile(path, route, &error), qPrintable(error));

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("D_pro\r\n////250/400/0/0/0\r\n//motor(fwd,fwd)/wait(20)/250/300/238/338/90\r\n"));
    QVERIFY(bytes.endsWith("////0/0/0/0/0\r\n"));
    QCOMPARE(bytes.count("\r\n"), 59);
    QCOMPARE(bytes.count('\n'), 59);

    RouteModel read;
    QCOMPARE(readRouteFile(path, &read).status, RouteReadStatus::Ok);
    QCOMPARE(read.records(), route.records());
    QCOMPARE(read.lastIndex(), route.lastIndex());
    QCOMPARE(read.currentHeading(), route.currentHeading());
    QCOMPARE(read.programText(), route.programText());
}

void TestRouteFile::emptyFileOnDiskIsMalformed_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("no bytes") << QByteArray();
    QTest::newRow("one line end") << QByteArray("\r\n");
    QTest::newRow("blank lines") << QByteArray("\n \n\r");
}

void TestRouteFile::emptyFileOnDiskIsMalformed()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"empty.rk5"_s);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();

    RouteModel route = workedExample();
    const RouteModel before = route;
    QCOMPARE(readRouteFile(path, &route).status, RouteReadStatus::Malformed);
    QCOMPARE(route.records(), before.records());
    // Not a file of another step: the screen shows its numbered box, not that message.
    QVERIFY(routeReadMessage(RouteReadStatus::Malformed).isEmpty());
    QStringList text;
    QStringList messages;
    QVERIFY(!routeFileToProgramText(cp932::readLines(path).lines, &text, &messages));
    QCOMPARE(messages, QStringList{u"ルートのプログラムファイルがこわれているので読めません。"_s});
}

void TestRouteFile::unreadableFileKeepsRoute()
{
    QTemporaryDir dir;
    RouteModel route = workedExample();
    const RouteModel before = route;
    const RouteReadResult result = readRouteFile(dir.filePath(u"missing.rk5"_s), &route);
    QCOMPARE(result.status, RouteReadStatus::FileError);
    QVERIFY(!result.error.isEmpty());
    QCOMPARE(route.records(), before.records());
    // A write into a folder that does not exist fails and says why.
    QString error;
    QVERIFY(!writeRouteFile(dir.filePath(u"no/such/folder/x.rk5"_s), route, &error));
    QVERIFY(!error.isEmpty());
}

void TestRouteFile::programTextForTheCompiler()
{
    QStringList text, messages;
    QVERIFY(routeFileToProgramText(routeFileLines(workedExample()), &text, &messages));
    QCOMPARE(text, workedExample().programText());
    QVERIFY(messages.isEmpty());

    QVERIFY(routeFileToProgramText(emptyFileLines(), &text, &messages));
    QVERIFY(text.isEmpty());

    QVERIFY(!routeFileToProgramText(emptyFileLines().mid(0, 30), &text, &messages));
    QCOMPARE(messages.size(), 1);
}

QTEST_GUILESS_MAIN(TestRouteFile)
#include "tst_routefile.moc"
