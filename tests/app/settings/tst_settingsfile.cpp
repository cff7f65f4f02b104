// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings/colorvalue.h"
#include "app/settings/settingsfile.h"
#include "common/workfolder.h"
#include "support/testenv.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

using testenv::fileBytes;

void putFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

const QByteArray fontNameCp932("MS P\x83\x53\x83\x56\x83\x62\x83\x4e"); // MS Pゴシック

}

class TestSettingsFile : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void workFolder();
    void workFolderFor_data();
    void workFolderFor();
    void readValue_data();
    void readValue();
    void longValueIsCut();
    void readInteger_data();
    void readInteger();
    void readBool_data();
    void readBool();
    void colorFromText_data();
    void colorFromText();
    void colorToText_data();
    void colorToText();
    void invertColor_data();
    void invertColor();
    void defaultsWithoutFile();
    void write_data();
    void write();
    void fontNameSurvivesByteForByte();
    void everyReadSeesTheFileAsItIsNow();
    void refusedWritesLeaveTheFile_data();
    void refusedWritesLeaveTheFile();
    void writeToAnUnwritablePlaceReportsThePath();
    void defaultFileInOkOrder();
    void portButtonFirstKeepsComportFirst();
    void okOnNavyBackground();

private:
    QTemporaryDir m_dir;
    QString m_path;
};

void TestSettingsFile::init()
{
    QVERIFY(m_dir.isValid());
    m_path = m_dir.filePath(u"set.ini"_s);
    QFile::remove(m_path);
}

void TestSettingsFile::workFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QDir(documents).removeRecursively();
    const QString path = WorkFolderPath();
    QCOMPARE(path, documents + u"/RK-25Temp/"_s);
    QVERIFY(QFileInfo(path).isDir());
    // Created again, missing parents included, on every call.
    QVERIFY(QDir(documents).removeRecursively());
    QCOMPARE(WorkFolderPath(), path);
    QVERIFY(QFileInfo(path).isDir());
    QCOMPARE(SettingsFile().path(), path + u"set.ini"_s);
}

void TestSettingsFile::workFolderFor_data()
{
    QTest::addColumn<QString>("documents");
    QTest::addColumn<QString>("folder");
    QTest::newRow("no trailing separator") << u"/home/pupil/Documents"_s << u"/home/pupil/Documents/RK-25Temp/"_s;
    QTest::newRow("trailing separator") << u"/home/pupil/Documents/"_s << u"/home/pupil/Documents/RK-25Temp/"_s;
    QTest::newRow("root") << u"/"_s << u"/RK-25Temp/"_s;
}

void TestSettingsFile::workFolderFor()
{
    QFETCH(QString, documents);
    QFETCH(QString, folder);
    QCOMPARE(workFolderPathFor(documents), folder);
}

