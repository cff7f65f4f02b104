#include "robot/trs232c.h"
#include "support/pseudoterminal.h"

#include <QtTest>

class TestTrs232c : public QObject
{
    Q_OBJECT
private slots:
    void probe();
};

void TestTrs232c::probe()
{
    PseudoTerminal pty;
    QVERIFY(pty.open());
    Trs232c port;
    port.setPortname(pty.slavePath());
    const bool ok = port.Open();
    qDebug() << ok << port.lastError();
    QVERIFY(ok);
    qDebug() << port.SetDTR(true) << port.SetRTS(true);
    QVERIFY(port.Write("abc\n\r\x11\x13", 7));
    const auto bytes = pty.waitForBytes(7, 2000);
    qDebug() << PseudoTerminal::valuesOf(bytes).toHex();
    QCOMPARE(PseudoTerminal::valuesOf(bytes), QByteArray("abc\n\r\x11\x13"));
}

QTEST_GUILESS_MAIN(TestTrs232c)
#include "tst_trs232c.moc"
