// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <optional>

// The programs' command lines in the usual form: --help prints the usage line, the options and
// the exit statuses on standard output; --version prints the version with the licence; a wrong
// option or argument is named on standard error with a hint, and the program ends with status 2.
namespace commandline {

inline constexpr int EXIT_USAGE = 2;

struct Program
{
    QString name;         // as typed: "rk25c"
    QString version;      // the changelog's, as the entry point knows it
    QString description;  // after the usage line, lines of at most 79 characters
    QString exitStatuses; // the "Exit status:" lines, each "  N  meaning"
};

// Adds --help and --version, parses, and answers them. Returns the exit status when the
// program has nothing more to do (help, version, a wrong option), nothing when it goes on.
// Needs a QCoreApplication (the parser's help text asks it for the program's path).
std::optional<int> handle(QCommandLineParser &parser, const QStringList &arguments, const Program &program);

// Reports a usage fault found after parsing ("--text and --wire exclude each other").
int usageError(const QString &name, const QString &message);

// The application's own: only --help and --version, plus Qt's display options, which the
// application object takes later. Answers without a display, before any window system starts.
std::optional<int> handleApplication(int argc, char *argv[], const QString &version);

}
