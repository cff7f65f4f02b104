// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings/delaywithevents.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <thread>

void DelayWithEvents(int ms)
{
    if (ms <= 0)
        return;
    QElapsedTimer clock;
    clock.start();
    const qint64 wanted = qint64(ms) * 1000000;
    for (;;) {
        const qint64 left = wanted - clock.nsecsElapsed();
        if (left <= 0)
            return;
        // Whole milliseconds, rounded up, so that the timer never ends the wait early.
        const int leftMs = int((left + 999999) / 1000000);
        if (!QCoreApplication::instance()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(leftMs));
            continue;
        }
        // The loop can also end early (the application quitting asks every loop to end), so
        // the time is checked again afterwards.
        QEventLoop loop;
        QTimer::singleShot(leftMs, Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::AllEvents);
    }
}
