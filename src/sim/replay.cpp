// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/replay.h"

#include "robot/instructioncode.h"
#include "sim/virtualrobot.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace sim {

namespace {

struct Timed
{
    qint64 ms = 0;
    int order = 0;
    std::function<void(VirtualRobot &)> apply;
};

// Text of a number rounded to the decimals, never "-0.00".
QString fixed(double value, int decimals)
{
    QString text = QString::number(value, 'f', decimals);
    if (text.startsWith(u'-') && text.mid(1).remove(u'0').remove(u'.').isEmpty())
        text.remove(0, 1);
    return text;
}

}

bool parseWireLines(const QString &text, QList<WireLine> &lines, int &badLine)
{
    static const QRegularExpression form(u"^\\s*(\\d{1,3})\\s+(\\d{1,9})\\s*$"_s);
    lines.clear();
    const QStringList rows = text.split(u'\n');
    for (int i = 0; i < rows.size(); ++i) {
        QString row = rows[i];
        if (row.endsWith(u'\r'))
            row.chop(1);
        if (row.trimmed().isEmpty())
            continue;
        const QRegularExpressionMatch m = form.match(row);
        const int value = m.hasMatch() ? m.captured(1).toInt() : -1;
        if (value < 0 || value > 255) {
            badLine = i + 1;
            return false;
        }
        lines.append({quint8(value), m.captured(2).toLongLong()});
    }
    badLine = 0;
    return true;
}

bool parseSwitchPress(const QString &text, SwitchPress &press)
{
    static const QRegularExpression form(u"^sw([12])@(\\d+(?:\\.\\d+)?)$"_s);
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return false;
    const double seconds = m.captured(2).toDouble();
    if (seconds > 1e6)
        return false;
    press = {m.captured(1).toInt(), qint64(std::llround(seconds * 1000.0))};
    return true;
}

bool parseNumbers(const QString &text, int count, QList<double> &numbers)
{
    numbers.clear();
    const QStringList parts = text.split(u',');
    if (parts.size() != count)
        return false;
    for (const QString &part : parts) {
        bool ok = false;
        const double v = part.toDouble(&ok);
        if (!ok || !std::isfinite(v) || std::abs(v) > 1e6)
            return false;
        numbers.append(v);
    }
    return true;
}

QString poseLine(const Pose &pose, const QString &word)
{
    double h = normalizedHeading(pose.heading);
    // 359.96 would print as 360.0.
    if (std::round(h * 10.0) >= 3600.0)
        h = 0;
    return u"%1 %2 %3 %4"_s.arg(word, fixed(pose.x, 2), fixed(pose.y, 2), fixed(h, 1));
}

ReplayResult replayWire(const QList<WireLine> &lines, const QList<SwitchPress> &presses, const ReplayWorld &world)
{
    ReplayResult result;
    VirtualRobot robot;
    bool started = false;
    robot.onEvent = [&](const RobotEvent &e) {
        if (e.offset >= 0)
            started = true;
        result.trace.append(u"%1 %2 %3"_s.arg(fixed(double(e.ms) / 1000.0, 3),
                                              e.offset >= 0 ? QString::number(e.offset) : u"-"_s, e.text));
    };
    robot.placeAt(world.start);
    robot.setWorld(world.world);

    QList<Timed> events;
    qint64 t = 0;
    for (const WireLine &line : lines) {
        const quint8 value = line.value;
        events.append({t, int(events.size()), [value](VirtualRobot &r) { r.receive(value); }});
        t += line.pauseMs;
    }
    const qint64 lastByteEnd = t;
    for (const SwitchPress &p : presses) {
        const int which = p.which;
        events.append({p.atMs, int(events.size()), [which](VirtualRobot &r) { r.setSwitch(which, true); }});
        events.append({p.atMs + PRESS_LENGTH_MS, int(events.size()),
                       [which](VirtualRobot &r) { r.setSwitch(which, false); }});
    }
    // A recorded transfer ends before the run button: press it for the pupil.
    events.append({lastByteEnd, int(events.size()), [&started](VirtualRobot &r) {
                       if (!started && !r.busy() && r.state() == RobotState::HasProgram)
                           r.receive(CMD_START);
                   }});
    std::stable_sort(events.begin(), events.end(), [](const Timed &a, const Timed &b) { return a.ms < b.ms; });

    const qint64 limit = lastByteEnd + REPLAY_RUN_LIMIT_MS;
    for (const Timed &e : events) {
        if (e.ms > limit)
            break;
        robot.advanceTo(e.ms);
        e.apply(robot);
    }
    // Step in tenths so the end time is known within one wait unit without running to the limit.
    while (robot.busy() && robot.now() < limit)
        robot.advanceTo(qMin(limit, robot.now() + 100));
    result.ended = !robot.busy();
    result.floorPose = robot.pose();
    result.pose = {result.floorPose.x - world.start.x, result.floorPose.y - world.start.y, result.floorPose.heading};
    return result;
}

}
