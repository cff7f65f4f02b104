// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Stored instruction code back into the robot language. The interpreter decodes with the same
// function, so what the window shows is what the robot runs.

namespace sim {

enum class Op {
    SetIo,     // 40..43
    IoOut,     // 44..47, a wait count
    Motor,     // both families, a wait count
    Speed,     // two values
    Loop,      // a repeat count
    EndLoop,
    While,     // 192..199 (a condition) and 200 (forever)
    EndWhile,
    If,        // 224..231
    ElseIf,
    EndIf,
    End,       // 254, or past the last stored byte
    Unknown,   // a byte that is no instruction (the interpreter stops there)
    Truncated, // an instruction whose operands run past the stored bytes
};

struct Instruction
{
    Op op = Op::End;
    int offset = 0;
    int size = 1;
    quint8 code = 254;
    int operand1 = 0;
    int operand2 = 0;
};

Instruction decodeAt(const QByteArray &program, int offset);

// Whether a while or if code's condition holds, given the inputs; while(1) always holds.
struct Inputs
{
    bool sw1 = false; // pressed
    bool sw2 = false;
    bool io1High = false;
    bool io2High = false;
};
bool conditionHolds(quint8 code, const Inputs &inputs);

// The condition as written in the language ("sw1=off"); empty for while(1).
QString conditionText(quint8 code);

struct DisassembledLine
{
    int offset = 0; // of the instruction the line belongs to
    int size = 1;
    int depth = 0;  // nesting of loop, while and if blocks
    Op op = Op::End;
    QString text;
};

// From the first byte up to and including the end byte (or the first byte that is no
// instruction, shown as a comment). A motor or IO instruction gives two lines (the wait on
// its own line), and a change of motor family its motor_set line first, so the text compiles
// back to the same bytes.
QList<DisassembledLine> disassemble(const QByteArray &program);

// The lines as program text, indented by depth, each ended by a line break. The end byte
// gives no line of text.
QString disassembledText(const QByteArray &program);

// One instruction on one line, for traces ("motor(fwd,fwd) wait(10)").
QString instructionText(const Instruction &instruction);

}
