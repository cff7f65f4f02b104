// SPDX-License-Identifier: GPL-3.0-or-later
#include "icon/icontext.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

struct Placed
{
    int slot;
    QString icon;
    qint32 value;
};

IconProgram programOf(const QList<Placed> &placed)
{
    IconProgram program;
    for (const Placed &p : placed) {
        program.setFromIcon(p.slot, p.icon);
        program.setValue(p.slot, p.value);
    }
    return program;
}

} // namespace

Q_DECLARE_METATYPE(IconProgram)

class TestIconText : public QObject
{
    Q_OBJECT
private slots:
    void conversion_data();
    void conversion();
    void waitTable_data();
    void waitTable();
    void refusal_data();
    void refusal();
};

void TestIconText::conversion_data()
{
    QTest::addColumn<IconProgram>("program");
    QTest::addColumn<QStringList>("lines");
    // The slot each line was written for: where the running line is lit.
    QTest::addColumn<QList<int>>("lineSlots");
    QTest::newRow("forward, rotation, stop")
        << programOf({{0, u"Image2"_s, 15}, {1, u"Image6"_s, 90}, {2, u"Image5"_s, 10}})
        << QStringList{u"motor(fwd,fwd)"_s, u"wait(15)"_s, u"motor(fwd,rev)"_s, u"wait(5)"_s,
                       u"motor(stop,stop)"_s, u"wait(10)"_s}
        << QList<int>{0, 0, 1, 1, 2, 2};
    QTest::newRow("repeat")
        << programOf({{0, u"Image10"_s, 3}, {1, u"Image2"_s, 10}, {2, u"Image11"_s, 0}})
        << QStringList{u"loop(3)"_s, u"motor(fwd,fwd)"_s, u"wait(10)"_s, u"endloop"_s}
        << QList<int>{0, 1, 1, 2};
    QTest::newRow("front switch wait")
        << programOf({{0, u"Image13"_s, 0}, {1, u"Image8"_s, 20}, {2, u"Image15"_s, 0}})
        << QStringList{u"while(SW1=OFF)"_s, u"motor(rev,rev)"_s, u"wait(20)"_s, u"endwhile"_s}
        << QList<int>{0, 1, 1, 2};
    QTest::newRow("rear switch wait")
        << programOf({{0, u"Image14"_s, 0}, {1, u"Image16"_s, 0}})
        << QStringList{u"while(SW2=OFF)"_s, u"endwhile"_s}
        << QList<int>{0, 1};
    QTest::newRow("empty program gives empty text") << IconProgram() << QStringList()
        << QList<int>{};
    QTest::newRow("gaps leave no trace")
        << programOf({{3, u"Image1"_s, 90}, {20, u"Image12"_s, 0}, {58, u"Image9"_s, 360}})
        << QStringList{u"motor(stop,fwd)"_s, u"wait(10)"_s, u"motor(rev,stop)"_s, u"wait(40)"_s}
        << QList<int>{3, 3, 58, 58};
    QTest::newRow("shortest times")
        << programOf({{0, u"Image2"_s, 1}, {1, u"Image8"_s, 200}, {2, u"Image5"_s, 7}})
        << QStringList{u"motor(fwd,fwd)"_s, u"wait(1)"_s, u"motor(rev,rev)"_s, u"wait(200)"_s,
                       u"motor(stop,stop)"_s, u"wait(7)"_s}
        << QList<int>{0, 0, 1, 1, 2, 2};
    QTest::newRow("unmatched ends are translated as they are")
        << programOf({{0, u"Image11"_s, 0}, {1, u"Image15"_s, 0}})
        << QStringList{u"endloop"_s, u"endwhile"_s}
        << QList<int>{0, 1};
}

void TestIconText::conversion()
{
    QFETCH(IconProgram, program);
    QFETCH(QStringList, lines);
    QFETCH(QList<int>, lineSlots);
    const ProgramTextResult result = buildProgramText(program);
    QVERIFY(result.ok);
    QCOMPARE(result.lines, lines);
    QCOMPARE(result.lineSlots, lineSlots);
    QVERIFY(result.message.isEmpty());
}

void TestIconText::waitTable_data()
{
    QTest::addColumn<int>("angle");
    QTest::addColumn<int>("rotation");
    QTest::addColumn<int>("turn");
    QTest::newRow("45, half to even") << 45 << 2 << 5;
    QTest::newRow("90") << 90 << 5 << 10;
    QTest::newRow("135, half to even") << 135 << 8 << 15;
    QTest::newRow("180") << 180 << 10 << 20;
    QTest::newRow("225, half to even") << 225 << 12 << 25;
    QTest::newRow("270") << 270 << 15 << 30;
    QTest::newRow("315, half to even") << 315 << 18 << 35;
    QTest::newRow("360") << 360 << 20 << 40;
}

void TestIconText::waitTable()
{
    QFETCH(int, angle);
    QFETCH(int, rotation);
    QFETCH(int, turn);
    for (const QString &icon : {u"Image4"_s, u"Image6"_s}) {
        const ProgramTextResult r = buildProgramText(programOf({{5, icon, angle}}));
        QVERIFY(r.ok);
        QCOMPARE(r.lines.value(1), u"wait(%1)"_s.arg(rotation));
    }
    for (const QString &icon : {u"Image1"_s, u"Image3"_s, u"Image7"_s, u"Image9"_s}) {
        const ProgramTextResult r = buildProgramText(programOf({{5, icon, angle}}));
        QVERIFY(r.ok);
        QCOMPARE(r.lines.value(1), u"wait(%1)"_s.arg(turn));
    }
    // The time formula gives every time as it is.
    for (int tenths = 1; tenths <= 200; ++tenths)
        QCOMPARE(waitLengthText(u"前進", tenths), QString::number(tenths));
}

void TestIconText::refusal_data()
{
    QTest::addColumn<IconProgram>("program");
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("warning");
    QTest::newRow("time not set")
        << programOf({{0, u"Image2"_s, 10}, {3, u"Image5"_s, 0}}) << 3
        << u"4個目の秒数が設定されていない為転送できません。"_s << false;
    QTest::newRow("angle not set uses the time message")
        << programOf({{11, u"Image4"_s, 0}}) << 11
        << u"12個目の秒数が設定されていない為転送できません。"_s << false;
    QTest::newRow("count not set")
        << programOf({{0, u"Image10"_s, 0}, {1, u"Image2"_s, 10}}) << 0
        << u"1個目の繰返し回数が設定されていない為転送できません。"_s << true;
    QTest::newRow("first unset slot in slot order wins")
        << programOf({{4, u"Image2"_s, 0}, {1, u"Image10"_s, 0}}) << 1
        << u"2個目の繰返し回数が設定されていない為転送できません。"_s << true;
    QTest::newRow("last slot")
        << programOf({{0, u"Image2"_s, 10}, {58, u"Image9"_s, 0}}) << 58
        << u"59個目の秒数が設定されていない為転送できません。"_s << false;
}

void TestIconText::refusal()
{
    QFETCH(IconProgram, program);
    QFETCH(int, slot);
    QFETCH(QString, message);
    QFETCH(bool, warning);
    const ProgramTextResult result = buildProgramText(program);
    QVERIFY(!result.ok);
    QCOMPARE(result.refusedSlot, slot);
    QCOMPARE(result.message, message);
    QCOMPARE(result.box, warning ? RefusalBox::Warning : RefusalBox::Information);
    QVERIFY(result.lines.isEmpty());
}

QTEST_GUILESS_MAIN(TestIconText)
#include "tst_icontext.moc"