void TestSettingsFile::readValue_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected"); // "<none>" when the key is missing

    const QString none = u"<none>"_s;
    QTest::newRow("plain") << QByteArray("[smr]\r\nspeed=30\r\n") << u"smr"_s << u"speed"_s << u"30"_s;
    QTest::newRow("mixed case in file") << QByteArray("[FoNt]\r\nSIZE=12\r\n") << u"font"_s << u"size"_s << u"12"_s;
    QTest::newRow("mixed case asked") << QByteArray("[font]\r\nsize=12\r\n") << u"FONT"_s << u"Size"_s << u"12"_s;
    QTest::newRow("equals inside value") << QByteArray("[a]\r\nk=x=y = z\r\n") << u"a"_s << u"k"_s << u"x=y = z"_s;
    QTest::newRow("blanks around") << QByteArray("[a]\r\n  k \t=  two words \t\r\n") << u"a"_s << u"k"_s << u"two words"_s;
    QTest::newRow("section name with blanks") << QByteArray(" [ a ] \r\nk=1\r\n") << u"a"_s << u"k"_s << u"1"_s;
    QTest::newRow("full-width space is no blank") << QByteArray("[a]\r\nk=\x81\x40x\r\n") << u"a"_s << u"k"_s << u"\u3000x"_s;
    QTest::newRow("empty value") << QByteArray("[a]\r\nk=\r\n") << u"a"_s << u"k"_s << QString();
    QTest::newRow("first of repeated keys") << QByteArray("[a]\r\nk=1\r\nK=2\r\n") << u"a"_s << u"k"_s << u"1"_s;
    QTest::newRow("first of repeated sections") << QByteArray("[a]\r\nj=0\r\n[b]\r\nk=2\r\n[A]\r\nk=3\r\n") << u"a"_s << u"k"_s << none;
    QTest::newRow("key of another section") << QByteArray("[a]\r\nx=1\r\n[b]\r\nk=2\r\n") << u"a"_s << u"k"_s << none;
    QTest::newRow("key before any section") << QByteArray("k=1\r\n[a]\r\n") << u"a"_s << u"k"_s << none;
    QTest::newRow("missing section") << QByteArray("[b]\r\nk=1\r\n") << u"a"_s << u"k"_s << none;
    QTest::newRow("line feeds only") << QByteArray("[a]\nj=1\nk=2\n") << u"a"_s << u"k"_s << u"2"_s;
    QTest::newRow("carriage returns only") << QByteArray("[a]\rk=2\r") << u"a"_s << u"k"_s << u"2"_s;
    QTest::newRow("no break at the end") << QByteArray("[a]\r\nk=2") << u"a"_s << u"k"_s << u"2"_s;
    QTest::newRow("cp932 value") << QByteArray("[font]\r\nname=" + fontNameCp932 + "\r\n") << u"font"_s << u"name"_s << u"MS Pゴシック"_s;
    QTest::newRow("key that only starts alike") << QByteArray("[a]\r\nkey=1\r\n") << u"a"_s << u"k"_s << none;
    QTest::newRow("empty file") << QByteArray() << u"a"_s << u"k"_s << none;
}

void TestSettingsFile::readValue()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    putFile(m_path, content);
    const SettingsFile file(m_path);
    const auto value = file.value(section, key);
    QCOMPARE(value.value_or(u"<none>"_s), expected);
    QCOMPARE(file.readString(section, key, u"dflt"_s), value ? expected : u"dflt"_s);
}

void TestSettingsFile::longValueIsCut()
{
    putFile(m_path, "[a]\r\nk=" + QByteArray(3000, 'x') + "\r\n");
    QCOMPARE(SettingsFile(m_path).readString(u"a"_s, u"k"_s, QString()), QString(2047, u'x'));
}

void TestSettingsFile::readInteger_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected"); // the default is 77
    QTest::newRow("decimal") << u"12"_s << 12;
    QTest::newRow("negative") << u"-5"_s << -5;
    QTest::newRow("plus sign") << u"+5"_s << 5;
    QTest::newRow("0x") << u"0x1F"_s << 31;
    QTest::newRow("0X lower digits") << u"0X1f"_s << 31;
    QTest::newRow("0x alone") << u"0x"_s << 77;
    QTest::newRow("0x bad digit") << u"0x1G"_s << 77;
    QTest::newRow("dollar") << u"$FF"_s << 255;
    QTest::newRow("dollar lower") << u"$ff"_s << 255;
    QTest::newRow("dollar alone") << u"$"_s << 77;
    QTest::newRow("dollar 32 bits") << u"$FFFFFFFF"_s << -1;
    QTest::newRow("dollar above 32 bits") << u"$100000000"_s << 77;
    QTest::newRow("int max") << u"2147483647"_s << 2147483647;
    QTest::newRow("above int max") << u"2147483648"_s << 77;
    QTest::newRow("int min") << u"-2147483648"_s << int(-2147483647 - 1);
    QTest::newRow("empty") << QString() << 77;
    QTest::newRow("letters") << u"abc"_s << 77;
    QTest::newRow("trailing letter") << u"12a"_s << 77;
    QTest::newRow("fraction") << u"1.5"_s << 77;
    QTest::newRow("inner blank") << u"1 2"_s << 77;
    QTest::newRow("full-width digits") << u"１２"_s << 77;
    QTest::newRow("blanks trimmed") << u"  7\t"_s << 7;
}

