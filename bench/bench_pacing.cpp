// SPDX-License-Identifier: GPL-3.0-or-later
// Figures of the waits and the pacing that the unit tests only check as minimums: what a wait
// costs in CPU time, how often a timer beside it gets its turn, how fast a refused re-open
// returns, how long a write takes to give up, and how soon a remote-control byte leaves.
#include "app/settings/delaywithevents.h"
#include "app/settings/reopenport.h"
#include "app/settings/settingsfile.h"
#include "robot/instructioncode.h"
#include "robot/trs232c.h"
#include "robot/wireplan.h"
#include "robot/wireplayer.h"
#include "support/pseudoterminal.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>

#include <time.h>

using namespace Qt::StringLiterals;

namespace {

double processCpuMs()
{
    timespec now {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1000 + double(now.tv_nsec) / 1e6;
}

double median(QList<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The benchmark's own way to wait: the event loop runs until start's "done" is called.
void runUntilDone(const std::function<void(std::function<void()>)> &start)
{
    QEventLoop loop;
    bool finished = false;
    start([&] {
        finished = true;
        loop.quit();
    });
    if (!finished)
        loop.exec();
}

void delay(int ms)
{
    runUntilDone([ms](std::function<void()> done) { DelayWithEvents(ms, nullptr, done); });
}

bool openOn(Trs232c &port, const PseudoTerminal &pty)
{
    port.setPortname(pty.slavePath());
    return port.Open();
}

void delayFigures()
{
    const double cpuBefore = processCpuMs();
    QElapsedTimer wall;
    wall.start();
    delay(500);
    std::printf("DelayWithEvents(500): waited       %lld ms, CPU %.1f ms (goal < 100 ms)\n",
                wall.elapsed(), processCpuMs() - cpuBefore);

    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(20);
    delay(300);
    std::printf("20 ms timer inside a 300 ms wait:  %d ticks (15 at best; goal >= 5)\n", ticks);
}

void reopenFigures()
{
    PseudoTerminal pty;
    if (!pty.open())
        return;
    Trs232c port;
    openOn(port, pty);
    const SettingsFile settings(QDir(QDir::tempPath()).filePath(u"rk25-bench-none.ini"_s));
    double nestedMs = -1;
    QTimer::singleShot(1000, [&] {
        QElapsedTimer nested;
        nested.start();
        ReopenPort(port, settings, nullptr, {});
        nestedMs = double(nested.nsecsElapsed()) / 1e6;
    });
    QElapsedTimer wall;
    wall.start();
    double returnedMs = -1;
    runUntilDone([&](std::function<void()> done) {
        ReopenPort(port, settings, nullptr, [done](bool) { done(); });
        returnedMs = double(wall.nsecsElapsed()) / 1e6;
    });
    std::printf("ReopenPort:                        %lld ms (4400 ms of waits); the call returned after %.3f ms\n",
                wall.elapsed(), returnedMs);
    std::printf("a second ReopenPort meanwhile:     %.3f ms to be refused (goal < 100 ms)\n", nestedMs);
}

void writeTimeoutFigures()
{
    PseudoTerminal pty;
    if (!pty.open())
        return;
    pty.setReadingPaused(true);
    Trs232c port;
    port.setTxtimeout(300);
    if (!openOn(port, pty))
        return;
    QElapsedTimer wall;
    wall.start();
    bool failed = false;
    runUntilDone([&](std::function<void()> done) {
        QObject::connect(&port, &Trs232c::writeFailed, [&failed, done] {
            failed = true;
            done();
        });
        QObject::connect(&port, &Trs232c::written, done);
        if (!port.Write(QByteArray(1 << 20, 'x')))
            done();
    });
    std::printf("Write on a stuck line, txtimeout 300: gave up after %lld ms (%s; goal < 5000 ms)\n",
                wall.elapsed(), failed ? "refused" : "NOT REFUSED");
    pty.setReadingPaused(false);
    port.setTxtimeout(30000);
    port.Close();
}

void remoteFigures()
{
    PseudoTerminal pty;
    if (!pty.open())
        return;
    Trs232c port;
    if (!openOn(port, pty))
        return;
    WirePlayer *player = WirePlayer::of(&port);

    // A code asked for on a quiet line, until it is at the far end.
    QList<double> latency;
    for (int i = 0; i < 20; ++i) {
        delay(DRIVE_PAUSE_MS + 20);
        const qint64 asked = pty.elapsed();
        player->drive(69);
        const QList<ReceivedByte> got = pty.waitForBytes(i + 1, 1000);
        if (got.size() == i + 1)
            latency.append(double(got.last().msecsSinceStart - asked));
    }
    std::printf("drive() on a quiet line to the wire: median %.0f ms over %lld (goal < 50 ms)\n",
                median(latency), qint64(latency.size()));

    // A key held for 2 s with the keyboard's auto-repeat, then stop.
    delay(DRIVE_PAUSE_MS + 20);
    pty.clear();
    QElapsedTimer held;
    held.start();
    while (held.elapsed() < 2000) {
        player->drive(74);
        delay(30);
    }
    const qint64 stopAt = pty.elapsed();
    player->drive(64);
    runUntilDone([player](std::function<void()> done) { player->whenIdle(player, done); });
    const QList<ReceivedByte> got = pty.collectFor(300);
    qint64 stopSeen = -1;
    for (const ReceivedByte &b : got)
        if (b.value == 64)
            stopSeen = b.msecsSinceStart;
    std::printf("held key for 2 s:                  %lld codes on the wire (at most 21); stop %lld ms after the key\n",
                qint64(got.size()) - 1, stopSeen - stopAt);
}

}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    delayFigures();
    writeTimeoutFigures();
    remoteFigures();
    reopenFigures();
    return 0;
}
