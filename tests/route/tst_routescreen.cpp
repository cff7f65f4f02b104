// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings/settingsfile.h"
#include "app/ui/errorguard.h"
#include "app/ui/messagebox.h"
#include "app/ui/picturebutton.h"
#include "app/ui/pictures.h"
#include "app/ui/programfiledialog.h"
#include "app/ui/windowscaling.h"
#include "route/routefloorview.h"
#include "route/routefile.h"
#include "route/routescreen.h"
#include "common/errornumbers.h"
#include "common/programfilename.h"
#include "support/findwindow.h"
#include "support/pseudoterminal.h"
#include "support/screenfixture.h"
#include "sim/trialwindow.h"
#include "support/wiretiming.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QScrollArea>
#include <QtWidgets/QScrollBar>

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;

// The route screen driven by mouse events on its floor, with the real transfer window and a
// pseudo-terminal as the robot's line.
class TestRouteScreen : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void workedRouteIsSent_data();
    void workedRouteIsSent();
    void trialLightsTheRunningSegment();
    void finishedRouteRefusesClicks();
    void zeroLengthClickAddsRecordWithoutLines();
    void secondPressOfDoubleClickIsIgnored();
    void lineLimit_data();
    void lineLimit();
    void recordLimit();
    void obstacles();
    void oneDeleteRestoresHeading();
    void oneDeleteOfOnlySegmentAbandonsRoute();
    void pressWithoutMoveLandsUnderPointer();
    void zoomKeepsRoute();
    void dockedFloorStaysWholeAndMapsClicks_data();
    void dockedFloorStaysWholeAndMapsClicks();
    void keysPlaceWhatThePointerPlaces_data();
    void keysPlaceWhatThePointerPlaces();
    void leavingAsksFirst_data();
    void leavingAsksFirst();
    void navigatorAsksFirst();
    void savedRouteReadsBack();
    void readRefusals_data();
    void readRefusals();
    void readRouteFillsOneBlockFurther();
    void missingPictureIsReported();
    void undoRedoEachChange_data();
    void undoRedoEachChange();
    void undoHundredSteps();
    void startModeFollowsAcceptedSettings();

private:
    void showScreen(bool how = true);
    // Moves the pointer to the grid point (x, y) and presses there.
    void clickAt(QPoint grid, Qt::MouseButton button = Qt::LeftButton);
    void moveTo(QPoint grid);
    void sendMouse(QEvent::Type type, QPoint pixel, Qt::MouseButton button);
    void click(const QString &objectName);
    void drawWorkedRoute(bool finish);
    PictureButton *button(const QString &objectName) const;
    QString labelText(const QString &objectName) const;
    QString memoText(const QString &objectName) const;

    testenv::ScreenFixture m_line;
    std::unique_ptr<RouteScreen> m_screen;
    QList<ui::MessageRequest> m_boxes;
    ui::MessageButton m_answer = ui::MessageButton::Ok;
    QTemporaryDir m_dir;
};

namespace {

const QStringList WORKED_TEXT = {
    u"motor(fwd,fwd)"_s, u"wait(20)"_s,
    u"motor(fwd,rev)"_s, u"wait(5)"_s, u"motor(fwd,fwd)"_s, u"wait(20)"_s,
    u"motor(rev,fwd)"_s, u"wait(8)"_s, u"motor(fwd,fwd)"_s, u"wait(14)"_s,
    u"motor(rev,fwd)"_s, u"wait(2)"_s, u"motor(fwd,fwd)"_s, u"wait(20)"_s,
    u"motor(rev,fwd)"_s, u"wait(5)"_s, u"motor(fwd,fwd)"_s, u"wait(20)"_s,
    u"motor(fwd,rev)"_s, u"wait(10)"_s, u"motor(fwd,fwd)"_s, u"wait(20)"_s,
};
// Its instruction code: 69 straight on, 70 right turn, 73 left turn, each with its wait.
const QByteArray WORKED_CODE("\x45\x14\x46\x05\x45\x14\x49\x08\x45\x0E\x49\x02\x45\x14\x49\x05\x45\x14\x46\x0A\x45\x14");
const QByteArray START_HEADER("\xC1\x40\x01\xC9");
const QList<QPoint> WORKED_POINTS = {{250, 300}, {350, 300}, {300, 250}, {200, 250}, {200, 350}, {200, 250}};

}

void TestRouteScreen::init()
{
    m_boxes.clear();
    m_answer = ui::MessageButton::Ok;
    ui::setMessageResponder([this](const ui::MessageRequest &r) {
        m_boxes.append(r);
        return r.buttons.contains(m_answer) ? m_answer : r.buttons.value(0);
    });
    m_line.setUp();
    if (QTest::currentTestFailed())
        return;
    m_screen = std::make_unique<RouteScreen>(m_line.link());
}

void TestRouteScreen::cleanup()
{
    m_screen.reset();
    m_line.tearDown();
    ui::setMessageResponder({});
    ui::setProgramFileChooserForTests({});
    ui::setPictureFolderForTests(QString());
}

void TestRouteScreen::showScreen(bool how)
{
    QVERIFY(SettingsFile().setPlayHow(how).ok);
    m_screen->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_screen.get()));
    QCOMPARE(m_screen->how(), how);
}

