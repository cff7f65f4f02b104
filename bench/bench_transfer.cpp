// SPDX-License-Identifier: GPL-3.0-or-later
// Plays a full three-block icon-screen transfer to a pseudo-terminal and prints how closely
// the pauses are kept, what it costs in CPU time, and how late a 10 ms timer beside it runs.
#include "robot/trs232c.h"
#include "robot/wireplan.h"
#include "robot/wireplayer.h"
#include "support/pseudoterminal.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <cstdio>

#include <sys/resource.h>

namespace {

double cpuSeconds(int who)
{
    rusage usage {};
    getrusage(who, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);

    PseudoTerminal pty;
    if (!pty.open()) {
        std::fprintf(stderr, "no pseudo-terminal\n");
        return 1;
    }
    Trs232c port;
    port.setPortname(pty.slavePath());
    if (!port.Open()) {
        std::fprintf(stderr, "cannot open %s\n", qPrintable(pty.slavePath()));
        return 1;
    }

    // What one byte costs the port, apart from any waiting.
    {
        QElapsedTimer w;
        QList<double> d;
        for (int i = 0; i < 50; ++i) {
            w.start();
            port.WriteByte(254);
            d.append(w.nsecsElapsed() / 1e6);
        }
        std::sort(d.begin(), d.end());
        std::printf("one WriteByte, median:             %.3f ms (max %.3f ms)\n", d[25], d.last());
        pty.waitForBytes(50, 1000);
        pty.clear();
    }
    QStringList compiled;
    for (int i = 0; i < 119; ++i)
        compiled.append(QString::number(64 + i % 11));
    const WirePlan plan = wirePlan(compiled, ScreenKind::Icon, true);
    if (!plan.ok || plan.bytes.size() != 123) {
        std::fprintf(stderr, "unexpected plan\n");
        return 1;
    }

    // A 10 ms timer beside the transfer, as a window's animation would be.
    QList<double> lateness;
    QElapsedTimer tickClock;
    QTimer ticker;
    ticker.setSingleShot(true);
    ticker.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        lateness.append(tickClock.nsecsElapsed() / 1e6 - 10.0);
        tickClock.start();
        ticker.start(10);
    });

    WirePlayback player(plan);
    QEventLoop loop;
    QObject::connect(&player, &WirePlayback::finished, &loop, &QEventLoop::quit);
    QObject::connect(&player, &WirePlayback::failed, &loop, [&] {
        std::fprintf(stderr, "transfer failed\n");
        loop.exit(1);
    });

    const double cpuBefore = cpuSeconds(RUSAGE_SELF);
    const double mainBefore = cpuSeconds(RUSAGE_THREAD);
    QElapsedTimer wall;
    wall.start();
    tickClock.start();
    ticker.start(10);
    WirePlayer::of(&port)->play(&player);
    if (loop.exec() != 0)
        return 1;
    const double totalMs = wall.nsecsElapsed() / 1e6;
    ticker.stop();
    const double cpu = cpuSeconds(RUSAGE_SELF) - cpuBefore;
    const double mainCpu = cpuSeconds(RUSAGE_THREAD) - mainBefore;

    const QList<qint64> &sent = player.sentAtNs();
    double largestOvershoot = 0;
    QList<double> overshoots;
    for (int i = 1; i < sent.size(); ++i) {
        overshoots.append((sent[i] - sent[i - 1]) / 1e6 - plan.bytes[i - 1].pauseMs);
        largestOvershoot = std::max(largestOvershoot, overshoots.last());
    }
    std::sort(overshoots.begin(), overshoots.end());

    const QList<ReceivedByte> got = pty.waitForBytes(123, 2000);
    double shortestWireMargin = 1e9;
    for (int i = 1; i < got.size(); ++i)
        shortestWireMargin = std::min(shortestWireMargin,
                                      double(got[i].msecsSinceStart - got[i - 1].msecsSinceStart - plan.bytes[i - 1].pauseMs));

    std::sort(lateness.begin(), lateness.end());
    const double p99 = lateness.isEmpty() ? 0 : lateness[qMin(lateness.size() - 1, qsizetype(lateness.size() * 0.99))];

    std::printf("bytes on the wire:                %lld of %lld, %s\n", qint64(got.size()), qint64(plan.bytes.size()),
                PseudoTerminal::valuesOf(got) == plan.values() ? "as planned" : "NOT AS PLANNED");
    std::printf("sum of the pauses:                %lld ms\n", plan.totalPauseMs());
    std::printf("total time:                       %.1f ms\n", totalMs);
    std::printf("total / pauses:                   %.4f (goal <= 1.01)\n", totalMs / plan.totalPauseMs());
    std::printf("largest overshoot of one pause:   %.3f ms\n", largestOvershoot);
    std::printf("overshoot of one pause, median:   %.3f ms\n", overshoots[overshoots.size() / 2]);
    std::printf("shortest gap minus pause on wire: %.0f ms (pseudo-terminal timestamps, 1 ms steps)\n", shortestWireMargin);
    std::printf("CPU time of the process:          %.3f s (goal < 0.2 s; main thread %.3f s)\n", cpu, mainCpu);
    std::printf("10 ms timer beside it, p99 late:  %.3f ms over %lld ticks (goal < 16 ms; max %.3f ms)\n", p99,
                qint64(lateness.size()), lateness.isEmpty() ? 0.0 : lateness.last());
    return 0;
}
