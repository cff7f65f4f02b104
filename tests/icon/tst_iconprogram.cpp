// SPDX-License-Identifier: GPL-3.0-or-later
#include "icon/iconprogram.h"
#include "icon/iconscreenmodel.h"
#include "icon/icontable.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// A program from (slot, icon, value) triples.
struct Placed
{
    int slot;
    const char16_t *icon;
    qint32 value;
};

IconProgram programOf(std::initializer_list<Placed> placed)
{
    IconProgram program;
    for (const Placed &p : placed) {
        program.setFromIcon(p.slot, QStringView(p.icon));
        program.setValue(p.slot, p.value);
    }
    return program;
}

// The shown names of the slots, "-" for an empty one, up to the last instruction.
QString layout(const IconProgram &program)
{
    QStringList names;
    int last = -1;
    for (int i = 0; i < SLOT_COUNT; ++i) {
        if (program.slot(i).holdsInstruction())
            last = i;
    }
    for (int i = 0; i <= last; ++i) {
        const ProgramSlot &s = program.slot(i);
        names << (s.holdsInstruction() ? s.name + QString::number(s.value) : u"-"_s);
    }
    return names.join(u' ');
}

void verifyIndexesAreNumbersOfWrittenSlots(const IconProgram &program, int from)
{
    for (int i = from; i < SLOT_COUNT; ++i) {
        if (program.slot(i).holdsInstruction())
            QCOMPARE(program.slot(i).index, i);
    }
}

} // namespace

class TestIconProgram : public QObject
{
    Q_OBJECT
private slots:
    void tableRows_data();
    void tableRows();
    void lookupsOfUnknownKeys();
    void reverseLookupCoversEveryName();
    void freshProgram();
    void setFromIconAndEmpty();
    void outOfRangeSlotsAreNeverWritten();
    void drop_data();
    void drop();
    void insertGap_data();
    void insertGap();
    void clearAllSetsIndexOfWrittenSlotsOnly();
    void onlyMotions();
    void recreatedValueText_data();
    void recreatedValueText();
    void screenModel_data();
    void screenModel();
};

void TestIconProgram::tableRows_data()
{
    QTest::addColumn<QString>("icon");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<int>("valueClass");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("dragPicture");
    const auto row = [](const char *tag, const char16_t *icon, const char16_t *name, int kind,
                        const char16_t *line, const char16_t *unit, ValueClass vc, const char16_t *pic,
                        const char16_t *drag) {
        QTest::newRow(tag) << QString::fromUtf16(icon) << QString::fromUtf16(name) << kind
                           << QString::fromUtf16(line) << QString::fromUtf16(unit) << int(vc)
                           << QString::fromUtf16(pic) << QString::fromUtf16(drag);
    };
    row("turn", u"Image1", u"前左折", 0, u"motor(stop,fwd)", u"度", ValueClass::Turn,
        u"Photo\\Button\\FL.bmp", u"Photo\\Button\\FL.bmp");
    row("forward", u"Image2", u"前進", 0, u"motor(fwd,fwd)", u"秒", ValueClass::Time,
        u"Photo\\Button\\FF.bmp", u"Photo\\Button\\FF.bmp");
    row("rotation", u"Image6", u"右回転", 0, u"motor(fwd,rev)", u"度", ValueClass::Rotation,
        u"Photo\\Button\\R_Turn.bmp", u"Photo\\Button\\R_Turn.bmp");
    row("back right", u"Image9", u"後右折", 0, u"motor(rev,stop)", u"度", ValueClass::Turn,
        u"Photo\\Button\\BR.bmp", u"Photo\\Button\\BR.bmp");
    row("repeat start has no line", u"Image10", u"繰返開始", 7, u"", u"回", ValueClass::Count,
        u"Photo\\Button\\Repeat_Start.bmp", u"Photo\\Button\\Repeat_Start.bmp");
    row("repeat end", u"Image11", u"繰返終了", 8, u"endloop", u"", ValueClass::None,
        u"Photo\\Button\\Repeat_End.bmp", u"Photo\\Button\\Repeat_End.bmp");
    row("delete drags another picture", u"Image12", u"", -1, u"", u"", ValueClass::None,
        u"Photo\\Back\\Empty_image.bmp", u"Photo\\Button\\Delete.bmp");
    row("front switch wait has a blank", u"Image13", u"前SW OFFの間", 3, u"while(SW1=OFF)", u"",
        ValueClass::None, u"Photo\\Button\\F_Off_Start.bmp", u"Photo\\Button\\F_Off_Start.bmp");
    row("front check end", u"Image15", u"前チェック終了", 4, u"endwhile", u"", ValueClass::None,
        u"Photo\\Button\\F_Off_End.bmp", u"Photo\\Button\\F_Off_End.bmp");
    row("rear check end shares the line", u"Image16", u"後チェック終了", 6, u"endwhile", u"",
        ValueClass::None, u"Photo\\Button\\B_Off_End.bmp", u"Photo\\Button\\B_Off_End.bmp");
}

