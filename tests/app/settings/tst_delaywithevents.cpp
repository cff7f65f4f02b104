#include "app/settings/delaywithevents.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>

#include <time.h>

namespace {

qint64 processCpuMsecs()
{
    timespec now {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

}

class TestDelayWithEvents : public QObject
{
    Q_OBJECT
private slots:
    void waitsAtLeast_data();
    void waitsAtLeast();
    void leavesTheCpuIdle();
    void handlesEventsMeanwhile();
    void nestedWaitsEachLastTheirTime();
    void quittingDoesNotCutTheWaitShort();
};

void TestDelayWithEvents::waitsAtLeast_data()
{
    QTest::addColumn<int>("ms");
    QTest::newRow("1 ms") << 1;
    QTest::newRow("60 ms, one byte of a block") << 60;
    QTest::newRow("400 ms, the port pause") << 400;
}

void TestDelayWithEvents::waitsAtLeast()
{
    QFETCH(int, ms);
    QElapsedTimer clock;
    clock.start();
    DelayWithEvents(ms);
    QVERIFY2(clock.nsecsElapsed() >= qint64(ms) * 1000000, qPrintable(QString::number(clock.nsecsElapsed())));
}

void TestDelayWithEvents::leavesTheCpuIdle()
{
    const qint64 cpuBefore = processCpuMsecs();
    QElapsedTimer clock;
    clock.start();
    DelayWithEvents(500);
    const qint64 waited = clock.elapsed();
    const qint64 cpu = processCpuMsecs() - cpuBefore;
    QVERIFY2(waited >= 500, qPrintable(QString::number(waited)));
    QVERIFY2(cpu < 100, qPrintable(QStringLiteral("%1 ms of CPU in a 500 ms wait").arg(cpu)));
}

void TestDelayWithEvents::handlesEventsMeanwhile()
{
    int ticks = 0;
    QTimer timer;
    connect(&timer, &QTimer::timeout, this, [&] { ++ticks; });
    timer.start(20);
    bool queued = false;
    QMetaObject::invokeMethod(this, [&] { queued = true; }, Qt::QueuedConnection);
    DelayWithEvents(300);
    QVERIFY(queued);
    QVERIFY2(ticks >= 5, qPrintable(QString::number(ticks)));
}

void TestDelayWithEvents::nestedWaitsEachLastTheirTime()
{
    QElapsedTimer outer;
    qint64 innerWaited = -1;
    QTimer::singleShot(20, this, [&] {
        QElapsedTimer inner;
        inner.start();
        DelayWithEvents(300);
        innerWaited = inner.elapsed();
    });
    outer.start();
    DelayWithEvents(100);
    const qint64 outerWaited = outer.elapsed();
    QVERIFY(outerWaited >= 100);
    QVERIFY2(innerWaited >= 300, qPrintable(QString::number(innerWaited)));
}

void TestDelayWithEvents::quittingDoesNotCutTheWaitShort()
{
    QTimer::singleShot(30, qApp, &QCoreApplication::quit);
    QElapsedTimer clock;
    clock.start();
    DelayWithEvents(200);
    QVERIFY2(clock.elapsed() >= 200, qPrintable(QString::number(clock.elapsed())));
}

QTEST_GUILESS_MAIN(TestDelayWithEvents)
#include "tst_delaywithevents.moc"
