// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/cp932.h"
#include "icon/iconfile.h"
#include "robot/programimage.h"
#include "support/iconfiles.h"
#include "support/testenv.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

// Drives the real command-line compiler on icon program files.
class TestRk25cIcon : public QObject
{
    Q_OBJECT
private slots:
    void run_data();
    void run();
    void readsSavedFile();
};

namespace {

using testenv::Outcome;
using testenv::runRk25c;
using testenv::numberLine;
using testenv::iconFile;
using testenv::forwards;

// A file of empty slots with file line n (from 1) replaced.
QByteArray withLine(int n, const QString &text)
{
    QStringList lines = iconFileLines(IconProgram());
    lines[n - 1] = text;
    return cp932::encodeLines(lines);
}

QString repeated(const QString &part, int count)
{
    return QStringList(count, part).join(u' ');
}

} // namespace

void TestRk25cIcon::run_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");

    const QByteArray example = iconFile({{0, u"Image2"_s, 15}, {3, u"Image6"_s, 90}, {4, u"Image5"_s, 10}});
    QTest::newRow("text")
        << QStringList{u"--text"_s} << example << 0
        << u"motor(fwd,fwd)\nwait(15)\nmotor(fwd,rev)\nwait(5)\nmotor(stop,stop)\nwait(10)\n"_s << QString();
    QTest::newRow("bytes") << QStringList() << example << 0 << u"69 15 70 5 64 10\n"_s << QString();
    QTest::newRow("image") << QStringList{u"--image"_s} << example << 0 << numberLine(u"69 15 70 5 64 10 254"_s, 33)
                           << QString();
    QTest::newRow("image waiting for the switch")
        << QStringList{u"--image"_s, u"--wait-for-switch"_s} << example << 0
        << numberLine(u"193 64 1 201 69 15 70 5 64 10 254"_s, 29) << QString();
    QTest::newRow("text of control icons")
        << QStringList{u"--text"_s}
        << iconFile({{0, u"Image10"_s, 3}, {1, u"Image13"_s, 0}, {2, u"Image4"_s, 45}, {3, u"Image15"_s, 0},
                     {4, u"Image11"_s, 0}})
        << 0 << u"loop(3)\nwhile(SW1=OFF)\nmotor(rev,fwd)\nwait(2)\nendwhile\nendloop\n"_s << QString();
    QTest::newRow("empty program") << QStringList{u"--text"_s} << iconFile({}) << 0 << QString() << QString();

    // Icon images of exactly one block stay one block, header or not.
    QStringList pairs = QStringList(17, u"69 1"_s);
    QTest::newRow("header fills one block exactly")
        << QStringList{u"--image"_s, u"--wait-for-switch"_s}
        << iconFile(forwards(17) + QList<std::tuple<int, QString, int>>{{17, u"Image11"_s, 0}}) << 0
        << u"193 64 1 201 "_s + pairs.join(u' ') + u" 137 254\n"_s << QString();
    QTest::newRow("one block exactly")
        << QStringList{u"--image"_s}
        << iconFile(forwards(19) + QList<std::tuple<int, QString, int>>{{19, u"Image11"_s, 0}}) << 0
        << repeated(u"69 1"_s, 19) + u" 137 254\n"_s << QString();
    QTest::newRow("59 motions fit without the header")
        << QStringList{u"--image"_s} << iconFile(forwards(59)) << 0
        << numberLine(repeated(u"69 1"_s, 59) + u" 254"_s, 1) << QString();
    QTest::newRow("59 motions with the header do not fit")
        << QStringList{u"--image"_s, u"--wait-for-switch"_s} << iconFile(forwards(59)) << 1 << QString()
        << u"%1\n"_s.arg(imageTooLongMessage());

    QTest::newRow("unset time")
        << QStringList() << iconFile({{0, u"Image2"_s, 10}, {6, u"Image9"_s, 0}}) << 1 << QString()
        << u"7個目の秒数が設定されていない為転送できません。\n"_s;
    QTest::newRow("unset count comes first")
        << QStringList{u"--text"_s} << iconFile({{2, u"Image10"_s, 0}, {6, u"Image9"_s, 0}}) << 1 << QString()
        << u"3個目の繰返し回数が設定されていない為転送できません。\n"_s;
    // The first 31 lines of a file: the marker and slots 0 to 29.
    const QByteArray shortFile = cp932::encodeLines(iconFileLines(IconProgram()).mid(0, 31));
    QTest::newRow("short file") << QStringList{u"--text"_s} << shortFile << 1 << QString()
                                << u"アイコンのプログラムファイルの32行目が読めません。\n"_s;
    QTest::newRow("index out of range")
        << QStringList() << withLine(7, u"77/8/endloop/繰返終了/0"_s) << 1
        << QString() << u"アイコンのプログラムファイルの7行目が読めません。\n"_s;
    QTest::newRow("hand-edited value reaches the compiler")
        << QStringList() << withLine(2, u"0/0/motor(fwd,fwd)/x/300"_s) << 1 << QString()
        << u"2行目が違います(1から255までを入れてください)\n"_s;
}

void TestRk25cIcon::run()
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

void TestRk25cIcon::readsSavedFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"saved.rk5"_s);
    IconProgram program;
    program.setFromIcon(10, u"Image14");
    program.setFromIcon(11, u"Image7");
    program.setValue(11, 135);
    program.setFromIcon(12, u"Image16");
    QVERIFY(writeIconFile(path, program));
    const Outcome o = runRk25c({u"--text"_s, path}, QByteArray());
    QCOMPARE(o.err, QString());
    QCOMPARE(o.out, u"while(SW2=OFF)\nmotor(stop,rev)\nwait(15)\nendwhile\n"_s);
    QCOMPARE(o.exitCode, 0);
}

QTEST_GUILESS_MAIN(TestRk25cIcon)
#include "tst_rk25c_icon.moc"
