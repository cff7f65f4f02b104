// SPDX-License-Identifier: GPL-3.0-or-later
// Any input to rk25c: one of the three program files, or program text. It is taken with a
// kind and no messages, or refused with at least one message.
#include "fuzzsupport.h"
#include "programs/programsource.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::ensureApplication();
    const ProgramSource source = programSourceFromLines(fuzz::fileLines(data, size));
    if (source.ok)
        fuzz::check(source.messages.isEmpty(), "a taken input has no refusal");
    else
        fuzz::check(!source.messages.isEmpty(), "a refused input says why");
    joinProgramText(source.text);
    return 0;
}
