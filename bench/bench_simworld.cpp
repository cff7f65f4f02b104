// SPDX-License-Identifier: GPL-3.0-or-later
// Figures of the virtual robot's world: what collision with walls and ten cones costs per
// simulated second, how long a replay of the sample program against the wall takes, and the
// window's CPU share while the sample runs at x16 among ten cones.
#include "robot/instructioncode.h"
#include "robot/programimage.h"
#include "robot/tsmr.h"
#include "robot/wireplan.h"
#include "sim/replay.h"
#include "sim/robotwindow.h"
#include "sim/virtualrobot.h"
#include "support/testenv.h"

#include <QtWidgets/QApplication>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
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

QString sampleText()
{
    QFile f(testenv::sourceDir() + u"/data/Data/文字入力サンプル.rk5"_s);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(f.readAll()).split(u'\n');
    lines.removeFirst(); // the "KB" marker
    return lines.join(u"\r\n"_s);
}

// Ten cones off the sample's way (its square spans x 87.5 to 105), so it still reaches the top wall.
sim::World tenCones()
{
    sim::World w = sim::walledFloor();
    for (int i = 0; i < sim::MAX_CONES; ++i)
        w.cones.append({i < 5 ? 10.0 + 12.0 * i : 135.0 + 9.0 * (i - 5), 30.0 + 30.0 * (i % 3) + (i < 5 ? 0 : 10)});
    return w;
}

void store(sim::VirtualRobot &robot, const QByteArray &image)
{
    for (int block = 0; block * BLOCK_SIZE < std::min(int(image.size()), MAX_IMAGE_BYTES); ++block) {
        robot.receive(blockNumber(block));
        for (char b : image.mid(block * BLOCK_SIZE, BLOCK_SIZE))
            robot.receive(quint8(b));
    }
    robot.receive(CMD_START_TEXT);
}

double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Spins, pivots and runs for 200 simulated seconds.
QByteArray wanderingImage()
{
    QStringList text{u"loop(100)"_s, u"motor(fwd,fwd)"_s, u"wait(8)"_s, u"motor(stop,fwd)"_s, u"wait(4)"_s,
                     u"motor(fwd,rev)"_s, u"wait(3)"_s, u"motor(rev,rev)"_s, u"wait(5)"_s, u"endloop"_s};
    TSmr smr(text.join(u"\n"_s));
    smr.Compile();
    return buildProgramImage(smr.codeLines(), ScreenKind::Text, false);
}

void benchCollision()
{
    const QByteArray image = wanderingImage();
    auto run = [&](const sim::World &world) {
        sim::VirtualRobot robot;
        robot.placeAt({60, 100, 90});
        robot.setWorld(world);
        store(robot, image);
        QElapsedTimer t;
        t.start();
        while (robot.busy())
            robot.advanceTo(robot.now() + 16);
        return std::pair(t.nsecsElapsed() / 1e6, robot.now() / 1000.0);
    };
    QList<double> open;
    QList<double> walled;
    double seconds = 0;
    for (int i = 0; i < 9; ++i) {
        open.append(run(sim::World()).first);
        const auto [ms, s] = run(tenCones());
        walled.append(ms);
        seconds = s;
    }
    std::printf("motion among walls and 10 cones (%.0f s simulated in 60 Hz frames):\n"
                "  %.3f ms per simulated second with the world, %.3f ms on the open floor\n",
                seconds, median(walled) / seconds, median(open) / seconds);
}

void benchSampleReplay()
{
    const WirePlan plan = wirePlanForText(sampleText(), ScreenKind::Text, true);
    QList<sim::WireLine> wire;
    for (const WireByte &b : plan.bytes)
        wire.append({b.value, b.pauseMs});
    const sim::ReplayWorld world{tenCones(), sim::DEFAULT_START};
    QList<double> times;
    sim::ReplayResult r;
    for (int i = 0; i < 30; ++i) {
        QElapsedTimer t;
        t.start();
        r = sim::replayWire(wire, {}, world);
        times.append(t.nsecsElapsed() / 1e6);
    }
    std::printf("replay of the sample program with walls and 10 cones (%lld trace lines, %s):\n"
                "  median %.2f ms, worst %.2f ms over %lld rounds (goal: under 50 ms)\n",
                static_cast<long long>(r.trace.size()), qPrintable(sim::poseLine(r.floorPose, u"floor"_s)),
                median(times), *std::max_element(times.begin(), times.end()), static_cast<long long>(times.size()));
}

void benchWindow()
{
    QTemporaryDir dir;
    RobotWindow window(0, dir.path());
    window.show();
    window.setSpeedFactor(16);
    sim::World w = tenCones();
    for (const QPointF &c : w.cones)
        window.toggleConeAt(c);
    store(window.robot(), wanderingImage());
    QElapsedTimer real;
    real.start();
    const double cpu0 = cpuMs();
    QEventLoop loop;
    QTimer::singleShot(4000, &loop, &QEventLoop::quit);
    loop.exec();
    const double cpu = cpuMs() - cpu0;
    std::printf("window driving at x16 among walls and 10 cones (offscreen, %lld ms real, still running: %s):\n"
                "  %.1f %% of one core (goal: under 10 %% at 60 frames a second)\n",
                static_cast<long long>(real.elapsed()), window.robot().busy() ? "yes" : "no", 100.0 * cpu / double(real.elapsed()));
}

}

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchCollision();
    benchSampleReplay();
    benchWindow();
    return 0;
}
