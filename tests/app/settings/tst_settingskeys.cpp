// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings/settingsfile.h"
#include "app/settings/settingskeys.h"
#include "support/testenv.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(SettingId)

namespace {

using testenv::fileBytes;

bool putFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// What a reader gets for a key, as text, whatever its type.
QString readAsText(const SettingsFile &file, SettingId id)
{
    switch (settingKey(id).type) {
    case SettingType::Integer:
        return QString::number(file.readInteger(id));
    case SettingType::Boolean:
        return file.readBool(id) ? u"true"_s : u"false"_s;
    case SettingType::Colour: {
        const ColorRead read = file.readColor(id);
        return read.ok ? colorToText(read.value) : u"error: "_s + read.error;
    }
    case SettingType::Text:
        return file.readString(id);
    }
    return {};
}

}

// The table of set.ini keys: every reader and writer takes section, key and default from it.
class TestSettingKeys : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void defaultsOfMissingKeys_data();
    void defaultsOfMissingKeys();
    void storedValuesOverrideDefaults_data();
    void storedValuesOverrideDefaults();
    void freshFileFromDefaultValues();
    void unstorableValueWritesNothing_data();
    void unstorableValueWritesNothing();
    void singleWriteKeepsOtherLines();

private:
    QTemporaryDir m_dir;
    QString m_path;
};

void TestSettingKeys::init()
{
    QVERIFY(m_dir.isValid());
    m_path = m_dir.filePath(u"set.ini"_s);
    QFile::remove(m_path);
}

void TestSettingKeys::defaultsOfMissingKeys_data()
{
    QTest::addColumn<SettingId>("id");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("comport/name") << SettingId::ComportName << u"comport"_s << u"name"_s << u"0"_s;
    QTest::newRow("smr/speed") << SettingId::SmrSpeed << u"smr"_s << u"speed"_s << u"20"_s;
    QTest::newRow("play/how") << SettingId::PlayHow << u"play"_s << u"how"_s << u"true"_s;
    QTest::newRow("delete/shift") << SettingId::DeleteShift << u"delete"_s << u"shift"_s << u"true"_s;
    QTest::newRow("back/color") << SettingId::BackColor << u"back"_s << u"color"_s << u"clBlack"_s;
    QTest::newRow("font/color") << SettingId::FontColor << u"font"_s << u"color"_s << u"clWhite"_s;
    QTest::newRow("font/size") << SettingId::FontSize << u"font"_s << u"size"_s << u"14"_s;
    QTest::newRow("font/name") << SettingId::FontName << u"font"_s << u"name"_s << u"MS Pゴシック"_s;
    QTest::newRow("coment/color") << SettingId::ComentColor << u"coment"_s << u"color"_s << u"clLime"_s;
    QTest::newRow("sel/color") << SettingId::SelColor << u"sel"_s << u"color"_s << u"$00E2EFF1"_s;
}

void TestSettingKeys::defaultsOfMissingKeys()
{
    QFETCH(SettingId, id);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QCOMPARE(sectionOf(id), section);
    QCOMPARE(keyOf(id), key);
    // No file at all, and a file that holds every other key but this one.
    QCOMPARE(readAsText(SettingsFile(m_path), id), value);
    QByteArray others;
    for (const SettingKey &row : SETTING_KEYS) {
        if (row.id != id)
            others += "[" + sectionOf(row.id).toLatin1() + "]\r\n" + keyOf(row.id).toLatin1() + "=3\r\n";
    }
    QVERIFY(putFile(m_path, others));
    QCOMPARE(readAsText(SettingsFile(m_path), id), value);
}

void TestSettingKeys::storedValuesOverrideDefaults_data()
{
    QTest::addColumn<SettingId>("id");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("value");
    QTest::newRow("port in capitals") << SettingId::ComportName << QByteArray("[COMPORT]\r\nNAME=3\r\n") << u"3"_s;
    QTest::newRow("start waits") << SettingId::PlayHow << QByteArray("[play]\r\nhow=0\r\n") << u"false"_s;
    QTest::newRow("comment colour by number") << SettingId::ComentColor
                                             << QByteArray("[coment]\r\ncolor=255\r\n") << u"clRed"_s;
    QTest::newRow("speed that is no number") << SettingId::SmrSpeed << QByteArray("[smr]\r\nspeed=fast\r\n")
                                            << u"20"_s;
    QTest::newRow("size in the wrong section") << SettingId::FontSize
                                              << QByteArray("[back]\r\nsize=30\r\n") << u"14"_s;
}

