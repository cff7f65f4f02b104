// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/cp932.h"
#include "common/fields.h"
#include "common/rounding.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestCp932 : public QObject
{
    Q_OBJECT
private slots:
    void codecIsAvailable();
    void roundTrip_data();
    void roundTrip();
    void invalidBytesBecomeReplacement();
    void eachEncodeJudgesItsOwnText();
    void splitLines_data();
    void splitLines();
    void writeEndsEveryLineWithCrLf();
    void writeFailureKeepsOldFile();
    void saveSweepsItsOwnStaleTemporaries();
    void roundHalfEven_data();
    void roundHalfEven();
    void fieldOf_data();
    void fieldOf();
};

void TestCp932::codecIsAvailable()
{
    QVERIFY(cp932::available());
}

void TestCp932::roundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ascii") << u"motor(fwd,fwd)"_s << QByteArray("motor(fwd,fwd)");
    QTest::newRow("font name") << u"MS Pゴシック"_s << QByteArray("MS P\x83\x53\x83\x56\x83\x62\x83\x4e");
    QTest::newRow("kanji") << u"前進"_s << QByteArray("\x91\x4f\x90\x69");
    QTest::newRow("half-width kana") << u"ｱ"_s << QByteArray("\xb1");
    QTest::newRow("tab, backslash, tilde") << u"\t\\~"_s << QByteArray("\t\\~");
    // The codec maps three control bytes among each other; a text of plain bytes around
    // them must still go through it.
    QTest::newRow("0x1A is U+001C") << u"a"_s + QChar(0x1C) + u"b"_s << QByteArray("a\x1A" "b");
    QTest::newRow("0x1C is U+007F") << u"a"_s + QChar(0x7F) + u"b"_s << QByteArray("a\x1C" "b");
    QTest::newRow("0x1A alone") << QString(QChar(0x1C)) << QByteArray("\x1A");
    QTest::newRow("kanji and 0x1C") << u"前\x007F"_s << QByteArray("\x91\x4f\x1C");
}

void TestCp932::roundTrip()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    bool ok = false;
    QCOMPARE(cp932::encode(text, &ok), bytes);
    QVERIFY(ok);
    QCOMPARE(cp932::decode(bytes), text);
}

void TestCp932::invalidBytesBecomeReplacement()
{
    // A lone lead byte and a byte that starts no character.
    const QString text = cp932::decode(QByteArray("a\x81", 2));
    QVERIFY(text.startsWith(u'a'));
    QVERIFY(text.contains(QChar::ReplacementCharacter));
    const QString text2 = cp932::decode(QByteArray("\xa0z", 2));
    QVERIFY(text2.endsWith(u'z'));
    QVERIFY(!text2.startsWith(u'\xa0'));
    // DEL comes out of the codec as its mark for an invalid byte.
    QCOMPARE(cp932::decode(QByteArray("a\x7F")), u"a"_s + QChar::ReplacementCharacter);
}

void TestCp932::eachEncodeJudgesItsOwnText()
{
    // One encoder serves many calls: a text it cannot hold must not taint the next one, and
    // a good text must not hide a bad one after it.
    const QString good = QString::fromUtf8("ロボット motor(fwd,fwd)");
    const QString bad = QString::fromUtf8("🤖");
    for (int round = 0; round < 3; ++round) {
        bool ok = false;
        QCOMPARE(cp932::decode(cp932::encode(good, &ok)), good);
        QVERIFY(ok);
        cp932::encode(bad, &ok);
        QVERIFY(!ok);
        cp932::encode(good + bad, &ok);
        QVERIFY(!ok);
    }
    // A lone high surrogate at the end of one text is not carried into the next.
    bool ok = true;
    cp932::encode(QString(QChar(0xD83E)), &ok);
    QVERIFY(!ok);
    QCOMPARE(cp932::encode(u"AB", &ok), QByteArray("AB"));
    QVERIFY(ok);
}

void TestCp932::splitLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty") << QString() << QStringList();
    QTest::newRow("crlf") << u"a\r\nb\r\n"_s << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("mixed") << u"a\rb\nc\r\nd"_s << QStringList{u"a"_s, u"b"_s, u"c"_s, u"d"_s};
    QTest::newRow("lf cr is two breaks") << u"a\n\rb"_s << QStringList{u"a"_s, QString(), u"b"_s};
    QTest::newRow("blank lines kept") << u"\r\n\r\nx"_s << QStringList{QString(), QString(), u"x"_s};
    QTest::newRow("one break") << u"\n"_s << QStringList{QString()};
}

