// SPDX-License-Identifier: GPL-3.0-or-later
// The decoder takes any bytes. What it makes of them encodes back into bytes that decode to
// the same text, so a file read and saved again never changes its text a second time.
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::ensureApplication();
    const QString decoded = fuzz::text(data, size);
    bool ok = false;
    const QByteArray encoded = cp932::encode(decoded, &ok);
    if (ok)
        fuzz::check(cp932::decode(encoded) == decoded, "decode(encode(text)) is the text");
    const QStringList lines = cp932::splitLines(decoded);
    for (const QString &line : lines)
        fuzz::check(!line.contains(u'\n') && !line.contains(u'\r'), "no line holds a line end");
    return 0;
}
