// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings/reopenport.h"
#include "app/settings/settingsfile.h"
#include "common/workfolder.h"
#include "robot/trs232c.h"
#include "support/pseudoterminal.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestReopenPort : public QObject
{
    Q_OBJECT
private slots:
    void reopenClosesWaitsOpensWaitsSends_data();
    void reopenClosesWaitsOpensWaitsSends();
};

void TestReopenPort::reopenClosesWaitsOpensWaitsSends_data()
{
    QTest::addColumn<int>("comport"); // -1: no set.ini
    QTest::addColumn<int>("linked");  // the COM number whose link leads to the new line; 0: none
    QTest::newRow("no set.ini gives com1") << -1 << 1;
    QTest::newRow("2 gives com3") << 2 << 3;
    QTest::newRow("7 keeps the port name") << 7 << 0;
}

void TestReopenPort::reopenClosesWaitsOpensWaitsSends()
{
    QFETCH(int, comport);
    QFETCH(int, linked);
    const QString ini = WorkFolderPath() + u"set.ini"_s;
    QFile::remove(ini);
    for (int n = 1; n <= 4; ++n)
        QFile::remove(WorkFolderPath() + QStringLiteral("com%1").arg(n));
    if (comport >= 0)
        QVERIFY(SettingsFile().setComportName(comport).ok);

    PseudoTerminal before;
    PseudoTerminal after;
    QVERIFY(before.open());
    QVERIFY(after.open());
    if (linked > 0)
        QVERIFY(!after.linkAsCom(linked).isEmpty());

    // Declared before the port: destroying the port closes it, which runs the handlers.
    QElapsedTimer clock;
    QStringList events;
    qint64 closedAt = -1;
    qint64 openedAt = -1;
    Trs232c port;
    connectModemLineHandlers(port);
    connect(&port, &Trs232c::OnClose, this, [&] {
        closedAt = clock.elapsed();
        events << QStringLiteral("close dtr=%1 rts=%2").arg(port.dtrRequested()).arg(port.rtsRequested());
    });
    connect(&port, &Trs232c::OnOpen, this, [&] {
        openedAt = clock.elapsed();
        events << QStringLiteral("open dtr=%1 rts=%2 %3")
                      .arg(port.dtrRequested())
                      .arg(port.rtsRequested())
                      .arg(port.devicePath());
    });
    // Without a link the port name stays a path, so it must be the new line already.
    port.setPortname(linked > 0 ? before.slavePath() : after.slavePath());
    QVERIFY(port.Open());
    events.clear();

    // A second re-open during the waits is turned away at once: nothing is sent and the port
    // stays as the first one left it.
    int nestedResult = -1;
    int nestedOpenEvents = -1;
    QTimer::singleShot(1000, this, [&] {
        const qsizetype before = events.size();
        nestedResult = ReopenPort(port, this, [](bool) { QFAIL("a refused re-open calls nothing"); }) ? 1 : 0;
        nestedOpenEvents = int(events.size() - before);
    });

    const qint64 startOnLine = after.elapsed();
    clock.start();
    int opened = -1;
    qint64 took = -1;
    QVERIFY(ReopenPort(port, this, [&](bool ok) {
        opened = ok ? 1 : 0;
        took = clock.elapsed();
    }));
    // It goes on on the event loop: the caller is back at once.
    QVERIFY(events.size() == 1 && opened == -1);
    QVERIFY(QTest::qWaitFor([&] { return opened >= 0; }, 15000));
    QCOMPARE(opened, 1);

    const QString newDevice = after.slavePath();
    QCOMPARE(events, QStringList({u"close dtr=0 rts=0"_s, u"open dtr=1 rts=1 "_s + newDevice}));
    QVERIFY2(openedAt - closedAt >= 400, qPrintable(QString::number(openedAt - closedAt)));
    QVERIFY(took >= 4400);
    QCOMPARE(nestedResult, 0);
    QCOMPARE(nestedOpenEvents, 0);

    const QList<ReceivedByte> sent = after.waitForBytes(1, 2000);
    QCOMPARE(PseudoTerminal::valuesOf(sent), QByteArray(1, char(254)));
    QVERIFY2(sent.first().msecsSinceStart - startOnLine >= 4400,
             qPrintable(QString::number(sent.first().msecsSinceStart - startOnLine)));
    QCOMPARE(before.collectFor(50).size(), 0);
    QCOMPARE(port.portname(), linked > 0 ? QStringLiteral("com%1").arg(linked) : newDevice);
}

QTEST_GUILESS_MAIN(TestReopenPort)
#include "tst_reopenport.moc"
