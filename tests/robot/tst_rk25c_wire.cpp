// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/cp932.h"
#include "support/testenv.h"

#include <QtTest>

using namespace Qt::StringLiterals;

// rk25c --wire, run as a separate process: the lines a teacher reads to see what the send
// button puts on the line.
class TestRk25cWire : public QObject
{
    Q_OBJECT
private slots:
    void wire_data();
    void wire();
    void usageNamesTheOption();
};

namespace {
using testenv::Outcome;
using testenv::runRk25c;

// "value pause" lines: the block number, then the program bytes with the block's last one
// carrying the 500 ms that close the block.
QString block(int number, const QList<int> &values)
{
    QString out = QStringLiteral("%1 100\n").arg(number);
    for (int i = 0; i < values.size(); ++i)
        out += QStringLiteral("%1 %2\n").arg(values[i]).arg(i + 1 == values.size() ? 560 : 60);
    return out;
}

QList<int> filled(QList<int> values, int length)
{
    while (values.size() < length)
        values.append(254);
    return values;
}

QByteArray motorLines(int statements)
{
    QByteArray text;
    for (int i = 0; i < statements; ++i)
        text += "motor(fwd,rev)\r\nwait(2)\r\n";
    return text;
}
}

void TestRk25cWire::wire_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");

    const QStringList wire{u"--wire"_s};
    QTest::newRow("one block") << wire << QByteArray("motor(fwd,fwd)\r\nwait(10)\r\n") << 0
                               << block(1, filled({69, 10, 254}, 40)) << QString();
    QTest::newRow("text file ignores the switch wait")
        << QStringList{u"--wire"_s, u"--wait-for-switch"_s} << cp932::encode(u"KB\r\nwhile(1) // ずっと\r\nendwhile\r\n"_s)
        << 0 << block(1, filled({200, 201, 254}, 40)) << QString();

    QList<int> sixty;
    for (int i = 0; i < 30; ++i)
        sixty << 70 << 2;
    const QList<int> image = filled(sixty + QList<int>{254}, 80);
    QTest::newRow("two blocks") << wire << motorLines(30) << 0
                                << block(1, image.mid(0, 40)) + block(2, image.mid(40)) << QString();
    QTest::newRow("too long") << wire << motorLines(60) << 1 << QString() << u"命令数が119を超えています。\n"_s;
    QTest::newRow("does not compile") << wire << QByteArray("motor(fwd,fwd)\nfly\n") << 1 << QString()
                                      << u"2行目が違います(命令をもう一度確認してください)\n"_s;
    QTest::newRow("one mode only") << QStringList{u"--wire"_s, u"--image"_s} << QByteArray() << 2 << QString()
                                   << QString();
}

void TestRk25cWire::wire()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, input);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);
    const Outcome o = runRk25c(args, input);
    QCOMPARE(o.exitCode, exitCode);
    QCOMPARE(o.out, out);
    if (exitCode != 2)
        QCOMPARE(o.err, err);
}

void TestRk25cWire::usageNamesTheOption()
{
    const Outcome o = runRk25c({u"--nonsense"_s}, QByteArray());
    QCOMPARE(o.exitCode, 2);
    QVERIFY2(o.err.contains(u"'nonsense'"_s) && o.err.contains(u"rk25c --help"_s), qPrintable(o.err));
}

QTEST_GUILESS_MAIN(TestRk25cWire)
#include "tst_rk25c_wire.moc"