void TestRouteScreen::sendMouse(QEvent::Type type, QPoint pixel, Qt::MouseButton button)
{
    RouteFloorView *floor = m_screen->floor();
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease || type == QEvent::MouseMove ? Qt::NoButton
                                                                                                 : Qt::MouseButtons(button);
    QMouseEvent event(type, QPointF(pixel), QPointF(floor->mapToGlobal(pixel)), button, held, Qt::NoModifier);
    QApplication::sendEvent(floor, &event);
}

void TestRouteScreen::moveTo(QPoint grid)
{
    sendMouse(QEvent::MouseMove, grid * m_screen->zoom(), Qt::NoButton);
}

void TestRouteScreen::clickAt(QPoint grid, Qt::MouseButton button)
{
    const QPoint pixel = grid * m_screen->zoom();
    sendMouse(QEvent::MouseMove, pixel, Qt::NoButton);
    sendMouse(QEvent::MouseButtonPress, pixel, button);
    sendMouse(QEvent::MouseButtonRelease, pixel, button);
}

PictureButton *TestRouteScreen::button(const QString &objectName) const
{
    return m_screen->findChild<PictureButton *>(objectName);
}

void TestRouteScreen::click(const QString &objectName)
{
    testenv::clickChild<PictureButton>(m_screen.get(), objectName);
}

QString TestRouteScreen::labelText(const QString &objectName) const
{
    return m_screen->findChild<QLabel *>(objectName)->text();
}

QString TestRouteScreen::memoText(const QString &objectName) const
{
    return m_screen->findChild<QPlainTextEdit *>(objectName)->toPlainText();
}

void TestRouteScreen::drawWorkedRoute(bool finish)
{
    clickAt({250, 400});
    for (qsizetype i = 0; i < WORKED_POINTS.size(); ++i)
        clickAt(WORKED_POINTS[i], finish && i + 1 == WORKED_POINTS.size() ? Qt::RightButton : Qt::LeftButton);
}

void TestRouteScreen::workedRouteIsSent_data()
{
    QTest::addColumn<bool>("how");
    QTest::newRow("starts at once") << true;
    QTest::newRow("waits for the front switch") << false;
}

void TestRouteScreen::workedRouteIsSent()
{
    QFETCH(bool, how);
    showScreen(how);
    drawWorkedRoute(true);
    QCOMPARE(m_screen->route().programText(), WORKED_TEXT);
    QCOMPARE(m_screen->route().lineCount(), 22);
    QCOMPARE(m_screen->route().lastIndex(), 6);
    QCOMPARE(memoText(u"Memo2"_s), WORKED_TEXT.join(u'\n'));
    QCOMPARE(memoText(u"Memo1"_s), u"250,400\n250,300\n350,300\n300,250\n200,250\n200,350\n200,250"_s);
    QCOMPARE(labelText(u"Label1"_s), u"6"_s);
    QCOMPARE(labelText(u"Label2"_s), u"22"_s);
    QVERIFY(m_boxes.isEmpty());

    const SentRecorder sent(WirePlayer::of(m_line.port()));
    click(u"send"_s);
    const QByteArray image = (how ? QByteArray() : START_HEADER) + WORKED_CODE + char(254);
    const QByteArray wire = '\x01' + image + QByteArray(40 - image.size(), char(254));
    const QList<ReceivedByte> got = m_line.pty()->waitForBytes(41, 10000);
    QCOMPARE(PseudoTerminal::valuesOf(got), wire);
    QCOMPARE(sent.values, wire);
    // 100 ms after the block number, then 80 ms after each of the 39 bytes before the last,
    // on the player's clock (the pty's reader may take the first byte late).
    QVERIFY(sent.apart(0, 40, 100 + 39 * 80));
    QVERIFY(QTest::qWaitFor([this] { return !m_line.transfer()->isVisible(); }, 3000));
    QVERIFY(m_boxes.isEmpty());

    m_line.pty()->clear();
    click(u"play"_s);
    QCOMPARE(PseudoTerminal::valuesOf(m_line.pty()->waitForBytes(1, 2000)), QByteArray("\x04"));
}

void TestRouteScreen::trialLightsTheRunningSegment()
{
    showScreen(true);
    drawWorkedRoute(true);
    click(u"trial"_s);
    TrialWindow *floor = m_line.trial()->window();
    QVERIFY(floor->isVisible());
    floor->pause();
    // A straight start, then a turn and a run on each later segment, then nothing.
    QList<int> lit{m_screen->floor()->runningSegment()};
    while (!floor->trial().finished()) {
        floor->stepOnce();
        lit.append(m_screen->floor()->runningSegment());
    }
    QCOMPARE(lit, (QList<int>{1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 0}));
    QVERIFY(m_boxes.isEmpty());
    QVERIFY(m_line.pty()->collectFor(300).isEmpty());
}

