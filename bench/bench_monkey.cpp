// SPDX-License-Identifier: GPL-3.0-or-later
// The long monkey run: EVENTS random events (default 10000) on every visible window with a
// robot on a pseudo-terminal, then the wire check. Prints events, transfers' blocks, commands,
// boxes, file dialogues, the events by window and the seed.
//   QT_QPA_PLATFORM=offscreen build/bin/bench_monkey [EVENTS] [SEED]
#include "app/mainmenu.h"
#include "app/ui/application.h"
#include "robot/trs232c.h"
#include "support/mainmenustart.h"
#include "support/monkey.h"

#include <QtWidgets/QApplication>

#include <QElapsedTimer>

#include <cstdio>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    Rk25Application app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    const int events = argc > 1 ? std::atoi(argv[1]) : 10000;
    const quint32 seed = argc > 2 ? quint32(std::strtoul(argv[2], nullptr, 10)) : 20261208u;
    PseudoTerminal pty;
    if (!pty.open() || pty.linkAsCom(1).isEmpty()) {
        std::puts("no pseudo-terminal");
        return 2;
    }
    MainMenu menu;
    if (!testenv::startMainMenu(&menu)) {
        std::puts("the menu did not come up");
        return 2;
    }
    pty.clear();
    QElapsedTimer clock;
    clock.start();
    monkey::Figures figures;
    {
        monkey::Monkey monkey(seed, {u"TForm13/close1"_s, u"TForm1/shutdown1"_s, u"TForm8/shutdown1"_s,
                                     u"TForm9/shutdown1"_s, u"TForm10/shutdown1"_s});
        while (monkey.figures().events < events) {
            if (!monkey.step())
                menu.showMenu();
        }
        if (!QTest::qWaitFor([&] { return !menu.rs232c1().lineClaimed(); }, 20000))
            std::fprintf(stderr, "the line was still busy after 20 s\n");
        QTest::qWait(700);
        figures = monkey.figures();
    }
    monkey::checkWire(pty.received(), &figures);
    std::printf("seed %u  events %d  blocks %d  commands %d  boxes %d  file dialogues %d  problems %d  (%.0f s)\n",
                seed, figures.events, figures.blocks, figures.commands, figures.boxes, figures.fileDialogs,
                int(figures.problems.size()), clock.elapsed() / 1000.0);
    for (auto it = figures.perWindow.cbegin(); it != figures.perWindow.cend(); ++it)
        std::printf("  %-8s %d events\n", qPrintable(it.key()), it.value());
    for (const QString &p : figures.problems.mid(0, 20))
        std::printf("  problem: %s\n", qPrintable(p));
    return figures.problems.isEmpty() ? 0 : 1;
}
