// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/cp932.h"
#include "common/recoverycopy.h"
#include "common/snapshothistory.h"

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
    void offeredOnlyWhenNewerThanNormalEnd();
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

void TestRecoveryCopy::offeredOnlyWhenNewerThanNormalEnd()
{
    QTemporaryDir dir;
    const QStringList lines{u"DD"_s, u"0/-1///0"_s};
    RecoveryCopy copy(u"icon.rk5"_s, [&] { return dir.path(); }, [&] { return lines; });
    QVERIFY(!copy.leftOver());
    QVERIFY(copy.writeNow());
    QCOMPARE(copy.leftOver().value_or(QStringList()), lines);
    QTest::qWait(20);
    recovery::noteNormalEnd(dir.path());
    QVERIFY(!copy.leftOver());
    // Written after the end (work no question let go): offered again.
    QVERIFY(copy.writeNow());
    QCOMPARE(copy.leftOver().value_or(QStringList()), lines);
    copy.remove();
    QVERIFY(!copy.leftOver());
}

QTEST_GUILESS_MAIN(TestRecoveryCopy)
#include "tst_recoverycopy.moc"
