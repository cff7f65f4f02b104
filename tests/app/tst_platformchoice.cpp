// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platformchoice.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class TestPlatformChoice : public QObject
{
    Q_OBJECT
private slots:
    void chosenPlatform_data();
    void chosenPlatform();
};

void TestPlatformChoice::chosenPlatform_data()
{
    QTest::addColumn<QByteArray>("qpa");
    QTest::addColumn<QByteArray>("session");
    QTest::addColumn<QByteArray>("wayland");
    QTest::addColumn<QByteArray>("display");
    QTest::addColumn<QList<QByteArray>>("arguments");
    QTest::addColumn<QByteArray>("expected");

    const QList<QByteArray> plain{"rk25"};
    QTest::newRow("wayland session with X display") << QByteArray() << QByteArray("wayland") << QByteArray()
                                                    << QByteArray(":0") << plain << QByteArray("xcb");
    QTest::newRow("wayland display only") << QByteArray() << QByteArray() << QByteArray("wayland-0")
                                          << QByteArray(":1") << plain << QByteArray("xcb");
    QTest::newRow("session type in capitals") << QByteArray() << QByteArray("Wayland") << QByteArray()
                                              << QByteArray(":0") << plain << QByteArray("xcb");
    QTest::newRow("no X display stays on wayland") << QByteArray() << QByteArray("wayland")
                                                   << QByteArray("wayland-0") << QByteArray() << plain << QByteArray();
    QTest::newRow("forced by environment") << QByteArray("wayland") << QByteArray("wayland")
                                           << QByteArray("wayland-0") << QByteArray(":0") << plain << QByteArray();
    QTest::newRow("forced by -platform") << QByteArray() << QByteArray("wayland") << QByteArray("wayland-0")
                                         << QByteArray(":0") << QList<QByteArray>{"rk25", "-platform", "wayland"}
                                         << QByteArray();
    QTest::newRow("forced by --platform") << QByteArray() << QByteArray("wayland") << QByteArray()
                                          << QByteArray(":0") << QList<QByteArray>{"rk25", "--platform", "wayland"}
                                          << QByteArray();
    QTest::newRow("program named -platform is no choice")
        << QByteArray() << QByteArray("wayland") << QByteArray() << QByteArray(":0")
        << QList<QByteArray>{"-platform"} << QByteArray("xcb");
    QTest::newRow("x11 session left alone") << QByteArray() << QByteArray("x11") << QByteArray()
                                            << QByteArray(":0") << plain << QByteArray();
    QTest::newRow("no session at all") << QByteArray() << QByteArray() << QByteArray() << QByteArray() << plain
                                       << QByteArray();
}

void TestPlatformChoice::chosenPlatform()
{
    QFETCH(QByteArray, qpa);
    QFETCH(QByteArray, session);
    QFETCH(QByteArray, wayland);
    QFETCH(QByteArray, display);
    QFETCH(QList<QByteArray>, arguments);
    QFETCH(QByteArray, expected);
    QCOMPARE(platformchoice::chosenPlatform({qpa, session, wayland, display}, arguments), expected);
}

QTEST_APPLESS_MAIN(TestPlatformChoice)
#include "tst_platformchoice.moc"
