#pragma once

#include "app/settings/colorvalue.h"

#include <QString>

#include <optional>

// The outcome of a write (or of a colour read): ok, or the message for the user.
struct SettingsResult
{
    bool ok = true;
    QString error;
    explicit operator bool() const { return ok; }
};

struct ColorRead
{
    bool ok = true;
    ColorValue value = 0;
    QString error; // "'...' は整数ではありません" when the text is no colour
    explicit operator bool() const { return ok; }
};

// An integer as set.ini spells it: decimal (optional sign), "$" hexadecimal, and, when
// allowHex0x is set and the text is longer than 2 characters, "0x"/"0X" hexadecimal.
// Hexadecimal takes up to 32 bits (wrapping into the negative); nothing else is a number.
std::optional<qint32> parseIniInteger(const QString &text, bool allowHex0x = true);

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

    // The keys of set.ini, each with its default.
    int comportName() const { return readInteger(QStringLiteral("comport"), QStringLiteral("name"), 0); }
    SettingsResult setComportName(int value) { return writeInteger(QStringLiteral("comport"), QStringLiteral("name"), value); }
    int smrSpeed() const { return readInteger(QStringLiteral("smr"), QStringLiteral("speed"), 20); }
    SettingsResult setSmrSpeed(int value) { return writeInteger(QStringLiteral("smr"), QStringLiteral("speed"), value); }
    bool playHow() const { return readBool(QStringLiteral("play"), QStringLiteral("how"), true); }
    SettingsResult setPlayHow(bool value) { return writeBool(QStringLiteral("play"), QStringLiteral("how"), value); }
    bool deleteShift() const { return readBool(QStringLiteral("delete"), QStringLiteral("shift"), true); }
    SettingsResult setDeleteShift(bool value) { return writeBool(QStringLiteral("delete"), QStringLiteral("shift"), value); }
    ColorRead backColor() const { return readColor(QStringLiteral("back"), QStringLiteral("color"), QStringLiteral("clBlack")); }
    SettingsResult setBackColor(ColorValue value) { return writeColor(QStringLiteral("back"), QStringLiteral("color"), value); }
    ColorRead fontColor() const { return readColor(QStringLiteral("font"), QStringLiteral("color"), QStringLiteral("clWhite")); }
    SettingsResult setFontColor(ColorValue value) { return writeColor(QStringLiteral("font"), QStringLiteral("color"), value); }
    int fontSize() const { return readInteger(QStringLiteral("font"), QStringLiteral("size"), 14); }
    SettingsResult setFontSize(int value) { return writeInteger(QStringLiteral("font"), QStringLiteral("size"), value); }
    QString fontName() const { return readString(QStringLiteral("font"), QStringLiteral("name"), QStringLiteral("MS Pゴシック")); }
    SettingsResult setFontName(const QString &value) { return writeString(QStringLiteral("font"), QStringLiteral("name"), value); }
    ColorRead comentColor() const { return readColor(QStringLiteral("coment"), QStringLiteral("color"), QStringLiteral("cllime")); }
    SettingsResult setComentColor(ColorValue value) { return writeColor(QStringLiteral("coment"), QStringLiteral("color"), value); }
    ColorRead selColor() const { return readColor(QStringLiteral("sel"), QStringLiteral("color"), QStringLiteral("$00E2EFF1")); }
    SettingsResult setSelColor(ColorValue value) { return writeColor(QStringLiteral("sel"), QStringLiteral("color"), value); }

private:
    SettingsResult writeText(const QString &section, const QString &key, const QString &value);

    QString m_path;
};

// Everything the settings screen saves with OK.
struct SettingsValues
{
    int comportName = 0;
    ColorValue fontColor = colors::clWhite;
    ColorValue comentColor = colors::clLime;
    ColorValue backColor = colors::clBlack;
    int fontSize = 14;
    QString fontName = QStringLiteral("MS Pゴシック");
    int smrSpeed = 20;
    bool playHow = true;
    bool deleteShift = true;
};

// Writes every key in the order of the settings screen's OK (sel/color being the inverse of
// the background) and stops at the first write that fails.
SettingsResult writeAllSettings(SettingsFile &file, const SettingsValues &values);