void TestRouteScreen::finishedRouteRefusesClicks()
{
    showScreen();
    drawWorkedRoute(true);
    QCOMPARE(m_screen->routeMode(), RouteScreen::Idle);
    QVERIFY(!m_screen->floor()->isEnabled());
    QVERIFY(!button(u"One_Delete"_s)->isEnabled());
    QCOMPARE(m_screen->floor()->markers().last().name, u"meirei_image7"_s);
    QCOMPARE(m_screen->floor()->markers().last().kind, MarkerKind::End);

    clickAt({250, 100});
    clickAt({100, 100});
    QCOMPARE(m_screen->route().lastIndex(), 6);
    QCOMPARE(m_screen->route().record(0).x, 250);

    ReportInput report;
    m_screen->fillReportListing(&report);
    QCOMPARE(m_screen->reportTag(), REPORT_TAG_ROUTE);
    QCOMPARE(report.routeLineCount, 22);
    QCOMPARE(report.routeRecords.size(), ROUTE_RECORD_COUNT);
    QVERIFY(report.routeRecords.at(3).contains(u"wait(8)"_s));

    // Cleared, the floor takes a new start, and the report no longer lists the old route.
    click(u"All_Delete"_s);
    m_screen->fillReportListing(&report);
    QCOMPARE(report.routeLineCount, 0);
    QVERIFY(m_screen->floor()->isEnabled());
    QVERIFY(button(u"One_Delete"_s)->isEnabled());
    QVERIFY(m_screen->route().programText().isEmpty());
    QVERIFY(memoText(u"Memo2"_s).isEmpty());
    clickAt({100, 100});
    QCOMPARE(m_screen->routeMode(), RouteScreen::Drawing);
    QCOMPARE(m_screen->route().record(0).x, 100);
    QCOMPARE(m_screen->route().lastIndex(), 0);
}

void TestRouteScreen::zeroLengthClickAddsRecordWithoutLines()
{
    showScreen();
    clickAt({250, 400});
    clickAt({250, 400});
    QCOMPARE(m_screen->route().lastIndex(), 1);
    QCOMPARE(m_screen->route().lineCount(), 0);
    QCOMPARE(m_screen->route().record(1).heading, 90);
    QCOMPARE(m_screen->route().record(1).x, 250);
    QCOMPARE(m_screen->route().record(1).y, 400);
    // The robot still faces up: a run to the right starts with a right turn.
    clickAt({300, 400});
    QCOMPARE(m_screen->route().programText(),
             QStringList({u"motor(fwd,rev)"_s, u"wait(5)"_s, u"motor(fwd,fwd)"_s, u"wait(10)"_s}));
}

void TestRouteScreen::secondPressOfDoubleClickIsIgnored()
{
    showScreen();
    clickAt({250, 400});
    clickAt({250, 300});
    sendMouse(QEvent::MouseButtonDblClick, QPoint(250, 300), Qt::LeftButton);
    sendMouse(QEvent::MouseButtonRelease, QPoint(250, 300), Qt::LeftButton);
    QCOMPARE(m_screen->route().lastIndex(), 1);
    QCOMPARE(m_screen->route().lineCount(), 2);
}

void TestRouteScreen::lineLimit_data()
{
    QTest::addColumn<bool>("how");
    QTest::addColumn<int>("limit");
    QTest::newRow("starts at once") << true << 115;
    QTest::newRow("waits for the front switch") << false << 110;
}

void TestRouteScreen::lineLimit()
{
    QFETCH(bool, how);
    QFETCH(int, limit);
    showScreen(how);
    // A staircase: every point turns a quarter, four lines each.
    QPoint at(20, 480);
    clickAt(at);
    int points = 0;
    while (m_screen->route().lineCount() < limit) {
        at += points % 2 == 0 ? QPoint(10, 0) : QPoint(0, -10);
        clickAt(at);
        ++points;
        QCOMPARE(m_screen->route().lastIndex(), points);
    }
    QVERIFY(m_boxes.isEmpty());
    const QStringList text = m_screen->route().programText();
    clickAt(at + QPoint(10, 0));
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes[0].kind, ui::MessageKind::Warning);
    QCOMPARE(m_boxes[0].text, u"これ以上命令を追加できません。"_s);
    QCOMPARE(m_screen->route().lastIndex(), points);
    QCOMPARE(m_screen->route().programText(), text);
    // The limit also holds for the right button: the route is not finished by a refused point.
    clickAt(at + QPoint(10, 0), Qt::RightButton);
    QCOMPARE(m_boxes.size(), 2);
    QCOMPARE(m_screen->routeMode(), RouteScreen::Drawing);
}

void TestRouteScreen::recordLimit()
{
    showScreen();
    clickAt({250, 250});
    for (int n = 1; n <= 57; ++n)
        clickAt({250, 250});
    QCOMPARE(m_screen->route().lastIndex(), 57);
    QVERIFY(m_boxes.isEmpty());
    clickAt({250, 200});
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes[0].text, u"これ以上命令を追加できません。"_s);
    QCOMPARE(m_screen->route().lastIndex(), 57);
    QCOMPARE(m_screen->route().record(58), RoutePoint());
}

