// SPDX-License-Identifier: GPL-3.0-or-later
#include "icon/iconfile.h"

#include "common/cp932.h"
#include "icon/icontext.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// 60 lines of a file with only empty slots, for the rows to change.
QStringList emptyFile()
{
    QStringList lines{u"DD"_s};
    for (int i = 0; i < SLOT_COUNT; ++i)
        lines << u"%1/-1///0"_s.arg(i);
    return lines;
}

// A program that is not empty, to see that a refused read leaves it alone.
IconProgram someProgram()
{
    IconProgram program;
    program.setFromIcon(0, u"Image2");
    program.setValue(0, 15);
    program.setFromIcon(7, u"Image10");
    program.setValue(7, 3);
    program.setFromIcon(58, u"Image16");
    return program;
}

// Every icon in turn over all 59 slots, with values of every class, and two emptied slots.
IconProgram fullProgram()
{
    IconProgram program;
    const auto table = iconTable();
    for (int i = 0; i < SLOT_COUNT; ++i) {
        const IconInfo &info = table[size_t(i) % table.size()];
        program.setFromIcon(i, info.icon);
        switch (info.valueClass) {
        case ValueClass::Time: program.setValue(i, 1 + (i * 37) % 200); break;
        case ValueClass::Rotation:
        case ValueClass::Turn: program.setValue(i, 45 * (1 + i % 8)); break;
        case ValueClass::Count: program.setValue(i, 1 + i % 20); break;
        case ValueClass::None: break;
        }
    }
    return program;
}

QString writeTemp(const QTemporaryDir &dir, const QByteArray &bytes)
{
    static int counter = 0;
    const QString path = dir.filePath(u"f%1.rk5"_s.arg(++counter));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return QString();
    f.write(bytes);
    return path;
}

} // namespace

class TestIconFile : public QObject
{
    Q_OBJECT
private slots:
    void slotLines_data();
    void slotLines();
    void writtenBytes();
    void roundTripOfFullProgram();
    void placesByIndexField();
    void laterLineForSameIndexReplacesWhole();
    void linesAfterSixtyIgnored();
    void emptyKindSpeltOtherwise_data();
    void emptyKindSpeltOtherwise();
    void readEmptiesAsClearAllDoes();
    void refusedAndMalformed_data();
    void refusedAndMalformed();
    void stepTwoTakesMotionsOnly();
    void filesOnDisk();
    void fileNames_data();
    void fileNames();
};

void TestIconFile::slotLines_data()
{
    QTest::addColumn<ProgramSlot>("slot");
    QTest::addColumn<QString>("line");
    QTest::newRow("never written") << ProgramSlot{} << u"0/-1///0"_s;
    QTest::newRow("emptied slot 12") << ProgramSlot{QString(), QString(), 12, -1, 0} << u"12/-1///0"_s;
    QTest::newRow("forward 1.5 s")
        << ProgramSlot{u"motor(fwd,fwd)"_s, u"前進"_s, 0, 0, 15} << u"0/0/motor(fwd,fwd)/前進/15"_s;
    QTest::newRow("repeat start") << ProgramSlot{QString(), u"繰返開始"_s, 4, 7, 3} << u"4/7//繰返開始/3"_s;
    QTest::newRow("front check end")
        << ProgramSlot{u"endwhile"_s, u"前チェック終了"_s, 9, 4, 0} << u"9/4/endwhile/前チェック終了/0"_s;
    QTest::newRow("negative value") << ProgramSlot{u"x"_s, u"y"_s, 1, 0, -20} << u"1/0/x/y/-20"_s;
}

void TestIconFile::slotLines()
{
    QFETCH(ProgramSlot, slot);
    QFETCH(QString, line);
    QCOMPARE(iconSlotLine(slot), line);
}

void TestIconFile::writtenBytes()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"p.rk5"_s);
    QVERIFY(writeIconFile(path, someProgram()));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QVERIFY(bytes.startsWith("DD\r\n0/0/motor(fwd,fwd)/\x91\x4f\x90\x69/15\r\n0/-1///0\r\n"));
    QVERIFY(bytes.endsWith("58/6/endwhile/" + cp932::encode(u"後チェック終了") + "/0\r\n"));
    QCOMPARE(bytes.count("\r\n"), 60);
    QCOMPARE(bytes.count('\n'), 60);
    QCOMPARE(bytes.count('\r'), 60);
    QVERIFY(bytes.contains("7/7//" + cp932::encode(u"繰返開始") + "/3\r\n"));

    QVERIFY(!writeIconFile(dir.filePath(u"no/such/folder/p.rk5"_s), someProgram()));
}

