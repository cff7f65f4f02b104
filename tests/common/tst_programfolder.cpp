// SPDX-License-Identifier: GPL-3.0-or-later
// The program folder is found from the running executable, also when it was started through
// links (as from an installation's bin/) and before the application object exists.
#include "common/programfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <cstring>

using namespace Qt::StringLiterals;

namespace {

// Started as a child with one of these, the test program prints its program folder.
constexpr char PRINT_BEFORE_APP[] = "--print-folder-before-app";
constexpr char PRINT_WITH_APP[] = "--print-folder";

void printFolder()
{
    std::fputs(QDir::toNativeSeparators(programFolder()).toLocal8Bit().constData(), stdout);
}

}

class TestProgramFolder : public QObject
{
    Q_OBJECT
private slots:
    void startedThroughLinks_data();
    void startedThroughLinks();
    void filePathTurnsBackslashesIntoFolders_data();
    void filePathTurnsBackslashesIntoFolders();
};

void TestProgramFolder::startedThroughLinks_data()
{
    QTest::addColumn<QStringList>("links"); // each link points at the one before, the first at the executable
    QTest::addColumn<bool>("relative");
    QTest::addColumn<QString>("mode");
    const QString withApp = QString::fromLatin1(PRINT_WITH_APP);
    const QString beforeApp = QString::fromLatin1(PRINT_BEFORE_APP);
    QTest::newRow("started directly") << QStringList() << false << withApp;
    QTest::newRow("started directly, before the application") << QStringList() << false << beforeApp;
    QTest::newRow("link in another folder") << QStringList{u"bin/rk25"_s} << false << withApp;
    QTest::newRow("relative link, as installed") << QStringList{u"bin/rk25"_s} << true << withApp;
    QTest::newRow("relative link, before the application") << QStringList{u"bin/rk25"_s} << true << beforeApp;
    QTest::newRow("chain of relative links")
        << QStringList{u"opt/rk25"_s, u"usr/bin/rk25"_s, u"home/desk/RK-25"_s} << true << withApp;
}

void TestProgramFolder::startedThroughLinks()
{
    QFETCH(QStringList, links);
    QFETCH(bool, relative);
    QFETCH(QString, mode);
    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    const QString self = QCoreApplication::applicationFilePath();
    QString target = self;
    for (const QString &link : std::as_const(links)) {
        const QString path = scratch.filePath(link);
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        const QString pointsAt = relative ? QFileInfo(path).absoluteDir().relativeFilePath(target) : target;
        QVERIFY2(QFile::link(pointsAt, path), qPrintable(path));
        target = path;
    }
    QProcess child;
    // A working directory unrelated to both the links and the executable.
    child.setWorkingDirectory(scratch.path());
    child.start(target, {mode});
    QVERIFY(child.waitForFinished(30000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
    const QString folder = QString::fromLocal8Bit(child.readAllStandardOutput());
    QCOMPARE(folder, QFileInfo(self).canonicalPath());
}

void TestProgramFolder::filePathTurnsBackslashesIntoFolders_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("below");
    QTest::newRow("picture") << u"Photo\\Button\\send.jpg"_s << u"Photo/Button/send.jpg"_s;
    QTest::newRow("help page") << u"Navi\\navi\\index_s2.html"_s << u"Navi/navi/index_s2.html"_s;
    QTest::newRow("Japanese file name") << u"Data\\文字入力サンプル.rk5"_s << u"Data/文字入力サンプル.rk5"_s;
    QTest::newRow("already with slashes") << u"Data/report.txt"_s << u"Data/report.txt"_s;
}

void TestProgramFolder::filePathTurnsBackslashesIntoFolders()
{
    QFETCH(QString, name);
    QFETCH(QString, below);
    QCOMPARE(programFilePath(name), QCoreApplication::applicationDirPath() + u'/' + below);
}

int main(int argc, char *argv[])
{
    if (argc == 2 && std::strcmp(argv[1], PRINT_BEFORE_APP) == 0) {
        printFolder();
        return 0;
    }
    QCoreApplication app(argc, argv);
    if (argc == 2 && std::strcmp(argv[1], PRINT_WITH_APP) == 0) {
        printFolder();
        return 0;
    }
    TestProgramFolder test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_programfolder.moc"
