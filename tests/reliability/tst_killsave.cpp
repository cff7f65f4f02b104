// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/saveloop.h"

#include <QCoreApplication>
#include <QTest>

// A pupil's work survives the program being killed in the middle of saving it: every file is
// the old or the new version, byte for byte, and no temporary file is left beside it.
class TestKillSave : public QObject
{
    Q_OBJECT

private slots:
    void bothVersionsDiffer();
    void killedSavesLeaveWholeFiles();
};

void TestKillSave::bothVersionsDiffer()
{
    // Otherwise a torn file could go unnoticed.
    for (const saveloop::Versions &file : saveloop::expectedFiles()) {
        QVERIFY2(file.first != file.second, qPrintable(file.name));
        QVERIFY2(!file.first.isEmpty() && !file.second.isEmpty(), qPrintable(file.name));
    }
}

void TestKillSave::killedSavesLeaveWholeFiles()
{
    const saveloop::KillOutcome outcome =
        saveloop::killRepeatedly(QCoreApplication::applicationFilePath(), 50, 20261208);
    QVERIFY2(outcome.problems.isEmpty(), qPrintable(outcome.problems.join(u'\n')));
    QCOMPARE(outcome.kills, 50);
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString folder = qEnvironmentVariable(saveloop::CHILD_VARIABLE);
    if (!folder.isEmpty())
        return saveloop::runForever(folder);
    TestKillSave test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_killsave.moc"