void TestRouteScreen::obstacles()
{
    showScreen();
    click(u"s_insert"_s);
    QCOMPARE(m_screen->routeMode(), RouteScreen::PlacingObstacles);
    for (const char *name : {"send", "play", "One_Delete", "Report", "All_Delete", "large", "small"})
        QVERIFY2(!button(QString::fromLatin1(name))->isEnabled(), name);
    for (int i = 0; i < 10; ++i)
        sendMouse(QEvent::MouseButtonPress, QPoint(33 + 40 * i, 57), Qt::LeftButton);
    QCOMPARE(m_screen->obstacles().size(), 10);
    // Cones stand where they were put, not on the cells.
    QCOMPARE(m_screen->obstacles().first(), QPoint(33, 57));
    QVERIFY(m_boxes.isEmpty());
    sendMouse(QEvent::MouseButtonPress, QPoint(400, 400), Qt::LeftButton);
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes[0].kind, ui::MessageKind::Information);
    QCOMPARE(m_boxes[0].text, u"これ以上障害物を設置することが出来ません"_s);
    QCOMPARE(m_screen->obstacles().size(), 10);
    QCOMPARE(m_screen->floor()->markers().size(), 10);
    QCOMPARE(m_screen->floor()->markers().last().name, u"shogaibutu_image9"_s);

    click(u"s_insert"_s);
    QCOMPARE(m_screen->routeMode(), RouteScreen::Idle);
    for (const char *name : {"send", "play", "One_Delete", "Report", "All_Delete", "large"})
        QVERIFY2(button(QString::fromLatin1(name))->isEnabled(), name);
    QVERIFY(!button(u"small"_s)->isEnabled());

    // Cones are scenery: the route is drawn around them and clearing it keeps them.
    drawWorkedRoute(false);
    QCOMPARE(m_screen->route().programText(), WORKED_TEXT);
    click(u"s_insert"_s);
    QCOMPARE(m_screen->routeMode(), RouteScreen::Drawing);
    click(u"All_Delete"_s);
    QCOMPARE(m_screen->obstacles().size(), 10);
    click(u"s_delete"_s);
    QVERIFY(m_screen->obstacles().isEmpty());
    QVERIFY(m_screen->floor()->markers().isEmpty());
}

void TestRouteScreen::oneDeleteRestoresHeading()
{
    showScreen();
    clickAt({250, 400});
    clickAt({250, 300});
    clickAt({350, 300});
    QCOMPARE(m_screen->route().currentHeading(), 0);
    click(u"One_Delete"_s);
    QCOMPARE(m_screen->route().lastIndex(), 1);
    QCOMPARE(m_screen->route().currentHeading(), 90);
    QCOMPARE(labelText(u"Label2"_s), u"2"_s);
    QCOMPARE(m_screen->route().record(2), RoutePoint());
    QVERIFY(!m_screen->floor()->bandShown());
    // The next move only takes the stale band away; the one after shows it again.
    moveTo({150, 300});
    QVERIFY(!m_screen->floor()->bandShown());
    moveTo({150, 300});
    QVERIFY(m_screen->floor()->bandShown());
    QCOMPARE(m_screen->floor()->band(), QLine(250, 300, 150, 300));
    // From facing up, a run to the left is a left quarter turn.
    clickAt({150, 300});
    QCOMPARE(m_screen->route().programText().mid(2),
             QStringList({u"motor(rev,fwd)"_s, u"wait(5)"_s, u"motor(fwd,fwd)"_s, u"wait(20)"_s}));
    QCOMPARE(memoText(u"Memo1"_s), u"250,400\n250,300\n150,300"_s);
}

void TestRouteScreen::oneDeleteOfOnlySegmentAbandonsRoute()
{
    showScreen();
    clickAt({250, 400});
    clickAt({250, 300});
    click(u"One_Delete"_s);
    QCOMPARE(m_screen->routeMode(), RouteScreen::Idle);
    QCOMPARE(m_screen->route().lastIndex(), 0);
    QVERIFY(m_screen->floor()->markers().isEmpty());
    QVERIFY(m_screen->floor()->lines().isEmpty());
    QVERIFY(button(u"s_insert"_s)->isEnabled());
    QVERIFY(memoText(u"Memo2"_s).isEmpty());
    // The next click starts a new route rather than adding a point.
    clickAt({100, 400});
    QCOMPARE(m_screen->routeMode(), RouteScreen::Drawing);
    QCOMPARE(m_screen->route().record(0).x, 100);
}

void TestRouteScreen::pressWithoutMoveLandsUnderPointer()
{
    showScreen();
    clickAt({250, 400});
    clickAt({250, 300});
    clickAt({350, 300});
    click(u"One_Delete"_s);
    // No move reaches the floor before the press: the point must not come back where the
    // removed one was.
    sendMouse(QEvent::MouseButtonPress, QPoint(150, 300), Qt::LeftButton);
    QCOMPARE(m_screen->route().lastIndex(), 2);
    QCOMPARE(m_screen->route().record(2).x, 150);
    QCOMPARE(m_screen->route().record(2).y, 300);
}

void TestRouteScreen::dockedFloorStaysWholeAndMapsClicks_data()
{
    QTest::addColumn<int>("half"); // half the display's width, as the navigator docks
    QTest::newRow("1280 wide") << 640;
    QTest::newRow("1024 wide") << 512;
}

