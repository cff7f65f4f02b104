// SPDX-License-Identifier: GPL-3.0-or-later
// Types into the text screen's editor holding a 239-line program with a comment on every line
// and prints how long a key press takes until the editor has repainted with its comment
// colours (median and 99th percentile), and how long setting the whole text takes.
#include "editor/sonedit.h"
#include "text/textscreen.h"

#include <QtWidgets/QApplication>

#include <QElapsedTimer>
#include <QTest>
#include <QTextBlock>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

QString program()
{
    QStringList lines;
    for (int i = 0; i < 239; ++i) {
        switch (i % 3) {
        case 0: lines << QStringLiteral("motor(fwd,fwd) //まえへ すすむ %1").arg(i); break;
        case 1: lines << QStringLiteral("wait(10)　//１びょう まつ"); break;
        default: lines << QStringLiteral("//　ここで ひとやすみ"); break;
        }
    }
    return lines.join(QStringLiteral("\r\n"));
}

double threadCpuMs()
{
    timespec t {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

double percentile(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    return v[size_t(p * double(v.size() - 1))];
}

}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    TextScreen screen{RobotLink{}};
    screen.show();
    if (!QTest::qWaitForWindowExposed(&screen))
        return 1;
    TSonEdit *editor = screen.editor();
    const QString text = program();

    std::vector<double> setTimes;
    QElapsedTimer clock;
    for (int i = 0; i < 30; ++i) {
        clock.start();
        editor->setText(text);
        QCoreApplication::processEvents();
        setTimes.push_back(double(clock.nsecsElapsed()) / 1e6);
    }

    int paints = 0;
    QObject::connect(editor, &TSonEdit::OnPaint, [&] { ++paints; });
    QTextCursor middle(editor->document()->findBlockByNumber(120));
    middle.movePosition(QTextCursor::EndOfBlock);
    editor->setTextCursor(middle);
    editor->ensureCursorVisible();
    QCoreApplication::processEvents();

    std::vector<double> keyTimes;
    std::vector<double> typedTimes;
    std::vector<double> cpuTimes;
    const int presses = 400;
    for (int i = 0; i < presses; ++i) {
        const int before = paints;
        const double cpuStart = threadCpuMs();
        clock.start();
        if (i % 2 == 0)
            QTest::keyClick(editor, 'x');
        else
            QTest::keyClick(editor, Qt::Key_Backspace);
        const double typed = double(clock.nsecsElapsed()) / 1e6;
        typedTimes.push_back(typed);
        // The posted repaint of the changed lines, with the comment ranges painted again.
        while (paints == before)
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        keyTimes.push_back(double(clock.nsecsElapsed()) / 1e6);
        cpuTimes.push_back(threadCpuMs() - cpuStart);
    }

    if (qEnvironmentVariableIsSet("BENCH_SLOW")) {
        for (size_t i = 0; i < keyTimes.size(); ++i)
            if (keyTimes[i] > 8)
                std::printf("slow press %zu: %.3f ms\n", i, keyTimes[i]);
    }
    std::printf("editor: %d lines, %d comment lines\n", editor->lineCount(), editor->lineCount());
    std::printf("key press to repainted editor: median %.3f ms, 99th percentile %.3f ms, max %.3f ms (%d presses)\n",
                percentile(keyTimes, 0.5), percentile(keyTimes, 0.99), percentile(keyTimes, 1.0), presses);
    std::printf("the same in processor time of the GUI thread: median %.3f ms, 99th percentile %.3f ms\n",
                percentile(cpuTimes, 0.5), percentile(cpuTimes, 0.99));
    std::printf("of which the key event itself (text change, comment ranges): median %.3f ms, 99th percentile %.3f ms\n",
                percentile(typedTimes, 0.5), percentile(typedTimes, 0.99));
    std::printf("set whole text: median %.3f ms, max %.3f ms (%zu runs)\n", percentile(setTimes, 0.5),
                percentile(setTimes, 1.0), setTimes.size());
    return 0;
}
