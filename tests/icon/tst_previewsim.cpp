// SPDX-License-Identifier: GPL-3.0-or-later
#include "icon/previewsim.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class TestPreviewSim : public QObject
{
    Q_OBJECT
private slots:
    void motions_data();
    void motions();
    void drawing_data();
    void drawing();
    void noMotionDrawsNothing_data();
    void noMotionDrawsNothing();
    void straightPathNoiseCountsAsZero();
    void fullProgramStaysInsideArea();
    void robotAtStartAndEnd_data();
    void robotAtStartAndEnd();
};

namespace {

struct Step
{
    const char16_t *icon;
    int value;
};

IconProgram programOf(std::initializer_list<Step> steps, int firstSlot = 0, int gap = 0)
{
    IconProgram program;
    int n = firstSlot;
    for (const Step &step : steps) {
        program.setFromIcon(n, QStringView(step.icon));
        program.setValue(n, step.value);
        n += 1 + gap;
    }
    return program;
}

QString describe(const PreviewSegment &s)
{
    return QStringLiteral("%1,%2-%3,%4 %5 r%6 s%7 @%8,%9 #%10:%11,%12")
        .arg(s.x1).arg(s.y1).arg(s.x2).arg(s.y2)
        .arg(s.picture.section(u'\\', 2).chopped(4))
        .arg(s.rotation).arg(s.pictureSize).arg(s.pictureLeft).arg(s.pictureTop)
        .arg(s.number).arg(s.numberLeft).arg(s.numberTop);
}

}

// Where the robot is after each instruction, from the start facing up.
void TestPreviewSim::motions_data()
{
    QTest::addColumn<QString>("icon");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("mark");
    QTest::addColumn<QPointF>("position");
    QTest::addColumn<int>("rot");
    QTest::addColumn<QPointF>("thenForward"); // after a further 1.0 s straight ahead

    const double h = 10.54f / 2;
    QTest::newRow("前進 1.0 s") << "Image2" << 10 << "FF" << QPointF(0, 18) << 0 << QPointF(0, 36);
    QTest::newRow("後進 0.5 s") << "Image8" << 5 << "BB" << QPointF(0, -9) << 0 << QPointF(0, 9);
    QTest::newRow("左回転 90") << "Image4" << 90 << "L_Turn" << QPointF(0, 0) << 90 << QPointF(-18, 0);
    QTest::newRow("右回転 90") << "Image6" << 90 << "R_Turn" << QPointF(0, 0) << -90 << QPointF(18, 0);
    QTest::newRow("右回転 180") << "Image6" << 180 << "R_Turn" << QPointF(0, 0) << -180 << QPointF(0, -18);
    QTest::newRow("前左折 90 pivots on the left wheel")
        << "Image1" << 90 << "FL" << QPointF(-h, h) << 90 << QPointF(-h - 18, h);
    QTest::newRow("前右折 90 pivots on the right wheel")
        << "Image3" << 90 << "FR" << QPointF(h, h) << -90 << QPointF(h + 18, h);
    QTest::newRow("後左折 90") << "Image7" << 90 << "BL" << QPointF(-h, -h) << -90 << QPointF(18 - h, -h);
    QTest::newRow("後右折 90") << "Image9" << 90 << "BR" << QPointF(h, -h) << 90 << QPointF(h - 18, -h);
    QTest::newRow("前左折 360 comes back") << "Image1" << 360 << "FL" << QPointF(0, 0) << 360 << QPointF(0, 18);
    const double d45 = h * (1 - std::sqrt(0.5));
    QTest::newRow("前左折 45") << "Image1" << 45 << "FL" << QPointF(-d45, h * std::sqrt(0.5)) << 45
                              << QPointF(-d45 - 18 * std::sqrt(0.5), h * std::sqrt(0.5) + 18 * std::sqrt(0.5));
    QTest::newRow("停止") << "Image5" << 20 << "Stop" << QPointF(0, 0) << 0 << QPointF(0, 18);
}

