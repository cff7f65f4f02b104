// SPDX-License-Identifier: GPL-3.0-or-later
#include "robot/tsmr.h"

#include <QtTest>

using namespace Qt::StringLiterals;

// Compiler cases: program text in, code lines or messages out.
class TestTsmr : public QObject
{
    Q_OBJECT
private slots:
    void compiles_data();
    void compiles();
    void reports_data();
    void reports();
    void addMessageForm();
    void getCodeAndMessagesEndEachLineWithCrLf();
    void sourceLinesFollowStatements();
    void motorCodesOfBothSets_data();
    void motorCodesOfBothSets();
    void conditionCodes_data();
    void conditionCodes();
};

namespace {
QString lines(std::initializer_list<const char *> ls)
{
    QStringList out;
    for (const char *l : ls)
        out.append(QString::fromUtf8(l));
    return out.join(u"\r\n"_s);
}

QString msg(int line, const char16_t *detail)
{
    return QString::number(line) + u"行目が違います("_s + QString::fromUtf16(detail) + u")"_s;
}
}

void TestTsmr::compiles_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("code");

    QTest::newRow("empty text") << QString() << QStringList();
    QTest::newRow("worked example loop/while")
        << lines({"loop(3)", "motor(fwd,fwd) //forward", "wait(10)", "motor(fwd,rev)", "wait(5)", "endloop", "",
                  "while(sw1=off)", "motor(stop,stop)", "wait(1)", "endwhile"})
        << QStringList{"136", "3", "69", "10", "70", "5", "137", "193", "64", "1", "201"};
    QTest::newRow("worked example if/io")
        << lines({"if (sw2=on)", "io1(on)", "wait(20)", "elseif", "setio2(out)", "endif"})
        << QStringList{"227", "44", "20", "232", "43", "233"};
    QTest::newRow("motor_set 1") << lines({"motor_set 1", "motor(rev,rev)", "wait(7)"}) << QStringList{"90", "7"};
    QTest::newRow("motor_set back to 2")
        << lines({"motor_set 1", "motor(stop,stop)", "wait(1)", "motor_set   2", "motor(stop,stop)", "wait(1)"})
        << QStringList{"80", "1", "64", "1"};
    QTest::newRow("capitals") << lines({"MOTOR(FWD,FWD)", "WAIT(10)"}) << QStringList{"69", "10"};
    QTest::newRow("values as written") << lines({"speed(050,7)"}) << QStringList{"96", "050", "7"};
    QTest::newRow("speed with trailing blanks") << lines({"  speed(1,255)   "}) << QStringList{"96", "1", "255"};
    QTest::newRow("while(1)") << lines({"while(1)", "endwhile"}) << QStringList{"200", "201"};
    QTest::newRow("while with blanks") << lines({"while (sw1 = on)", "endwhile"}) << QStringList{"192", "201"};
    QTest::newRow("endloop alone") << lines({"endloop"}) << QStringList{"137"};
    QTest::newRow("motor and wait on one line") << lines({"motor(fwd,fwd) wait(10)"}) << QStringList{"69", "10"};
    QTest::newRow("55555 is a blank line") << lines({"55555", "endif"}) << QStringList{"233"};
    QTest::newRow("triple slash comment") << lines({"///", "endif"}) << QStringList{"233"};
    QTest::newRow("comment only lines") << lines({"// start", "   // indented", "endwhile // end"})
                                        << QStringList{"201"};
    QTest::newRow("blank-only line") << lines({"   ", "elseif"}) << QStringList{"232"};
    QTest::newRow("LF and CR breaks") << u"loop(2)\nendloop\rendif\n"_s << QStringList{"136", "2", "137", "233"};
    QTest::newRow("io lines with hi/lo")
        << lines({"setio1(in)", "setIO1(OUT)", "SETIO2(IN)", "setio2(out)", "if(io1=hi)", "if(IO2=Lo)",
                  "while(io1=LO)", "while(io2=hi)"})
        << QStringList{"40", "41", "42", "43", "228", "231", "196", "199"};
    QTest::newRow("io outputs") << lines({"io1(off)", "wait(1)", "IO2(ON)", "WAIT(2)", "io2(OFF)", "wait(3)"})
                                << QStringList{"45", "1", "46", "2", "47", "3"};
    QTest::newRow("all switch conditions")
        << lines({"if(sw1=on)", "if(sw1=off)", "if(SW2=ON)", "if(sw2=OFF)", "while(sw2=on)", "while(sw2=off)"})
        << QStringList{"225", "224", "227", "226", "194", "195"};
    QTest::newRow("leading zeros accepted") << lines({"loop(001)"}) << QStringList{"136", "001"};
}

