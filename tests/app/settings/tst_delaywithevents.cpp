// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings/delaywithevents.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QtTest>

#include <memory>

class TestDelayWithEvents : public QObject
{
    Q_OBJECT
private slots:
    void waitsAtLeast_data();
    void waitsAtLeast();
    void handlesEventsMeanwhile();
    void waitsStartedMeanwhileEachLastTheirTime();
    void quittingDoesNotCutTheWaitShort();
    void goneContextCallsNothing();
};

void TestDelayWithEvents::waitsAtLeast_data()
{
    QTest::addColumn<int>("ms");
    QTest::newRow("0 ms, still after the call") << 0;
    QTest::newRow("1 ms") << 1;
    QTest::newRow("60 ms, one byte of a block") << 60;
    QTest::newRow("400 ms, the port pause") << 400;
}

void TestDelayWithEvents::waitsAtLeast()
{
    QFETCH(int, ms);
    QElapsedTimer clock;
    qint64 waited = -1;
    clock.start();
    DelayWithEvents(ms, this, [&] { waited = clock.nsecsElapsed(); });
    // Never from inside the call: the caller goes on first.
    QCOMPARE(waited, -1);
    QVERIFY(QTest::qWaitFor([&] { return waited >= 0; }, ms + 5000));
    QVERIFY2(waited >= qint64(ms) * 1000000, qPrintable(QString::number(waited)));
}

void TestDelayWithEvents::handlesEventsMeanwhile()
{
    // A timer due inside the wait fires before it ends, and so does a queued call; how often a
    // repeating timer gets its turn is a figure of bench_pacing.
    bool fired = false;
    QTimer::singleShot(20, this, [&] { fired = true; });
    bool queued = false;
    QMetaObject::invokeMethod(this, [&] { queued = true; }, Qt::QueuedConnection);
    bool firedBefore = false;
    bool queuedBefore = false;
    bool done = false;
    DelayWithEvents(300, this, [&] {
        firedBefore = fired;
        queuedBefore = queued;
        done = true;
    });
    QVERIFY(QTest::qWaitFor([&] { return done; }, 5000));
    QVERIFY(queuedBefore);
    QVERIFY(firedBefore);
}

void TestDelayWithEvents::waitsStartedMeanwhileEachLastTheirTime()
{
    QElapsedTimer clock;
    qint64 innerEnded = -1;
    qint64 innerStarted = -1;
    qint64 outerEnded = -1;
    QTimer::singleShot(20, this, [&] {
        innerStarted = clock.elapsed();
        DelayWithEvents(300, this, [&] { innerEnded = clock.elapsed(); });
    });
    clock.start();
    DelayWithEvents(100, this, [&] { outerEnded = clock.elapsed(); });
    QVERIFY(QTest::qWaitFor([&] { return innerEnded >= 0 && outerEnded >= 0; }, 5000));
    QVERIFY(outerEnded >= 100);
    QVERIFY2(innerEnded - innerStarted >= 300, qPrintable(QString::number(innerEnded - innerStarted)));
    // The longer wait started inside the shorter one does not hold it up.
    QVERIFY(outerEnded < innerEnded);
}

void TestDelayWithEvents::quittingDoesNotCutTheWaitShort()
{
    QTimer::singleShot(30, qApp, &QCoreApplication::quit);
    QElapsedTimer clock;
    qint64 waited = -1;
    clock.start();
    DelayWithEvents(200, this, [&] { waited = clock.elapsed(); });
    QVERIFY(QTest::qWaitFor([&] { return waited >= 0; }, 5000));
    QVERIFY2(waited >= 200, qPrintable(QString::number(waited)));
}

void TestDelayWithEvents::goneContextCallsNothing()
{
    auto window = std::make_unique<QObject>();
    bool called = false;
    DelayWithEvents(50, window.get(), [&] { called = true; });
    window.reset();
    QTest::qWait(150);
    QVERIFY(!called);
}

QTEST_GUILESS_MAIN(TestDelayWithEvents)
#include "tst_delaywithevents.moc"
