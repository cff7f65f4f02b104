// SPDX-License-Identifier: GPL-3.0-or-later
// rk25c: the robot-language compiler on the command line, for teachers and for tests.
#include "app/commandline.h"
#include "common/cp932.h"
#include "robot/programimage.h"
#include "programs/programsource.h"
#include "robot/tsmr.h"
#include "robot/wireplan.h"

#include "rk25version.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

enum class Mode { Bytes, Text, Image, Wire };

struct Options
{
    Mode mode = Mode::Bytes;
    bool waitForSwitch = false;
    QString file; // empty or "-": standard input
};

const char DESCRIPTION[] =
    "Compiles program text or an .rk5 program file (CP932; the first line \"KB\",\n"
    "\"DD\" or \"D_pro\" tells the kind) and prints the compiled bytes, decimal, on\n"
    "one line.";

const char EXIT_STATUSES[] =
    "  0  done\n"
    "  1  refused or failed (the reasons on standard error)\n"
    "  2  wrong usage\n";

// Returns the exit status when the command line already decides the run.
std::optional<int> parse(const QStringList &args, Options &options)
{
    QCommandLineParser parser;
    const QCommandLineOption text(u"text"_s, u"the program text, one statement line a line, without compiling"_s);
    const QCommandLineOption image(u"image"_s, u"the program image the screen of that kind sends (end byte and fill)"_s);
    const QCommandLineOption wire(u"wire"_s,
                                  u"every byte the send button puts on the line, block numbers included, one a "
                                  "line: the value and the pause in milliseconds after it (a route program that "
                                  "does not compile is sent as an empty program)"_s);
    const QCommandLineOption waitForSwitch(u"wait-for-switch"_s,
                                           u"icon and route programs: start with the header that waits for the "
                                           "front switch"_s);
    parser.addOptions({text, image, wire, waitForSwitch});
    parser.addPositionalArgument(u"FILE"_s, u"the program (\"-\" or none: standard input)"_s, u"[FILE]"_s);
    const commandline::Program program{u"rk25c"_s, QString::fromLatin1(RK25_VERSION),
                                       QString::fromLatin1(DESCRIPTION), QString::fromLatin1(EXIT_STATUSES)};
    if (const std::optional<int> done = commandline::handle(parser, args, program))
        return done;
    if (int(parser.isSet(text)) + int(parser.isSet(image)) + int(parser.isSet(wire)) > 1)
        return commandline::usageError(program.name, u"--text, --image and --wire exclude each other"_s);
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return commandline::usageError(program.name, u"one FILE at most, not '%1'"_s.arg(files.join(u"' '"_s)));
    options.mode = parser.isSet(text) ? Mode::Text : parser.isSet(image) ? Mode::Image
                 : parser.isSet(wire) ? Mode::Wire : Mode::Bytes;
    options.waitForSwitch = parser.isSet(waitForSwitch);
    options.file = files.value(0);
    return std::nullopt;
}

void writeOut(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    std::fwrite(utf8.constData(), 1, static_cast<size_t>(utf8.size()), stdout);
}

int fail(const QStringList &messages)
{
    for (const QString &m : messages) {
        const QByteArray utf8 = (m + u'\n').toUtf8();
        std::fwrite(utf8.constData(), 1, static_cast<size_t>(utf8.size()), stderr);
    }
    return 1;
}

bool readInput(const QString &name, QByteArray &bytes, QString &error)
{
    QFile file;
    bool opened = false;
    if (name.isEmpty() || name == u"-") {
        opened = file.open(stdin, QIODevice::ReadOnly);
    } else {
        file.setFileName(name);
        opened = file.open(QIODevice::ReadOnly);
    }
    if (!opened) {
        error = QStringLiteral("ファイルを開けません: %1 (%2)").arg(name, file.errorString());
        return false;
    }
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = QStringLiteral("ファイルを読めません: %1 (%2)").arg(name, file.errorString());
        return false;
    }
    return true;
}

QString byteLine(const QByteArray &bytes)
{
    QStringList numbers;
    numbers.reserve(bytes.size());
    for (char b : bytes)
        numbers.append(QString::number(static_cast<quint8>(b)));
    return numbers.join(u' ') + u'\n';
}

}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    Options options;
    if (const std::optional<int> done = parse(app.arguments(), options))
        return *done;

    QByteArray input;
    QString error;
    if (!readInput(options.file, input, error))
        return fail({error});

    const ProgramSource source = programSourceFromLines(cp932::splitLines(cp932::decode(input)));
    if (!source.ok)
        return fail(source.messages);

    if (options.mode == Mode::Text) {
        QString text;
        for (const QString &line : source.text)
            text += line + u'\n';
        writeOut(text);
        return 0;
    }

    if (options.mode == Mode::Wire) {
        const WirePlan plan = wirePlanForText(joinProgramText(source.text), source.kind,
                                              !options.waitForSwitch);
        if (!plan.ok)
            return fail(plan.messages);
        QString lines;
        for (const WireByte &b : plan.bytes)
            lines += QStringLiteral("%1 %2\n").arg(b.value).arg(b.pauseMs);
        writeOut(lines);
        return 0;
    }

    TSmr smr(joinProgramText(source.text));
    if (!smr.Compile())
        return fail(smr.messages());

    if (options.mode == Mode::Bytes) {
        writeOut(byteLine(compiledBytes(smr.codeLines())));
        return 0;
    }

    if (source.kind == ScreenKind::Text && smr.codeLines().size() > TEXT_SCREEN_MAX_COMPILED_BYTES)
        return fail({textTooLongMessage()});
    const QByteArray image = buildProgramImage(smr.codeLines(), source.kind, options.waitForSwitch);
    if (!fitsRobot(image))
        return fail({imageTooLongMessage()});
    writeOut(byteLine(image));
    return 0;
}
