// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings/settingsfile.h"

#include "common/workfolder.h"
#include "common/cp932.h"

#include <QDir>
#include <QFile>


using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype MAX_VALUE_LENGTH = 2047;

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// Only spaces and tabs count as blanks (a full-width space is part of a value).
QStringView trimBlanks(QStringView text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && isBlank(text[start]))
        ++start;
    while (end > start && isBlank(text[end - 1]))
        --end;
    return text.mid(start, end - start);
}

// Raw lines, so that lines a write does not touch keep their bytes exactly. CR LF, CR and LF
// each end a line (no CP932 trail byte is a CR or LF, so splitting bytes is safe). The views
// point into bytes.
QList<QByteArrayView> splitRawLines(QByteArrayView bytes)
{
    QList<QByteArrayView> lines;
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n')
            continue;
        lines.append(bytes.sliced(start, i - start));
        if (c == '\r' && i + 1 < n && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(bytes.sliced(start));
    return lines;
}

QList<QByteArrayView> viewsOf(const QList<QByteArray> &lines)
{
    QList<QByteArrayView> views;
    views.reserve(lines.size());
    for (const QByteArray &line : lines)
        views.append(line);
    return views;
}

// A line as read; name and value point into its text (a key is looked up for every setting
// read, so the lines are not copied apart).
struct ParsedLine
{
    enum Kind { Other, Section, Key } kind = Other;
    QString text;
    QStringView name;  // section or key name, trimmed
    QStringView value; // for a key: the rest after the first "=", trimmed
    bool blank = true; // nothing but blanks
};

ParsedLine parseLine(QByteArrayView raw)
{
    ParsedLine parsed;
    parsed.text = cp932::decode(raw);
    const QStringView text(parsed.text);
    const QStringView trimmed = trimBlanks(text);
    parsed.blank = trimmed.isEmpty();
    if (trimmed.startsWith(u'[')) {
        parsed.kind = ParsedLine::Section;
        const qsizetype close = trimmed.indexOf(u']');
        parsed.name = trimBlanks(trimmed.mid(1, close < 0 ? -1 : close - 1));
        return parsed;
    }
    const qsizetype equals = text.indexOf(u'=');
    if (equals < 0)
        return parsed;
    parsed.kind = ParsedLine::Key;
    parsed.name = trimBlanks(text.left(equals));
    parsed.value = trimBlanks(text.mid(equals + 1));
    return parsed;
}

bool sameName(QStringView a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Where a key lives in the lines: the section's header line (-1 if none), the key's line
// (-1 if none) and the line after which a new key of the section goes.
struct Location
{
    qsizetype section = -1;
    qsizetype key = -1;
    qsizetype lastFilled = -1;
};

Location locate(const QList<QByteArrayView> &lines, const QString &section, const QString &key)
{
    Location where;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const ParsedLine parsed = parseLine(lines[i]);
        if (where.section < 0) {
            if (parsed.kind == ParsedLine::Section && sameName(parsed.name, section))
                where.section = where.lastFilled = i;
            continue;
        }
        if (parsed.kind == ParsedLine::Section)
            break;
        if (!parsed.blank)
            where.lastFilled = i;
        if (parsed.kind == ParsedLine::Key && where.key < 0 && sameName(parsed.name, key))
            where.key = i;
    }
    return where;
}

bool readBytes(const QString &path, QByteArray *bytes)
{
    QFile file(path);
    if (!file.exists()) {
        bytes->clear();
        return true;
    }
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *bytes = file.readAll();
    return file.error() == QFileDevice::NoError;
}

bool holdsLineBreak(const QString &text)
{
    return text.contains(u'\r') || text.contains(u'\n');
}

}

std::optional<QString> iniValue(const QByteArray &bytes, const QString &section, const QString &key)
{
    const QList<QByteArrayView> lines = splitRawLines(bytes);
    const Location where = locate(lines, section, key);
    if (where.key < 0)
        return std::nullopt;
    return parseLine(lines[where.key]).value.left(MAX_VALUE_LENGTH).toString();
}

bool iniCanHold(const IniEntry &entry)
{
    // A line break would split the entry, a "]" or "=" in a name would make another entry of
    // it, and a character code page 932 cannot hold would come back as a different one.
    bool encoded = true;
    cp932::encode(entry.section + entry.key + entry.value, &encoded);
    return encoded && !holdsLineBreak(entry.section) && !holdsLineBreak(entry.key)
        && !holdsLineBreak(entry.value) && !entry.section.contains(u']') && !entry.key.contains(u'=')
        && !trimBlanks(entry.key).isEmpty();
}

QByteArray iniWithValues(const QByteArray &bytes, const QList<IniEntry> &entries)
{
    QList<QByteArray> lines;
    for (const QByteArrayView line : splitRawLines(bytes))
        lines.append(line.toByteArray());
    for (const IniEntry &e : entries) {
        const Location where = locate(viewsOf(lines), e.section, e.key);
        if (where.section < 0) {
            lines.append(cp932::encode(u'[' + e.section + u']'));
            lines.append(cp932::encode(e.key + u'=' + e.value));
        } else if (where.key >= 0) {
            const ParsedLine old = parseLine(lines[where.key]);
            lines[where.key] = cp932::encode(old.name.toString() + u'=' + e.value);
        } else {
            lines.insert(where.lastFilled + 1, cp932::encode(e.key + u'=' + e.value));
        }
    }
    QByteArray out;
    for (const QByteArray &line : std::as_const(lines)) {
        out += line;
        out += "\r\n";
    }
    return out;
}

SettingsFile::SettingsFile()
    : m_path(defaultPath())
{
}

SettingsFile::SettingsFile(const QString &path)
    : m_path(path)
{
}

