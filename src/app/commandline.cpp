// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/commandline.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace commandline {

namespace {

void writeTo(FILE *stream, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    std::fwrite(utf8.constData(), 1, size_t(utf8.size()), stream);
    std::fflush(stream);
}

QString helpText(const QCommandLineParser &parser, const Program &program)
{
    // The parser names the program by the path it was started with; the page shows the name.
    QString text = parser.helpText();
    static const QRegularExpression usage(u"^Usage: \\S+"_s);
    text.replace(usage, u"Usage: "_s + program.name);
    if (!program.exitStatuses.isEmpty())
        text += u"\nExit status:\n"_s + program.exitStatuses;
    return text;
}

QString versionText(const Program &program)
{
    return u"%1 %2\n"
           "Copyright (C) 2026 RK-25 developers\n"
           "License GPLv3+: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.\n"
           "This is free software: you are free to change and redistribute it.\n"
           "There is NO WARRANTY, to the extent permitted by law.\n"_s.arg(program.name, program.version);
}

}

int usageError(const QString &name, const QString &message)
{
    writeTo(stderr, u"%1: %2\nTry '%1 --help' for more information.\n"_s.arg(name, message));
    return EXIT_USAGE;
}

std::optional<int> handle(QCommandLineParser &parser, const QStringList &arguments, const Program &program)
{
    parser.setApplicationDescription(program.description);
    // Qt's own help and version options would add --help-all and take -v; these are GNU's.
    const QCommandLineOption help(QStringList{u"h"_s, u"help"_s}, u"display this help and exit"_s);
    const QCommandLineOption version(u"version"_s, u"output version information and exit"_s);
    parser.addOptions({help, version});
    if (!parser.parse(arguments))
        return usageError(program.name, parser.errorText());
    if (parser.isSet(help)) {
        writeTo(stdout, helpText(parser, program));
        return 0;
    }
    if (parser.isSet(version)) {
        writeTo(stdout, versionText(program));
        return 0;
    }
    return std::nullopt;
}

std::optional<int> handleApplication(int argc, char *argv[], const QString &version)
{
    // A plain start (the menu entry) parses nothing and makes no second application object.
    if (argc <= 1)
        return std::nullopt;
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    // Qt's own options are single-dash words ("-platform offscreen").
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QStringList qtValueOptions{u"platform"_s, u"platformpluginpath"_s, u"platformtheme"_s,
                                     u"plugin"_s, u"qwindowgeometry"_s, u"qwindowicon"_s,
                                     u"qwindowtitle"_s, u"display"_s, u"geometry"_s, u"style"_s,
                                     u"stylesheet"_s, u"session"_s, u"widgetcount"_s};
    for (const QString &name : qtValueOptions) {
        QCommandLineOption option(name, QString(), u"value"_s);
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const QString &name : {u"reverse"_s, u"nograb"_s, u"dograb"_s, u"sync"_s}) {
        QCommandLineOption option(name);
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    const Program program{u"rk25"_s, version,
                          u"Starts RK-25, with which pupils program and drive the stepping-motor robot:\n"
                          "icon, text and route programming, remote control, the learning navigator\n"
                          "and reports."_s,
                          u"  0  the main window was closed\n"
                          "  2  wrong usage\n"_s};
    if (const std::optional<int> done = handle(parser, app.arguments(), program))
        return done;
    if (!parser.positionalArguments().isEmpty())
        return usageError(program.name, u"unexpected argument '%1'"_s.arg(parser.positionalArguments().first()));
    return std::nullopt;
}

}