void TestRouteScreen::dockedFloorStaysWholeAndMapsClicks()
{
    QFETCH(int, half);
    showScreen();
    const QSize design = m_screen->size();
    ui::scaleWindowContent(m_screen.get(), half, 800);
    QScrollArea *box = m_screen->scrollBox();
    RouteFloorView *floor = m_screen->floor();
    auto docked = [half](int designPixels) { return qRound(double(designPixels) * half / 800); };
    QVERIFY(m_screen->rect().contains(box->geometry()));

    // At every zoom the floor is scaled with its box: whole at 1, to be scrolled through at 3.
    QCOMPARE(floor->size(), QSize(docked(500), docked(500)));
    QVERIFY(box->viewport()->rect().contains(floor->geometry()));
    click(u"large"_s);
    click(u"large"_s);
    QCOMPARE(floor->size(), QSize(docked(1500), docked(1500)));
    QCOMPARE(box->verticalScrollBar()->maximum(), floor->height() - box->viewport()->height());
    QCOMPARE(box->horizontalScrollBar()->maximum(), floor->width() - box->viewport()->width());

    // A click inside the lowest-left cell lands on the point it gives undocked.
    const QPoint inCell = floor->toShown(QPoint(12, 488) * 3);
    sendMouse(QEvent::MouseMove, inCell, Qt::NoButton);
    sendMouse(QEvent::MouseButtonPress, inCell, Qt::LeftButton);
    sendMouse(QEvent::MouseButtonRelease, inCell, Qt::LeftButton);
    QCOMPARE(m_screen->route().lastIndex(), 0);
    QCOMPARE(QPoint(m_screen->route().record(0).x, m_screen->route().record(0).y), QPoint(10, 490));

    // Zoomed while docked, undocked: every size is the design's again.
    ui::restoreWindowContent(m_screen.get());
    QCOMPARE(m_screen->size(), design);
    QCOMPARE(floor->size(), QSize(1500, 1500));
    QCOMPARE(box->geometry(), QRect(56, 30, 500, 500));
}

void TestRouteScreen::keysPlaceWhatThePointerPlaces_data()
{
    QTest::addColumn<int>("half"); // 800: undocked; otherwise half the display's width
    QTest::addColumn<int>("zoom");
    QTest::newRow("undocked") << 800 << 1;
    QTest::newRow("undocked, zoom 3") << 800 << 3;
    QTest::newRow("1366 wide") << 683 << 1;
    QTest::newRow("1366 wide, zoom 2") << 683 << 2;
    QTest::newRow("1024 wide, zoom 3") << 512 << 3;
}

