// SPDX-License-Identifier: GPL-3.0-or-later
// The sample program the text screen loads compiles with the robot language and fits in
// what the text screen sends (at most 119 instruction bytes).
// It reads the program folder, which only the full (windowed) build lays out; the widget
// header makes it a test of that build.
#include "common/cp932.h"
#include "common/programfolder.h"
#include "robot/tsmr.h"

#include <QtWidgets/QApplication>

#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

class TestSampleProgram : public QObject
{
    Q_OBJECT

private slots:
    void fileIsATextProgramFile();
    void compiles();
};

void TestSampleProgram::fileIsATextProgramFile()
{
    QFile file(programFilePath(u"Data\\文字入力サンプル.rk5"_s));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("KB\r\n"));
    // Every line ends with CR LF, like every text program file the screen writes.
    QVERIFY(bytes.endsWith("\r\n"));
    QCOMPARE(bytes.count("\r\n"), bytes.count('\n'));
    QCOMPARE(bytes.count("\r\n"), bytes.count('\r'));
    const QString text = cp932::decode(bytes);
    QVERIFY(!text.contains(QChar::ReplacementCharacter));
}

void TestSampleProgram::compiles()
{
    const cp932::ReadResult file = cp932::readLines(programFilePath(u"Data\\文字入力サンプル.rk5"_s));
    QVERIFY2(file.ok, qPrintable(file.error));
    QVERIFY(file.lines.size() > 1);
    // As the screen loads it: the lines after "KB", joined by CR LF.
    const QString program = file.lines.mid(1).join(u"\r\n"_s);
    TSmr compiler(program);
    QVERIFY2(compiler.Compile(), qPrintable(compiler.GetMessages()));
    QVERIFY(compiler.GetMessages().isEmpty());
    const QStringList code = compiler.GetCode().split(u"\r\n"_s, Qt::SkipEmptyParts);
    QVERIFY(!code.isEmpty());
    QVERIFY2(code.size() < 120, qPrintable(QString::number(code.size())));
    // It shows the main statements: speed, loop, while on a switch, if/elseif/endif, io.
    for (const char *opcode : {"96", "136", "137", "193", "201", "227", "232", "233", "41", "44", "45"})
        QVERIFY2(code.contains(QString::fromLatin1(opcode)), opcode);
}

QTEST_MAIN(TestSampleProgram)
#include "tst_sampleprogram.moc"
