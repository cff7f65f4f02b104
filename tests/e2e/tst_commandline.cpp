// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/testenv.h"

#include <QFile>
#include <QRegularExpression>
#include <QtTest>

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
    QFile file(testenv::sourceDir() + u"/changelog"_qs);
    if (!file.open(QIODevice::ReadOnly))
        return u"<no changelog>"_qs;
    const QRegularExpressionMatch m = QRegularExpression(u"^rk25 \\(([^)]+)\\)"_qs).match(QString::fromUtf8(file.readLine()));
    return m.hasMatch() ? m.captured(1) : u"<no version>"_qs;
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
    const QStringList common{u"  -h, --help "_qs, u"  --version "_qs, u"\nExit status:\n  0  "_qs, u"  2  wrong usage\n"_qs};
    QTest::newRow("rk25 --help") << u"rk25"_qs << QStringList{u"--help"_qs} << 0 << u"Usage: rk25 [options]\n"_qs
                                 << common << QStringList();
    QTest::newRow("rk25 -h") << u"rk25"_qs << QStringList{u"-h"_qs} << 0 << u"Usage: rk25 [options]\n"_qs << common
                             << QStringList();
    QTest::newRow("rk25 --version") << u"rk25"_qs << QStringList{u"--version"_qs} << 0
                                    << u"rk25 %1\n"_qs.arg(version) << QStringList{u"GPL version 3 or later"_qs}
                                    << QStringList();
    QTest::newRow("Qt's display options pass") << u"rk25"_qs
                                               << QStringList{u"-platform"_qs, u"offscreen"_qs, u"--version"_qs} << 0
                                               << u"rk25 %1\n"_qs.arg(version) << QStringList() << QStringList();
    QTest::newRow("rk25 wrong option") << u"rk25"_qs << QStringList{u"--bogus"_qs} << 2 << QString() << QStringList()
                                       << QStringList{u"rk25: "_qs, u"'bogus'"_qs, u"rk25 --help"_qs};
    QTest::newRow("rk25 takes no file") << u"rk25"_qs << QStringList{u"x.rk5"_qs} << 2 << QString() << QStringList()
                                        << QStringList{u"'x.rk5'"_qs};
    QTest::newRow("rk25c --help") << u"rk25c"_qs << QStringList{u"--help"_qs} << 0
                                  << u"Usage: rk25c [options] [FILE]\n"_qs
                                  << common + QStringList{u"  --text "_qs, u"  --image "_qs, u"  --wire "_qs,
                                                          u"  --wait-for-switch "_qs, u"  1  refused"_qs}
                                  << QStringList();
    QTest::newRow("rk25c --version") << u"rk25c"_qs << QStringList{u"--version"_qs} << 0
                                     << u"rk25c %1\n"_qs.arg(version) << QStringList() << QStringList();
    QTest::newRow("rk25c help wins over a file") << u"rk25c"_qs << QStringList{u"/nonexistent"_qs, u"-h"_qs} << 0
                                                 << u"Usage: rk25c"_qs << QStringList() << QStringList();
    QTest::newRow("rk25c wrong short option") << u"rk25c"_qs << QStringList{u"-x"_qs} << 2 << QString()
                                              << QStringList() << QStringList{u"rk25c: "_qs, u"'x'"_qs};
    QTest::newRow("rk25c two modes") << u"rk25c"_qs << QStringList{u"--wire"_qs, u"--image"_qs} << 2 << QString()
                                     << QStringList() << QStringList{u"exclude each other"_qs};
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
        QVERIFY2(o.out.contains(part), qPrintable(part + u" not in:\n"_qs + o.out));
    if (errHas.isEmpty())
        QCOMPARE(o.err, QString());
    for (const QString &part : errHas)
        QVERIFY2(o.err.contains(part), qPrintable(part + u" not in:\n"_qs + o.err));
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
