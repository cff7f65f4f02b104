// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings/reopenport.h"

#include "app/settings/delaywithevents.h"
#include "app/settings/settingsfile.h"
#include "robot/trs232c.h"

#include <QPointer>
#include <QVariant>

using namespace Qt::StringLiterals;

namespace {
constexpr const char *BUSY_PROPERTY = "rk25ReopenRunning";
constexpr int CLOSED_PAUSE_MS = 400;
constexpr int SETTLE_PAUSE_MS = 4000;
constexpr int READY_BYTE = 254;
}

bool ReopenPort(Trs232c &port, QObject *context, std::function<void(bool)> then)
{
    return ReopenPort(port, SettingsFile(), context, std::move(then));
}

bool ReopenPort(Trs232c &port, const SettingsFile &settings, QObject *context,
                std::function<void(bool)> then)
{
    // A second re-open during the waits would close the port under the first one.
    if (port.property(BUSY_PROPERTY).toBool())
        return false;
    port.setProperty(BUSY_PROPERTY, true);
    // The steps run only while both the port and the caller are there.
    QObject *guard = new QObject(context ? context : &port);
    QObject::connect(&port, &QObject::destroyed, guard, [guard] { delete guard; });
    QObject::connect(guard, &QObject::destroyed, &port, [p = QPointer<Trs232c>(&port)] {
        if (p)
            p->setProperty(BUSY_PROPERTY, false);
    });

    port.Close();
    DelayWithEvents(CLOSED_PAUSE_MS, guard, [&port, settings, guard, then = std::move(then)]() mutable {
        const int index = settings.comportName();
        if (index >= 0 && index <= 3)
            port.setPortname(u"com%1"_s.arg(index + 1));
        const bool opened = port.Open();
        DelayWithEvents(SETTLE_PAUSE_MS, guard, [&port, guard, opened, then = std::move(then)] {
            port.WriteByte(READY_BYTE);
            QObject::disconnect(guard, &QObject::destroyed, &port, nullptr);
            port.setProperty(BUSY_PROPERTY, false);
            guard->deleteLater();
            if (then)
                then(opened);
        });
    });
    return true;
}