void TestSettingsFile::readInteger()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    putFile(m_path, "[a]\r\nk=" + text.toUtf8() + "\r\n");
    QCOMPARE(SettingsFile(m_path).readInteger(u"a"_s, u"k"_s, 77), expected);
}

void TestSettingsFile::readBool_data()
{
    QTest::addColumn<QString>("text"); // "<none>": key missing
    QTest::addColumn<bool>("defaultValue");
    QTest::addColumn<bool>("expected");
    QTest::newRow("0") << u"0"_s << true << false;
    QTest::newRow("1") << u"1"_s << false << true;
    QTest::newRow("any non-zero") << u"-3"_s << false << true;
    QTest::newRow("hex non-zero") << u"$10"_s << false << true;
    QTest::newRow("word true") << u"true"_s << false << false;
    QTest::newRow("word with default") << u"yes"_s << true << true;
    QTest::newRow("missing, default true") << u"<none>"_s << true << true;
    QTest::newRow("missing, default false") << u"<none>"_s << false << false;
}

void TestSettingsFile::readBool()
{
    QFETCH(QString, text);
    QFETCH(bool, defaultValue);
    QFETCH(bool, expected);
    putFile(m_path, text == u"<none>" ? QByteArray("[play]\r\n") : "[play]\r\nhow=" + text.toUtf8() + "\r\n");
    QCOMPARE(SettingsFile(m_path).readBool(u"play"_s, u"how"_s, defaultValue), expected);
}

void TestSettingsFile::colorFromText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<quint32>("value");
    QTest::newRow("cllime") << u"cllime"_s << true << quint32(0x0000FF00);
    QTest::newRow("clLime") << u"clLime"_s << true << quint32(0x0000FF00);
    QTest::newRow("CLLIME") << u"CLLIME"_s << true << quint32(0x0000FF00);
    QTest::newRow("dollar form of lime") << u"$0000FF00"_s << true << quint32(0x0000FF00);
    QTest::newRow("decimal form of lime") << u"65280"_s << true << quint32(0x0000FF00);
    QTest::newRow("red is the low byte") << u"clRed"_s << true << quint32(0x000000FF);
    QTest::newRow("navy") << u"clNavy"_s << true << quint32(0x00800000);
    QTest::newRow("silver") << u"clsilver"_s << true << quint32(0x00C0C0C0);
    QTest::newRow("aqua") << u"clAqua"_s << true << quint32(0x00FFFF00);
    QTest::newRow("default selection") << u"$00E2EFF1"_s << true << quint32(0x00E2EFF1);
    QTest::newRow("first system colour") << u"clScrollBar"_s << true << quint32(0x80000000);
    QTest::newRow("button face") << u"clbtnface"_s << true << quint32(0x8000000F);
    QTest::newRow("last system colour") << u"clInfoBk"_s << true << quint32(0x80000018);
    QTest::newRow("none") << u"clNone"_s << true << quint32(0x1FFFFFFF);
    QTest::newRow("0x is no colour") << u"0xFF"_s << false << quint32(0);
    QTest::newRow("unknown name") << u"clOrange"_s << false << quint32(0);
    QTest::newRow("empty") << QString() << false << quint32(0);
    QTest::newRow("name with a blank") << u"cl Lime"_s << false << quint32(0);
}

void TestSettingsFile::colorFromText()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(quint32, value);
    putFile(m_path, "[back]\r\ncolor=" + text.toUtf8() + "\r\n");
    const ColorRead read = SettingsFile(m_path).readColor(u"back"_s, u"color"_s, u"clBlack"_s);
    QCOMPARE(read.ok, ok);
    if (ok)
        QCOMPARE(read.value, value);
    else
        QCOMPARE(read.error, QStringLiteral("'%1' は整数ではありません").arg(text));
}