void TestIconProgram::tableRows()
{
    QFETCH(QString, icon);
    QFETCH(QString, name);
    QFETCH(int, kind);
    QFETCH(QString, line);
    QFETCH(QString, unit);
    QFETCH(int, valueClass);
    QFETCH(QString, picture);
    QFETCH(QString, dragPicture);
    QCOMPARE(displayNameOf(icon), name);
    QCOMPARE(kindOf(icon), kind);
    QCOMPARE(lineOf(icon), line);
    QCOMPARE(unitOf(icon), unit);
    QCOMPARE(int(valueClassOf(icon)), valueClass);
    QCOMPARE(pictureOf(icon), picture);
    QCOMPARE(dragPictureOf(icon), dragPicture);
    QCOMPARE(iconOfDisplayName(name), icon);
}

void TestIconProgram::lookupsOfUnknownKeys()
{
    for (const QString &key : {u"Image0"_s, u"image2"_s, u"Image17"_s, u"前進"_s, QString()}) {
        QVERIFY(!findIcon(key));
        QCOMPARE(displayNameOf(key), QString());
        QCOMPARE(kindOf(key), 0);
        QCOMPARE(lineOf(key), QString());
        QCOMPARE(unitOf(key), QString());
        QCOMPARE(pictureOf(key), QString());
        QCOMPARE(hintOf(key), QString());
    }
    QCOMPARE(iconOfDisplayName(u"前進左折"), QString()); // a hint, not a name
    QCOMPARE(iconOfDisplayName(u"前SWOFFの間"), QString());
    QCOMPARE(hintOf(u"Image15"), hintOf(u"Image16"));
    QCOMPARE(hintOf(u"Image13"), u"前SWOFFの間"_s);
}

void TestIconProgram::reverseLookupCoversEveryName()
{
    QCOMPARE(iconTable().size(), size_t(16));
    for (const IconInfo &info : iconTable()) {
        QCOMPARE(iconOfDisplayName(info.displayName), info.icon);
        QVERIFY(!info.hint.isEmpty());
    }
}

void TestIconProgram::freshProgram()
{
    const IconProgram program;
    for (int i = 0; i < SLOT_COUNT; ++i) {
        QCOMPARE(program.slot(i), ProgramSlot{});
        QCOMPARE(program.slot(i).index, 0);
        QCOMPARE(program.iconOf(i), u"Image12"_s);
    }
    QVERIFY(!program.hasInstructions());
    QCOMPARE(pictureOf(program.iconOf(0)), u"Photo\\Back\\Empty_image.bmp"_s);
}

