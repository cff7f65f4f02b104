// SPDX-License-Identifier: GPL-3.0-or-later
// Makes the report of a 239-line text program through the window's kettei and writes its PDF,
// several times each, and prints the times (median and worst) with the goals beside them.
#include "app/report/reportbuilder.h"
#include "app/report/reportsource.h"
#include "common/programfolder.h"
#include "app/report/reportwindow.h"
#include "common/workfolder.h"
#include "app/ui/messagebox.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cstdio>
#include <ctime>

using namespace Qt::StringLiterals;

namespace {

constexpr int RUNS = 15;

// CPU time of this thread: on a shared, busy machine the wall clock also counts the others.
double threadCpuMs()
{
    timespec t {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

class TextSource : public ReportSource
{
public:
    QStringList lines;
    int reportTag() const override { return REPORT_TAG_TEXT; }
    void fillReportListing(ReportInput *input) const override { input->programLines = lines; }
};

void print(const char *what, QList<double> ms, QList<double> cpu, double goal)
{
    std::sort(ms.begin(), ms.end());
    std::sort(cpu.begin(), cpu.end());
    std::printf("%-32s wall median %7.2f worst %7.2f ms, CPU median %7.2f ms (goal under %.0f ms, %d runs)\n",
                what, ms.at(ms.size() / 2), ms.last(), cpu.at(cpu.size() / 2), goal, int(ms.size()));
}

}

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir out;
    ui::setMessageResponder([](const ui::MessageRequest &) { return ui::MessageButton::Ok; });

    TextSource source;
    for (int i = 1; i <= 239; ++i)
        source.lines << u"motor(fwd,fwd)　// %1 ばんめ"_s.arg(i);
    ReportWindow window;
    window.openFor(&source);
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    window.findChild<QLineEdit *>(u"Edit2"_s)->setText(u"5"_s);
    window.findChild<QLineEdit *>(u"Edit3"_s)->setText(u"2"_s);
    window.findChild<QLineEdit *>(u"Edit1"_s)->setText(u"たろう"_s);
    QWidget *kettei = window.findChild<QWidget *>(u"kettei"_s);
    QWidget *p_back = window.findChild<QWidget *>(u"p_back"_s);

    QList<double> make, makeCpu;
    QList<double> pdf, pdfCpu;
    QElapsedTimer clock;
    for (int run = 0; run < RUNS; ++run) {
        double cpu = threadCpuMs();
        clock.start();
        QTest::mouseClick(kettei, Qt::LeftButton, {}, kettei->rect().center());
        make << clock.nsecsElapsed() / 1e6;
        makeCpu << threadCpuMs() - cpu;
        if (window.lastReportPath().isEmpty()) {
            std::fprintf(stderr, "kettei wrote no report\n");
            return 1;
        }
        const QString path = out.filePath(u"r%1.pdf"_s.arg(run));
        cpu = threadCpuMs();
        clock.start();
        const bool written = window.iePrinterSet1().printToPdf(path);
        pdf << clock.nsecsElapsed() / 1e6;
        pdfCpu << threadCpuMs() - cpu;
        if (!written) {
            std::fprintf(stderr, "no PDF written\n");
            return 1;
        }
        QTest::mouseClick(p_back, Qt::LeftButton, {}, p_back->rect().center());
    }
    // The part without the window: filling the template and writing the file.
    QList<double> build, buildCpu;
    ReportInput input;
    input.tag = REPORT_TAG_TEXT;
    input.grade = u"5"_s;
    input.className = u"2"_s;
    input.name = u"たろう"_s;
    source.fillReportListing(&input);
    for (int run = 0; run < RUNS; ++run) {
        const double cpu = threadCpuMs();
        clock.start();
        const ReportResult r = makeReport(input, programFilePath(u"Data\\report.txt"_s), out.path());
        build << clock.nsecsElapsed() / 1e6;
        buildCpu << threadCpuMs() - cpu;
        if (r.status != ReportStatus::Written)
            return 1;
    }
    print("kettei, 239-line text program", make, makeCpu, 50);
    print("  of it: page made and written", build, buildCpu, 50);
    print("its PDF (2 A4 pages)", pdf, pdfCpu, 500);
    std::printf("PDF size %lld bytes\n", static_cast<long long>(QFile(out.filePath(u"r0.pdf"_s)).size()));
    window.close();
    return 0;
}