QString SettingsFile::defaultPath()
{
    return WorkFolderPath() + u"set.ini"_s;
}

std::optional<QString> SettingsFile::value(const QString &section, const QString &key) const
{
    QByteArray bytes;
    if (!readBytes(m_path, &bytes))
        return std::nullopt;
    return iniValue(bytes, section, key);
}

QString SettingsFile::readString(const QString &section, const QString &key,
                                 const QString &defaultValue) const
{
    return value(section, key).value_or(defaultValue);
}

int SettingsFile::readInteger(const QString &section, const QString &key, int defaultValue) const
{
    const auto text = value(section, key);
    if (!text)
        return defaultValue;
    return parseIniInteger(*text).value_or(defaultValue);
}

bool SettingsFile::readBool(const QString &section, const QString &key, bool defaultValue) const
{
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

ColorRead SettingsFile::readColor(const QString &section, const QString &key,
                                  const QString &defaultText) const
{
    const ColorParse parsed = colorFromText(readString(section, key, defaultText));
    ColorRead result;
    result.ok = parsed.ok;
    result.value = parsed.value;
    result.error = parsed.error;
    return result;
}

SettingsResult SettingsFile::writeString(const QString &section, const QString &key,
                                         const QString &value)
{
    return writeText(section, key, value);
}

SettingsResult SettingsFile::writeInteger(const QString &section, const QString &key, int value)
{
    return writeText(section, key, QString::number(value));
}

SettingsResult SettingsFile::writeBool(const QString &section, const QString &key, bool value)
{
    return writeText(section, key, value ? u"1"_s : u"0"_s);
}

SettingsResult SettingsFile::writeColor(const QString &section, const QString &key, ColorValue value)
{
    return writeText(section, key, colorToText(value));
}

QString SettingsFile::readString(SettingId id) const
{
    return readString(sectionOf(id), keyOf(id), defaultTextOf(id));
}

int SettingsFile::readInteger(SettingId id) const
{
    return readInteger(sectionOf(id), keyOf(id), defaultInteger(id));
}

bool SettingsFile::readBool(SettingId id) const
{
    return readBool(sectionOf(id), keyOf(id), defaultBool(id));
}

ColorRead SettingsFile::readColor(SettingId id) const
{
    return readColor(sectionOf(id), keyOf(id), defaultTextOf(id));
}

SettingsResult SettingsFile::writeString(SettingId id, const QString &value)
{
    return writeValues({{id, value}});
}

SettingsResult SettingsFile::writeInteger(SettingId id, int value)
{
    return writeValues({{id, QString::number(value)}});
}

SettingsResult SettingsFile::writeBool(SettingId id, bool value)
{
    return writeValues({{id, value ? u"1"_s : u"0"_s}});
}

SettingsResult SettingsFile::writeColor(SettingId id, ColorValue value)
{
    return writeValues({{id, colorToText(value)}});
}

SettingsResult SettingsFile::writeValues(const QList<std::pair<SettingId, QString>> &values)
{
    QList<PendingWrite> writes;
    writes.reserve(values.size());
    for (const auto &[id, value] : values)
        writes.append({{sectionOf(id), keyOf(id), value}, id});
    return writeTexts(writes);
}

SettingsResult SettingsFile::writeText(const QString &section, const QString &key, const QString &value)
{
    return writeTexts({{{section, key, value}, std::nullopt}});
}

SettingsResult SettingsFile::writeTexts(const QList<PendingWrite> &writes)
{
    const QString refused = u"%1 に書き込めません"_s.arg(QDir::toNativeSeparators(m_path));
    // Every value is checked before the file is touched.
    QList<IniEntry> entries;
    entries.reserve(writes.size());
    for (const PendingWrite &w : writes) {
        entries.append(w.entry);
        if (iniCanHold(w.entry))
            continue;
        if (!w.id)
            return {false, refused, std::nullopt};
        const QString label = labelOf(*w.id);
        return {false,
                u"%1「%2」には、保存できない文字があります。\r\nほかの%1をえらんでください。"_s
                    .arg(label, w.entry.value),
                w.id};
    }

    QByteArray bytes;
    // A file that exists but cannot be read is never replaced: its settings would be lost.
    if (!readBytes(m_path, &bytes))
        return {false, refused, std::nullopt};
    // One replacement of the whole file: either every value is in it, or the old file stays.
    if (!cp932::writeBytes(m_path, iniWithValues(bytes, entries)))
        return {false, refused, std::nullopt};
    return {};
}

QList<std::pair<SettingId, QString>> settingsTexts(const SettingsValues &values)
{
    QList<std::pair<SettingId, QString>> texts;
    for (const SettingKey &row : SETTING_KEYS) {
        QString text;
        switch (row.id) {
        case SettingId::ComportName: text = QString::number(values.comportName); break;
        case SettingId::FontColor: text = colorToText(values.fontColor); break;
        case SettingId::ComentColor: text = colorToText(values.comentColor); break;
        case SettingId::BackColor: text = colorToText(values.backColor); break;
        case SettingId::SelColor: text = colorToText(InvertColor(values.backColor)); break;
        case SettingId::FontSize: text = QString::number(values.fontSize); break;
        case SettingId::FontName: text = values.fontName; break;
        case SettingId::SmrSpeed: text = QString::number(values.smrSpeed); break;
        case SettingId::PlayHow: text = values.playHow ? u"1"_s : u"0"_s; break;
        case SettingId::DeleteShift: text = values.deleteShift ? u"1"_s : u"0"_s; break;
        }
        texts.append({row.id, text});
    }
    return texts;
}

SettingsResult writeAllSettings(SettingsFile &file, const SettingsValues &values)
{
    return file.writeValues(settingsTexts(values));
}