void TestCp932::splitLines()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(cp932::splitLines(text), lines);
}

void TestCp932::writeEndsEveryLineWithCrLf()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"a.rk5"_s);
    QVERIFY(cp932::writeLines(path, {u"KB"_s, u"前進"_s}));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("KB\r\n\x91\x4f\x90\x69\r\n"));
    const cp932::ReadResult back = cp932::readLines(path);
    QVERIFY(back.ok);
    QCOMPARE(back.lines, (QStringList{u"KB"_s, u"前進"_s}));
}

void TestCp932::writeFailureKeepsOldFile()
{
    QTemporaryDir dir;
    QString error;
    QVERIFY(!cp932::writeLines(dir.filePath(u"missing/x.txt"_s), {u"x"_s}, &error));
    QVERIFY(!error.isEmpty());
    const cp932::ReadResult missing = cp932::readLines(dir.filePath(u"none.txt"_s));
    QVERIFY(!missing.ok);
    QVERIFY(!missing.error.isEmpty());
}

void TestCp932::saveSweepsItsOwnStaleTemporaries()
{
    QTemporaryDir dir;
    const QStringList names{u"x.rk5.AbC123"_s, u"x.rk5.bak"_s, u"x.rk5.AbC1234"_s, u"y.rk5.AbC123"_s};
    for (const QString &name : names) {
        QFile f(dir.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("left");
    }
    QVERIFY(cp932::writeLines(dir.filePath(u"x.rk5"_s), {u"KB"_s}));
    // Only the temporary copy of a killed save of this very file goes.
    QVERIFY(!QFile::exists(dir.filePath(u"x.rk5.AbC123"_s)));
    for (const QString &name : names.mid(1))
        QVERIFY2(QFile::exists(dir.filePath(name)), qPrintable(name));
}

void TestCp932::roundHalfEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<long long>("rounded");
    QTest::newRow("0.5") << 0.5 << 0LL;
    QTest::newRow("1.5") << 1.5 << 2LL;
    QTest::newRow("2.5") << 2.5 << 2LL;
    QTest::newRow("2.5000001") << 2.5000001 << 3LL;
    QTest::newRow("-0.5") << -0.5 << 0LL;
    QTest::newRow("-1.5") << -1.5 << -2LL;
    QTest::newRow("-2.6") << -2.6 << -3LL;
    QTest::newRow("45 deg spin") << 45.0 / 360 * 2 * 10 << 2LL;
    QTest::newRow("135 deg spin") << 135.0 / 360 * 2 * 10 << 8LL;
}

void TestCp932::roundHalfEven()
{
    QFETCH(double, value);
    QFETCH(long long, rounded);
    QCOMPARE(::roundHalfEven(value), rounded);
}

void TestCp932::fieldOf_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("field");
    const QString rec = u"motor(fwd,rev)/wait(5)/motor(fwd,fwd)/wait(20)/350/300/288/288/0"_s;
    QTest::newRow("first") << rec << 1 << u"motor(fwd,rev)"_s;
    QTest::newRow("fifth") << rec << 5 << u"350"_s;
    QTest::newRow("last runs to end") << rec << 9 << u"0"_s;
    QTest::newRow("past the end gives the last split field") << rec << 10 << u"288"_s;
    QTest::newRow("empty fields") << u"////0/0/0/0/0"_s << 3 << QString();
    QTest::newRow("middle field") << u"a/b/c/d"_s << 3 << u"c"_s;
    QTest::newRow("no slash k1") << u"abc"_s << 1 << u"abc"_s;
    QTest::newRow("no slash k2") << u"abc"_s << 2 << QString();
    QTest::newRow("empty line") << QString() << 1 << QString();
    QTest::newRow("k zero") << u"a/b"_s << 0 << QString();
}

void TestCp932::fieldOf()
{
    QFETCH(QString, line);
    QFETCH(int, k);
    QFETCH(QString, field);
    QCOMPARE(::fieldOf(line, k), field);
}

QTEST_GUILESS_MAIN(TestCp932)
#include "tst_cp932.moc"
