// rk25-robot: a virtual robot that runs exactly the bytes the application sends, in a window
// on a pseudo-terminal, or without a window from a recorded wire stream.
#include "sim/replay.h"
#include "sim/robotwindow.h"

#include <QtWidgets/QApplication>

#include <QFile>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr char USAGE_TEXT[] =
    "usage: rk25-robot [--com N]\n"
    "       rk25-robot --replay FILE [--press sw1@SECONDS]...\n"
    "  (window)          a robot on a floor; the application reaches it as COM N (1 to 4,\n"
    "                    default 1) through the link comN in the working folder\n"
    "  --replay FILE     no window: reads lines \"BYTE PAUSE_MS\" (as rk25c --wire prints them;\n"
    "                    FILE \"-\": standard input), delivers each byte at its simulated time,\n"
    "                    presses the run button if a program arrived but was not started, and\n"
    "                    runs until the program ends or 600 simulated seconds have passed\n"
    "  --press swK@S     presses switch K (1 front, 2 rear) at S simulated seconds after the\n"
    "                    first byte and releases it 0.5 s later; may be repeated\n"
    "  Prints one line per executed instruction (seconds, offset, instruction), then\n"
    "  \"pose X Y H\" (centimetres, degrees).\n"
    "  Exit: 0 the program ended, 3 the time ran out, 1 the file could not be read, 2 wrong usage.\n";

struct Options
{
    bool replay = false;
    QString file;
    QList<sim::SwitchPress> presses;
    int com = 1;
    bool comGiven = false;
};

int usage()
{
    std::fputs(USAGE_TEXT, stderr);
    return 2;
}

void writeTo(FILE *stream, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    std::fwrite(utf8.constData(), 1, size_t(utf8.size()), stream);
}

bool parse(const QStringList &args, Options &options)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == u"--replay" && hasValue && !options.replay) {
            options.replay = true;
            options.file = args[++i];
        } else if (arg == u"--press" && hasValue) {
            sim::SwitchPress press;
            if (!sim::parseSwitchPress(args[++i], press))
                return false;
            options.presses.append(press);
        } else if (arg == u"--com" && hasValue && !options.comGiven) {
            bool ok = false;
            options.com = args[++i].toInt(&ok);
            options.comGiven = true;
            if (!ok || options.com < 1 || options.com > 4)
                return false;
        } else {
            return false;
        }
    }
    // Presses belong to a replay; a window has its own switch buttons.
    if (!options.replay && !options.presses.isEmpty())
        return false;
    return !(options.replay && options.comGiven);
}

// Ends the event loop on SIGINT and SIGTERM, so the window removes its comN link on the way out.
int g_signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char c = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_signalPipe[1], &c, 1);
}

void quitOnSignals(QCoreApplication &app)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) != 0)
        return;
    auto *notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
}

int replay(const Options &options)
{
    QFile file;
    const bool fromStdin = options.file == u"-";
    const bool opened = fromStdin ? file.open(stdin, QIODevice::ReadOnly)
                                  : (file.setFileName(options.file), file.open(QIODevice::ReadOnly));
    if (!opened) {
        writeTo(stderr, u"ファイルを開けません: %1 (%2)\n"_s.arg(options.file, file.errorString()));
        return 1;
    }
    const QString text = QString::fromUtf8(file.readAll());
    QList<sim::WireLine> lines;
    int badLine = 0;
    if (!sim::parseWireLines(text, lines, badLine)) {
        writeTo(stderr, u"%1 行目が \"バイト 待ち時間\" ではありません\n"_s.arg(badLine));
        return 1;
    }
    const sim::ReplayResult result = sim::replayWire(lines, options.presses);
    QString out;
    for (const QString &line : result.trace)
        out += line + u'\n';
    out += sim::poseLine(result.pose) + u'\n';
    writeTo(stdout, out);
    return result.ended ? 0 : 3;
}

}

int main(int argc, char *argv[])
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    Options options;
    if (!parse(args, options))
        return usage();
    if (options.replay) {
        QCoreApplication app(argc, argv);
        return replay(options);
    }
    QApplication app(argc, argv);
    quitOnSignals(app);
    RobotWindow window(options.comGiven ? options.com : 0);
    window.show();
    return app.exec();
}