void TestIconFile::roundTripOfFullProgram()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"full.rk5"_s);
    const IconProgram saved = fullProgram();
    QVERIFY(writeIconFile(path, saved));

    // Once into a fresh program, once into one that held something else. Empty slots are
    // skipped by the reader, so theirs is the index the reading program gave them.
    for (IconProgram read : {IconProgram(), someProgram()}) {
        QCOMPARE(readIconFile(path, &read, false).status, IconReadStatus::Ok);
        int instructions = 0;
        for (int i = 0; i < SLOT_COUNT; ++i) {
            if (saved.slot(i).holdsInstruction()) {
                QCOMPARE(read.slot(i), saved.slot(i));
                ++instructions;
            } else {
                QVERIFY(!read.slot(i).holdsInstruction());
            }
        }
        QCOMPARE(instructions, SLOT_COUNT - 3); // the delete icon came round three times
        QVERIFY(buildProgramText(saved).ok);
        QCOMPARE(buildProgramText(read).lines, buildProgramText(saved).lines);
    }
}

void TestIconFile::placesByIndexField()
{
    QStringList lines = emptyFile();
    lines[1] = u"30/0/motor(fwd,fwd)/前進/15"_s;
    lines[2] = u"0/8/endloop/繰返終了/0"_s;
    lines[59] = u"58/0/motor(rev,fwd)/左回転/90"_s;
    IconProgram program;
    QCOMPARE(readIconLines(lines, &program, false).status, IconReadStatus::Ok);
    QCOMPARE(program.slot(30), (ProgramSlot{u"motor(fwd,fwd)"_s, u"前進"_s, 30, 0, 15}));
    QCOMPARE(program.slot(0), (ProgramSlot{u"endloop"_s, u"繰返終了"_s, 0, 8, 0}));
    QCOMPARE(program.slot(58).name, u"左回転"_s);
    QVERIFY(!program.slot(1).holdsInstruction());
    // Fields are taken as they stand, even when they do not match the icon table.
    lines[3] = u"5/0/motor(fwd,fwd)/後進/7"_s;
    QCOMPARE(readIconLines(lines, &program, false).status, IconReadStatus::Ok);
    QCOMPARE(program.slot(5).line, u"motor(fwd,fwd)"_s);
    QCOMPARE(program.iconOf(5), u"Image8"_s);
}

void TestIconFile::laterLineForSameIndexReplacesWhole()
{
    QStringList lines = emptyFile();
    lines[3] = u"10/7//繰返開始/4"_s;
    lines[20] = u"10/4/endwhile/前チェック終了/0"_s;
    IconProgram program;
    QCOMPARE(readIconLines(lines, &program, false).status, IconReadStatus::Ok);
    QCOMPARE(program.slot(10), (ProgramSlot{u"endwhile"_s, u"前チェック終了"_s, 10, 4, 0}));
    int instructions = 0;
    for (int i = 0; i < SLOT_COUNT; ++i)
        instructions += program.slot(i).holdsInstruction();
    QCOMPARE(instructions, 1);
}

void TestIconFile::linesAfterSixtyIgnored()
{
    QStringList lines = emptyFile();
    lines << u"3/0/motor(fwd,fwd)/前進/15"_s << u"garbage"_s << QString();
    IconProgram program = someProgram();
    QCOMPARE(readIconLines(lines, &program, false).status, IconReadStatus::Ok);
    QVERIFY(!program.hasInstructions());
}

// A kind that reads as -1 is an empty slot whatever else its line holds, so the program
// saves and reads back to the same file.
void TestIconFile::emptyKindSpeltOtherwise_data()
{
    QTest::addColumn<QString>("line");
    QTest::newRow("leading zero") << u"4/-01/motor(fwd,fwd)/前進/15"_s;
    QTest::newRow("NULs after it") << u"4/-1\0\0/motor(fwd,fwd)/前進/5"_s;
}

void TestIconFile::emptyKindSpeltOtherwise()
{
    QFETCH(QString, line);
    QStringList lines = emptyFile();
    lines[5] = line;
    IconProgram program;
    QCOMPARE(readIconLines(lines, &program, false).status, IconReadStatus::Ok);
    QVERIFY(!program.hasInstructions());
    const QStringList written = iconFileLines(program);
    IconProgram again;
    QCOMPARE(readIconLines(written, &again, false).status, IconReadStatus::Ok);
    QCOMPARE(iconFileLines(again), written);
}