void TestSettingsFile::colorToText_data()
{
    QTest::addColumn<quint32>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("lime by name") << colors::clLime << u"clLime"_s;
    QTest::newRow("white by name") << colors::clWhite << u"clWhite"_s;
    QTest::newRow("black by name") << colors::clBlack << u"clBlack"_s;
    QTest::newRow("fuchsia by name") << colors::clFuchsia << u"clFuchsia"_s;
    QTest::newRow("no name") << quint32(0x00E2EFF1) << u"$00E2EFF1"_s;
    QTest::newRow("small value, eight digits") << quint32(0x0000000A) << u"$0000000A"_s;
    QTest::newRow("top byte kept") << quint32(0xFF123456) << u"$FF123456"_s;
    QTest::newRow("none") << colors::clNone << u"clNone"_s;
}

void TestSettingsFile::colorToText()
{
    QFETCH(quint32, value);
    QFETCH(QString, text);
    QCOMPARE(::colorToText(value), text);
    const ColorParse back = ::colorFromText(text);
    QVERIFY(back.ok);
    QCOMPARE(back.value, value);
}

void TestSettingsFile::invertColor_data()
{
    QTest::addColumn<quint32>("value");
    QTest::addColumn<quint32>("inverted");
    QTest::newRow("black") << colors::clBlack << colors::clWhite;
    QTest::newRow("white") << colors::clWhite << colors::clBlack;
    QTest::newRow("navy") << colors::clNavy << colorFromRgb(255, 255, 127);
    QTest::newRow("top byte unchanged") << quint32(0x80000005) << quint32(0x80FFFFFA);
}

void TestSettingsFile::invertColor()
{
    QFETCH(quint32, value);
    QFETCH(quint32, inverted);
    QCOMPARE(InvertColor(value), inverted);
}

void TestSettingsFile::defaultsWithoutFile()
{
    const SettingsFile file(m_path);
    QCOMPARE(file.comportName(), 0);
    QCOMPARE(file.smrSpeed(), 20);
    QCOMPARE(file.playHow(), true);
    QCOMPARE(file.deleteShift(), true);
    QCOMPARE(file.fontSize(), 14);
    QCOMPARE(file.fontName(), u"MS Pゴシック"_s);
    QCOMPARE(file.backColor().value, colors::clBlack);
    QCOMPARE(file.fontColor().value, colors::clWhite);
    QCOMPARE(file.comentColor().value, colors::clLime);
    QCOMPARE(file.selColor().value, quint32(0x00E2EFF1));
    QVERIFY(!QFile::exists(m_path));
}

