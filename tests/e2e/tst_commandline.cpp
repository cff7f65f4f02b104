// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/testenv.h"

#include <QFile>
#include <QRegularExpression>
#include <QtTest>

using namespace Qt::StringLiterals;

// The programs' --help, --version and wrong options, started with no display at all: they must
// answer before any window system is needed.
class TestCommandLine : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void answers_data();
    void answers();
};

namespace {
QString changelogVersion()
{
    QFile file(testenv::sourceDir() + u"/changelog"_s);
    if (!file.open(QIODevice::ReadOnly))
        return u"<no changelog>"_s;
    const QRegularExpressionMatch m = QRegularExpression(u"^rk25 \\(([^)]+)\\)"_s).match(QString::fromUtf8(file.readLine()));
    return m.hasMatch() ? m.captured(1) : u"<no version>"_s;
}
}

void TestCommandLine::initTestCase()
{
    // Inherited by the programs started: a window system that cannot start here.
    qputenv("QT_QPA_PLATFORM", "xcb");
    qunsetenv("DISPLAY");
    qunsetenv("WAYLAND_DISPLAY");
}

void TestCommandLine::answers_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("outStart");
    QTest::addColumn<QStringList>("outHas");
    QTest::addColumn<QStringList>("errHas");

    const QString version = changelogVersion();
    const QStringList common{u"  -h, --help "_s, u"  --version "_s, u"\nExit status:\n  0  "_s, u"  2  wrong usage\n"_s};
    QTest::newRow("rk25 --help") << u"rk25"_s << QStringList{u"--help"_s} << 0 << u"Usage: rk25 [options]\n"_s
                                 << common << QStringList();
    QTest::newRow("rk25 -h") << u"rk25"_s << QStringList{u"-h"_s} << 0 << u"Usage: rk25 [options]\n"_s << common
                             << QStringList();
    QTest::newRow("rk25 --version") << u"rk25"_s << QStringList{u"--version"_s} << 0
                                    << u"rk25 %1\n"_s.arg(version) << QStringList{u"GPL version 3 or later"_s}
                                    << QStringList();
    QTest::newRow("Qt's display options pass") << u"rk25"_s
                                               << QStringList{u"-platform"_s, u"offscreen"_s, u"--version"_s} << 0
                                               << u"rk25 %1\n"_s.arg(version) << QStringList() << QStringList();
    QTest::newRow("rk25 wrong option") << u"rk25"_s << QStringList{u"--bogus"_s} << 2 << QString() << QStringList()
                                       << QStringList{u"rk25: "_s, u"'bogus'"_s, u"rk25 --help"_s};
    QTest::newRow("rk25 takes no file") << u"rk25"_s << QStringList{u"x.rk5"_s} << 2 << QString() << QStringList()
                                        << QStringList{u"'x.rk5'"_s};
    QTest::newRow("rk25c --help") << u"rk25c"_s << QStringList{u"--help"_s} << 0
                                  << u"Usage: rk25c [options] [FILE]\n"_s
                                  << common + QStringList{u"  --text "_s, u"  --image "_s, u"  --wire "_s,
                                                          u"  --wait-for-switch "_s, u"  1  refused"_s}
                                  << QStringList();
    QTest::newRow("rk25c --version") << u"rk25c"_s << QStringList{u"--version"_s} << 0
                                     << u"rk25c %1\n"_s.arg(version) << QStringList() << QStringList();
    QTest::newRow("rk25c help wins over a file") << u"rk25c"_s << QStringList{u"/nonexistent"_s, u"-h"_s} << 0
                                                 << u"Usage: rk25c"_s << QStringList() << QStringList();
    QTest::newRow("rk25c wrong short option") << u"rk25c"_s << QStringList{u"-x"_s} << 2 << QString()
                                              << QStringList() << QStringList{u"rk25c: "_s, u"'x'"_s};
    QTest::newRow("rk25c two modes") << u"rk25c"_s << QStringList{u"--wire"_s, u"--image"_s} << 2 << QString()
                                     << QStringList() << QStringList{u"exclude each other"_s};
}

void TestCommandLine::answers()
{
    QFETCH(QString, program);
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, outStart);
    QFETCH(QStringList, outHas);
    QFETCH(QStringList, errHas);
    const testenv::Outcome o = testenv::runProgram(testenv::binDir() + u'/' + program, args);
    QCOMPARE(o.exitCode, exitCode);
    if (outStart.isEmpty())
        QCOMPARE(o.out, QString());
    else
        QVERIFY2(o.out.startsWith(outStart), qPrintable(o.out));
    for (const QString &part : outHas)
        QVERIFY2(o.out.contains(part), qPrintable(part + u" not in:\n"_s + o.out));
    if (errHas.isEmpty())
        QCOMPARE(o.err, QString());
    for (const QString &part : errHas)
        QVERIFY2(o.err.contains(part), qPrintable(part + u" not in:\n"_s + o.err));
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