void TestIconProgram::setFromIconAndEmpty()
{
    IconProgram program;
    QVERIFY(program.setFromIcon(7, u"Image10"));
    QCOMPARE(program.slot(7), (ProgramSlot{QString(), u"繰返開始"_s, 7, 7, 0}));
    QVERIFY(program.setValue(7, 3));
    QVERIFY(program.setFromIcon(7, u"Image2"));
    QCOMPARE(program.slot(7), (ProgramSlot{u"motor(fwd,fwd)"_s, u"前進"_s, 7, 0, 0}));
    QCOMPARE(program.iconOf(7), u"Image2"_s);

    QVERIFY(!program.setFromIcon(7, u"Image99"));
    QCOMPARE(program.slot(7).name, u"前進"_s);

    QVERIFY(program.setFromIcon(7, u"Image12"));
    QCOMPARE(program.slot(7), (ProgramSlot{QString(), QString(), 7, -1, 0}));

    QVERIFY(program.copySlot(3, 12)); // an unwritten empty slot still stamps the target
    QCOMPARE(program.slot(12).index, 12);
    program.setFromIcon(1, u"Image6");
    program.setValue(1, 90);
    QVERIFY(program.copySlot(1, 40));
    QCOMPARE(program.slot(40), (ProgramSlot{u"motor(fwd,rev)"_s, u"右回転"_s, 40, 0, 90}));
    QCOMPARE(program.slot(1).index, 1);
}

void TestIconProgram::outOfRangeSlotsAreNeverWritten()
{
    IconProgram program = programOf({{0, u"Image2", 10}, {58, u"Image5", 20}});
    const IconProgram before = program;
    for (int n : {-1, 59, 1000, std::numeric_limits<int>::min()}) {
        QVERIFY(!program.setFromIcon(n, u"Image2"));
        QVERIFY(!program.emptySlot(n));
        QVERIFY(!program.setValue(n, 5));
        QVERIFY(!program.copySlot(0, n));
        QVERIFY(!program.copySlot(n, 0));
        QVERIFY(!program.place(n, ProgramSlot{}));
        QVERIFY(!program.dropIcon(n, u"Image12", true));
        program.shiftUp(n);
        program.insertGap(n);
        QCOMPARE(program.slot(n), ProgramSlot{});
    }
    QCOMPARE(program, before);
}

void TestIconProgram::drop_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("icon");
    QTest::addColumn<bool>("shiftUp");
    QTest::addColumn<QString>("after");
    // Before every row: 前進15 at 0, 停止10 at 1, an empty slot 2, 右回転90 at 3.
    QTest::newRow("replace keeps nothing of the old")
        << 1 << u"Image8"_s << true << u"前進15 後進0 - 右回転90"_s;
    QTest::newRow("delete with shift-up closes the gap")
        << 1 << u"Image12"_s << true << u"前進15 - 右回転90"_s;
    QTest::newRow("delete without shift-up leaves a gap")
        << 1 << u"Image12"_s << false << u"前進15 - - 右回転90"_s;
    QTest::newRow("delete on an empty slot with shift-up moves later ones up")
        << 2 << u"Image12"_s << true << u"前進15 停止10 右回転90"_s;
    QTest::newRow("delete on an empty slot without shift-up changes nothing")
        << 2 << u"Image12"_s << false << u"前進15 停止10 - 右回転90"_s;
    QTest::newRow("delete the last instruction")
        << 3 << u"Image12"_s << true << u"前進15 停止10"_s;
}

void TestIconProgram::drop()
{
    QFETCH(int, slot);
    QFETCH(QString, icon);
    QFETCH(bool, shiftUp);
    QFETCH(QString, after);
    IconProgram program = programOf({{0, u"Image2", 15}, {1, u"Image5", 10}, {3, u"Image6", 90}});
    QVERIFY(program.dropIcon(slot, icon, shiftUp));
    QCOMPARE(layout(program), after);
    verifyIndexesAreNumbersOfWrittenSlots(program, 0);
}

void TestIconProgram::insertGap_data()
{
    QTest::addColumn<QList<int>>("filled");
    QTest::addColumn<int>("slot");
    QTest::addColumn<QList<int>>("filledAfter");
    QTest::newRow("gap in the middle") << QList<int>{0, 1, 2} << 1 << QList<int>{0, 2, 3};
    QTest::newRow("gaps are kept") << QList<int>{0, 2, 5} << 1 << QList<int>{0, 3, 6};
    QTest::newRow("on an empty slot") << QList<int>{0, 4} << 2 << QList<int>{0, 5};
    QTest::newRow("last slot discards its instruction") << QList<int>{10, 58} << 58 << QList<int>{10};
    QTest::newRow("a full tail loses the last") << QList<int>{56, 57, 58} << 56 << QList<int>{57, 58};
    QTest::newRow("empty program") << QList<int>{} << 0 << QList<int>{};
}

