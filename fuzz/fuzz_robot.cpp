// SPDX-License-Identifier: GPL-3.0-or-later
// The virtual robot takes any bytes from the line at any moments, with its switches and IO
// lines changing between them. It never hangs and never stores a byte it did not receive as
// part of a block; what it shows stays in range; and a stored program that reads back as text
// compiles to the very bytes it holds.
//
// Input: pairs of bytes (what, value). what % 4: 0 a byte from the line, 1 value × 50 ms pass,
// 2 switches and IO inputs set from value's low four bits, 3 value seconds pass.
#include "fuzzsupport.h"
#include "robot/instructioncode.h"
#include "robot/tsmr.h"
#include "sim/disassembler.h"
#include "sim/virtualrobot.h"

#include <cmath>

namespace {

QByteArray compiledBytes(const QStringList &codeLines)
{
    QByteArray bytes;
    for (const QString &line : codeLines)
        bytes.append(char(line.toInt()));
    return bytes;
}

void checkStoredProgram(const QByteArray &program)
{
    const QList<sim::DisassembledLine> lines = sim::disassemble(program);
    bool plain = true;
    int last = -1;
    for (const sim::DisassembledLine &line : lines) {
        // A program that fills every byte ends just past the last one.
        fuzz::check(line.offset >= last && (line.offset < program.size()
                                            || (line.offset == program.size() && line.op == sim::Op::End)),
                    "lines follow the stored bytes");
        fuzz::check(line.depth >= 0, "nesting never goes below the top");
        last = line.offset;
        plain = plain && line.op != sim::Op::Unknown && line.op != sim::Op::Truncated;
    }
    const QString text = sim::disassembledText(program);
    if (!plain)
        return;
    TSmr smr(text);
    if (!smr.Compile())
        return;
    const QByteArray code = compiledBytes(smr.codeLines());
    fuzz::check(code.size() <= program.size(), "the text of a stored program fits the robot");
    // Up to its end byte, or all of it when the program fills every byte.
    const QByteArray expected = code.size() == program.size() ? code : code + char(TERMINATOR);
    fuzz::check(expected == program.left(expected.size()),
                "a stored program read back as text compiles to the same bytes");
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::ensureApplication();
    sim::VirtualRobot robot;
    qint64 lastEvent = 0;
    robot.onEvent = [&](const sim::RobotEvent &e) {
        fuzz::check(e.ms >= lastEvent && e.ms <= robot.now(), "events come in time order");
        // The end of a program that fills all its bytes is met just past the last one.
        fuzz::check(e.offset >= -1 && e.offset <= MAX_IMAGE_BYTES, "an event points into the program");
        lastEvent = e.ms;
    };
    for (size_t i = 0; i + 1 < size; i += 2) {
        const quint8 what = data[i] % 4;
        const quint8 value = data[i + 1];
        switch (what) {
        case 0: {
            const QByteArray before = robot.program();
            const bool receiving = robot.state() == sim::RobotState::Receiving;
            const int block = robot.receivingBlock();
            robot.receive(value);
            const QByteArray &after = robot.program();
            int changed = 0;
            for (int b = 0; b < after.size(); ++b) {
                if (after[b] == before[b])
                    continue;
                ++changed;
                fuzz::check(receiving && quint8(after[b]) == value, "only a block byte is stored");
                fuzz::check(b / BLOCK_SIZE == block - 1, "a byte lands in its own block");
            }
            fuzz::check(changed <= 1, "one byte stores at most one byte");
            break;
        }
        case 1:
            robot.advanceTo(robot.now() + qint64(value) * 50);
            break;
        case 2:
            robot.setSwitch(1, value & 1);
            robot.setSwitch(2, value & 2);
            robot.setIoInput(1, value & 4);
            robot.setIoInput(2, value & 8);
            break;
        default:
            robot.advanceTo(robot.now() + qint64(value) * 1000);
            break;
        }
        fuzz::check(robot.program().size() == MAX_IMAGE_BYTES, "the robot holds its 120 bytes");
        if (robot.state() == sim::RobotState::Receiving)
            fuzz::check(robot.receivingBlock() >= 1 && robot.receivingBlock() <= MAX_BLOCKS,
                        "a block being received is one of the three");
        fuzz::check(robot.currentOffset() >= -1 && robot.currentOffset() < MAX_IMAGE_BYTES,
                    "the running instruction is in the program");
        const sim::Pose pose = robot.pose();
        fuzz::check(std::isfinite(pose.x) && std::isfinite(pose.y) && std::isfinite(pose.heading),
                    "the robot stays somewhere");
        const sim::Wheels wheels = robot.wheels();
        fuzz::check(std::abs(wheels.left) <= 1 && std::abs(wheels.right) <= 1, "a wheel turns one way or none");
    }
    checkStoredProgram(robot.program());
    return 0;
}