void TestPreviewSim::motions()
{
    QFETCH(QString, icon);
    QFETCH(int, value);
    QFETCH(QString, mark);
    QFETCH(QPointF, position);
    QFETCH(int, rot);
    QFETCH(QPointF, thenForward);

    IconProgram program;
    program.setFromIcon(3, icon);
    program.setValue(3, value);
    program.setFromIcon(7, u"Image2");
    program.setValue(7, 10);
    const QList<PreviewPoint> path = simulatePreview(program);
    QCOMPARE(path.size(), 3);
    QCOMPARE(path[0].x, 0.0f);
    QCOMPARE(path[0].y, 0.0f);
    QVERIFY(path[0].mark.isEmpty());
    QCOMPARE(path[1].mark, mark);
    QCOMPARE(path[1].rot, rot);
    QVERIFY2(std::abs(path[1].x - position.x()) < 1e-4 && std::abs(path[1].y - position.y()) < 1e-4,
             qPrintable(QStringLiteral("%1,%2").arg(path[1].x).arg(path[1].y)));
    QCOMPARE(path[2].rot, rot);
    QVERIFY2(std::abs(path[2].x - thenForward.x()) < 1e-4 && std::abs(path[2].y - thenForward.y()) < 1e-4,
             qPrintable(QStringLiteral("%1,%2").arg(path[2].x).arg(path[2].y)));
}

void TestPreviewSim::drawing_data()
{
    QTest::addColumn<IconProgram>("program");
    QTest::addColumn<double>("scale");
    QTest::addColumn<int>("offsetX");
    QTest::addColumn<int>("offsetY");
    QTest::addColumn<QString>("length");
    QTest::addColumn<QStringList>("segments");
    QTest::addColumn<QPoint>("start");
    QTest::addColumn<QPoint>("end");

    QTest::newRow("前進 1.0 s") << programOf({{u"Image2", 10}}) << 27.7 << 250 << 1 << "18"
                              << QStringList{"250,499-250,0 FF r0 s24 @247,248 #1:272,248"} << QPoint(264, 494)
                              << QPoint(264, 15);
    QTest::newRow("前進, 右回転 90, 前進")
        << programOf({{u"Image2", 10}, {u"Image6", 90}, {u"Image2", 10}}) << 27.7 << 1 << 1 << "18"
        << QStringList{"1,499-1,0 FF r0 s24 @9,248 #1:34,248", "1,0-1,0 R_Turn r0 s24 @9,10 #2:34,10",
                       "1,0-500,0 FF r-90 s24 @247,10 #3:272,10"}
        << QPoint(15, 494) << QPoint(477, 15);
    QTest::newRow("前左折 90 from the start")
        << programOf({{u"Image1", 90}}) << 94.8 << 500 << 0 << "5"
        << QStringList{"500,500-0,0 FL r0 s24 @247,248 #1:272,248"} << QPoint(456, 494) << QPoint(14, 15);
    QTest::newRow("a stop only") << programOf({{u"Image5", 10}}) << 1.0 << 250 << 250 << "0"
                                 << QStringList{"250,250-250,250 Stop r0 s24 @247,248 #1:272,248"}
                                 << QPoint(264, 265) << QPoint(264, 265);
    QTest::newRow("rotations only")
        << programOf({{u"Image4", 45}, {u"Image6", 90}, {u"Image4", 90}}) << 1.0 << 250 << 250 << "0"
        << QStringList{"250,250-250,250 L_Turn r0 s24 @247,248 #1:272,248",
                       "250,250-250,250 R_Turn r45 s34 @247,248 #2:282,251",
                       "250,250-250,250 L_Turn r-45 s34 @247,248 #3:282,251"}
        << QPoint(264, 265) << QPoint(264, 265);
    // Full circles about a wheel bring the robot back to the start up to rounding noise.
    QTest::newRow("full pivots back to the start")
        << programOf({{u"Image1", 360}, {u"Image3", 360}, {u"Image7", 360}, {u"Image9", 360}}) << 1.0 << 250
        << 250 << "0"
        << QStringList{"250,250-250,250 FL r0 s24 @247,248 #1:272,248", "250,250-250,250 FR r360 s24 @247,248 #2:272,248",
                       "250,250-250,250 BL r0 s24 @247,248 #3:272,248", "250,250-250,250 BR r-360 s24 @247,248 #4:272,248"}
        << QPoint(264, 265) << QPoint(264, 265);
    // At the right edge the picture is held inside and the number moves to its left.
    QTest::newRow("labels kept inside at the right edge")
        << programOf({{u"Image6", 90}, {u"Image2", 10}, {u"Image5", 10}}) << 27.7 << 1 << 250 << "18"
        << QStringList{"1,250-1,250 R_Turn r0 s24 @9,248 #1:34,248", "1,250-500,250 FF r-90 s24 @247,248 #2:272,248",
                       "500,250-500,250 Stop r-90 s24 @497,248 #3:483,248"}
        << QPoint(15, 265) << QPoint(477, 265);
    QTest::newRow("slanted picture near the right edge")
        << programOf({{u"Image6", 90}, {u"Image2", 10}, {u"Image4", 45}, {u"Image5", 10}}) << 27.7 << 1 << 250
        << "18"
        << QStringList{"1,250-1,250 R_Turn r0 s24 @9,248 #1:34,248", "1,250-500,250 FF r-90 s24 @247,248 #2:272,248",
                       "500,250-500,250 L_Turn r-90 s24 @497,248 #3:483,248",
                       "500,250-500,250 Stop r-45 s34 @497,248 #4:483,251"}
        << QPoint(15, 265) << QPoint(477, 265);
    // Empty slots and non-motion slots between the motions change nothing.
    QTest::newRow("gaps between slots") << programOf({{u"Image2", 10}}, 40, 0) << 27.7 << 250 << 1 << "18"
                                        << QStringList{"250,499-250,0 FF r0 s24 @247,248 #1:272,248"}
                                        << QPoint(264, 494) << QPoint(264, 15);
    QTest::newRow("wider than high scales by x")
        << programOf({{u"Image6", 90}, {u"Image2", 20}, {u"Image4", 90}, {u"Image2", 10}}) << 13.8 << 2 << 126 << "36"
        << QStringList{"2,374-2,374 R_Turn r0 s24 @9,372 #1:34,372", "2,374-499,374 FF r-90 s24 @247,372 #2:272,372",
                       "499,374-499,374 L_Turn r-90 s24 @496,372 #3:482,372",
                       "499,374-499,126 FF r0 s24 @496,248 #4:482,248"}
        << QPoint(16, 389) << QPoint(477, 141);
}

