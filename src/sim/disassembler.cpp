// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/disassembler.h"

#include "robot/instructioncode.h"
#include "sim/motion.h"

using namespace Qt::StringLiterals;

namespace sim {

namespace {

int byteAt(const QByteArray &program, int offset)
{
    return static_cast<quint8>(program.at(offset));
}

QString directionWord(int sense)
{
    return sense > 0 ? u"fwd"_s : sense < 0 ? u"rev"_s : u"stop"_s;
}

int operandCount(Op op)
{
    switch (op) {
    case Op::IoOut:
    case Op::Motor:
    case Op::Loop:
        return 1;
    case Op::Speed:
        return 2;
    default:
        return 0;
    }
}

Op opOf(quint8 code)
{
    if (code >= opcode::SET_IO1_IN && code <= opcode::SET_IO2_OUT)
        return Op::SetIo;
    if (code >= opcode::IO1_ON && code <= opcode::IO2_OFF)
        return Op::IoOut;
    if (isMotorCode(code))
        return Op::Motor;
    if (code == opcode::SPEED)
        return Op::Speed;
    if (code == opcode::LOOP)
        return Op::Loop;
    if (code == opcode::END_LOOP)
        return Op::EndLoop;
    if (code >= 192 && code <= opcode::WHILE_FOREVER)
        return Op::While;
    if (code == opcode::END_WHILE)
        return Op::EndWhile;
    if (code >= 224 && code <= 231)
        return Op::If;
    if (code == opcode::ELSE_IF)
        return Op::ElseIf;
    if (code == opcode::END_IF)
        return Op::EndIf;
    if (code == TERMINATOR)
        return Op::End;
    return Op::Unknown;
}

QString motorText(quint8 code)
{
    Wheels w;
    wheelsOfMotorCode(code, w);
    return u"motor(%1,%2)"_s.arg(directionWord(w.left), directionWord(w.right));
}

QString ioText(quint8 code)
{
    static const char16_t *const texts[] = {u"io1(on)", u"io1(off)", u"io2(on)", u"io2(off)"};
    return QString::fromUtf16(texts[code - opcode::IO1_ON]);
}

QString setIoText(quint8 code)
{
    static const char16_t *const texts[] = {u"setio1(in)", u"setio1(out)", u"setio2(in)", u"setio2(out)"};
    return QString::fromUtf16(texts[code - opcode::SET_IO1_IN]);
}

// The first line of an instruction; the wait of a motor or IO instruction follows on its own.
QString headText(const Instruction &in)
{
    switch (in.op) {
    case Op::SetIo:
        return setIoText(in.code);
    case Op::IoOut:
        return ioText(in.code);
    case Op::Motor:
        return motorText(in.code);
    case Op::Speed:
        return u"speed(%1,%2)"_s.arg(in.operand1).arg(in.operand2);
    case Op::Loop:
        return u"loop(%1)"_s.arg(in.operand1);
    case Op::EndLoop:
        return u"endloop"_s;
    case Op::While:
        return in.code == opcode::WHILE_FOREVER ? u"while(1)"_s : u"while(%1)"_s.arg(conditionText(in.code));
    case Op::EndWhile:
        return u"endwhile"_s;
    case Op::If:
        return u"if(%1)"_s.arg(conditionText(in.code));
    case Op::ElseIf:
        return u"elseif"_s;
    case Op::EndIf:
        return u"endif"_s;
    case Op::End:
        return u"// おわり"_s;
    case Op::Unknown:
        return u"// 知らない命令 %1"_s.arg(in.code);
    case Op::Truncated:
        return u"// とちゅうで切れた命令 %1"_s.arg(in.code);
    }
    return QString();
}

}

Instruction decodeAt(const QByteArray &program, int offset)
{
    Instruction in;
    in.offset = offset;
    if (offset < 0 || offset >= program.size())
        return in;
    in.code = static_cast<quint8>(byteAt(program, offset));
    in.op = opOf(in.code);
    const int operands = operandCount(in.op);
    if (offset + operands >= program.size()) {
        in.op = Op::Truncated;
        in.size = program.size() - offset;
        return in;
    }
    in.size = 1 + operands;
    if (operands >= 1)
        in.operand1 = byteAt(program, offset + 1);
    if (operands >= 2)
        in.operand2 = byteAt(program, offset + 2);
    return in;
}

bool conditionHolds(quint8 code, const Inputs &inputs)
{
    switch (code) {
    case 192: return inputs.sw1;
    case 193: return !inputs.sw1;
    case 194: return inputs.sw2;
    case 195: return !inputs.sw2;
    case 196: return !inputs.io1High;
    case 197: return inputs.io1High;
    case 198: return !inputs.io2High;
    case 199: return inputs.io2High;
    case 200: return true;
    case 224: return !inputs.sw1;
    case 225: return inputs.sw1;
    case 226: return !inputs.sw2;
    case 227: return inputs.sw2;
    case 228: return inputs.io1High;
    case 229: return !inputs.io1High;
    case 230: return inputs.io2High;
    case 231: return !inputs.io2High;
    default: return false;
    }
}

QString conditionText(quint8 code)
{
    // The same eight conditions in the order of the while codes 192..199.
    static const char16_t *const texts[] = {u"sw1=on", u"sw1=off", u"sw2=on", u"sw2=off",
                                            u"io1=lo", u"io1=hi", u"io2=lo", u"io2=hi"};
    // The if codes swap the low bit of each pair.
    static const int ifToWhile[] = {1, 0, 3, 2, 5, 4, 7, 6};
    if (code >= 192 && code <= 199)
        return QString::fromUtf16(texts[code - 192]);
    if (code >= 224 && code <= 231)
        return QString::fromUtf16(texts[ifToWhile[code - 224]]);
    return QString();
}

QString instructionText(const Instruction &in)
{
    QString text = headText(in);
    if (in.op == Op::Motor || in.op == Op::IoOut)
        text += u" wait(%1)"_s.arg(in.operand1);
    return text;
}

QList<DisassembledLine> disassemble(const QByteArray &program)
{
    QList<DisassembledLine> lines;
    int depth = 0;
    int motorSet = 2;
    int offset = 0;
    for (;;) {
        const Instruction in = decodeAt(program, offset);
        if (in.op == Op::EndLoop || in.op == Op::EndWhile || in.op == Op::EndIf)
            depth = qMax(0, depth - 1);
        const int ownDepth = in.op == Op::ElseIf ? qMax(0, depth - 1) : depth;
        auto add = [&](const QString &text) { lines.append({in.offset, in.size, ownDepth, in.op, text}); };
        if (in.op == Op::Motor) {
            const int family = in.code >= 80 ? 1 : 2;
            if (family != motorSet) {
                add(u"motor_set %1"_s.arg(family));
                motorSet = family;
            }
        }
        add(headText(in));
        if (in.op == Op::Motor || in.op == Op::IoOut)
            add(u"wait(%1)"_s.arg(in.operand1));
        if (in.op == Op::Loop || in.op == Op::While || in.op == Op::If)
            ++depth;
        if (in.op == Op::End || in.op == Op::Unknown || in.op == Op::Truncated)
            break;
        offset += in.size;
    }
    return lines;
}

QString disassembledText(const QByteArray &program)
{
    QString text;
    for (const DisassembledLine &line : disassemble(program)) {
        if (line.op == Op::End)
            continue;
        text += QString(line.depth * 2, u' ') + line.text + u'\n';
    }
    return text;
}

}