void TestSettingKeys::storedValuesOverrideDefaults()
{
    QFETCH(SettingId, id);
    QFETCH(QByteArray, file);
    QFETCH(QString, value);
    QVERIFY(putFile(m_path, file));
    QCOMPARE(readAsText(SettingsFile(m_path), id), value);
}

// A new set of values holds the table's defaults, and OK writes them in the table's order.
void TestSettingKeys::freshFileFromDefaultValues()
{
    SettingsFile file(m_path);
    const SettingsResult result = writeAllSettings(file, SettingsValues());
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(fileBytes(m_path), QByteArray("[comport]\r\nname=0\r\n"
                                           "[font]\r\ncolor=clWhite\r\nsize=14\r\nname=MS P\x83S\x83V\x83\x62\x83N\r\n"
                                           "[coment]\r\ncolor=clLime\r\n"
                                           "[back]\r\ncolor=clBlack\r\n"
                                           "[sel]\r\ncolor=clWhite\r\n"
                                           "[smr]\r\nspeed=20\r\n"
                                           "[play]\r\nhow=1\r\n"
                                           "[delete]\r\nshift=1\r\n"));
}

void TestSettingKeys::unstorableValueWritesNothing_data()
{
    QTest::addColumn<QByteArray>("before"); // empty: no file
    QTest::addColumn<QString>("fontName");
    const QByteArray stored("[comport]\r\nname=2\r\n[font]\r\nname=Arial\r\n[play]\r\nhow=0\r\n");
    QTest::newRow("Hangul, no file") << QByteArray() << u"나눔고딕"_s;
    QTest::newRow("Hangul over a file") << stored << u"나눔고딕"_s;
    QTest::newRow("emoji over a file") << stored << u"Noto Color Emoji 😀"_s;
    QTest::newRow("line break over a file") << stored << u"Sans\r\n[play]"_s;
}

// A font name code page 932 cannot hold comes after the port in OK's order: nothing at all
// may be written, not even the port, and the pupil is told which value is at fault.
void TestSettingKeys::unstorableValueWritesNothing()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, fontName);
    if (!before.isEmpty())
        QVERIFY(putFile(m_path, before));
    SettingsFile file(m_path);
    SettingsValues values;
    values.comportName = 1;
    values.playHow = true;
    values.fontName = fontName;
    const SettingsResult result = writeAllSettings(file, values);
    QVERIFY(!result.ok);
    QCOMPARE(result.refused, std::optional<SettingId>(SettingId::FontName));
    QVERIFY2(result.error.contains(u"フォント名「"_s + fontName + u"」"_s), qPrintable(result.error));
    QCOMPARE(fileBytes(m_path), before.isEmpty() ? QByteArray("<missing>") : before);
}

void TestSettingKeys::singleWriteKeepsOtherLines()
{
    QVERIFY(putFile(m_path, "; mine\r\n[smr]\r\nspeed=44\r\n[font]\r\nname=Arial\r\n"));
    SettingsFile file(m_path);
    QVERIFY(file.setSmrSpeed(12).ok);
    QVERIFY(file.setDeleteShift(false).ok);
    QCOMPARE(fileBytes(m_path),
             QByteArray("; mine\r\n[smr]\r\nspeed=12\r\n[font]\r\nname=Arial\r\n[delete]\r\nshift=0\r\n"));
    // A refused single write leaves the file too.
    const SettingsResult refused = file.setFontName(u"나눔"_s);
    QVERIFY(!refused.ok);
    QCOMPARE(file.fontName(), u"Arial"_s);
}

QTEST_GUILESS_MAIN(TestSettingKeys)
#include "tst_settingskeys.moc"
