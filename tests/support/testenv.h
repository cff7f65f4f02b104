// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace testenv {

// The folder the executables run from (with Photo/, Navi/, Data/ beside them).
QString binDir();
// The source tree, for fixtures kept in tests/.
QString sourceDir();
// Path of the command-line compiler built beside the tests.
QString rk25cPath();

// What the command-line compiler answered: exit code (-1 not started, -2 crashed or killed),
// standard output and standard error as UTF-8 text.
struct Outcome
{
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs a program as a separate process with the arguments, feeding it the input on standard input.
Outcome runProgram(const QString &program, const QStringList &args, const QByteArray &input = QByteArray());

// Runs rk25c as a separate process with the arguments, feeding it the input on standard input.
Outcome runRk25c(const QStringList &args, const QByteArray &input = QByteArray());

// Path of the virtual robot built beside the tests, and the same runner for it.
QString rk25RobotPath();
Outcome runRk25Robot(const QStringList &args, const QByteArray &input = QByteArray());

// This environment with home as the home of an account of its own (its documents folder,
// working folder and settings inside it).
QProcessEnvironment accountEnvironment(const QString &home);

// A whole file's bytes, or "<missing>" when it cannot be read.
QByteArray fileBytes(const QString &path);

// A number line of the compiler's output: the numbers given, then fill times the end mark 254.
QString numberLine(const QString &start, int fill);

}