void TestTsmr::compiles()
{
    QFETCH(QString, text);
    QFETCH(QStringList, code);
    TSmr smr(text);
    QVERIFY2(smr.Compile(), qPrintable(smr.GetMessages()));
    QCOMPARE(smr.codeLines(), code);
    QCOMPARE(smr.sourceLines().size(), code.size());
    QCOMPARE(smr.GetMessages(), QString());
}

void TestTsmr::reports_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("messages");

    QTest::newRow("unknown statement") << lines({"loop(2)", "jump(3)", "endloop", "fly"})
                                       << QStringList{msg(2, smr::CHECK_STATEMENT), msg(4, smr::CHECK_STATEMENT)};
    QTest::newRow("Motor in mixed case")
        << lines({"Motor(fwd,fwd)"})
        << QStringList{msg(1, smr::CHECK_NEIGHBOURS), msg(1, smr::CHECK_NEIGHBOURS), msg(1, smr::CHECK_NEIGHBOURS)};
    QTest::newRow("motor_set(1) fails the check") << lines({"motor_set(1)"}) << QStringList{msg(1, smr::CHECK_STATEMENT)};
    QTest::newRow("motor_set 12") << lines({"motor_set 12"}) << QStringList{msg(1, smr::MOTOR_SET_VALUE)};
    QTest::newRow("while (1) with a blank") << lines({"endloop", "while (1)"})
                                            << QStringList{msg(2, smr::CHECK_STATEMENT)};
    QTest::newRow("loop(0)") << lines({"loop(0)"}) << QStringList{msg(1, smr::VALUE_RANGE)};
    QTest::newRow("wait(300)") << lines({"motor(fwd,fwd)", "wait(300)"}) << QStringList{msg(2, smr::VALUE_RANGE)};
    QTest::newRow("wait(1000) fails the check") << lines({"motor(fwd,fwd)", "wait(1000)"})
                                                << QStringList{msg(2, smr::CHECK_STATEMENT)};
    QTest::newRow("speed values each tested") << lines({"endif", "speed(0,256)"})
                                              << QStringList{msg(2, smr::VALUE_RANGE), msg(2, smr::VALUE_RANGE)};
    QTest::newRow("if(io1=on)") << lines({"if(io1=on)"}) << QStringList{msg(1, smr::ON_OR_OFF)};
    QTest::newRow("while(sw1=hi)") << lines({"elseif", "while(sw1=hi)"}) << QStringList{msg(2, smr::ON_OR_OFF)};
    QTest::newRow("state in wrong case") << lines({"if(sw1=On)"}) << QStringList{msg(1, smr::ON_OR_OFF)};
    QTest::newRow("motor on last line") << lines({"endif", "motor(fwd,fwd)"}) << QStringList{msg(3, smr::MISSING_WAIT)};
    QTest::newRow("blank line before wait")
        << lines({"motor(fwd,fwd)", "", "wait(10)"})
        << QStringList{msg(2, smr::MISSING_WAIT), msg(3, smr::CHECK_NEIGHBOURS), msg(3, smr::CHECK_NEIGHBOURS)};
    QTest::newRow("wait without motor") << lines({"wait(5)"})
                                        << QStringList{msg(1, smr::CHECK_NEIGHBOURS), msg(1, smr::CHECK_NEIGHBOURS)};
    QTest::newRow("bad direction case") << lines({"motor(Fwd,fwd)", "wait(1)"}) << QStringList{msg(1, smr::BAD_DIRECTION)};
    QTest::newRow("io state in mixed case counts as missing wait")
        << lines({"io1(On)", "wait(2)"})
        << QStringList{msg(2, smr::MISSING_WAIT), msg(2, smr::CHECK_NEIGHBOURS), msg(2, smr::CHECK_NEIGHBOURS)};
    QTest::newRow("io without wait") << lines({"io2(on)", "endif"}) << QStringList{msg(2, smr::MISSING_WAIT)};
    QTest::newRow("setio wrong case") << lines({"setio1(In)"}) << QStringList{msg(1, smr::IN_OR_OUT)};
    QTest::newRow("motor followed by loop uses the loop token")
        << lines({"motor(fwd,fwd) loop(3)"})
        << QStringList{msg(2, smr::MISSING_WAIT), msg(1, smr::CHECK_NEIGHBOURS)};
    QTest::newRow("check reports every bad line and stops translation")
        << lines({"bad1", "loop(0)", "bad2"})
        << QStringList{msg(1, smr::CHECK_STATEMENT), msg(3, smr::CHECK_STATEMENT)};
    QTest::newRow("invalid bytes decoded as replacement")
        << QString(QChar::ReplacementCharacter) + u"loop(1)"_s << QStringList{msg(1, smr::CHECK_STATEMENT)};
}

