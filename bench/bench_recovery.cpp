// SPDX-License-Identifier: GPL-3.0-or-later
// The recovery copy of a pupil's program: how long after a change the copy is on disk (the
// write waits WRITE_DELAY_MS after the first change not yet written), and the CPU one write
// costs for the largest programs: a full 59-slot icon program and a 239-line text.
// Run by hand: build/bin/bench_recovery
#include "common/recoverycopy.h"
#include "icon/iconfile.h"
#include "icon/iconprogram.h"
#include "text/textfile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <ctime>

using namespace Qt::StringLiterals;

namespace {

double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double percentile(QList<double> v, double p)
{
    std::sort(v.begin(), v.end());
    return v[std::min<qsizetype>(v.size() - 1, qsizetype(p * (v.size() - 1) + 0.5))];
}

IconProgram fullIconProgram()
{
    IconProgram program;
    const QString icons[] = {u"Image2"_s, u"Image6"_s, u"Image3"_s, u"Image8"_s};
    for (int n = 0; n < SLOT_COUNT; ++n) {
        program.setFromIcon(n, icons[n % 4]);
        program.setValue(n, 10 + n);
    }
    return program;
}

QString longText()
{
    QStringList lines;
    for (int i = 0; i < 239; ++i)
        lines << (i % 2 ? u"wait(%1) //まつ じかん"_s.arg(i % 200 + 1) : u"motor(fwd,fwd) //まえへ　すすむ"_s);
    return lines.join(u"\r\n"_s);
}

struct Case
{
    const char *name;
    RecoveryCopy::Lines lines;
};

void measure(const Case &c, const QString &folder)
{
    RecoveryCopy copy(QString::fromLatin1(c.name) + u".rk5"_s, [&] { return folder; }, c.lines);

    // From a change to the copy on disk, with a second change half-way as typing would make.
    QList<double> onDisk;
    for (int i = 0; i < 6; ++i) {
        QFile::remove(copy.path());
        QElapsedTimer clock;
        clock.start();
        copy.changed();
        bool second = false;
        while (!QFile::exists(copy.path())) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
            if (!second && clock.elapsed() > 500) {
                copy.changed();
                second = true;
            }
        }
        onDisk << clock.nsecsElapsed() / 1e9;
    }

    // CPU of one write, the lines made from the program as the screen makes them.
    QList<double> cpu;
    for (int i = 0; i < 200; ++i) {
        const double before = cpuMs();
        copy.writeNow();
        cpu << cpuMs() - before;
    }
    std::printf("%-26s on disk after a change: median %.3f s, max %.3f s (goal: within 1.5 s)\n", c.name,
                percentile(onDisk, 0.5), percentile(onDisk, 1.0));
    std::printf("%-26s CPU per write: median %.3f ms, 95th %.3f ms (goal: under 2 ms)\n", c.name,
                percentile(cpu, 0.5), percentile(cpu, 0.95));
}

}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const IconProgram icon = fullIconProgram();
    const QString text = longText();
    measure({"icon program, 59 slots", [&] { return iconFileLines(icon); }}, dir.path());
    measure({"text program, 239 lines", [&] { return textFileLines(text); }}, dir.path());
    return 0;
}
