#include "app/settings/reopenport.h"

#include "app/settings/delaywithevents.h"
#include "app/settings/settingsfile.h"
#include "robot/trs232c.h"

#include <QVariant>

namespace {
constexpr const char *busyProperty = "rk25ReopenRunning";
constexpr int closedPauseMs = 400;
constexpr int settlePauseMs = 4000;
constexpr int readyByte = 254;
}

bool ReopenPort(Trs232c &port)
{
    return ReopenPort(port, SettingsFile());
}

bool ReopenPort(Trs232c &port, const SettingsFile &settings)
{
    // A second re-open from inside the waits would close the port under the first one.
    if (port.property(busyProperty).toBool())
        return false;
    port.setProperty(busyProperty, true);

    port.Close();
    DelayWithEvents(closedPauseMs);
    const int index = settings.comportName();
    if (index >= 0 && index <= 3)
        port.setPortname(QStringLiteral("com%1").arg(index + 1));
    const bool opened = port.Open();
    DelayWithEvents(settlePauseMs);
    port.WriteByte(readyByte);

    port.setProperty(busyProperty, false);
    return opened;
}
