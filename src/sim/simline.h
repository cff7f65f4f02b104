// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "robot/robotline.h"
#include "sim/virtualrobot.h"

#include <QElapsedTimer>
#include <QList>
#include <QTimer>

namespace sim {

// The virtual robot inside the program as the robot's line: every byte written reaches the
// robot's receiver at once, and the robot runs on the line's own monotonic clock, moved on
// by a timer while the line is open. "written" comes on the next turn of the event loop, as
// from a device.
class SimLine : public RobotLine
{
    Q_OBJECT
public:
    struct Arrival
    {
        quint8 value = 0;
        // On the line's clock (nsecsNow()).
        qint64 atNs = 0;
    };

    explicit SimLine(QObject *parent = nullptr);

    bool Open() override;
    bool Close() override;
    using RobotLine::Write;
    bool Write(QByteArrayView bytes) override;
    bool SetRTS(bool raise) override;
    bool SetDTR(bool raise) override;
    bool isSound() const override { return isOpen(); }
    bool makeReady() override;
    PortStatus currentStatus() const override;
    QString devicePath() const override;

    VirtualRobot &robot() { return m_robot; }
    const VirtualRobot &robot() const { return m_robot; }
    // Every byte that reached the robot, in order.
    const QList<Arrival> &arrivals() const { return m_arrivals; }
    qint64 nsecsNow() const { return m_clock.nsecsElapsed(); }
    // Runs the robot up to now.
    void catchUp();

private:
    VirtualRobot m_robot;
    QElapsedTimer m_clock;
    QTimer m_tick;
    QList<Arrival> m_arrivals;
    bool m_writtenDue = false;
};

}
