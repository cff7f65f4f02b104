// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Compiler from program text in the robot language to instruction code. One object serves one
// compilation: create it with the text, call Compile once, then read GetCode or GetMessages.
// Faults never escape as exceptions; they become numbered-line messages and a false result.
class TSmr
{
public:
    explicit TSmr(const QString &programText);

    bool Compile();

    // Result lines, each ended by CR LF: instruction code (one decimal value a line) after a
    // successful Compile.
    QString GetCode() const;
    QString GetMessages() const;

    // "<line>行目が違います(<detail>)"; clears the success flag.
    void AddMessage(int lineNumber, const QString &detail);

    // Stage 1: every line against the statement patterns; accepted lines go to the results.
    void CheckLines();
    // Stage 2: walks the words and numbers of the accepted lines and emits the byte values.
    void Translate();

    // The same data as lists, for callers that need the lines themselves.
    const QStringList &codeLines() const { return m_results; }
    const QStringList &messages() const { return m_messages; }
    // For each value of codeLines(), the program text line (from 1) of the statement it belongs
    // to, so that a running instruction can be shown in the pupil's program.
    const QList<int> &sourceLines() const { return m_sourceLines; }
    bool succeeded() const { return m_ok; }

private:
    QStringList m_results;
    QStringList m_messages;
    QList<int> m_sourceLines;
    QString m_text;
    bool m_ok = true;
    bool m_compiled = false;
};

// The compiler's detail texts.
namespace smr {
inline constexpr auto CHECK_STATEMENT = u"命令をもう一度確認してください";
inline constexpr auto VALUE_RANGE = u"1から255までを入れてください";
inline constexpr auto MOTOR_SET_VALUE = u"1か2を入れてください";
inline constexpr auto ON_OR_OFF = u"ONまたはOFFを入れてください";
inline constexpr auto BAD_DIRECTION = u"命令が違います";
inline constexpr auto MISSING_WAIT = u"wait命令が入っていません";
inline constexpr auto IN_OR_OUT = u"INまたはOUTを入れて下さい";
inline constexpr auto CHECK_NEIGHBOURS = u"間違い行の上下も確認してください";
// Stands for a blank or comment-only line in the accepted lines.
inline constexpr auto BLANK_MARKER = u"55555";
}