void TestIconProgram::insertGap()
{
    QFETCH(QList<int>, filled);
    QFETCH(int, slot);
    QFETCH(QList<int>, filledAfter);
    IconProgram program;
    for (int i : filled) {
        program.setFromIcon(i, u"Image2");
        program.setValue(i, i + 1); // the value tells where an instruction came from
    }
    program.insertGap(slot);
    QList<int> now;
    for (int i = 0; i < SLOT_COUNT; ++i) {
        if (program.slot(i).holdsInstruction()) {
            now << i;
            const int from = program.slot(i).value - 1;
            QCOMPARE(i, from < slot ? from : from + 1);
        }
    }
    QCOMPARE(now, filledAfter);
    QVERIFY(!program.slot(slot).holdsInstruction());
    verifyIndexesAreNumbersOfWrittenSlots(program, 0);
}

void TestIconProgram::clearAllSetsIndexOfWrittenSlotsOnly()
{
    IconProgram program = programOf({{4, u"Image2", 10}, {30, u"Image11", 0}, {58, u"Image13", 0}});
    program.place(9, ProgramSlot{u"endloop"_s, u"繰返終了"_s, 0, 8, 0});
    program.clearAll();
    QVERIFY(!program.hasInstructions());
    for (int i = 0; i < SLOT_COUNT; ++i) {
        const bool written = i == 4 || i == 9 || i == 30 || i == 58;
        QCOMPARE(program.slot(i).index, written ? i : 0);
        QCOMPARE(program.slot(i).kind, -1);
        QVERIFY(program.slot(i).name.isEmpty());
    }
}

void TestIconProgram::onlyMotions()
{
    QVERIFY(IconProgram().onlyMotions());
    QVERIFY(programOf({{0, u"Image1", 45}, {9, u"Image9", 90}}).onlyMotions());
    QVERIFY(!programOf({{0, u"Image1", 45}, {9, u"Image16", 0}}).onlyMotions());
    QVERIFY(!programOf({{20, u"Image10", 2}}).onlyMotions());
}

void TestIconProgram::recreatedValueText_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("one digit") << u"前進"_s << 5 << u"00.5秒"_s;
    QTest::newRow("two digits") << u"停止"_s << 15 << u"01.5秒"_s;
    QTest::newRow("three digits") << u"後進"_s << 200 << u"20.0秒"_s;
    QTest::newRow("unset time") << u"前進"_s << 0 << u"00.0秒"_s;
    QTest::newRow("hand-edited long time") << u"前進"_s << 12345 << u"1234.5秒"_s;
    QTest::newRow("hand-edited negative time") << u"前進"_s << -15 << u"-1.5秒"_s;
    QTest::newRow("repeat count") << u"繰返開始"_s << 3 << u"3.0回"_s;
    QTest::newRow("rotation") << u"右回転"_s << 90 << u"90度"_s;
    QTest::newRow("turn") << u"後左折"_s << 315 << u"315度"_s;
    QTest::newRow("no value") << u"繰返終了"_s << 0 << u"0"_s;
    QTest::newRow("unknown name") << u"ジャンプ"_s << 7 << u"7"_s;
}

void TestIconProgram::recreatedValueText()
{
    QFETCH(QString, name);
    QFETCH(int, value);
    QFETCH(QString, text);
    ProgramSlot slot;
    slot.name = name;
    slot.kind = 0;
    slot.value = value;
    QCOMPARE(::recreatedValueText(slot), text);
}

