// SPDX-License-Identifier: GPL-3.0-or-later
// rk25-robot: a virtual robot that runs exactly the bytes the application sends, in a window
// on a pseudo-terminal, or without a window from a recorded wire stream.
#include "rk25version.h"
#include "sim/replay.h"
#include "sim/robotwindow.h"

#include <QtWidgets/QApplication>

#include <QCommandLineParser>
#include <QFile>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <memory>
#include <sys/socket.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int EXIT_ENDED = 0;
constexpr int EXIT_UNREADABLE = 1;
constexpr int EXIT_USAGE = 2;
constexpr int EXIT_TIME_RAN_OUT = 3;

constexpr char DESCRIPTION[] =
    "A virtual RK-25 robot. With no --replay it opens a window: a robot on the 175 cm floor\n"
    "of the route screen, which the application reaches as COM N through the link comN in\n"
    "its working folder. With --replay it runs a recorded wire stream without a window:\n"
    "lines \"BYTE PAUSE_MS\" as rk25c --wire prints them, each byte delivered at its simulated\n"
    "time; the run button is pressed if a program arrived but was not started, and the robot\n"
    "runs until the program ends or 600 simulated seconds have passed.\n"
    "The floor has walls and the robot stops where it touches a wall, a cone or a wall\n"
    "piece; its front switch (sw1) and rear switch (sw2) are on while their plate touches.\n"
    "Floor coordinates are centimetres from the floor's lower-left corner; headings are\n"
    "degrees counter-clockwise from the right (90: facing up). The default start is the\n"
    "middle of the floor's width, 17.5 cm above its lower wall, facing up.";

constexpr char EPILOGUE[] =
    "\nReplay output: one line per executed instruction \"SECONDS OFFSET INSTRUCTION\", a line\n"
    "\"SECONDS - contact swN on\" or \"... off\" when a switch comes into or out of contact,\n"
    "then \"floor X Y H\" (the end pose on the floor) and last \"pose X Y H\" (the end pose\n"
    "relative to the start, in cm along the floor's axes, and the heading).\n"
    "\nExit status:\n"
    "  0  the program ended (or the window was closed)\n"
    "  1  the replay file could not be read\n"
    "  2  wrong usage\n"
    "  3  the replayed program was still running when the time ran out\n";

struct Options
{
    bool replay = false;
    QString file;
    QList<sim::SwitchPress> presses;
    int com = 0;
    QString route;
    sim::ReplayWorld world;
};

void writeTo(FILE *stream, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    std::fwrite(utf8.constData(), 1, size_t(utf8.size()), stream);
}

// Ends the event loop on SIGINT, SIGTERM and SIGHUP, so the window removes its comN link on
// the way out. SIGHUP comes when the terminal it was started from is closed: a link left behind
// would point at a /dev/pts number the next terminal gets.
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
    // Started with nohup, it keeps running when the terminal closes, as asked.
    struct sigaction hangup {};
    if (::sigaction(SIGHUP, nullptr, &hangup) == 0 && hangup.sa_handler != SIG_IGN)
        std::signal(SIGHUP, onSignal);
}

struct Parser
{
    QCommandLineParser parser;
    QCommandLineOption com{u"com"_s, u"In the window: be the robot the application reaches as COM N (1 to 4)."_s, u"N"_s};
    QCommandLineOption route{u"route"_s, u"In the window: lay a route program file on the floor as a guide line; the robot starts at its start."_s, u"FILE"_s};
    QCommandLineOption replay{u"replay"_s, u"Replay the wire stream in FILE (\"-\": standard input) without a window."_s, u"FILE"_s};
    QCommandLineOption press{u"press"_s, u"Press switch K (1 front, 2 rear) S simulated seconds after the first byte, for 0.5 s; repeatable."_s, u"swK@S"_s};
    QCommandLineOption noWalls{u"no-walls"_s, u"Take the walls away: an open floor."_s};
    QCommandLineOption cone{u"cone"_s, u"Put a cone (a disc 8.75 cm across) with its centre at X,Y cm on the floor; up to 10."_s, u"X,Y"_s};
    QCommandLineOption wall{u"wall"_s, u"Put a straight wall piece (2 cm thick) from X1,Y1 to X2,Y2 cm; repeatable."_s, u"X1,Y1,X2,Y2"_s};
    QCommandLineOption start{u"start"_s, u"Start the robot at X,Y cm on the floor facing H degrees."_s, u"X,Y,H"_s};
    QCommandLineOption help = parser.addHelpOption();
    QCommandLineOption version = parser.addVersionOption();

