// SPDX-License-Identifier: GPL-3.0-or-later
#include "robot/instructioncode.h"
#include "robot/programimage.h"

#include <QtTest>

#include "support/wiretiming.h"

class TestProgramImage : public QObject
{
    Q_OBJECT
private slots:
    void fillRule_data();
    void fillRule();
    void image_data();
    void image();
    void compiledLinesAreDecimalText();
};

void TestProgramImage::fillRule_data()
{
    QTest::addColumn<ScreenKind>("kind");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("filled");
    struct Row { int n; int iconText; int route; };
    const Row rows[] = {{1, 40, 40},    {39, 40, 40},   {40, 40, 80},   {41, 80, 80},   {79, 80, 80},
                        {80, 80, 120},  {81, 120, 120}, {119, 120, 120}, {120, 120, 120}, {125, 125, 125}};
    for (const Row &r : rows) {
        QTest::addRow("icon %d", r.n) << ScreenKind::Icon << r.n << r.iconText;
        QTest::addRow("text %d", r.n) << ScreenKind::Text << r.n << r.iconText;
        QTest::addRow("route %d", r.n) << ScreenKind::Route << r.n << r.route;
    }
}

void TestProgramImage::fillRule()
{
    QFETCH(ScreenKind, kind);
    QFETCH(int, length);
    QFETCH(int, filled);
    QCOMPARE(filledLength(kind, length), filled);
}

namespace {
QStringList repeated(int count, const QString &value)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines.append(value);
    return lines;
}

QByteArray bytes(std::initializer_list<int> values, int fillTo)
{
    QByteArray out;
    for (int v : values)
        out.append(static_cast<char>(v));
    while (out.size() < fillTo)
        out.append(static_cast<char>(TERMINATOR));
    return out;
}
}

void TestProgramImage::image_data()
{
    QTest::addColumn<QStringList>("code");
    QTest::addColumn<ScreenKind>("kind");
    QTest::addColumn<bool>("header");
    QTest::addColumn<QByteArray>("image");

    const QStringList example{"69", "10", "70", "5"};
    QTest::newRow("example without header") << example << ScreenKind::Icon << false
                                            << bytes({69, 10, 70, 5, 254}, 40);
    QTest::newRow("example with header") << example << ScreenKind::Icon << true
                                         << bytes({193, 64, 1, 201, 69, 10, 70, 5, 254}, 40);
    QTest::newRow("text screen never sends the header") << example << ScreenKind::Text << true
                                                        << bytes({69, 10, 70, 5, 254}, 40);
    QTest::newRow("empty program") << QStringList() << ScreenKind::Text << false << bytes({254}, 40);
    QTest::newRow("empty route with header") << QStringList() << ScreenKind::Route << true
                                             << bytes({193, 64, 1, 201, 254}, 40);

    QByteArray full39 = bytes({}, 0);
    for (int i = 0; i < 39; ++i)
        full39.append(char(64));
    full39.append(char(254));
    QTest::newRow("39 bytes make one full block") << repeated(39, "64") << ScreenKind::Icon << false << full39;
    QTest::newRow("39 bytes on the route screen get a second block")
        << repeated(39, "64") << ScreenKind::Route << false << full39 + QByteArray(40, char(254));

    QByteArray full119 = QByteArray(119, char(64)) + QByteArray(1, char(254));
    QTest::newRow("119 bytes make the largest image") << repeated(119, "64") << ScreenKind::Text << false << full119;
    QTest::newRow("header counts against the image")
        << repeated(115, "64") << ScreenKind::Icon << true
        << QByteArray("\xc1\x40\x01\xc9", 4) + QByteArray(115, char(64)) + QByteArray(1, char(254));
}

void TestProgramImage::image()
{
    QFETCH(QStringList, code);
    QFETCH(ScreenKind, kind);
    QFETCH(bool, header);
    QFETCH(QByteArray, image);
    const QByteArray built = buildProgramImage(code, kind, header);
    QCOMPARE(built, image);
    QCOMPARE(built.size() % BLOCK_SIZE, 0);
    QVERIFY(fitsRobot(built));
}

void TestProgramImage::compiledLinesAreDecimalText()
{
    QCOMPARE(compiledBytes({"96", "050", "7", "255"}), QByteArray("\x60\x32\x07\xff", 4));
    // A header in front of 116 bytes pushes the image past what reaches the robot.
    QVERIFY(!fitsRobot(buildProgramImage(repeated(116, "64"), ScreenKind::Icon, true)));
}

QTEST_GUILESS_MAIN(TestProgramImage)
#include "tst_programimage.moc"