QTEST_GUILESS_MAIN(TestIconProgram)
void TestIconProgram::screenModel_data()
{
    // Actions, separated by ";": drop SLOT ICON, del SLOT (delete icon, no shift up), edit SLOT
    // (its value page opened again), time V,
    // angle V, insert (insert mode on), click SLOT, clear (ぜんぶけす), undo, redo, saved.
    QTest::addColumn<QString>("actions");
    QTest::addColumn<QString>("values"); // each slot's value, "-" for empty, up to the last instruction
    QTest::addColumn<int>("edited");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<bool>("canUndo");
    QTest::newRow("drop opens the value entry") << u"drop 0 Image2"_s << u"0"_s << 0 << true << true;
    QTest::newRow("time stored, entry ends") << u"drop 0 Image2; time 15"_s << u"15"_s << -1 << true << true;
    QTest::newRow("angle not stored in a repeat") << u"drop 0 Image10; angle 90"_s << u"0"_s << -1 << true << true;
    QTest::newRow("count stored in a repeat") << u"drop 0 Image10; time 3"_s << u"3"_s << -1 << true << true;
    QTest::newRow("no value, no entry") << u"drop 1 Image11"_s << u"-,0"_s << -1 << true << true;
    QTest::newRow("a drop ends the open entry") << u"drop 0 Image2; drop 1 Image11; time 15"_s << u"0,0"_s << -1 << true
                                                << true;
    QTest::newRow("same value again is no step") << u"drop 0 Image2; time 15; saved; edit 0; time 15"_s << u"15"_s << -1
                                                 << false << true;
    QTest::newRow("deleting an empty slot is no step") << u"del 3"_s << QString() << -1 << false << false;
    QTest::newRow("clearing nothing is no step") << u"clear; clear"_s << QString() << -1 << false << false;
    QTest::newRow("clear counts as saved") << u"drop 0 Image5; time 5; clear"_s << QString() << -1 << false << true;
    QTest::newRow("undo of clear is modified") << u"drop 0 Image5; time 5; clear; undo"_s << u"5"_s << -1 << true
                                               << true;
    QTest::newRow("undo ends the entry") << u"drop 0 Image2; undo"_s << QString() << -1 << false << false;
    QTest::newRow("redo") << u"drop 0 Image2; undo; redo"_s << u"0"_s << -1 << true << true;
    QTest::newRow("click without insert mode") << u"drop 0 Image11; click 0"_s << u"0"_s << -1 << true << true;
    QTest::newRow("insert opens one gap") << u"drop 0 Image11; insert; click 0; click 0"_s << u"-,0"_s << -1 << true
                                          << true;
}

void TestIconProgram::screenModel()
{
    QFETCH(QString, actions);
    QFETCH(QString, values);
    QFETCH(int, edited);
    QFETCH(bool, modified);
    QFETCH(bool, canUndo);
    IconScreenModel model;
    model.setStepMode(2);
    for (const QString &action : actions.split(u';', Qt::SkipEmptyParts)) {
        const QStringList w = action.trimmed().split(u' ');
        const QString &verb = w[0];
        const int n = w.value(1).toInt();
        if (verb == u"drop")
            model.drop(n, w[2], false);
        else if (verb == u"del")
            model.drop(n, DELETE_ICON.toString(), false);
        else if (verb == u"edit")
            model.beginEditing(n);
        else if (verb == u"time")
            model.confirmTime(n);
        else if (verb == u"angle")
            model.confirmAngle(n);
        else if (verb == u"insert")
            model.toggleInsertMode();
        else if (verb == u"click")
            model.insertGapAt(n);
        else if (verb == u"clear")
            model.emptySlots();
        else if (verb == u"undo")
            model.undo();
        else if (verb == u"redo")
            model.redo();
        else if (verb == u"saved")
            model.markSaved();
        else
            QFAIL(qPrintable(u"unknown action "_s + verb));
    }
    QStringList seen;
    for (int i = 0; i < SLOT_COUNT; ++i) {
        const ProgramSlot &slot = model.program().slot(i);
        seen << (slot.holdsInstruction() ? QString::number(slot.value) : u"-"_s);
    }
    while (!seen.isEmpty() && seen.last() == u"-")
        seen.removeLast();
    QCOMPARE(seen.join(u','), values);
    QCOMPARE(model.editedSlot(), edited);
    QCOMPARE(model.modified(), modified);
    QCOMPARE(model.canUndo(), canUndo);
}

#include "tst_iconprogram.moc"
