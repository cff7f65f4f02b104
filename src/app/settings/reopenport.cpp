// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings/reopenport.h"

#include "app/settings/delaywithevents.h"
#include "app/settings/settingsfile.h"
#include "robot/trs232c.h"

#include <QVariant>

using namespace Qt::StringLiterals;

namespace {
constexpr const char *BUSY_PROPERTY = "rk25ReopenRunning";
constexpr int CLOSED_PAUSE_MS = 400;
constexpr int SETTLE_PAUSE_MS = 4000;
constexpr int READY_BYTE = 254;
}

bool ReopenPort(Trs232c &port)
{
    return ReopenPort(port, SettingsFile());
}

bool ReopenPort(Trs232c &port, const SettingsFile &settings)
{
    // A second re-open from inside the waits would close the port under the first one.
    if (port.property(BUSY_PROPERTY).toBool())
        return false;
    port.setProperty(BUSY_PROPERTY, true);

    port.Close();
    DelayWithEvents(CLOSED_PAUSE_MS);
    const int index = settings.comportName();
    if (index >= 0 && index <= 3)
        port.setPortname(u"com%1"_s.arg(index + 1));
    const bool opened = port.Open();
    DelayWithEvents(SETTLE_PAUSE_MS);
    port.WriteByte(READY_BYTE);

    port.setProperty(BUSY_PROPERTY, false);
    return opened;
}
