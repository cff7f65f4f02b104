// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/workfolder.h"
#include "robot/serialportnames.h"
#include "robot/trs232c.h"
#include "support/pseudoterminal.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QtTest>

#include <termios.h>

using namespace Qt::StringLiterals;

namespace {
constexpr int TERMINATOR_BYTE = 254;
}

class TestTrs232c : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void bytesArriveInOrder_data();
    void bytesArriveInOrder();
    void lineSettingsReachTheDevice();
    void secondOpenFailsAndChangesNothing();
    void writeOnClosedPortTouchesNoDevice();
    void writeGivesUpAfterTxtimeout();
    void closeRaisesOnCloseWhileStillOpen();
    void closeKeepsBytesOnTheirWay_data();
    void closeKeepsBytesOnTheirWay();
    void modemLineHandlersFollowOpenAndClose();
    void destroyingClosesThePort();
    void nothingIsRead();
    void openOfMissingDeviceTellsWhy();
    void parityWords_data();
    void parityWords();
    void stopBitTexts_data();
    void stopBitTexts();
    void flowIsAViewOfFlowflag();
    void flowControlFromFlags_data();
    void flowControlFromFlags();
    void comNames_data();
    void comNames();
    void comLinkInWorkFolderIsFollowed();
};

void TestTrs232c::init()
{
    // Links from an earlier case must not redirect the next one.
    for (int n = 1; n <= 4; ++n)
        QFile::remove(WorkFolderPath() + QStringLiteral("com%1").arg(n));
}

void TestTrs232c::bytesArriveInOrder_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all.append(char(i));
    QTest::newRow("single 254") << QByteArray(1, char(254));
    QTest::newRow("block header then program") << QByteArray("\x01\xc1\x40\x01\xc9\xfe", 6);
    // Control characters that a cooked line would swallow or translate.
    QTest::newRow("line controls") << QByteArray("\n\r\x11\x13\x03\x04\x7f\x00", 8);
    QTest::newRow("every byte value") << all;
}

void TestTrs232c::bytesArriveInOrder()
{
    QFETCH(QByteArray, bytes);
    PseudoTerminal pty;
    QVERIFY(pty.open());
    Trs232c port;
    port.setPortname(pty.slavePath());
    QVERIFY2(port.Open(), qPrintable(port.lastError()));
    // Half one by one, the rest in one write.
    const qsizetype half = bytes.size() / 2;
    for (qsizetype i = 0; i < half; ++i)
        QVERIFY(port.WriteByte(quint8(bytes[i])));
    QVERIFY(port.Write(bytes.constData() + half, int(bytes.size() - half)));
    QCOMPARE(port.lastWritten(), bytes.size() - half);
    QCOMPARE(PseudoTerminal::valuesOf(pty.waitForBytes(int(bytes.size()), 3000)), bytes);
}

void TestTrs232c::lineSettingsReachTheDevice()
{
    PseudoTerminal pty;
    QVERIFY(pty.open());
    Trs232c port;
    port.setPortname(pty.slavePath());
    QVERIFY(port.Open());
    // The helper's own descriptor of the slave shares the terminal's settings.
    termios tio {};
    QCOMPARE(::tcgetattr(pty.slaveDescriptor(), &tio), 0);
    QCOMPARE(::cfgetospeed(&tio), speed_t(B9600));
    QCOMPARE(tio.c_cflag & CSIZE, tcflag_t(CS8));
    QCOMPARE(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS), tcflag_t(0));
    QCOMPARE(tio.c_iflag & (IXON | IXOFF), tcflag_t(0));
    // Raw output: a line feed goes out as it is.
    QCOMPARE(tio.c_oflag & OPOST, tcflag_t(0));
}

void TestTrs232c::secondOpenFailsAndChangesNothing()
{
    PseudoTerminal first;
    PseudoTerminal second;
    QVERIFY(first.open());
    QVERIFY(second.open());
    Trs232c port;
    QSignalSpy opened(&port, &Trs232c::OnOpen);
    QSignalSpy closed(&port, &Trs232c::OnClose);
    port.setPortname(first.slavePath());
    QVERIFY(port.Open());
    port.setPortname(second.slavePath());
    QVERIFY(!port.Open());
    QVERIFY(!port.lastError().isEmpty());
    QVERIFY(port.isOpen());
    QCOMPARE(port.devicePath(), first.slavePath());
    QCOMPARE(opened.count(), 1);
    QCOMPARE(closed.count(), 0);
    // Still the first device, which nothing was purged from.
    QVERIFY(port.WriteByte(7));
    QCOMPARE(PseudoTerminal::valuesOf(first.waitForBytes(1, 2000)), QByteArray(1, 7));
    QCOMPARE(second.collectFor(100).size(), 0);
}