    Parser()
    {
        parser.setApplicationDescription(QString::fromUtf8(DESCRIPTION));
        parser.addOptions({com, route, replay, press, noWalls, cone, wall, start});
        // The window toolkit's own options (-platform xcb, -geometry ...) pass through to it.
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        for (const char *name : {"platform", "platformtheme", "platformpluginpath", "plugin", "display", "geometry",
                                 "qwindowgeometry", "qwindowtitle", "style", "stylesheet", "session", "name", "title"}) {
            QCommandLineOption qt(QString::fromLatin1(name), QString(), u"VALUE"_s);
            qt.setFlags(QCommandLineOption::HiddenFromHelp);
            parser.addOption(qt);
        }
        QCommandLineOption reverse(u"reverse"_s);
        reverse.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(reverse);
    }
};

// Reads the options into `options`; false with the reason when they do not fit together.
bool readOptions(const Parser &p, Options &options, QString &error)
{
    const QCommandLineParser &parser = p.parser;
    if (!parser.positionalArguments().isEmpty()) {
        error = u"unexpected argument: %1"_s.arg(parser.positionalArguments().first());
        return false;
    }
    for (const QCommandLineOption *single : {&p.com, &p.route, &p.replay, &p.start}) {
        if (parser.values(*single).size() > 1) {
            error = u"--%1 given more than once"_s.arg(single->names().first());
            return false;
        }
    }
    options.replay = parser.isSet(p.replay);
    options.file = parser.value(p.replay);
    options.route = parser.value(p.route);
    if (parser.isSet(p.com)) {
        bool ok = false;
        options.com = parser.value(p.com).toInt(&ok);
        if (!ok || options.com < 1 || options.com > 4) {
            error = u"--com wants a number from 1 to 4, not \"%1\""_s.arg(parser.value(p.com));
            return false;
        }
    }
    for (const QString &text : parser.values(p.press)) {
        sim::SwitchPress press;
        if (!sim::parseSwitchPress(text, press)) {
            error = u"--press wants sw1@SECONDS or sw2@SECONDS, not \"%1\""_s.arg(text);
            return false;
        }
        options.presses.append(press);
    }
    sim::World &world = options.world.world;
    world.walls = !parser.isSet(p.noWalls);
    QList<double> n;
    for (const QString &text : parser.values(p.cone)) {
        if (!sim::parseNumbers(text, 2, n)) {
            error = u"--cone wants X,Y in cm, not \"%1\""_s.arg(text);
            return false;
        }
        world.cones.append({n[0], n[1]});
    }
    if (world.cones.size() > sim::MAX_CONES) {
        error = u"at most %1 cones"_s.arg(sim::MAX_CONES);
        return false;
    }
    for (const QString &text : parser.values(p.wall)) {
        if (!sim::parseNumbers(text, 4, n)) {
            error = u"--wall wants X1,Y1,X2,Y2 in cm, not \"%1\""_s.arg(text);
            return false;
        }
        world.pieces.append({n[0], n[1], n[2], n[3]});
    }
    if (parser.isSet(p.start)) {
        if (!sim::parseNumbers(parser.value(p.start), 3, n)) {
            error = u"--start wants X,Y,H (cm, cm, degrees), not \"%1\""_s.arg(parser.value(p.start));
            return false;
        }
        options.world.start = {n[0], n[1], sim::normalizedHeading(n[2])};
    }
    if (sim::overlaps(world, options.world.start)) {
        error = u"the robot at its start overlaps a wall, cone or wall piece"_s;
        return false;
    }
    // Presses and the world's options belong to a replay; the window has its own buttons and floor.
    const bool replayOnly = !options.presses.isEmpty() || parser.isSet(p.noWalls) || parser.isSet(p.cone)
                            || parser.isSet(p.wall) || parser.isSet(p.start);
    if (!options.replay && replayOnly) {
        error = u"--press, --no-walls, --cone, --wall and --start need --replay"_s;
        return false;
    }
    if (options.replay && (parser.isSet(p.com) || parser.isSet(p.route))) {
        error = u"--com and --route belong to the window, not to --replay"_s;
        return false;
    }
    return true;
}