void TestSettingsFile::write_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("new file") << QByteArray() << u"smr"_s << u"speed"_s << u"30"_s
                              << QByteArray("[smr]\r\nspeed=30\r\n");
    QTest::newRow("in place, other lines untouched")
        << QByteArray("; note\r\n[a]\r\nx = 1\r\nk = old\r\ny=2\r\n\r\n[b]\r\nk=3\r\n")
        << u"a"_s << u"k"_s << u"new"_s
        << QByteArray("; note\r\n[a]\r\nx = 1\r\nk=new\r\ny=2\r\n\r\n[b]\r\nk=3\r\n");
    QTest::newRow("mixed case keeps its spelling")
        << QByteArray("[FONT]\r\nSize=9\r\n") << u"font"_s << u"size"_s << u"20"_s
        << QByteArray("[FONT]\r\nSize=20\r\n");
    QTest::newRow("first of repeated keys replaced")
        << QByteArray("[a]\r\nk=1\r\nk=2\r\n") << u"a"_s << u"k"_s << u"9"_s
        << QByteArray("[a]\r\nk=9\r\nk=2\r\n");
    QTest::newRow("missing key at the end of its section, before the blank line")
        << QByteArray("[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n") << u"A"_s << u"k"_s << u"5"_s
        << QByteArray("[a]\r\nx=1\r\nk=5\r\n\r\n[b]\r\ny=2\r\n");
    QTest::newRow("missing key in an empty section")
        << QByteArray("[a]\r\n[b]\r\n") << u"a"_s << u"k"_s << u"5"_s
        << QByteArray("[a]\r\nk=5\r\n[b]\r\n");
    QTest::newRow("missing key in the last section")
        << QByteArray("[a]\r\nx=1\r\n") << u"a"_s << u"k"_s << u"5"_s
        << QByteArray("[a]\r\nx=1\r\nk=5\r\n");
    QTest::newRow("missing section at the end")
        << QByteArray("[a]\r\nx=1\r\n") << u"b"_s << u"k"_s << u"5"_s
        << QByteArray("[a]\r\nx=1\r\n[b]\r\nk=5\r\n");
    QTest::newRow("line feeds become CR LF")
        << QByteArray("[a]\nx=1\n") << u"a"_s << u"x"_s << u"2"_s
        << QByteArray("[a]\r\nx=2\r\n");
    QTest::newRow("value with equals")
        << QByteArray() << u"a"_s << u"k"_s << u"p=q"_s << QByteArray("[a]\r\nk=p=q\r\n");
    QTest::newRow("bytes that are no CP932 stay as they were")
        << QByteArray("[a]\r\nodd=\x81\r\nk=1\r\n") << u"a"_s << u"k"_s << u"2"_s
        << QByteArray("[a]\r\nodd=\x81\r\nk=2\r\n");
}

void TestSettingsFile::write()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);
    if (!before.isEmpty())
        putFile(m_path, before);
    SettingsFile file(m_path);
    const SettingsResult result = file.writeString(section, key, value);
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(fileBytes(m_path), after);
    QCOMPARE(file.readString(section, key, QString()), value);
}

void TestSettingsFile::fontNameSurvivesByteForByte()
{
    SettingsFile file(m_path);
    QVERIFY(file.setFontName(u"MS Pゴシック"_s).ok);
    const QByteArray expected = "[font]\r\nname=" + fontNameCp932 + "\r\n";
    QCOMPARE(fileBytes(m_path), expected);
    QCOMPARE(file.fontName(), u"MS Pゴシック"_s);
    // Writing another key leaves the name's bytes exactly as they were.
    QVERIFY(file.setFontSize(12).ok);
    QCOMPARE(fileBytes(m_path), "[font]\r\nname=" + fontNameCp932 + "\r\nsize=12\r\n");
    QVERIFY(file.setFontName(file.fontName()).ok);
    QCOMPARE(fileBytes(m_path), "[font]\r\nname=" + fontNameCp932 + "\r\nsize=12\r\n");
}

void TestSettingsFile::everyReadSeesTheFileAsItIsNow()
{
    SettingsFile reader(m_path);
    SettingsFile writer(m_path);
    QCOMPARE(reader.smrSpeed(), 20);
    QVERIFY(writer.setSmrSpeed(35).ok);
    QCOMPARE(reader.smrSpeed(), 35);
    putFile(m_path, "[SMR]\r\nSPEED=$20\r\n");
    QCOMPARE(reader.smrSpeed(), 32);
    QFile::remove(m_path);
    QCOMPARE(reader.smrSpeed(), 20);
}

void TestSettingsFile::refusedWritesLeaveTheFile_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("character outside CP932") << u"font"_s << u"name"_s << u"Font😀"_s;
    QTest::newRow("line break in value") << u"font"_s << u"name"_s << u"a\r\n[comport]\r\nname=3"_s;
    QTest::newRow("equals in key") << u"font"_s << u"a=b"_s << u"1"_s;
    QTest::newRow("bracket in section") << u"fo]nt"_s << u"name"_s << u"1"_s;
    QTest::newRow("empty key") << u"font"_s << QString() << u"1"_s;
}