// The keyboard's crosshair places the point the pointer would place there, also while the
// floor is shown smaller beside the navigator, and never beyond the floor's edge.
void TestRouteScreen::keysPlaceWhatThePointerPlaces()
{
    QFETCH(int, half);
    QFETCH(int, zoom);
    showScreen();
    if (half != 800)
        ui::scaleWindowContent(m_screen.get(), half, 800);
    for (int z = 1; z < zoom; ++z)
        click(u"large"_s);
    QCOMPARE(m_screen->zoom(), zoom);
    RouteFloorView *floor = m_screen->floor();
    auto point = [this](int n) { return QPoint(m_screen->route().record(n).x, m_screen->route().record(n).y); };
    auto key = [floor](Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier, int times = 1) {
        for (int i = 0; i < times; ++i)
            QTest::keyClick(floor, k, modifiers);
    };

    // From the middle (25, 25 cells), as the spoken position says.
    QCOMPARE(floor->accessibleDescription(), u"よこ 87.5cm たて 87.5cm"_s);
    key(Qt::Key_Return);
    QCOMPARE(point(0), QPoint(250, 250));
    // Far to the right: the crosshair stops on the edge, and so does the point.
    key(Qt::Key_Right, Qt::ShiftModifier, 10);
    QCOMPARE(floor->accessibleDescription(), u"よこ 175.0cm たて 87.5cm"_s);
    key(Qt::Key_Return);
    QCOMPARE(point(1), QPoint(500, 250));
    // Down to the corner, then three cells left and two up: a point inside.
    key(Qt::Key_Down, Qt::ShiftModifier, 10);
    key(Qt::Key_Return);
    QCOMPARE(point(2), QPoint(500, 500));
    key(Qt::Key_Left, Qt::NoModifier, 3);
    key(Qt::Key_Up, Qt::NoModifier, 2);
    key(Qt::Key_Left, Qt::ShiftModifier, 2);
    key(Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(m_screen->route().lastIndex(), 3);
    // From (500, 500) to the crosshair at (370, 480): bent onto the row, as for the pointer.
    QCOMPARE(point(3), QPoint(370, 500));

    // The pointer on the same spots places the same points.
    const RouteModel byKeys = m_screen->route();
    click(u"All_Delete"_s);
    for (const QPoint grid : {QPoint(250, 250), QPoint(500, 250), QPoint(500, 500)}) {
        // The last pixel of the floor as shown stands for its edge.
        const QPoint shown = floor->toShown(grid * zoom);
        const QPoint at(qMin(shown.x(), floor->width() - 1), qMin(shown.y(), floor->height() - 1));
        sendMouse(QEvent::MouseMove, at, Qt::NoButton);
        sendMouse(QEvent::MouseButtonPress, at, Qt::LeftButton);
        sendMouse(QEvent::MouseButtonRelease, at, Qt::LeftButton);
    }
    const QPoint last = floor->toShown(QPoint(370, 480) * zoom);
    sendMouse(QEvent::MouseMove, last, Qt::NoButton);
    sendMouse(QEvent::MouseButtonPress, last, Qt::RightButton);
    sendMouse(QEvent::MouseButtonRelease, last, Qt::RightButton);
    // (The label positions depend on how far the keys scrolled the floor.)
    QCOMPARE(m_screen->route().coordinateList(), byKeys.coordinateList());
    QCOMPARE(m_screen->route().programText(), byKeys.programText());
    QCOMPARE(m_screen->route().lastIndex(), 3);
}

void TestRouteScreen::zoomKeepsRoute()
{
    showScreen();
    clickAt({250, 400});
    clickAt({250, 300});
    clickAt({350, 300});
    const QStringList text = m_screen->route().programText();
    click(u"large"_s);
    click(u"large"_s);
    QCOMPARE(m_screen->zoom(), 3);
    QCOMPARE(labelText(u"Label3"_s), u"3"_s);
    QVERIFY(!button(u"large"_s)->isEnabled());
    QVERIFY(button(u"small"_s)->isEnabled());
    QCOMPARE(m_screen->floor()->size(), QSize(1500, 1500));
    QCOMPARE(m_screen->route().programText(), text);
    QCOMPARE(m_screen->floor()->markers().at(2).rect, QRect(900 - 12, 900 - 12, 24, 24));
    // The view is centred on the last point.
    const QScrollArea *box = m_screen->scrollBox();
    const QPoint centre(box->horizontalScrollBar()->value() + box->viewport()->width() / 2,
                        box->verticalScrollBar()->value() + box->viewport()->height() / 2);
    QVERIFY2((centre - QPoint(1050, 900)).manhattanLength() <= 40,
             qPrintable(u"%1,%2"_s.arg(centre.x()).arg(centre.y())));
    // Drawing on at zoom 3 lands on the same grid.
    clickAt({350, 200});
    QCOMPARE(m_screen->route().record(3).x, 350);
    QCOMPARE(m_screen->route().record(3).y, 200);

    click(u"small"_s);
    QCOMPARE(m_screen->zoom(), 2);
    QVERIFY(button(u"large"_s)->isEnabled());
    QVERIFY(button(u"small"_s)->isEnabled());
    click(u"small"_s);
    QCOMPARE(m_screen->zoom(), 1);
    QVERIFY(!button(u"small"_s)->isEnabled());
    QVERIFY(button(u"large"_s)->isEnabled());
    QCOMPARE(m_screen->route().lastIndex(), 3);
    QCOMPARE(m_screen->floor()->size(), QSize(500, 500));
    // A press on the last point keeps the target, which followed the zoom to the same corner.
    const int lines = m_screen->route().lineCount();
    clickAt({350, 200});
    QCOMPARE(m_screen->route().record(4).x, 350);
    QCOMPARE(m_screen->route().record(4).y, 200);
    QCOMPARE(m_screen->route().lineCount(), lines);
}

void TestRouteScreen::leavingAsksFirst_data()
{
    QTest::addColumn<QString>("buttonName");
    QTest::newRow("menu") << u"shutdown"_s;
    QTest::newRow("next step") << u"F_step"_s;
    QTest::newRow("previous step") << u"B_step"_s;
}

void TestRouteScreen::leavingAsksFirst()
{
    QFETCH(QString, buttonName);
    bool shown = false;
    m_screen->setPreviousScreen([&shown] { shown = true; });
    m_screen->setNextScreen([&shown] { shown = true; });
    connect(m_screen.get(), &WorkingScreen::menuRequested, this, [&shown] { shown = true; });
    showScreen();
    drawWorkedRoute(false);
    m_answer = ui::MessageButton::No;
    click(buttonName);
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes[0].text, u"プログラムがすべて失われます。よろしいですか？"_s);
    QCOMPARE(m_boxes[0].buttons, QList<ui::MessageButton>({ui::MessageButton::Yes, ui::MessageButton::No}));
    QVERIFY(!shown);
    QVERIFY(m_screen->isVisible());
    QCOMPARE(m_screen->route().programText(), WORKED_TEXT);

    click(u"large"_s);
    m_answer = ui::MessageButton::Yes;
    click(buttonName);
    QVERIFY(shown);
    QVERIFY(!m_screen->isVisible());
    QVERIFY(m_screen->route().programText().isEmpty());
    QCOMPARE(m_screen->zoom(), 1);
    QCOMPARE(labelText(u"Label3"_s), u"1"_s);
    QVERIFY(!button(u"small"_s)->isEnabled());
    QVERIFY(button(u"large"_s)->isEnabled());
    QCOMPARE(m_screen->routeMode(), RouteScreen::Idle);
}

void TestRouteScreen::navigatorAsksFirst()
{
    QSignalSpy asked(m_screen.get(), &WorkingScreen::navigatorRequested);
    showScreen();
    drawWorkedRoute(false);
    m_answer = ui::MessageButton::Cancel;
    click(u"navi"_s);
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes[0].buttons, QList<ui::MessageButton>({ui::MessageButton::Yes, ui::MessageButton::Cancel}));
    QCOMPARE(asked.size(), 0);
    QCOMPARE(m_screen->route().lastIndex(), 6);
    m_answer = ui::MessageButton::Yes;
    click(u"navi"_s);
    QCOMPARE(asked.size(), 1);
    QCOMPARE(m_screen->route().lastIndex(), 0);
    QCOMPARE(m_screen->routeMode(), RouteScreen::Idle);
    // Without a route there is nothing to ask.
    click(u"navi"_s);
    QCOMPARE(m_boxes.size(), 2);
    QCOMPARE(asked.size(), 2);
}