void TestTrs232c::writeOnClosedPortTouchesNoDevice()
{
    PseudoTerminal pty;
    QVERIFY(pty.open());
    Trs232c port;
    port.setPortname(pty.slavePath());
    QVERIFY(!port.WriteByte(254));
    QVERIFY(!port.lastError().isEmpty());
    QVERIFY(!port.SetDTR(true));
    QVERIFY(!port.Close());
    QVERIFY(port.Open());
    QVERIFY(port.Close());
    QVERIFY(!port.Write("\x01\x02", 2));
    QVERIFY(!port.SetRTS(true));
    QCOMPARE(pty.collectFor(150).size(), 0);
}

void TestTrs232c::writeGivesUpAfterTxtimeout()
{
    PseudoTerminal pty;
    QVERIFY(pty.open());
    pty.setReadingPaused(true);
    Trs232c port;
    port.setPortname(pty.slavePath());
    port.setTxtimeout(300);
    QVERIFY(port.Open());
    // Far more than the line holds while nobody takes bytes from it.
    const QByteArray flood(1 << 20, 'x');
    QSignalSpy failed(&port, &Trs232c::writeFailed);
    QSignalSpy written(&port, &Trs232c::written);
    QElapsedTimer clock;
    clock.start();
    // Taken without waiting; the failure follows once txtimeout has run out.
    QVERIFY(port.Write(flood));
    QVERIFY(failed.wait(5000));
    const qint64 took = clock.elapsed();
    QVERIFY2(took >= 300, qPrintable(QString::number(took)));
    QCOMPARE(written.size(), 0);
    QVERIFY(!port.lastError().isEmpty());
    QVERIFY(!port.isSound());
    // The bytes still go out once the line moves again, followed by the next write.
    pty.setReadingPaused(false);
    port.setTxtimeout(30000);
    QVERIFY2(port.WriteByte(254), qPrintable(port.lastError()));
    QVERIFY(port.lastError().isEmpty());
    QVERIFY(written.wait(10000));
    QCOMPARE(failed.size(), 1);
    const QByteArray got = PseudoTerminal::valuesOf(pty.waitForBytes(flood.size() + 1, 10000));
    QCOMPARE(got.size(), flood.size() + 1);
    QCOMPARE(got.back(), char(254));
}

void TestTrs232c::closeRaisesOnCloseWhileStillOpen()
{
    PseudoTerminal pty;
    QVERIFY(pty.open());
    Trs232c port;
    port.setPortname(pty.slavePath());
    QVERIFY(port.Open());
    bool openDuringHandler = false;
    bool writeDuringHandler = false;
    connect(&port, &Trs232c::OnClose, this, [&] {
        openDuringHandler = port.isOpen();
        writeDuringHandler = port.WriteByte(9);
    });
    QVERIFY(port.Close());
    QVERIFY(openDuringHandler);
    QVERIFY(writeDuringHandler);
    QVERIFY(!port.isOpen());
}

void TestTrs232c::closeKeepsBytesOnTheirWay_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("readerPaused");
    // The 254 on leaving, closed at once.
    QTest::newRow("254 just before closing") << 1 << false;
    // More than the line's far end has taken in when the port closes.
    QTest::newRow("a queue the robot has not taken yet") << 8000 << true;
}

void TestTrs232c::closeKeepsBytesOnTheirWay()
{
    QFETCH(int, count);
    QFETCH(bool, readerPaused);
    PseudoTerminal pty;
    QVERIFY(pty.open());
    pty.setReadingPaused(readerPaused);
    Trs232c port;
    port.setPortname(pty.slavePath());
    QVERIFY(port.Open());
    QByteArray bytes(count, char(TERMINATOR_BYTE));
    for (int i = 0; i + 1 < count; ++i)
        bytes[i] = char(i % 250);
    QVERIFY2(port.Write(bytes), qPrintable(port.lastError()));
    QVERIFY(port.Close());
    pty.setReadingPaused(false);
    QCOMPARE(PseudoTerminal::valuesOf(pty.waitForBytes(count, 5000)), bytes);
}

void TestTrs232c::modemLineHandlersFollowOpenAndClose()
{
    PseudoTerminal pty;
    QVERIFY(pty.open());
    Trs232c port;
    connectModemLineHandlers(port);
    QStringList seen;
    connect(&port, &Trs232c::OnOpen, this, [&] {
        seen << QStringLiteral("open dtr=%1 rts=%2").arg(port.dtrRequested()).arg(port.rtsRequested());
    });
    connect(&port, &Trs232c::OnClose, this, [&] {
        seen << QStringLiteral("close dtr=%1 rts=%2").arg(port.dtrRequested()).arg(port.rtsRequested());
    });
    port.setPortname(pty.slavePath());
    QVERIFY(port.Open());
    QVERIFY(port.Close());
    QCOMPARE(seen, QStringList({u"open dtr=1 rts=1"_s, u"close dtr=0 rts=0"_s}));
}