void TestPreviewSim::drawing()
{
    QFETCH(IconProgram, program);
    QFETCH(double, scale);
    QFETCH(int, offsetX);
    QFETCH(int, offsetY);
    QFETCH(QString, length);
    QFETCH(QStringList, segments);
    QFETCH(QPoint, start);
    QFETCH(QPoint, end);

    const PreviewDrawing drawing = buildPreview(program);
    QVERIFY(drawing.hasPath);
    QCOMPARE(drawing.fit.scale, scale);
    QCOMPARE(drawing.fit.offsetX, offsetX);
    QCOMPARE(drawing.fit.offsetY, offsetY);
    QCOMPARE(drawing.lengthText, length);
    QStringList got;
    for (const PreviewSegment &s : drawing.segments)
        got << describe(s);
    QCOMPARE(got, segments);
    QCOMPARE(drawing.start.text, u"START"_s);
    QCOMPARE(QPoint(drawing.start.left, drawing.start.top), start);
    QCOMPARE(drawing.end.text, u"END"_s);
    QCOMPARE(QPoint(drawing.end.left, drawing.end.top), end);
    QCOMPARE(drawing.points.size(), segments.size() + 1);
    QCOMPARE(drawing.segments.first().picture.left(13), u"Photo\\Button\\"_s);
}

void TestPreviewSim::noMotionDrawsNothing_data()
{
    QTest::addColumn<IconProgram>("program");
    QTest::newRow("empty program") << IconProgram();
    QTest::newRow("repeat and switch icons only")
        << programOf({{u"Image10", 3}, {u"Image13", 0}, {u"Image15", 0}, {u"Image11", 0}});
}

void TestPreviewSim::noMotionDrawsNothing()
{
    QFETCH(IconProgram, program);
    const PreviewDrawing drawing = buildPreview(program);
    QVERIFY(!drawing.hasPath);
    QVERIFY(drawing.segments.isEmpty());
    QVERIFY(drawing.lengthText.isEmpty());
    QVERIFY(drawing.start.text.isEmpty());
    QVERIFY(drawing.end.text.isEmpty());
    QCOMPARE(simulatePreview(program).size(), 1);
}

