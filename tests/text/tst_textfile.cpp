// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/cp932.h"
#include "text/textfile.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

// The text program file ("KB") and the fault lines named by the compiler's messages.
class TestTextFile : public QObject
{
    Q_OBJECT
private slots:
    void roundTrip_data();
    void roundTrip();
    void otherSteps_data();
    void otherSteps();
    void readRules_data();
    void readRules();
    void faultLines_data();
    void faultLines();
};

void TestTextFile::roundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("readBack");

    QTest::newRow("two lines")
        << u"motor(fwd,fwd)\r\nwait(10)"_s << QByteArray("KB\r\nmotor(fwd,fwd)\r\nwait(10)\r\n")
        << u"motor(fwd,fwd)\r\nwait(10)\r\n"_s;
    QTest::newRow("final break grows by one empty line")
        << u"wait(10)\r\n"_s << QByteArray("KB\r\nwait(10)\r\n\r\n") << u"wait(10)\r\n\r\n"_s;
    QTest::newRow("empty text") << QString() << QByteArray("KB\r\n\r\n") << u"\r\n"_s;
    QTest::newRow("Japanese comment in code page 932")
        << u"wait(1) //まつ"_s << QByteArray("KB\r\nwait(1) //\x82\xdc\x82\xc2\r\n") << u"wait(1) //まつ\r\n"_s;
}

void TestTextFile::roundTrip()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, file);
    QFETCH(QString, readBack);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"p.rk5"_s);
    QVERIFY(cp932::writeLines(path, textFileLines(text)));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), file);
    const cp932::ReadResult read = cp932::readLines(path);
    QVERIFY(read.ok);
    const TextRead back = textFromFileLines(read.lines);
    QCOMPARE(back.status, TextReadStatus::Ok);
    QCOMPARE(back.text, readBack);

    // Every further save and read adds one more empty line at the end.
    QVERIFY(cp932::writeLines(path, textFileLines(back.text)));
    QCOMPARE(textFromFileLines(cp932::readLines(path).lines).text, readBack + u"\r\n"_s);
}

void TestTextFile::otherSteps_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("icon file") << QStringList{u"DD"_s, u"0/motor"_s};
    QTest::newRow("route file") << QStringList{u"D_pro"_s, u"1"_s};
    QTest::newRow("empty file") << QStringList{};
    QTest::newRow("marker in small letters") << QStringList{u"kb"_s, u"wait(1)"_s};
    QTest::newRow("marker with a blank") << QStringList{u"KB "_s, u"wait(1)"_s};
}

void TestTextFile::otherSteps()
{
    QFETCH(QStringList, lines);
    const TextRead read = textFromFileLines(lines);
    QCOMPARE(read.status, TextReadStatus::OtherStep);
    QVERIFY(read.text.isEmpty());
}

void TestTextFile::readRules_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("text");
    QTest::newRow("lone CR and lone LF inside the text")
        << QByteArray("KB\r\na\rb\nc\r\n") << int(TextReadStatus::Ok) << u"a\r\nb\r\nc\r\n"_s;
    QTest::newRow("byte with no character") << QByteArray("KB\r\nwait(1)\r\n//\x85\x40\r\n")
                                            << int(TextReadStatus::Undecodable) << QString();
    QTest::newRow("lead byte without its trail") << QByteArray("KB\r\nwait(1) //\x82")
                                                 << int(TextReadStatus::Undecodable) << QString();
}

void TestTextFile::readRules()
{
    QFETCH(QByteArray, file);
    QFETCH(int, status);
    QFETCH(QString, text);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"p.rk5"_s);
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(file);
    f.close();
    const cp932::ReadResult read = cp932::readLines(path);
    QVERIFY(read.ok);
    const TextRead back = textFromFileLines(read.lines);
    QCOMPARE(int(back.status), status);
    QCOMPARE(back.text, text);
}

void TestTextFile::faultLines_data()
{
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QList<int>>("lines");
    QTest::newRow("one") << QStringList{u"3行目が違います(命令をもう一度確認してください)"_s} << QList<int>{2};
    QTest::newRow("several, in order, each once")
        << QStringList{u"12行目が違います(a)"_s, u"1行目が違います(b)"_s, u"12行目が違います(c)"_s}
        << QList<int>{11, 0};
    QTest::newRow("a message without a line") << QStringList{u"wait命令が入っていません"_s} << QList<int>{};
}

void TestTextFile::faultLines()
{
    QFETCH(QStringList, messages);
    QFETCH(QList<int>, lines);
    QCOMPARE(faultLinesOf(messages), lines);
}

QTEST_APPLESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