void TestIconFile::readEmptiesAsClearAllDoes()
{
    // Slots that held an instruction before the read carry their number, others keep 0.
    IconProgram program = someProgram();
    QCOMPARE(readIconLines(emptyFile(), &program, false).status, IconReadStatus::Ok);
    QCOMPARE(program.slot(7).index, 7);
    QCOMPARE(program.slot(58).index, 58);
    QCOMPARE(program.slot(6).index, 0);
}

void TestIconFile::refusedAndMalformed_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<IconReadStatus>("status");
    QTest::addColumn<int>("failedLine");

    const auto with = [](int fileLine, const QString &text) {
        QStringList lines = emptyFile();
        lines[fileLine - 1] = text;
        return lines;
    };
    QTest::newRow("route file") << QStringList{u"D_pro"_s} + emptyFile().mid(1) << IconReadStatus::WrongMarker << 1;
    QTest::newRow("text file") << QStringList{u"KB"_s, u"motor(fwd,fwd)"_s} << IconReadStatus::WrongMarker << 1;
    QTest::newRow("empty first line") << with(1, QString()) << IconReadStatus::WrongMarker << 1;
    QTest::newRow("marker is case-sensitive") << with(1, u"dd"_s) << IconReadStatus::WrongMarker << 1;
    QTest::newRow("no lines at all") << QStringList() << IconReadStatus::Malformed << 1;
    QTest::newRow("marker only") << QStringList{u"DD"_s} << IconReadStatus::Malformed << 2;
    QTest::newRow("59 lines") << emptyFile().mid(0, 59) << IconReadStatus::Malformed << 60;
    QTest::newRow("index below the slots") << with(5, u"-1/0/motor(fwd,fwd)/前進/15"_s) << IconReadStatus::Malformed << 5;
    QTest::newRow("index past the slots") << with(5, u"59/0/motor(fwd,fwd)/前進/15"_s) << IconReadStatus::Malformed << 5;
    QTest::newRow("index far out") << with(60, u"2147483647/0/endloop/繰返終了/0"_s) << IconReadStatus::Malformed << 60;
    QTest::newRow("index not a number") << with(2, u"x/0/endloop/繰返終了/0"_s) << IconReadStatus::Malformed << 2;
    QTest::newRow("kind not a number") << with(2, u"1/zero/endloop/繰返終了/0"_s) << IconReadStatus::Malformed << 2;
    QTest::newRow("value not a number") << with(2, u"1/0/motor(fwd,fwd)/前進/1.5"_s) << IconReadStatus::Malformed << 2;
    QTest::newRow("value beyond 32 bits") << with(2, u"1/0/motor(fwd,fwd)/前進/99999999999"_s) << IconReadStatus::Malformed << 2;
    QTest::newRow("kind beyond 32 bits") << with(2, u"1/4294967296/endloop/繰返終了/0"_s) << IconReadStatus::Malformed << 2;
    QTest::newRow("fewer fields") << with(2, u"1/0/motor(fwd,fwd)/15"_s) << IconReadStatus::Malformed << 2;
    QTest::newRow("two fields") << with(2, u"1/0"_s) << IconReadStatus::Malformed << 2;
    QTest::newRow("name with bytes that are no CP932")
        << with(12, u"11/0/motor(fwd,fwd)/前"_s + QChar::ReplacementCharacter + u"進/15"_s) << IconReadStatus::Malformed << 12;
    QTest::newRow("line field with bytes that are no CP932")
        << with(3, u"2/0/motor(fwd,"_s + QChar::ReplacementCharacter + u")/前進/15"_s) << IconReadStatus::Malformed << 3;
    QTest::newRow("blank slot line") << with(30, QString()) << IconReadStatus::Malformed << 30;
    QTest::newRow("bad line after good ones")
        << [&] { QStringList l = with(2, u"0/0/motor(fwd,fwd)/前進/15"_s); l[40] = u"?"_s; return l; }()
        << IconReadStatus::Malformed << 41;
}

void TestIconFile::refusedAndMalformed()
{
    QFETCH(QStringList, lines);
    QFETCH(IconReadStatus, status);
    QFETCH(int, failedLine);
    IconProgram program = someProgram();
    const IconReadResult result = readIconLines(lines, &program, false);
    QCOMPARE(result.status, status);
    QCOMPARE(result.failedLine, failedLine);
    QCOMPARE(program, someProgram());
    if (status == IconReadStatus::WrongMarker)
        QCOMPARE(iconReadMessage(status),
                 u"指定したファイルを開くことが出来ません\r\n他のステップで保存されいる可能性があります。"_s);
    else
        QVERIFY(iconReadMessage(status).isEmpty());
}