void TestPreviewSim::straightPathNoiseCountsAsZero()
{
    // Up, back down, a half turn and up again: x only ever moves by cos(90) noise.
    const IconProgram program = programOf(
        {{u"Image2", 200}, {u"Image8", 100}, {u"Image6", 180}, {u"Image2", 50}, {u"Image4", 180}, {u"Image2", 200}});
    const QList<PreviewPoint> path = simulatePreview(program);
    float maxX = 0;
    for (const PreviewPoint &p : path)
        maxX = std::max(maxX, std::abs(p.x));
    QVERIFY(maxX < PREVIEW_ZERO_SPAN);
    const PreviewFit fit = fitPreview(path);
    QCOMPARE(fit.spanX, 0.0f);
    QCOMPARE(fit.length, 450);
    QCOMPARE(fit.scale, 1.1); // trunc(500 / 450 * 10) / 10
    QCOMPARE(fit.offsetX, 250);
    const PreviewDrawing drawing = buildPreview(program);
    for (const PreviewSegment &s : drawing.segments) {
        QCOMPARE(s.x1, 250);
        QCOMPARE(s.x2, 250);
    }
}

void TestPreviewSim::fullProgramStaysInsideArea()
{
    // 59 slots of the longest moves and turns: the path is fitted into the area.
    IconProgram program;
    const QStringView icons[] = {u"Image2", u"Image1", u"Image9", u"Image8", u"Image3", u"Image7", u"Image6"};
    for (int n = 0; n < SLOT_COUNT; ++n) {
        const QStringView icon = icons[n % 7];
        program.setFromIcon(n, icon);
        program.setValue(n, valueClassOf(icon) == ValueClass::Time ? 200 : 135);
    }
    const PreviewDrawing drawing = buildPreview(program);
    QCOMPARE(drawing.segments.size(), 59);
    QCOMPARE(drawing.segments.last().number, u"59"_s);
    for (const PreviewSegment &s : drawing.segments) {
        for (int v : {s.x1, s.y1, s.x2, s.y2}) {
            QVERIFY2(v >= 0 && v <= PREVIEW_AREA_SIZE, qPrintable(describe(s)));
        }
        QVERIFY(s.pictureLeft >= PREVIEW_AREA_LEFT && s.pictureLeft <= PREVIEW_AREA_LEFT + 488);
        QVERIFY(s.pictureTop >= PREVIEW_AREA_TOP && s.pictureTop <= PREVIEW_AREA_TOP + 488);
    }
    QVERIFY(drawing.fit.length > 0);
}

// The robot's top view sits on the first and last point, turned as it stands there, and is
// moved inside the area only as far as it must be to show whole.
void TestPreviewSim::robotAtStartAndEnd_data()
{
    QTest::addColumn<IconProgram>("program");
    QTest::addColumn<QPoint>("start");
    QTest::addColumn<QPoint>("end");
    QTest::addColumn<int>("endHeading");

    QTest::newRow("straight up: both kept inside at the edges")
        << programOf({{u"Image2", 10}}) << QPoint(250, 487) << QPoint(250, 13) << 0;
    QTest::newRow("up, right turn, on to the right: facing right")
        << programOf({{u"Image2", 10}, {u"Image6", 90}, {u"Image2", 10}}) << QPoint(13, 487) << QPoint(487, 13)
        << -90;
    QTest::newRow("前左折 90: facing left in the corner")
        << programOf({{u"Image1", 90}}) << QPoint(487, 487) << QPoint(13, 13) << 90;
    QTest::newRow("a stop only: both in the middle") << programOf({{u"Image5", 10}}) << QPoint(250, 250)
                                                     << QPoint(250, 250) << 0;
    QTest::newRow("turns on the spot add up")
        << programOf({{u"Image4", 45}, {u"Image6", 90}, {u"Image4", 90}, {u"Image4", 180}}) << QPoint(250, 250)
        << QPoint(250, 250) << 225;
    QTest::newRow("backwards keeps the heading")
        << programOf({{u"Image8", 10}}) << QPoint(250, 13) << QPoint(250, 487) << 0;
}

void TestPreviewSim::robotAtStartAndEnd()
{
    QFETCH(IconProgram, program);
    QFETCH(QPoint, start);
    QFETCH(QPoint, end);
    QFETCH(int, endHeading);

    const PreviewDrawing drawing = buildPreview(program);
    QCOMPARE(QPoint(drawing.startRobot.x, drawing.startRobot.y), start);
    QCOMPARE(drawing.startRobot.heading, 0);
    QCOMPARE(QPoint(drawing.endRobot.x, drawing.endRobot.y), end);
    QCOMPARE(drawing.endRobot.heading, endHeading);
}

QTEST_GUILESS_MAIN(TestPreviewSim)
#include "tst_previewsim.moc"