int replay(const Options &options)
{
    QFile file;
    const bool fromStdin = options.file == u"-";
    const bool opened = fromStdin ? file.open(stdin, QIODevice::ReadOnly)
                                  : (file.setFileName(options.file), file.open(QIODevice::ReadOnly));
    if (!opened) {
        writeTo(stderr, u"ファイルを開けません: %1 (%2)\n"_s.arg(options.file, file.errorString()));
        return EXIT_UNREADABLE;
    }
    const QString text = QString::fromUtf8(file.readAll());
    QList<sim::WireLine> lines;
    int badLine = 0;
    if (!sim::parseWireLines(text, lines, badLine)) {
        writeTo(stderr, u"%1 行目が \"バイト 待ち時間\" ではありません\n"_s.arg(badLine));
        return EXIT_UNREADABLE;
    }
    const sim::ReplayResult result = sim::replayWire(lines, options.presses, options.world);
    QString out;
    for (const QString &line : result.trace)
        out += line + u'\n';
    out += sim::poseLine(result.floorPose, u"floor"_s) + u'\n';
    out += sim::poseLine(result.pose) + u'\n';
    writeTo(stdout, out);
    return result.ended ? EXIT_ENDED : EXIT_TIME_RAN_OUT;
}

}

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(u"rk25-robot"_s);
    QCoreApplication::setApplicationVersion(QString::fromLatin1(RK25_VERSION));
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));

    Parser p;
    Options options;
    QString error;
    const bool parsed = p.parser.parse(args);
    if (!parsed || p.parser.isSet(p.help) || p.parser.isSet(p.version) || !readOptions(p, options, error)) {
        QCoreApplication app(argc, argv);
        if (!parsed) {
            writeTo(stderr, u"rk25-robot: %1\nTry 'rk25-robot --help' for more information.\n"_s.arg(p.parser.errorText()));
            return EXIT_USAGE;
        }
        if (p.parser.isSet(p.help)) {
            // The usage line names the program, not the path it was started by.
            QString help = p.parser.helpText();
            const qsizetype lineEnd = help.indexOf(u'\n');
            help.replace(0, lineEnd, u"Usage: rk25-robot [options]"_s);
            writeTo(stdout, help + QString::fromUtf8(EPILOGUE));
            return EXIT_ENDED;
        }
        if (p.parser.isSet(p.version)) {
            writeTo(stdout, u"rk25-robot %1\n"_s.arg(QString::fromLatin1(RK25_VERSION)));
            return EXIT_ENDED;
        }
        writeTo(stderr, u"rk25-robot: %1\nTry 'rk25-robot --help' for more information.\n"_s.arg(error));
        return EXIT_USAGE;
    }
    if (options.replay) {
        QCoreApplication app(argc, argv);
        return replay(options);
    }
    QApplication app(argc, argv);
    quitOnSignals(app);
    RobotWindow window(options.com, QString(), nullptr);
    if (!options.route.isEmpty())
        window.layRoute(options.route);
    window.show();
    return app.exec();
}
