// SPDX-License-Identifier: GPL-3.0-or-later
// Figures of the virtual robot: how long a replay of a full three-block transfer takes, what
// drawing the window costs while the robot drives, and the same for a program tried on the
// floor inside the program (ためす).
#include "robot/wireplan.h"
#include "sim/floorview.h"
#include "sim/replay.h"
#include "sim/robotwindow.h"
#include "sim/trialwindow.h"
#include "support/testenv.h"

#include <QtWidgets/QApplication>

#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>

using namespace Qt::StringLiterals;

namespace {

double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

void benchReplay()
{
    // 39 motions and a loop: 119 bytes, the largest program the text screen sends.
    QStringList text{u"loop(20)"_s};
    for (int i = 0; i < 38; ++i)
        text << (i % 2 ? u"motor(fwd,rev)"_s : u"motor(fwd,fwd)"_s) << u"wait(3)"_s;
    text << u"endloop"_s;
    const WirePlan plan = wirePlanForText(text.join(u"\r\n"_s), ScreenKind::Text, true);
    QList<sim::WireLine> wire;
    for (const WireByte &b : plan.bytes)
        wire.append({b.value, b.pauseMs});

    constexpr int ROUNDS = 50;
    QList<double> times;
    int traceLines = 0;
    double simulatedSeconds = 0;
    for (int i = 0; i < ROUNDS; ++i) {
        QElapsedTimer t;
        t.start();
        const sim::ReplayResult r = sim::replayWire(wire, {});
        times.append(t.nsecsElapsed() / 1e6);
        traceLines = int(r.trace.size());
        simulatedSeconds = r.trace.last().section(u' ', 0, 0).toDouble();
    }
    std::sort(times.begin(), times.end());
    std::printf("replay of a three-block transfer (%lld bytes on the wire, %d instructions run, %.1f s simulated):\n"
                "  median %.2f ms, worst %.2f ms over %d rounds (goal: under 20 ms)\n",
                static_cast<long long>(wire.size()), traceLines, simulatedSeconds,
                times[ROUNDS / 2], times.last(), ROUNDS);
}

void benchFrames()
{
    RobotWindow window(0, QDir::tempPath());
    window.show();
    window.setSpeedFactor(16);
    // Remote control: a turn about the left wheel, so the trail keeps growing in circles.
    window.robot().receive(5);
    window.robot().receive(65);

    // Drawing alone: the floor repainted frame after frame.
    constexpr int FRAMES = 300;
    QElapsedTimer t;
    t.start();
    QPixmap target(window.floor()->size());
    for (int i = 0; i < FRAMES; ++i) {
        window.tick();
        window.floor()->render(&target);
    }
    const double perFrame = t.nsecsElapsed() / 1e6 / FRAMES;

    // The window's own frame timer for five seconds: the share of one core it takes.
    const double cpuStart = cpuMs();
    QElapsedTimer wall;
    wall.start();
    QTimer::singleShot(5000, qApp, &QCoreApplication::quit);
    qApp->exec();
    const double cpu = cpuMs() - cpuStart;
    std::printf("window while the robot drives at x16 (trail of %lld points):\n"
                "  %.2f ms per frame drawn, %.1f %% of one core over %.1f s at the 60 frames a second timer\n"
                "  (goal: 60 frames a second with under 10 %% of one core)\n",
                static_cast<long long>(window.floor()->trail().size()), perFrame,
                100.0 * cpu / double(wall.elapsed()), double(wall.elapsed()) / 1000.0);
}

void benchTrial()
{
    // The sample program of the text screen, as its ためす button hands it over.
    QFile file(testenv::sourceDir() + u"/data/Data/文字入力サンプル.rk5"_s);
    if (!file.open(QIODevice::ReadOnly)) {
        std::printf("trial: the sample program cannot be read\n");
        return;
    }
    QStringList lines = QString::fromUtf8(file.readAll()).remove(u'\r').split(u'\n');
    const WirePlan plan = wirePlanForText(lines.mid(1).join(u"\r\n"_s), ScreenKind::Text, true);

    TrialWindow window;
    window.show();
    // As fast as possible: frame after frame until the robot is done.
    constexpr int ROUNDS = 20;
    QList<double> times;
    window.setSpeedFactor(0);
    for (int i = 0; i < ROUNDS; ++i) {
        window.tryProgram(plan.values(), startCommand(ScreenKind::Text), plan.imageLines, {});
        QElapsedTimer t;
        t.start();
        while (!window.trial().finished() && window.trial().robot().now() < sim::REPLAY_RUN_LIMIT_MS)
            window.tick();
        times.append(t.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    std::printf("ためす, the text screen's sample run to its end as fast as possible, window and trail included:\n"
                "  median %.2f ms, worst %.2f ms over %d rounds (goal: under 50 ms)\n",
                times[ROUNDS / 2], times.last(), ROUNDS);

    // At x1 on the window's own frame timer for five seconds.
    window.setSpeedFactor(1);
    window.tryProgram(plan.values(), startCommand(ScreenKind::Text), plan.imageLines, {});
    const double cpuStart = cpuMs();
    QElapsedTimer wall;
    wall.start();
    QTimer::singleShot(5000, qApp, &QCoreApplication::quit);
    qApp->exec();
    std::printf("ためす at x1: %.1f %% of one core over %.1f s at the 60 frames a second timer (goal: under 10 %%)\n",
                100.0 * (cpuMs() - cpuStart) / double(wall.elapsed()), double(wall.elapsed()) / 1000.0);
}

}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    benchReplay();
    benchFrames();
    benchTrial();
    return 0;
}
