// SPDX-License-Identifier: GPL-3.0-or-later
#include "robot/instructioncode.h"

quint8 motorCode(MotorDirection left, MotorDirection right, int motorSet)
{
    const int base = motorSet == 1 ? 80 : 64;
    return static_cast<quint8>(base + 4 * static_cast<int>(left) + static_cast<int>(right));
}

namespace {

struct ConditionCodes
{
    Sensor sensor;
    SensorState state;
    quint8 whileCode;
    quint8 ifCode;
};

constexpr ConditionCodes CONDITION_TABLE[] = {
    {Sensor::Sw1, SensorState::On, 192, 225},  {Sensor::Sw1, SensorState::Off, 193, 224},
    {Sensor::Sw2, SensorState::On, 194, 227},  {Sensor::Sw2, SensorState::Off, 195, 226},
    {Sensor::Io1, SensorState::Lo, 196, 229},  {Sensor::Io1, SensorState::Hi, 197, 228},
    {Sensor::Io2, SensorState::Lo, 198, 231},  {Sensor::Io2, SensorState::Hi, 199, 230},
};

const ConditionCodes *findCondition(Sensor sensor, SensorState state)
{
    for (const ConditionCodes &c : CONDITION_TABLE) {
        if (c.sensor == sensor && c.state == state)
            return &c;
    }
    return nullptr;
}

}

std::optional<quint8> whileCode(Sensor sensor, SensorState state)
{
    if (const ConditionCodes *c = findCondition(sensor, state))
        return c->whileCode;
    return std::nullopt;
}

std::optional<quint8> ifCode(Sensor sensor, SensorState state)
{
    if (const ConditionCodes *c = findCondition(sensor, state))
        return c->ifCode;
    return std::nullopt;
}
