// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/cp932.h"
#include "common/recoverycopy.h"
#include "common/snapshothistory.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

// The history behind undo (its depth and the saved state) and the recovery copy (when it is
// written, when it is offered).
class TestRecoveryCopy : public QObject
{
    Q_OBJECT
private slots:
    void historyKeepsSavedState_data();
    void historyKeepsSavedState();
    void copyWrittenAfterDelay();
    void offeredUntilAnsweredByTheRunThatWroteIt_data();
    void offeredUntilAnsweredByTheRunThatWroteIt();
};

void TestRecoveryCopy::historyKeepsSavedState_data()
{
    QTest::addColumn<int>("steps");
    QTest::addColumn<QList<int>>("actions"); // n >= 0 records n, -1 undo, -2 redo, -3 saves
    QTest::addColumn<int>("current");
    QTest::addColumn<bool>("modified");
    QTest::newRow("undo back to the saved state") << 10 << QList<int>{1, 2, -3, 3, 4, -1, -1} << 2 << false;
    QTest::newRow("redo onto the saved state") << 10 << QList<int>{1, -3, -1, -2} << 1 << false;
    QTest::newRow("equal state is no step") << 10 << QList<int>{1, 1, 1, -1} << 0 << false;
    QTest::newRow("a new branch loses the saved state") << 10 << QList<int>{1, 2, -3, -1, 5, -2} << 5 << true;
    QTest::newRow("the saved state falls off the end") << 2 << QList<int>{-3, 1, 2, 3, -1, -1, -1} << 1 << true;
    QTest::newRow("undo stops at the oldest kept") << 3 << QList<int>{1, 2, 3, 4, 5, -1, -1, -1, -1, -1} << 2 << true;
}

void TestRecoveryCopy::historyKeepsSavedState()
{
    QFETCH(int, steps);
    QFETCH(QList<int>, actions);
    QFETCH(int, current);
    QFETCH(bool, modified);
    SnapshotHistory<int> history(steps);
    history.reset(0);
    int shown = 0;
    for (const int a : actions) {
        const int *s = nullptr;
        if (a >= 0 && history.record(a))
            shown = a;
        else if (a == -1)
            s = history.undo();
        else if (a == -2)
            s = history.redo();
        else if (a == -3)
            history.markSaved();
        if (s)
            shown = *s;
    }
    QCOMPARE(shown, current);
    QCOMPARE(history.modified(), modified);
}

void TestRecoveryCopy::copyWrittenAfterDelay()
{
    QTemporaryDir dir;
    QStringList lines{u"KB"_s, u"wait(1)"_s};
    RecoveryCopy copy(u"text.rk5"_s, [&] { return dir.path(); }, [&] { return lines; });
    QVERIFY(QFileInfo(QFileInfo(copy.path()).absolutePath()).isHidden());
    QElapsedTimer clock;
    clock.start();
    copy.changed();
    QTest::qWait(100);
    // Later changes do not put the write off: the first change waits no longer than the delay.
    lines << u"wait(2)"_s;
    copy.changed();
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(copy.path()), 5000);
    QVERIFY(clock.elapsed() >= recovery::WRITE_DELAY_MS);
    QCOMPARE(cp932::readLines(copy.path()).lines, lines);

    // Nothing worth keeping: the copy goes.
    lines.clear();
    QVERIFY(copy.writeNow());
    QVERIFY(!QFile::exists(copy.path()));
}

void TestRecoveryCopy::offeredUntilAnsweredByTheRunThatWroteIt_data()
{
    // Steps: "write" this run's work, "empty" writes an empty program, "pending" a change not
    // yet written, "end" the run's end, "next" a later start, "remove", "no record" (a copy of a
    // version that kept none), "old time" (a copy dated years back, the clock set at boot).
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<bool>("offered");
    QTest::addColumn<bool>("onDisk");
    QTest::newRow("this run's own copy") << QStringList{u"write"_s} << false << true;
    QTest::newRow("a crash: the next start") << QStringList{u"write"_s, u"next"_s} << true << true;
    QTest::newRow("an end keeps what is pending") << QStringList{u"pending"_s, u"end"_s, u"next"_s} << true << true;
    QTest::newRow("an end rewrites this run's copy") << QStringList{u"write"_s, u"end"_s, u"next"_s} << true << true;
    // The lost lesson: a crash, then a run that never opens the screen and ends normally.
    QTest::newRow("a later run's end leaves it") << QStringList{u"write"_s, u"next"_s, u"end"_s, u"next"_s} << true << true;
    QTest::newRow("a later run's empty program leaves it") << QStringList{u"write"_s, u"next"_s, u"empty"_s} << true << true;
    QTest::newRow("this run's empty program removes it") << QStringList{u"write"_s, u"empty"_s, u"next"_s} << false << false;
    QTest::newRow("declined") << QStringList{u"write"_s, u"next"_s, u"remove"_s} << false << false;
    QTest::newRow("no record") << QStringList{u"write"_s, u"no record"_s} << true << true;
    QTest::newRow("dated years back") << QStringList{u"write"_s, u"old time"_s, u"next"_s} << true << true;
}

void TestRecoveryCopy::offeredUntilAnsweredByTheRunThatWroteIt()
{
    QFETCH(QStringList, steps);
    QFETCH(bool, offered);
    QFETCH(bool, onDisk);
    QTemporaryDir dir;
    const QStringList work{u"DD"_s, u"0/-1///0"_s};
    QStringList lines = work;
    RecoveryCopy copy(u"icon.rk5"_s, [&] { return dir.path(); }, [&] { return lines; });
    recovery::beginRun();
    for (const QString &step : steps) {
        lines = step == u"empty" ? QStringList() : work;
        if (step == u"write" || step == u"empty")
            QVERIFY(copy.writeNow());
        else if (step == u"pending")
            copy.changed();
        else if (step == u"end") {
            recovery::endRun();
            copy.keepAtEnd();
        } else if (step == u"next")
            recovery::beginRun();
        else if (step == u"remove")
            copy.remove();
        else if (step == u"no record")
            QVERIFY(QFile::remove(copy.path() + QString::fromUtf16(recovery::RUN_RECORD_SUFFIX)));
        else if (step == u"old time") {
            QFile file(copy.path());
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(QDateTime(QDate(2001, 4, 1), QTime(8, 0)), QFileDevice::FileModificationTime));
        }
    }
    QCOMPARE(copy.leftOver().value_or(QStringList()), offered ? work : QStringList());
    QCOMPARE(copy.exists(), onDisk);
}

QTEST_GUILESS_MAIN(TestRecoveryCopy)
#include "tst_recoverycopy.moc"
