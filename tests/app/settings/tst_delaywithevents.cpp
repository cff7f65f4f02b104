// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings/delaywithevents.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>


class TestDelayWithEvents : public QObject
{
    Q_OBJECT
private slots:
    void waitsAtLeast_data();
    void waitsAtLeast();
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

void TestDelayWithEvents::handlesEventsMeanwhile()
{
    // A timer due inside the wait fires inside it, and so does a queued call; how often a
    // repeating timer gets its turn is a figure of bench_pacing.
    bool fired = false;
    QTimer::singleShot(20, this, [&] { fired = true; });
    bool queued = false;
    QMetaObject::invokeMethod(this, [&] { queued = true; }, Qt::QueuedConnection);
    DelayWithEvents(300);
    QVERIFY(queued);
    QVERIFY(fired);
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
