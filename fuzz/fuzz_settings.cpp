// SPDX-License-Identifier: GPL-3.0-or-later
// set.ini as any text: every key reads (with its default where the text has none); setting one
// key changes that key only: it reads back as set and every other key reads as before. A value
// the file cannot hold is refused. One input in 32 goes through the file as well: the file then
// holds the very bytes of the text with the key set, and a refused write leaves it as it was.
#include "app/settings/settingsfile.h"
#include "fuzzsupport.h"

#include <QFile>
#include <QTemporaryDir>

#include <array>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

QString path()
{
    // In memory where the machine has it: every write of set.ini is synced to its disk.
    static QTemporaryDir dir(QFile::exists(u"/dev/shm"_s) ? u"/dev/shm/rk25-fuzz-XXXXXX"_s : QString());
    return dir.path() + u"/set.ini"_s;
}

std::array<std::optional<QString>, SETTING_KEYS.size()> readAll(const QByteArray &bytes)
{
    std::array<std::optional<QString>, SETTING_KEYS.size()> values;
    for (size_t i = 0; i < SETTING_KEYS.size(); ++i) {
        values[i] = iniValue(bytes, sectionOf(SETTING_KEYS[i].id), keyOf(SETTING_KEYS[i].id));
        // The typed readings of whatever the text holds.
        if (values[i]) {
            parseIniInteger(*values[i]);
            colorFromText(*values[i]);
        }
    }
    return values;
}

QByteArray contents()
{
    QFile f(path());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::ensureApplication();
    if (size < 2)
        return 0;
    const size_t which = data[0] % SETTING_KEYS.size();
    const bool onDisk = data[0] >= 0xF8;
    // The value to write: one line of plain text, as the settings screen writes them.
    const QStringList lines = fuzz::fileLines(data + 1, size - 1);
    const QString value = lines.value(0).left(200).trimmed();
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const auto before = readAll(bytes);
    const IniEntry entry{sectionOf(SETTING_KEYS[which].id), keyOf(SETTING_KEYS[which].id), value};
    const bool holds = iniCanHold(entry);
    const QByteArray written = holds ? iniWithValues(bytes, {entry}) : bytes;

    if (onDisk) {
        {
            QFile f(path());
            if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
                fuzz::fail("the scratch set.ini is writable");
            f.write(bytes);
        }
        SettingsFile file(path());
        for (size_t i = 0; i < SETTING_KEYS.size(); ++i)
            fuzz::check(file.value(sectionOf(SETTING_KEYS[i].id), keyOf(SETTING_KEYS[i].id)) == before[i],
                        "the file reads as its text");
        const SettingsResult result = file.writeString(entry.section, entry.key, value);
        fuzz::check(result.ok == holds, "the file takes what the text can hold");
        fuzz::check(contents() == written, holds ? "the file holds the text with the key set"
                                                 : "a refused write leaves the file as it was");
    }
    if (!holds)
        return 0;
    const auto after = readAll(written);
    fuzz::check(after[which].has_value() && *after[which] == value, "a written key reads back");
    for (size_t i = 0; i < SETTING_KEYS.size(); ++i) {
        if (i != which)
            fuzz::check(after[i] == before[i], "writing one key leaves the others alone");
    }
    return 0;
}
