// SPDX-License-Identifier: GPL-3.0-or-later
// The compiler takes any text: it either emits byte values 0..255 that the image builder takes
// or refuses the image with its message, or it fails with at least one message.
#include "fuzzsupport.h"
#include "robot/programimage.h"
#include "robot/tsmr.h"
#include "robot/wireplan.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::ensureApplication();
    TSmr smr(fuzz::text(data, size));
    const bool ok = smr.Compile();
    if (!ok) {
        fuzz::check(!smr.messages().isEmpty(), "a failed compile says why");
        return 0;
    }
    for (const QString &line : smr.codeLines()) {
        bool number = false;
        const int value = line.toInt(&number);
        fuzz::check(number && value >= 0 && value <= 255, "every code line is a byte value");
    }
    for (ScreenKind kind : {ScreenKind::Icon, ScreenKind::Text, ScreenKind::Route}) {
        for (bool how : {true, false}) {
            const WirePlan plan = wirePlan(smr.codeLines(), kind, how);
            fuzz::check(plan.ok || !plan.messages.isEmpty(), "a refused image says why");
            if (plan.ok) {
                fuzz::check(plan.image.size() % 40 == 0 && plan.image.size() <= 120,
                            "a sent image is whole blocks within the robot's memory");
                fuzz::check(quint8(plan.image.back()) == 254, "a sent image ends with 254");
            }
        }
    }
    return 0;
}