void TestTrs232c::destroyingClosesThePort()
{
    PseudoTerminal pty;
    QVERIFY(pty.open());
    int closes = 0;
    {
        Trs232c port;
        connect(&port, &Trs232c::OnClose, this, [&] { ++closes; });
        port.setPortname(pty.slavePath());
        QVERIFY(port.Open());
    }
    QCOMPARE(closes, 1);
    // The device is free again.
    Trs232c again;
    again.setPortname(pty.slavePath());
    QVERIFY2(again.Open(), qPrintable(again.lastError()));
}

void TestTrs232c::nothingIsRead()
{
    PseudoTerminal pty;
    QVERIFY(pty.open());
    Trs232c port;
    port.setPortname(pty.slavePath());
    QVERIFY(port.Open());
    QCOMPARE(port.eventMask(), 0u);
    QVERIFY(pty.sendFromRobot("OK\r\n"));
    pty.collectFor(150);
    // The robot's bytes are still waiting in the line: nobody took them.
    QCOMPARE(pty.pendingAtSlave(), 4);
}

void TestTrs232c::openOfMissingDeviceTellsWhy()
{
    Trs232c port;
    QSignalSpy opened(&port, &Trs232c::OnOpen);
    port.setPortname(QDir::tempPath() + u"/no-such-serial-device"_s);
    QVERIFY(!port.Open());
    QVERIFY(!port.isOpen());
    QVERIFY(port.lastError().contains(u"no-such-serial-device"_s));
    QVERIFY2(port.lastError().contains(u"見つかりません"_s), qPrintable(port.lastError()));
    QCOMPARE(opened.count(), 0);
    QVERIFY(!port.WriteByte(1));
}

void TestTrs232c::parityWords_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<int>("parity"); // -1: leaves the port's value
    const struct
    {
        QSerialPort::Parity parity;
        QStringList words;
    } table[] = {
        {QSerialPort::NoParity, {u"無し"_s, u"なし"_s}},
        {QSerialPort::OddParity, {u"奇数"_s, u"きすう"_s, u"ODD"_s, u"odd"_s, u"ＯＤＤ"_s, u"ｏｄｄ"_s}},
        {QSerialPort::EvenParity, {u"偶数"_s, u"ぐうすう"_s, u"EVEN"_s, u"even"_s, u"ＥＶＥＮ"_s, u"ｅｖｅｎ"_s}},
        {QSerialPort::MarkParity, {u"マーク"_s, u"まーく"_s, u"MARK"_s, u"mark"_s, u"ＭＡＲＫ"_s, u"ｍａｒｋ"_s}},
        {QSerialPort::SpaceParity, {u"スペース"_s, u"すぺーす"_s, u"SPACE"_s, u"space"_s, u"ＳＰＡＣＥ"_s, u"ｓｐａｃｅ"_s}},
    };
    for (const auto &entry : table) {
        for (const QString &word : entry.words)
            QTest::newRow(qPrintable(word)) << word << int(entry.parity);
    }
    // Compared exactly: other spellings leave the value.
    QTest::newRow("Odd mixed case") << u"Odd"_s << -1;
    QTest::newRow("none in English") << u"none"_s << -1;
    QTest::newRow("with a blank") << u"偶数 "_s << -1;
    QTest::newRow("empty") << QString() << -1;
}

void TestTrs232c::parityWords()
{
    QFETCH(QString, word);
    QFETCH(int, parity);
    const auto found = Trs232c::parityFromText(word);
    QCOMPARE(found ? int(*found) : -1, parity);
}

void TestTrs232c::stopBitTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("stopBits");
    QTest::newRow("1") << u"1"_s << int(QSerialPort::OneStop);
    QTest::newRow("1.5") << u"1.5"_s << int(QSerialPort::OneAndHalfStop);
    QTest::newRow("2") << u"2"_s << int(QSerialPort::TwoStop);
    QTest::newRow("1,5") << u"1,5"_s << -1;
    QTest::newRow("3") << u"3"_s << -1;
}

void TestTrs232c::stopBitTexts()
{
    QFETCH(QString, text);
    QFETCH(int, stopBits);
    const auto found = Trs232c::stopBitsFromText(text);
    QCOMPARE(found ? int(*found) : -1, stopBits);
}