void TestIconFile::stepTwoTakesMotionsOnly()
{
    QStringList lines = emptyFile();
    lines[1] = u"0/0/motor(fwd,fwd)/前進/15"_s;
    lines[2] = u"1/7//繰返開始/3"_s;
    IconProgram program = someProgram();
    const IconReadResult result = readIconLines(lines, &program, true);
    QCOMPARE(result.status, IconReadStatus::WrongStep);
    QCOMPARE(result.failedLine, 3);
    QCOMPARE(program, someProgram());
    QCOMPARE(iconReadMessage(result.status), iconReadMessage(IconReadStatus::WrongMarker));

    QCOMPARE(readIconLines(lines, &program, false).status, IconReadStatus::Ok);
    QCOMPARE(program.slot(1).value, 3);
    lines[2] = u"1/-1///0"_s;
    QCOMPARE(readIconLines(lines, &program, true).status, IconReadStatus::Ok);
    QVERIFY(!program.slot(1).holdsInstruction());
}

void TestIconFile::filesOnDisk()
{
    QTemporaryDir dir;
    IconProgram program = someProgram();

    // CR, LF and CR LF all end lines.
    const QByteArray mixed = cp932::encodeLines(emptyFile()).replace("0\r\n1/", "0\r1/").replace("5\r\n", "5\n");
    QCOMPARE(readIconFile(writeTemp(dir, mixed), &program, false).status, IconReadStatus::Ok);

    program = someProgram();
    QCOMPARE(readIconFile(writeTemp(dir, QByteArray()), &program, false).status, IconReadStatus::Malformed);
    QCOMPARE(readIconFile(dir.filePath(u"missing.rk5"_s), &program, false).status, IconReadStatus::FileError);
    QCOMPARE(readIconFile(dir.path(), &program, false).status, IconReadStatus::FileError);

    // Binary junk, with and without the marker in front, is refused and never crashes.
    QRandomGenerator random(25);
    for (int round = 0; round < 50; ++round) {
        QByteArray junk(1 + int(random.bounded(5000)), Qt::Uninitialized);
        for (char &c : junk)
            c = char(random.bounded(256));
        if (round % 2)
            junk.prepend("DD\r\n");
        const IconReadStatus status = readIconFile(writeTemp(dir, junk), &program, round % 3 == 0).status;
        QVERIFY(status != IconReadStatus::Ok);
    }
    QCOMPARE(program, someProgram());

    // A huge file is refused without being read whole.
    const QString big = dir.filePath(u"big.rk5"_s);
    {
        QFile f(big);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(cp932::encodeLines(emptyFile()));
        QVERIFY(f.resize(64 * 1024 * 1024));
    }
    QCOMPARE(readIconFile(big, &program, false).status, IconReadStatus::Malformed);
    QCOMPARE(program, someProgram());
}

void TestIconFile::fileNames_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<bool>("saveOk");
    QTest::addColumn<QString>("savePath");
    QTest::addColumn<bool>("opens");
    QTest::newRow("no extension gets one") << u"/d/mine"_s << true << u"/d/mine.rk5"_s << false;
    QTest::newRow("rk5") << u"/d/mine.rk5"_s << true << u"/d/mine.rk5"_s << true;
    QTest::newRow("upper case kept") << u"/d/mine.RK5"_s << true << u"/d/mine.RK5"_s << true;
    QTest::newRow("txt refused") << u"/d/mine.txt"_s << false << QString() << false;
    QTest::newRow("last dot counts") << u"/d/mine.rk5.txt"_s << false << QString() << false;
    QTest::newRow("dot in the folder only") << u"/d.rk5/mine"_s << true << u"/d.rk5/mine.rk5"_s << false;
    QTest::newRow("trailing dot") << u"/d/mine."_s << false << QString() << false;
}

void TestIconFile::fileNames()
{
    QFETCH(QString, chosen);
    QFETCH(bool, saveOk);
    QFETCH(QString, savePath);
    QFETCH(bool, opens);
    const SaveFileName name = programFileSaveName(chosen);
    QCOMPARE(name.ok, saveOk);
    if (saveOk)
        QCOMPARE(name.path, savePath);
    QCOMPARE(hasProgramFileExtension(chosen), opens);
}

QTEST_GUILESS_MAIN(TestIconFile)
#include "tst_iconfile.moc"
