// SPDX-License-Identifier: GPL-3.0-or-later
// Kills a saving child process at random moments, many times, and counts torn files and
// files left behind. Both figures must be 0.
//   build/bin/bench_killsave [KILLS] [SEED]
#include "support/saveloop.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString folder = qEnvironmentVariable(saveloop::CHILD_VARIABLE);
    if (!folder.isEmpty())
        return saveloop::runForever(folder);
    const int kills = argc > 1 ? std::atoi(argv[1]) : 1000;
    const quint32 seed = argc > 2 ? quint32(std::strtoul(argv[2], nullptr, 10)) : 20261208u;
    QElapsedTimer clock;
    clock.start();
    const saveloop::KillOutcome outcome = saveloop::killRepeatedly(QCoreApplication::applicationFilePath(), kills, seed);
    std::printf("kills %d  torn files %d  temporaries left by a kill %d  still there after the next save %d"
                "  seed %u  (%.1f s)\n",
                outcome.kills, outcome.torn, outcome.leftBehind, outcome.leftovers, seed, clock.elapsed() / 1000.0);
    for (const QString &problem : outcome.problems.mid(0, 20))
        std::printf("  %s\n", qPrintable(problem));
    return outcome.torn == 0 && outcome.leftovers == 0 && outcome.kills == kills ? 0 : 1;
}