void TestTrs232c::flowIsAViewOfFlowflag()
{
    Trs232c port;
    QCOMPARE(port.flowflag(), 1u);
    QCOMPARE(port.flow(), Trs232c::FlowFlags(Trs232c::dfBinary));
    port.setFlow(Trs232c::dfOutxCtsFlow | Trs232c::dfAbortOnError);
    QCOMPARE(port.flowflag(), (1u << 2) | (1u << 14));
    // Bits above the 15 elements are not part of the set.
    port.setFlowflag(0xFFFFFFFFu);
    QCOMPARE(port.flow().toInt(), 0x7FFFu);
    QVERIFY(port.flow().testFlag(Trs232c::dfRtsControl_b1));
}

void TestTrs232c::flowControlFromFlags_data()
{
    QTest::addColumn<quint32>("flags");
    QTest::addColumn<int>("control");
    QTest::newRow("binary only") << quint32(Trs232c::dfBinary) << int(QSerialPort::NoFlowControl);
    QTest::newRow("cts out") << quint32(Trs232c::dfBinary | Trs232c::dfOutxCtsFlow) << int(QSerialPort::HardwareControl);
    QTest::newRow("rts handshake") << quint32(Trs232c::dfRtsControl_b1) << int(QSerialPort::HardwareControl);
    QTest::newRow("rts enable only") << quint32(Trs232c::dfRtsControl_b0) << int(QSerialPort::NoFlowControl);
    QTest::newRow("xon/xoff") << quint32(Trs232c::dfOutX | Trs232c::dfInX) << int(QSerialPort::SoftwareControl);
}

void TestTrs232c::flowControlFromFlags()
{
    QFETCH(quint32, flags);
    QFETCH(int, control);
    QCOMPARE(int(Trs232c::flowControlFromFlags(flags)), control);
}

void TestTrs232c::comNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("device"); // empty: a COM port without a link
    QTest::newRow("full path") << u"/dev/ttyS7"_s << u"/dev/ttyS7"_s;
    QTest::newRow("bare device name") << u"ttyUSB3"_s << u"ttyUSB3"_s;
    QTest::newRow("com5 is no COM port here") << u"com5"_s << u"com5"_s;
    QTest::newRow("com10") << u"com10"_s << u"com10"_s;
    QTest::newRow("COM1") << u"COM1"_s << QString();
    QTest::newRow("Com4") << u"Com4"_s << QString();
}

void TestTrs232c::comNames()
{
    QFETCH(QString, name);
    QFETCH(QString, device);
    if (!device.isEmpty()) {
        QCOMPARE(resolvePortName(name), device);
        QCOMPARE(comPortNumber(name), 0);
        return;
    }
    const int n = comPortNumber(name);
    QVERIFY(n >= 1 && n <= 4);
    const QString resolved = resolvePortName(name);
    const bool usbPresent = !QDir(u"/dev"_s).entryList({u"ttyUSB*"_s, u"ttyACM*"_s}, QDir::System).isEmpty();
    if (usbPresent)
        QVERIFY(resolved.startsWith(u"/dev/tty"_s));
    else
        QCOMPARE(resolved, QStringLiteral("/dev/ttyS%1").arg(n - 1));
    QVERIFY(!describeComPort(n - 1).isEmpty());
}

void TestTrs232c::comLinkInWorkFolderIsFollowed()
{
    PseudoTerminal pty;
    QVERIFY(pty.open());
    QVERIFY(!pty.linkAsCom(2).isEmpty());
    QCOMPARE(resolvePortName(u"COM2"_s), pty.slavePath());
    QVERIFY(describeComPort(1).contains(pty.slavePath()));
    QCOMPARE(comPortStatus(1).cause, PortCause::Usable);
    // Only com2 is linked; com1 still goes elsewhere.
    QVERIFY(resolvePortName(u"com1"_s) != pty.slavePath());

    Trs232c port;
    port.setPortname(u"com2"_s);
    QVERIFY2(port.Open(), qPrintable(port.lastError()));
    QCOMPARE(port.devicePath(), pty.slavePath());
    QVERIFY(port.WriteByte(254));
    QCOMPARE(PseudoTerminal::valuesOf(pty.waitForBytes(1, 2000)), QByteArray(1, char(254)));

    // A link to a missing device is still followed (the open then fails with the reason).
    port.Close();
    QFile::remove(WorkFolderPath() + u"com2"_s);
    QVERIFY(QFile::link(u"/dev/rk25-missing"_s, WorkFolderPath() + u"com2"_s));
    QCOMPARE(resolvePortName(u"com2"_s), u"/dev/rk25-missing"_s);
    QCOMPARE(comPortStatus(1).cause, PortCause::NotFound);
    QVERIFY(!port.Open());
    QVERIFY(port.lastError().contains(u"/dev/rk25-missing"_s));
}

QTEST_GUILESS_MAIN(TestTrs232c)
#include "tst_trs232c.moc"
