// SPDX-License-Identifier: GPL-3.0-or-later
// The icon file reader takes any file: a refused file leaves the program as it was; a file
// that reads is written back as lines that read again to the very same lines.
#include "fuzzsupport.h"
#include "icon/iconfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::ensureApplication();
    const QStringList lines = fuzz::fileLines(data, size);
    static const IconProgram START = [] {
        IconProgram p;
        p.setFromIcon(0, u"FF");
        return p;
    }();
    static const QStringList BEFORE = iconFileLines(START);
    for (bool motionOnly : {false, true}) {
        IconProgram program = START;
        const IconReadResult read = readIconLines(lines, &program, motionOnly);
        if (read.status != IconReadStatus::Ok) {
            fuzz::check(iconFileLines(program) == BEFORE, "a refused file changes nothing");
            continue;
        }
        const QStringList written = iconFileLines(program);
        fuzz::check(written.size() == ICON_FILE_LINE_COUNT, "a saved file has all its lines");
        IconProgram again;
        fuzz::check(readIconLines(written, &again, motionOnly).status == IconReadStatus::Ok,
                    "a saved file reads");
        fuzz::check(iconFileLines(again) == written, "a saved file reads back to itself");
        bool encodable = false;
        cp932::encodeLines(written, &encodable);
        fuzz::check(encodable, "a saved file holds only what CP932 holds");
    }
    return 0;
}