void TestTsmr::reports()
{
    QFETCH(QString, text);
    QFETCH(QStringList, messages);
    TSmr smr(text);
    QVERIFY(!smr.Compile());
    QCOMPARE(smr.messages(), messages);
}

void TestTsmr::addMessageForm()
{
    TSmr smr{QString()};
    QVERIFY(smr.Compile());
    smr.AddMessage(3, u"1から255までを入れてください"_s);
    QCOMPARE(smr.GetMessages(), u"3行目が違います(1から255までを入れてください)\r\n"_s);
    QVERIFY(!smr.succeeded());
}

void TestTsmr::getCodeAndMessagesEndEachLineWithCrLf()
{
    TSmr ok(u"motor(fwd,fwd)\r\nwait(10)"_s);
    QVERIFY(ok.Compile());
    QCOMPARE(ok.GetCode(), u"69\r\n10\r\n"_s);
    TSmr bad(u"x\r\ny"_s);
    QVERIFY(!bad.Compile());
    QCOMPARE(bad.GetMessages(), msg(1, smr::CHECK_STATEMENT) + u"\r\n"_s + msg(2, smr::CHECK_STATEMENT) + u"\r\n"_s);
}

void TestTsmr::sourceLinesFollowStatements()
{
    // A wait's count belongs to its motor line; blank and comment lines leave no code.
    TSmr smr(lines({"loop(3)", "motor(fwd,fwd) //forward", "wait(10)", "motor(fwd,rev)", "wait(5)", "endloop", "",
                    "while(sw1=off)", "motor(stop,stop) wait(1)", "// done", "endwhile"}));
    QVERIFY(smr.Compile());
    QCOMPARE(smr.sourceLines(), (QList<int>{1, 1, 2, 2, 4, 4, 6, 8, 9, 9, 11}));
}

void TestTsmr::motorCodesOfBothSets_data()
{
    QTest::addColumn<QString>("pair");
    QTest::addColumn<int>("set2");
    QTest::addColumn<int>("set1");
    QTest::newRow("stop,stop") << "stop,stop" << 64 << 80;
    QTest::newRow("stop,fwd") << "stop,fwd" << 65 << 81;
    QTest::newRow("stop,rev") << "stop,rev" << 66 << 82;
    QTest::newRow("fwd,stop") << "fwd,stop" << 68 << 84;
    QTest::newRow("fwd,fwd") << "fwd,fwd" << 69 << 85;
    QTest::newRow("fwd,rev") << "fwd,rev" << 70 << 86;
    QTest::newRow("rev,stop") << "rev,stop" << 72 << 88;
    QTest::newRow("rev,fwd") << "rev,fwd" << 73 << 89;
    QTest::newRow("rev,rev") << "rev,rev" << 74 << 90;
}

void TestTsmr::motorCodesOfBothSets()
{
    QFETCH(QString, pair);
    QFETCH(int, set2);
    QFETCH(int, set1);
    TSmr two(u"motor("_s + pair + u")\nwait(1)"_s);
    QVERIFY(two.Compile());
    QCOMPARE(two.codeLines(), (QStringList{QString::number(set2), u"1"_s}));
    TSmr one(u"motor_set 1\nmotor("_s + pair + u")\nwait(1)"_s);
    QVERIFY(one.Compile());
    QCOMPARE(one.codeLines(), (QStringList{QString::number(set1), u"1"_s}));
}

void TestTsmr::conditionCodes_data()
{
    QTest::addColumn<QString>("condition");
    QTest::addColumn<int>("whileCode");
    QTest::addColumn<int>("ifCode");
    QTest::newRow("sw1=on") << "sw1=on" << 192 << 225;
    QTest::newRow("sw1=off") << "sw1=off" << 193 << 224;
    QTest::newRow("sw2=on") << "sw2=on" << 194 << 227;
    QTest::newRow("sw2=off") << "sw2=off" << 195 << 226;
    QTest::newRow("io1=lo") << "io1=lo" << 196 << 229;
    QTest::newRow("io1=hi") << "io1=hi" << 197 << 228;
    QTest::newRow("io2=lo") << "io2=lo" << 198 << 231;
    QTest::newRow("io2=hi") << "io2=hi" << 199 << 230;
}

void TestTsmr::conditionCodes()
{
    QFETCH(QString, condition);
    QFETCH(int, whileCode);
    QFETCH(int, ifCode);
    TSmr smr(u"while("_s + condition + u")\nif("_s + condition + u")"_s);
    QVERIFY(smr.Compile());
    QCOMPARE(smr.codeLines(), (QStringList{QString::number(whileCode), QString::number(ifCode)}));
}

QTEST_GUILESS_MAIN(TestTsmr)
#include "tst_tsmr.moc"
