// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/cp932.h"
#include "support/testenv.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

// Drives the command-line compiler as a separate process.
class TestRk25c : public QObject
{
    Q_OBJECT
private slots:
    void run_data();
    void run();
    void readsFileAndStdinAlike();
    void missingFileFails();
};

namespace {
using testenv::Outcome;
using testenv::runRk25c;
using testenv::numberLine;

QByteArray cp(const char *utf8)
{
    return cp932::encode(QString::fromUtf8(utf8));
}

QByteArray manyMotorLines(int statements)
{
    QByteArray text;
    for (int i = 0; i < statements; ++i)
        text += "motor(fwd,fwd)\r\nwait(1)\r\n";
    return text;
}
}

void TestRk25c::run_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");

    const QByteArray example = "motor(fwd,fwd)\r\nwait(10)\r\nspeed(050,7)\r\n";
    QTest::newRow("bytes") << QStringList() << example << 0 << u"69 10 96 50 7\n"_s << QString();
    QTest::newRow("empty program") << QStringList() << QByteArray() << 0 << u"\n"_s << QString();
    QTest::newRow("text") << QStringList{"--text"} << cp("loop(2) //二回\nendloop") << 0
                          << u"loop(2) //二回\nendloop\n"_s << QString();
    QTest::newRow("text does not compile") << QStringList{"--text"} << QByteArray("nonsense\n") << 0
                                           << u"nonsense\n"_s << QString();
    QTest::newRow("image") << QStringList{"--image"} << example << 0 << numberLine(u"69 10 96 50 7 254"_s, 34)
                           << QString();
    QTest::newRow("text ignores the switch wait") << QStringList{"--image", "--wait-for-switch"} << example << 0
                                                  << numberLine(u"69 10 96 50 7 254"_s, 34) << QString();
    QTest::newRow("KB file") << QStringList() << cp("KB\r\n// サンプル\r\nwhile(1)\r\nendwhile\r\n") << 0
                             << u"200 201\n"_s << QString();
    QTest::newRow("KB marker only on the first line") << QStringList{"--text"} << QByteArray("endif\r\nKB\r\n") << 0
                                                      << u"endif\nKB\n"_s << QString();
    QTest::newRow("compile messages") << QStringList() << QByteArray("loop(0)\nfly\n") << 1 << QString()
                                      << u"2行目が違います(命令をもう一度確認してください)\n"_s;
    QTest::newRow("119 bytes fit") << QStringList{"--image"} << manyMotorLines(59) + "endif\r\n" << 0
                                   << QStringList(59, u"69 1"_s).join(u' ') + u" 233 254\n"_s << QString();
    QTest::newRow("120 bytes refused") << QStringList{"--image"} << manyMotorLines(60) << 1 << QString()
                                       << u"命令数が119を超えています。\n"_s;
    QTest::newRow("120 bytes still compile") << QStringList() << manyMotorLines(60) << 0
                                             << QStringList(60, u"69 1"_s).join(u' ') + u'\n' << QString();
    QTest::newRow("invalid bytes are a compile fault") << QStringList() << QByteArray("\x81\n") << 1 << QString()
                                                       << u"1行目が違います(命令をもう一度確認してください)\n"_s;
}

void TestRk25c::run()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, input);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);
    const Outcome o = runRk25c(args, input);
    QCOMPARE(o.err, err);
    QCOMPARE(o.out, out);
    QCOMPARE(o.exitCode, exitCode);
}

void TestRk25c::readsFileAndStdinAlike()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"p.rk5"_s);
    QVERIFY(cp932::writeLines(path, {u"KB"_s, u"motor(rev,rev) // うしろ"_s, u"wait(3)"_s}));
    const Outcome fromFile = runRk25c({path}, QByteArray());
    QCOMPARE(fromFile.exitCode, 0);
    QCOMPARE(fromFile.out, u"74 3\n"_s);
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const Outcome fromStdin = runRk25c({u"-"_s}, f.readAll());
    QCOMPARE(fromStdin.out, fromFile.out);
}

void TestRk25c::missingFileFails()
{
    const Outcome o = runRk25c({u"/nonexistent/x.rk5"_s}, QByteArray());
    QCOMPARE(o.exitCode, 1);
    QVERIFY(o.err.contains(u"/nonexistent/x.rk5"_s));
    QCOMPARE(o.out, QString());

    QCOMPARE(runRk25c({u"--bogus"_s}, QByteArray()).exitCode, 2);
    QCOMPARE(runRk25c({u"--text"_s, u"--image"_s}, QByteArray()).exitCode, 2);
    QCOMPARE(runRk25c({u"a"_s, u"b"_s}, QByteArray()).exitCode, 2);
}

QTEST_GUILESS_MAIN(TestRk25c)
#include "tst_rk25c.moc"