void TestSettingsFile::refusedWritesLeaveTheFile()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    const QByteArray before("[font]\r\nname=x\r\n");
    putFile(m_path, before);
    SettingsFile file(m_path);
    const SettingsResult result = file.writeString(section, key, value);
    QVERIFY(!result.ok);
    QCOMPARE(result.error, QStringLiteral("%1 に書き込めません").arg(m_path));
    QCOMPARE(fileBytes(m_path), before);
}

void TestSettingsFile::writeToAnUnwritablePlaceReportsThePath()
{
    // A folder that does not exist, and a folder standing where the file should be.
    const QString missing = m_dir.filePath(u"gone/set.ini"_s);
    SettingsResult result = SettingsFile(missing).writeInteger(u"smr"_s, u"speed"_s, 20);
    QVERIFY(!result.ok);
    QCOMPARE(result.error, QStringLiteral("%1 に書き込めません").arg(missing));

    QVERIFY(QDir().mkpath(m_path));
    result = SettingsFile(m_path).writeInteger(u"smr"_s, u"speed"_s, 20);
    QVERIFY(!result.ok);
    QCOMPARE(result.error, QStringLiteral("%1 に書き込めません").arg(m_path));
    QVERIFY(QFileInfo(m_path).isDir());
    QVERIFY(QDir(m_path).removeRecursively());
}

void TestSettingsFile::defaultFileInOkOrder()
{
    SettingsFile file(m_path);
    // What the untouched screen holds, read from a missing file.
    SettingsValues values;
    values.comportName = file.comportName();
    values.fontColor = file.fontColor().value;
    values.comentColor = file.comentColor().value;
    values.backColor = file.backColor().value;
    values.fontSize = file.fontSize();
    values.fontName = file.fontName();
    values.smrSpeed = file.smrSpeed();
    values.playHow = file.playHow();
    values.deleteShift = file.deleteShift();
    const SettingsResult result = writeAllSettings(file, values);
    QVERIFY2(result.ok, qPrintable(result.error));
    const QByteArray expected = "[comport]\r\nname=0\r\n"
                                "[font]\r\ncolor=clWhite\r\nsize=14\r\nname=" + fontNameCp932 + "\r\n"
                                "[coment]\r\ncolor=clLime\r\n"
                                "[back]\r\ncolor=clBlack\r\n"
                                "[sel]\r\ncolor=clWhite\r\n"
                                "[smr]\r\nspeed=20\r\n"
                                "[play]\r\nhow=1\r\n"
                                "[delete]\r\nshift=1\r\n";
    QCOMPARE(fileBytes(m_path), expected);
    // Saving again changes nothing.
    QVERIFY(writeAllSettings(file, values).ok);
    QCOMPARE(fileBytes(m_path), expected);
}

void TestSettingsFile::portButtonFirstKeepsComportFirst()
{
    putFile(m_path, "[smr]\r\nspeed=44\r\n");
    SettingsFile file(m_path);
    QVERIFY(file.setComportName(2).ok);
    SettingsValues values;
    values.comportName = 2;
    values.playHow = false;
    QVERIFY(writeAllSettings(file, values).ok);
    const QList<QByteArray> lines = fileBytes(m_path).split('\n');
    QCOMPARE(lines.value(0), QByteArray("[smr]\r"));
    QCOMPARE(lines.value(1), QByteArray("speed=20\r"));
    QCOMPARE(lines.value(2), QByteArray("[comport]\r"));
    QCOMPARE(lines.value(3), QByteArray("name=2\r"));
    QCOMPARE(file.playHow(), false);
}

void TestSettingsFile::okOnNavyBackground()
{
    SettingsFile file(m_path);
    SettingsValues values;
    values.backColor = colors::clNavy;
    QVERIFY(writeAllSettings(file, values).ok);
    QCOMPARE(file.readString(u"sel"_s, u"color"_s, QString()), u"$007FFFFF"_s);
    QCOMPARE(file.readString(u"back"_s, u"color"_s, QString()), u"clNavy"_s);
    QCOMPARE(file.selColor().value, colorFromRgb(255, 255, 127));
}

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
