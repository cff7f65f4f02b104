// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings/delaywithevents.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

void DelayWithEvents(int ms, QObject *context, std::function<void()> then)
{
    auto *timer = new QTimer(context ? context : QCoreApplication::instance());
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);
    QElapsedTimer clock;
    clock.start();
    const qint64 wanted = qint64(ms) * 1000000;
    QObject::connect(timer, &QTimer::timeout, timer, [timer, clock, wanted, then = std::move(then)] {
        const qint64 left = wanted - clock.nsecsElapsed();
        if (left > 0) {
            // Whole milliseconds, rounded up, so that the next turn is never early.
            timer->start(int((left + 999999) / 1000000));
            return;
        }
        timer->deleteLater();
        then();
    });
    timer->start(ms > 0 ? ms : 0);
}
