// SPDX-License-Identifier: GPL-3.0-or-later
#include "icon/icontable.h"
#include "icon/valuekeypad.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class TestValueKeypad : public QObject
{
    Q_OBJECT
private slots:
    void typing_data();
    void typing();
    void trackBar_data();
    void trackBar();
    void reopenAndConfirmUnchanged();
};

void TestValueKeypad::typing_data()
{
    QTest::addColumn<QString>("keys"); // digits, "." for the decimal point
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("15.5 s") << u"15.5"_s << 0 << true << 155 << u"15.5"_s;
    QTest::newRow("20.1 s is too long") << u"20.1"_s << 0 << false << 0 << QString();
    QTest::newRow("20 s") << u"20"_s << 0 << true << 200 << u"20.0"_s;
    QTest::newRow("third digit drops the first") << u"912"_s << 0 << true << 120 << u"12.0"_s;
    QTest::newRow("a tenth") << u".1"_s << 0 << true << 1 << u"00.1"_s;
    QTest::newRow("digit after the tenth goes to the integer") << u".12"_s << 0 << true << 21 << u"02.1"_s;
    QTest::newRow("count ignores the tenth") << u"3.7"_s << 7 << true << 3 << u"03.7"_s;
    QTest::newRow("count above 20") << u"21"_s << 7 << false << 0 << QString();
}

void TestValueKeypad::typing()
{
    QFETCH(QString, keys);
    QFETCH(int, kind);
    QFETCH(bool, accepted);
    QFETCH(int, value);
    QFETCH(QString, text);
    TimeKeypad keypad;
    for (QChar c : keys) {
        if (c == u'.')
            keypad.decimalPoint();
        else
            keypad.digit(c.digitValue());
    }
    const TimeKeypad::Confirmed result = keypad.confirm(kind);
    QCOMPARE(result.accepted, accepted);
    if (accepted) {
        QCOMPARE(result.value, value);
        QCOMPARE(result.valueText, text);
    }
}

void TestValueKeypad::trackBar_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("integer");
    QTest::addColumn<QString>("tenths");
    QTest::newRow("time") << 155 << u"秒"_s << u"15"_s << u"5"_s;
    QTest::newRow("time below 1 s") << 7 << u"秒"_s << u"00"_s << u"7"_s;
    QTest::newRow("count rounds half to even down") << 25 << u"回"_s << u"02"_s << u"0"_s;
    QTest::newRow("count rounds half to even up") << 35 << u"回"_s << u"04"_s << u"0"_s;
    QTest::newRow("count 20") << 200 << u"回"_s << u"20"_s << u"0"_s;
    QTest::newRow("no unit leaves the display") << 150 << QString() << u"00"_s << u"0"_s;
}

void TestValueKeypad::trackBar()
{
    QFETCH(int, position);
    QFETCH(QString, unit);
    QFETCH(QString, integer);
    QFETCH(QString, tenths);
    TimeKeypad keypad;
    keypad.trackBarMoved(position, unit);
    QCOMPARE(keypad.integerText(), integer);
    QCOMPARE(keypad.tenthsText(), tenths);
}

void TestValueKeypad::reopenAndConfirmUnchanged()
{
    TimeKeypad keypad;
    QCOMPARE(keypad.reopen(15, u"秒"), 15);
    QCOMPARE(keypad.integerText(), u"1"_s);
    QCOMPARE(keypad.tenthsText(), u"5"_s);
    QCOMPARE(keypad.confirm(SlotKind::MOTION).value, 15);

    QCOMPARE(keypad.reopen(3, u"回"), 30);
    QCOMPARE(keypad.integerText(), u"03"_s);
    QCOMPARE(keypad.confirm(SlotKind::LOOP_START).value, 3);

    keypad.reset();
    QCOMPARE(keypad.integerText(), u"00"_s);
    QCOMPARE(keypad.tenthsText(), u"0"_s);
    QVERIFY(!keypad.decimalFlag());
}

QTEST_GUILESS_MAIN(TestValueKeypad)
#include "tst_valuekeypad.moc"
