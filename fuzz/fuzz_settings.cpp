// set.ini as any file: every key reads (with its default where the file has none); writing one
// key changes that key only: it reads back as written and every other key reads as before. A
// write that cannot be made leaves the file byte for byte as it was.
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

std::array<std::optional<QString>, SETTING_KEYS.size()> readAll(const SettingsFile &file)
{
    std::array<std::optional<QString>, SETTING_KEYS.size()> values;
    for (size_t i = 0; i < SETTING_KEYS.size(); ++i)
        values[i] = file.value(sectionOf(SETTING_KEYS[i].id), keyOf(SETTING_KEYS[i].id));
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
    // The value to write: one line of plain text, as the settings screen writes them.
    const QStringList lines = fuzz::fileLines(data + 1, size - 1);
    const QString value = lines.value(0).trimmed().left(200);
    const QByteArray fileBytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    {
        QFile f(path());
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            fuzz::fail("the scratch set.ini is writable");
        f.write(fileBytes);
    }
    SettingsFile file(path());
    const auto before = readAll(file);
    file.readInteger(u"font"_s, u"size"_s, 14);
    file.readBool(u"play"_s, u"how"_s, true);
    file.readColor(u"back"_s, u"color"_s, u"clBlack"_s);
    const QByteArray bytesBefore = contents();

    const QString section = sectionOf(SETTING_KEYS[which].id);
    const QString key = keyOf(SETTING_KEYS[which].id);
    const SettingsResult written = file.writeString(section, key, value);
    if (!written.ok) {
        fuzz::check(contents() == bytesBefore, "a refused write leaves the file as it was");
        return 0;
    }
    const auto after = readAll(file);
    fuzz::check(after[which].has_value() && *after[which] == value, "a written key reads back");
    for (size_t i = 0; i < SETTING_KEYS.size(); ++i) {
        if (i != which)
            fuzz::check(after[i] == before[i], "writing one key leaves the others alone");
    }
    return 0;
}
