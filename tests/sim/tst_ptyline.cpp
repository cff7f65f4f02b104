// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/workfolder.h"
#include "robot/trs232c.h"
#include "sim/ptyline.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

// The robot's end of the line and the comN link the application finds it by.
class TestPtyLine : public QObject
{
    Q_OBJECT
private slots:
    void bytesArriveUnchangedThroughComName();
    void linkOwnership_data();
    void linkOwnership();
};

void TestPtyLine::bytesArriveUnchangedThroughComName()
{
    sim::PtyLine line;
    QString error;
    QVERIFY2(line.open(&error), qPrintable(error));
    const QString link = sim::comLinkPath(2, WorkFolderPath());
    QVERIFY(sim::makeComLink(link, line.devicePath(), false, &error));

    QByteArray got;
    connect(&line, &sim::PtyLine::bytesArrived, this, [&](const QByteArray &b) { got += b; });
    Trs232c port;
    port.setPortname(u"COM2"_s);
    QVERIFY2(port.Open(), qPrintable(port.lastError()));
    // Bytes a terminal would translate or act on: line ends, flow control, interrupt, EOF.
    QByteArray sent;
    for (int b : {1, 10, 13, 17, 19, 3, 4, 26, 127, 0, 255, 254})
        sent.append(char(b));
    QVERIFY(port.Write(sent));
    QVERIFY(QTest::qWaitFor([&] { return got.size() >= sent.size(); }, 5000));
    QCOMPARE(got, sent);

    // The application closing and re-opening its port does not end the line.
    port.Close();
    QVERIFY(port.Open());
    QVERIFY(port.WriteByte(4));
    QVERIFY(QTest::qWaitFor([&] { return got.size() > sent.size(); }, 5000));
    QCOMPARE(got.back(), char(4));
    port.Close();

    sim::removeComLinkIfOurs(link, line.devicePath());
    QVERIFY(!QFileInfo(link).isSymLink());
}

void TestPtyLine::linkOwnership_data()
{
    QTest::addColumn<QString>("existing"); // "", "file", "link elsewhere", "ours", "folder"
    QTest::addColumn<bool>("replace");
    QTest::addColumn<bool>("linked");
    QTest::newRow("free") << QString() << false << true;
    QTest::newRow("ours already") << u"ours"_s << false << true;
    QTest::newRow("a file is kept") << u"file"_s << false << false;
    QTest::newRow("a file replaced when asked") << u"file"_s << true << true;
    QTest::newRow("another link is kept") << u"link elsewhere"_s << false << false;
    QTest::newRow("another link replaced when asked") << u"link elsewhere"_s << true << true;
    QTest::newRow("a folder is never replaced") << u"folder"_s << true << false;
}

void TestPtyLine::linkOwnership()
{
    QFETCH(QString, existing);
    QFETCH(bool, replace);
    QFETCH(bool, linked);
    QTemporaryDir dir;
    const QString device = u"/dev/pts/robot-test"_s;
    const QString link = sim::comLinkPath(1, dir.path());
    QCOMPARE(link, dir.path() + u"/com1"_s);
    if (existing == u"file") {
        QFile f(link);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("keep me");
    } else if (existing == u"link elsewhere") {
        QVERIFY(QFile::link(u"/dev/ttyUSB0"_s, link));
    } else if (existing == u"ours") {
        QVERIFY(QFile::link(device, link));
    } else if (existing == u"folder") {
        QVERIFY(QDir(dir.path()).mkdir(u"com1"_s));
    }

    QCOMPARE(sim::makeComLink(link, device, replace), linked);
    QCOMPARE(sim::comLinkState(link, device) == sim::ComLinkState::Ours, linked);
    if (!linked && existing == u"file") {
        QFile f(link);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("keep me"));
    }
    // Going away removes only what is ours.
    sim::removeComLinkIfOurs(link, device);
    const QFileInfo after(link);
    QCOMPARE(after.exists() || after.isSymLink(), !linked);
}

QTEST_GUILESS_MAIN(TestPtyLine)
#include "tst_ptyline.moc"
