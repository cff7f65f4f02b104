// SPDX-License-Identifier: GPL-3.0-or-later
#include "robot/instructioncode.h"
#include "robot/programimage.h"
#include "robot/tsmr.h"
#include "sim/disassembler.h"
#include "support/iconfiles.h"
#include "support/testenv.h"

#include <QtTest>

using namespace Qt::StringLiterals;

// Stored bytes back into program text.
class TestDisassembler : public QObject
{
    Q_OBJECT
private slots:
    void text_data();
    void text();
    void imagesCompileBack_data();
    void imagesCompileBack();
};

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

using testenv::iconFile;
using testenv::forwards;

QByteArray parseByteLine(const QString &line)
{
    QByteArray out;
    for (const QString &n : line.split(u' ', Qt::SkipEmptyParts))
        out.append(char(n.toInt()));
    return out;
}

}

void TestDisassembler::text_data()
{
    QTest::addColumn<QByteArray>("program");
    QTest::addColumn<QString>("text");

    QTest::newRow("motor with its wait") << bytes({69, 10, 254}) << u"motor(fwd,fwd)\nwait(10)\n"_s;
    QTest::newRow("wait of 254 is no end") << bytes({74, 254, 254}) << u"motor(rev,rev)\nwait(254)\n"_s;
    QTest::newRow("nested blocks indented")
        << bytes({136, 2, 200, 66, 1, 201, 137, 254})
        << u"loop(2)\n  while(1)\n    motor(stop,rev)\n    wait(1)\n  endwhile\nendloop\n"_s;
    QTest::newRow("elseif at the depth of its if")
        << bytes({229, 46, 3, 232, 43, 233, 254})
        << u"if(io1=lo)\n  io2(on)\n  wait(3)\nelseif\n  setio2(out)\nendif\n"_s;
    QTest::newRow("motor families switch")
        << bytes({85, 1, 84, 2, 69, 3, 254})
        << u"motor_set 1\nmotor(fwd,fwd)\nwait(1)\nmotor(fwd,stop)\nwait(2)\nmotor_set 2\nmotor(fwd,fwd)\nwait(3)\n"_s;
    QTest::newRow("speed in the order written") << bytes({96, 50, 7, 254}) << u"speed(50,7)\n"_s;
    QTest::newRow("stops at an unknown byte") << bytes({69, 1, 67, 1, 254}) << u"motor(fwd,fwd)\nwait(1)\n// 知らない命令 67\n"_s;
    QTest::newRow("cut off at the end") << bytes({64, 1, 136}) << u"motor(stop,stop)\nwait(1)\n// とちゅうで切れた命令 136\n"_s;
    QTest::newRow("nothing stored") << QByteArray(40, char(254)) << QString();
    QTest::newRow("unmatched ends stay at the left") << bytes({137, 233, 201, 254}) << u"endloop\nendif\nendwhile\n"_s;
}

void TestDisassembler::text()
{
    QFETCH(QByteArray, program);
    QFETCH(QString, text);
    QCOMPARE(sim::disassembledText(program), text);
}

void TestDisassembler::imagesCompileBack_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("input");

    const QStringList plain{u"--image"_s};
    const QStringList header{u"--image"_s, u"--wait-for-switch"_s};
    const QByteArray example = iconFile({{0, u"Image2"_s, 15}, {3, u"Image6"_s, 90}, {4, u"Image5"_s, 10}});
    const QByteArray control = iconFile({{0, u"Image10"_s, 3}, {1, u"Image13"_s, 0}, {2, u"Image4"_s, 45},
                                         {3, u"Image15"_s, 0}, {4, u"Image11"_s, 0}});
    const QByteArray rear = iconFile({{10, u"Image14"_s, 0}, {11, u"Image7"_s, 135}, {12, u"Image16"_s, 0}});
    QTest::newRow("icon motions") << plain << example;
    QTest::newRow("icon motions after the header") << header << example;
    QTest::newRow("icon repeat and front switch") << plain << control;
    QTest::newRow("icon rear switch after the header") << header << rear;
    // With the header the last three slots are hidden: 56 motions fill the image to 117.
    QTest::newRow("hidden slots: 56 motions with the header") << header << iconFile(forwards(56));
    QTest::newRow("all 59 slots without the header") << plain << iconFile(forwards(59));
    QTest::newRow("header fills one block exactly")
        << header << iconFile(forwards(17) + QList<std::tuple<int, QString, int>>{{17, u"Image11"_s, 0}});
    QTest::newRow("text loop and while")
        << plain << u"KB\r\nloop(3)\r\nmotor(fwd,fwd) //forward\r\nwait(10)\r\nmotor(fwd,rev)\r\nwait(5)\r\nendloop\r\n"
                    u"\r\nwhile(sw1=off)\r\nmotor(stop,stop)\r\nwait(1)\r\nendwhile\r\n"_s.toUtf8();
    QTest::newRow("text if and io")
        << plain << u"KB\r\nif (sw2=on)\r\nio1(on)\r\nwait(20)\r\nelseif\r\nsetio2(out)\r\nendif\r\n"_s.toUtf8();
    QTest::newRow("text every condition")
        << plain << QByteArray("KB\r\nif(sw1=on)\r\nif(sw1=off)\r\nif(SW2=ON)\r\nif(sw2=OFF)\r\nif(io1=hi)\r\n"
                               "if(IO2=Lo)\r\nwhile(sw2=on)\r\nwhile(sw2=off)\r\nwhile(io1=LO)\r\nwhile(io2=hi)\r\n"
                               "while(1)\r\nendwhile\r\nendif\r\n");
    QTest::newRow("text io and speed")
        << plain << QByteArray("KB\r\nsetio1(in)\r\nsetIO1(OUT)\r\nSETIO2(IN)\r\nsetio2(out)\r\nio1(off)\r\nwait(1)\r\n"
                               "IO2(ON)\r\nWAIT(2)\r\nio2(OFF)\r\nwait(3)\r\nspeed(050,7)\r\n");
    QTest::newRow("text both motor sets")
        << plain << QByteArray("KB\r\nmotor_set 1\r\nmotor(rev,rev)\r\nwait(7)\r\nmotor(stop,fwd)\r\nwait(254)\r\n"
                               "motor_set 2\r\nmotor(fwd,stop)\r\nwait(255)\r\n");
}

// Every image the compiler makes, read back as text, compiles to the same instruction bytes:
// the window shows what the robot really holds.
void TestDisassembler::imagesCompileBack()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, input);
    const testenv::Outcome o = testenv::runRk25c(args, input);
    QCOMPARE(o.err, QString());
    QCOMPARE(o.exitCode, 0);
    const QByteArray image = parseByteLine(o.out.trimmed());
    QVERIFY(image.size() % BLOCK_SIZE == 0 && !image.isEmpty());

    const QString text = sim::disassembledText(image);
    TSmr smr(text);
    QVERIFY2(smr.Compile(), qPrintable(text + smr.GetMessages()));
    const QByteArray code = compiledBytes(smr.codeLines());
    QCOMPARE(code + char(TERMINATOR), image.left(code.size() + 1));
    QCOMPARE(image.mid(code.size()), QByteArray(image.size() - code.size(), char(TERMINATOR)));
}

QTEST_GUILESS_MAIN(TestDisassembler)
#include "tst_disassembler.moc"