void TestRouteScreen::savedRouteReadsBack()
{
    QVERIFY(m_dir.isValid());
    const QString path = m_dir.filePath(u"route.rk5"_s);
    ui::setProgramFileChooserForTests([path](bool) { return path; });
    showScreen();
    drawWorkedRoute(false);
    const auto records = m_screen->route().records();
    QVERIFY(QTest::qWaitForWindowActive(m_screen.get()));
    QTest::keyClick(m_screen.get(), Qt::Key_S, Qt::ControlModifier);
    QVERIFY2(QFile::exists(path), "Ctrl+S saves");
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray saved = file.readAll();
    file.close();
    const QList<QByteArray> lines = saved.split('\n');
    QCOMPARE(lines.value(0), QByteArray("D_pro\r"));
    QCOMPARE(lines.value(1), QByteArray("////250/400/0/0/0\r"));
    QCOMPARE(lines.value(2), QByteArray("//motor(fwd,fwd)/wait(20)/250/300/238/338/90\r"));
    QCOMPARE(lines.value(3), QByteArray("motor(fwd,rev)/wait(5)/motor(fwd,fwd)/wait(20)/350/300/288/288/0\r"));

    click(u"All_Delete"_s);
    clickAt({100, 100});
    clickAt({100, 50});
    QTest::keyClick(m_screen.get(), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(m_screen->route().records(), records);
    QCOMPARE(m_screen->route().programText(), WORKED_TEXT);
    QCOMPARE(memoText(u"Memo2"_s), WORKED_TEXT.join(u'\n'));
    QCOMPARE(memoText(u"Memo1"_s), u"250,400\n250,300\n350,300\n300,250\n200,250\n200,350\n200,250"_s);
    QCOMPARE(labelText(u"Label1"_s), u"6"_s);
    QCOMPARE(m_screen->routeMode(), RouteScreen::Drawing);
    QCOMPARE(m_screen->floor()->markers().size(), 7);
    QVERIFY(m_boxes.isEmpty());

    // The read route is open: it goes on from its last point and heading.
    clickAt({200, 150}, Qt::RightButton);
    QCOMPARE(m_screen->route().programText().mid(22), QStringList({u"motor(fwd,fwd)"_s, u"wait(20)"_s}));
    QCOMPARE(m_screen->routeMode(), RouteScreen::Idle);
    // Saving the read route again (without the last point) gives the same bytes.
    click(u"All_Delete"_s);
    QTest::keyClick(m_screen.get(), Qt::Key_O, Qt::ControlModifier);
    QFile::remove(path);
    QTest::keyClick(m_screen.get(), Qt::Key_S, Qt::ControlModifier);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), saved);
}

void TestRouteScreen::readRefusals_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");
    QTest::newRow("icon file") << QByteArray("DD\r\n") << QString::fromUtf16(OTHER_STEP_MESSAGE);
    QTest::newRow("text file") << QByteArray("KB\r\nmotor(fwd,fwd)\r\n") << QString::fromUtf16(OTHER_STEP_MESSAGE);
    QTest::newRow("cut short") << QByteArray("D_pro\r\n////250/400/0/0/0\r\n") << ui::numberedErrorText(errors::ROUTE_READ);
}

void TestRouteScreen::readRefusals()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    const QString path = m_dir.filePath(u"other.rk5"_s);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
    file.close();
    ui::setProgramFileChooserForTests([path](bool) { return path; });
    showScreen();
    drawWorkedRoute(false);
    m_screen->ReadClick();
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes[0].text, message);
    // The route on the floor is untouched and still open.
    QCOMPARE(m_screen->route().programText(), WORKED_TEXT);
    QCOMPARE(m_screen->routeMode(), RouteScreen::Drawing);
    QCOMPARE(m_screen->floor()->markers().size(), 7);
}

void TestRouteScreen::readRouteFillsOneBlockFurther()
{
    // 39 bytes of code and the end byte fill one block exactly; the route's rule sends a
    // second block of 254 after it. A file may hold any text, so one line is a one-byte one.
    QStringList lines = {u"D_pro"_s, u"////100/400/0/0/0"_s, u"setio1(out)//motor(fwd,fwd)/wait(1)/100/390/0/0/90"_s};
    for (int i = 2; i <= 19; ++i)
        lines.append(u"//motor(fwd,fwd)/wait(1)/100/%1/0/0/90"_s.arg(400 - 10 * i));
    while (lines.size() < 59)
        lines.append(u"////0/0/0/0/0"_s);
    const QString path = m_dir.filePath(u"long.rk5"_s);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write((lines.join(u"\r\n"_s) + u"\r\n"_s).toLatin1());
    file.close();
    ui::setProgramFileChooserForTests([path](bool) { return path; });
    showScreen();
    m_screen->ReadClick();
    QVERIFY(m_boxes.isEmpty());
    QCOMPARE(m_screen->route().lastIndex(), 19);

    click(u"send"_s);
    QByteArray code("\x29\x45\x01");
    for (int i = 2; i <= 19; ++i)
        code += QByteArray("\x45\x01");
    QCOMPARE(code.size(), 39);
    const QByteArray wire = '\x01' + code + char(254) + '\x02' + QByteArray(40, char(254));
    const QList<ReceivedByte> got = m_line.pty()->waitForBytes(wire.size(), 20000);
    QCOMPARE(PseudoTerminal::valuesOf(got), wire);
    QVERIFY(m_boxes.isEmpty());
}

