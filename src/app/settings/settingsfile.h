// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/settings/colorvalue.h"
#include "app/settings/iniinteger.h"
#include "app/settings/settingskeys.h"

#include <QList>
#include <QString>

#include <optional>
#include <utility>

// The outcome of a write (or of a colour read): ok, or the message for the user.
struct SettingsResult
{
    bool ok = true;
    QString error;
    // Set when a value itself cannot be stored (the file was left alone).
    std::optional<SettingId> refused;
    explicit operator bool() const { return ok; }
};

struct ColorRead
{
    bool ok = true;
    ColorValue value = 0;
    QString error; // "'...' は整数ではありません" when the text is no colour
    explicit operator bool() const { return ok; }
};

// One key of an INI text and the value to give it.
struct IniEntry
{
    QString section;
    QString key;
    QString value;
};

// The INI text itself, as bytes in CP932, without the file; SettingsFile reads and writes
// through these. The value of a key (blanks around it trimmed, at most 2047 characters), or
// nothing.
std::optional<QString> iniValue(const QByteArray &bytes, const QString &section, const QString &key);
// Whether the entry can be stored so that it reads back as given: no line break, no "]" in
// the section, no "=" in the key, a key that is not blank, only characters CP932 holds.
bool iniCanHold(const IniEntry &entry);
// The text with every entry set, in order: a key replaced where it stands, added to its
// section, or added with a new section at the end. Lines left alone keep their bytes; every
// line ends with CR LF. Entries are taken as they are (check them with iniCanHold first).
QByteArray iniWithValues(const QByteArray &bytes, const QList<IniEntry> &entries);

// An INI file in CP932 (set.ini). There is no copy in memory: every read opens the file,
// every write goes to the file at once, through a save file, so the old file stays whole
// until the new one is complete. Section and key names are matched without regard to case;
// the first of repeated sections or keys counts.
class SettingsFile
{
public:
    // The file set.ini in the working folder.
    SettingsFile();
    explicit SettingsFile(const QString &path);

    static QString defaultPath();
    QString path() const { return m_path; }

    // The value text (blanks around it trimmed, at most 2047 characters), or nothing.
    std::optional<QString> value(const QString &section, const QString &key) const;

    QString readString(const QString &section, const QString &key, const QString &defaultValue) const;
    int readInteger(const QString &section, const QString &key, int defaultValue) const;
    bool readBool(const QString &section, const QString &key, bool defaultValue) const;
    // The default is a colour text as well ("clBlack", "$00E2EFF1"); it is parsed like a stored one.
    ColorRead readColor(const QString &section, const QString &key, const QString &defaultText) const;

    // Failures read "<path> に書き込めません".
    SettingsResult writeString(const QString &section, const QString &key, const QString &value);
    SettingsResult writeInteger(const QString &section, const QString &key, int value);
    SettingsResult writeBool(const QString &section, const QString &key, bool value);
    SettingsResult writeColor(const QString &section, const QString &key, ColorValue value);

    // The keys of the table, each read with its default and written in its type's spelling.
    QString readString(SettingId id) const;
    int readInteger(SettingId id) const;
    bool readBool(SettingId id) const;
    ColorRead readColor(SettingId id) const;
    SettingsResult writeString(SettingId id, const QString &value);
    SettingsResult writeInteger(SettingId id, int value);
    SettingsResult writeBool(SettingId id, bool value);
    SettingsResult writeColor(SettingId id, ColorValue value);

    // Several values in one go: every value is checked first, then the whole file is
    // replaced once. A value the file cannot hold (a character code page 932 lacks, a line
    // break) writes nothing and names that value in the result.
    SettingsResult writeValues(const QList<std::pair<SettingId, QString>> &values);

    int comportName() const { return readInteger(SettingId::ComportName); }
    SettingsResult setComportName(int value) { return writeInteger(SettingId::ComportName, value); }
    int smrSpeed() const { return readInteger(SettingId::SmrSpeed); }
    SettingsResult setSmrSpeed(int value) { return writeInteger(SettingId::SmrSpeed, value); }
    bool playHow() const { return readBool(SettingId::PlayHow); }
    SettingsResult setPlayHow(bool value) { return writeBool(SettingId::PlayHow, value); }
    bool deleteShift() const { return readBool(SettingId::DeleteShift); }
    SettingsResult setDeleteShift(bool value) { return writeBool(SettingId::DeleteShift, value); }
    ColorRead backColor() const { return readColor(SettingId::BackColor); }
    SettingsResult setBackColor(ColorValue value) { return writeColor(SettingId::BackColor, value); }
    ColorRead fontColor() const { return readColor(SettingId::FontColor); }
    SettingsResult setFontColor(ColorValue value) { return writeColor(SettingId::FontColor, value); }
    int fontSize() const { return readInteger(SettingId::FontSize); }
    SettingsResult setFontSize(int value) { return writeInteger(SettingId::FontSize, value); }
    QString fontName() const { return readString(SettingId::FontName); }
    SettingsResult setFontName(const QString &value) { return writeString(SettingId::FontName, value); }
    ColorRead comentColor() const { return readColor(SettingId::ComentColor); }
    SettingsResult setComentColor(ColorValue value) { return writeColor(SettingId::ComentColor, value); }
    ColorRead selColor() const { return readColor(SettingId::SelColor); }
    SettingsResult setSelColor(ColorValue value) { return writeColor(SettingId::SelColor, value); }

private:
    struct PendingWrite
    {
        IniEntry entry;
        std::optional<SettingId> id;
    };
    SettingsResult writeText(const QString &section, const QString &key, const QString &value);
    SettingsResult writeTexts(const QList<PendingWrite> &writes);

    QString m_path;
};

// Everything the settings screen saves with OK; a new one holds the table's defaults.
struct SettingsValues
{
    int comportName = defaultInteger(SettingId::ComportName);
    ColorValue fontColor = defaultColor(SettingId::FontColor);
    ColorValue comentColor = defaultColor(SettingId::ComentColor);
    ColorValue backColor = defaultColor(SettingId::BackColor);
    int fontSize = defaultInteger(SettingId::FontSize);
    QString fontName = defaultTextOf(SettingId::FontName);
    int smrSpeed = defaultInteger(SettingId::SmrSpeed);
    bool playHow = defaultBool(SettingId::PlayHow);
    bool deleteShift = defaultBool(SettingId::DeleteShift);
};

// The text of each key as OK writes it (sel/color being the inverse of the background), in
// the table's order.
QList<std::pair<SettingId, QString>> settingsTexts(const SettingsValues &values);

// Writes every key in one replacement of the file, or nothing at all.
SettingsResult writeAllSettings(SettingsFile &file, const SettingsValues &values);
