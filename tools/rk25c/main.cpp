// rk25c: the robot-language compiler on the command line, for teachers and for tests.
#include "common/cp932.h"
#include "robot/programimage.h"
#include "programs/programsource.h"
#include "robot/tsmr.h"
#include "robot/wireplan.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

namespace {

enum class Mode { Bytes, Text, Image, Wire };

struct Options
{
    Mode mode = Mode::Bytes;
    bool waitForSwitch = false;
    QString file; // empty or "-": standard input
};

const char usageText[] =
    "usage: rk25c [--text | --image | --wire] [--wait-for-switch] [FILE]\n"
    "  Compiles program text or an .rk5 program file (CP932; FILE \"-\" or none: standard input).\n"
    "  (default)          the compiled bytes, decimal, on one line\n"
    "  --text             the program text, one statement line a line, without compiling\n"
    "  --image            the program image the screen of that kind sends (end byte and fill)\n"
    "  --wire             every byte the send button puts on the line, block numbers included,\n"
    "                     one a line: the value and the pause in milliseconds after it (a\n"
    "                     route program that does not compile is sent as an empty program)\n"
    "  --wait-for-switch  icon and route programs: start with the header that waits for the\n"
    "                     front switch\n"
    "  Exit: 0 done, 1 refused or failed (reasons on standard error), 2 wrong usage.\n";

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

int usage()
{
    std::fputs(usageText, stderr);
    return 2;
}

bool parse(const QStringList &args, Options &options)
{
    bool modeSet = false;
    bool fileSet = false;
    for (const QString &arg : args) {
        if (arg == u"--text" || arg == u"--image" || arg == u"--wire") {
            if (modeSet)
                return false;
            modeSet = true;
            options.mode = arg == u"--text" ? Mode::Text : arg == u"--image" ? Mode::Image : Mode::Wire;
        } else if (arg == u"--wait-for-switch") {
            options.waitForSwitch = true;
        } else if (arg.startsWith(u"--") || (arg.startsWith(u'-') && arg != u"-")) {
            return false;
        } else {
            if (fileSet)
                return false;
            fileSet = true;
            options.file = arg;
        }
    }
    return true;
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
    if (!parse(app.arguments().mid(1), options))
        return usage();

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