void TestRouteScreen::missingPictureIsReported()
{
    showScreen();
    QTemporaryDir empty;
    ui::setPictureFolderForTests(empty.path());
    clickAt({250, 400});
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes[0].text, ui::numberedErrorText(errors::ROUTE_REDRAW));
    // The route goes on; the pictures come back once they can be read.
    QCOMPARE(m_screen->routeMode(), RouteScreen::Drawing);
    ui::setPictureFolderForTests(QString());
    clickAt({250, 300});
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_screen->route().lastIndex(), 1);
    QCOMPARE(m_screen->floor()->markers().size(), 2);
}

void TestRouteScreen::undoRedoEachChange_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("onRoute");
    for (const char *change : {"point", "last point", "One_Delete", "All_Delete", "read file"})
        QTest::newRow(change) << QString::fromLatin1(change) << true;
    // Cones go on an empty floor.
    QTest::newRow("start") << u"start"_s << false;
    QTest::newRow("cone") << u"cone"_s << false;
    QTest::newRow("cones cleared") << u"s_delete"_s << false;
}

void TestRouteScreen::undoRedoEachChange()
{
    QFETCH(QString, change);
    QFETCH(bool, onRoute);
    const QString path = m_dir.filePath(u"undo.rk5"_s);
    ui::setProgramFileChooserForTests([path](bool) { return path; });
    showScreen();
    if (change == u"read file") {
        clickAt({100, 100});
        clickAt({100, 50});
        QVERIFY(button(u"Save"_s)->isVisible() && button(u"Read"_s)->isVisible());
        click(u"Save"_s);
        click(u"All_Delete"_s);
    }
    if (onRoute)
        drawWorkedRoute(false);
    if (change == u"s_delete") {
        click(u"s_insert"_s);
        sendMouse(QEvent::MouseButtonPress, QPoint(33, 57), Qt::LeftButton);
        click(u"s_insert"_s);
    }
    auto snapshot = [this] {
        return QStringList{routeFileLines(m_screen->route()).join(u'|'), QString::number(m_screen->obstacles().size()),
                           QString::number(int(m_screen->routeMode()))};
    };
    const QStringList before = snapshot();
    if (change == u"start") {
        clickAt({250, 400});
    } else if (change == u"point") {
        clickAt({200, 150});
    } else if (change == u"last point") {
        clickAt({200, 150}, Qt::RightButton);
    } else if (change == u"cone") {
        click(u"s_insert"_s);
        sendMouse(QEvent::MouseButtonPress, QPoint(33, 57), Qt::LeftButton);
    } else {
        click(change == u"read file" ? u"Read"_s : change);
    }
    const QStringList after = snapshot();
    QVERIFY(after != before);
    QVERIFY(QTest::qWaitForWindowActive(m_screen.get()));
    QTest::keyClick(m_screen.get(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(snapshot().mid(0, 2), before.mid(0, 2));
    if (change != u"cone")
        QCOMPARE(snapshot(), before);
    QCOMPARE(memoText(u"Memo2"_s), m_screen->route().programText().join(u'\n'));
    QTest::keyClick(m_screen.get(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(snapshot(), after);
    QTest::keyClick(m_screen.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(snapshot(), after);
    // An undone route goes on where it now ends.
    if (change == u"point") {
        QTest::keyClick(m_screen.get(), Qt::Key_Z, Qt::ControlModifier);
        clickAt({200, 150});
        QCOMPARE(snapshot(), after);
    }
}

void TestRouteScreen::undoHundredSteps()
{
    showScreen();
    clickAt({250, 400});
    clickAt({250, 300});
    const QStringList first = m_screen->route().programText();
    for (int i = 0; i < 50; ++i) {
        clickAt({350, 300});
        click(u"One_Delete"_s);
    }
    QCOMPARE(m_screen->route().programText(), first);
    for (int i = 0; i < 100; ++i) {
        m_screen->undo();
        QCOMPARE(m_screen->route().lastIndex(), i % 2 == 0 ? 2 : 1);
    }
    QCOMPARE(m_screen->route().programText(), first);
    m_screen->undo();
    m_screen->undo();
    QCOMPARE(m_screen->route().lastIndex(), 0);
    QCOMPARE(m_screen->routeMode(), RouteScreen::Idle);
    QVERIFY(!m_screen->canUndo());
    // Leaving empties the history with the route.
    m_screen->redo();
    m_answer = ui::MessageButton::Yes;
    m_screen->setPreviousScreen([] {});
    click(u"B_step"_s);
    QVERIFY(!m_screen->canUndo());
}

void TestRouteScreen::startModeFollowsAcceptedSettings()
{
    showScreen(true);
    QVERIFY(SettingsFile().setPlayHow(false).ok);
    m_screen->settingsAccepted();
    QCOMPARE(m_screen->how(), false);
}

QTEST_MAIN(TestRouteScreen)
#include "tst_routescreen.moc"
