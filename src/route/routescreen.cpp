// SPDX-License-Identifier: GPL-3.0-or-later
#include "route/routescreen.h"
#include "common/errornumbers.h"

#include "app/settings/settingsfile.h"
#include "common/workfolder.h"
#include "app/ui/backgroundpicture.h"
#include "app/ui/errorguard.h"
#include "app/ui/messagebox.h"
#include "app/ui/programfiledialog.h"
#include "route/routefloorview.h"
#include "route/routefile.h"
#include "route/routekeyboard.h"

#include <QtWidgets/QLabel>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QScrollArea>
#include <QtWidgets/QScrollBar>

#include <QShortcut>
#include <QShowEvent>

using namespace Qt::StringLiterals;
using ui::MessageButton;
using ui::MessageKind;

namespace {

constexpr int SCROLL_STEP = 44;
const QRect SCROLL_BOX(56, 30, 500, 500);

const QString LINE_LIMIT_MESSAGE = u"これ以上命令を追加できません。"_s;
const QString OBSTACLE_LIMIT_MESSAGE = u"これ以上障害物を設置することが出来ません"_s;
const QString LOSE_ROUTE_QUESTION = u"プログラムがすべて失われます。よろしいですか？"_s;
const QString ALL_DELETE_HINT = u"作成したプログラムをすべて削除します"_s;

QLabel *hiddenLabel(const QString &name, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->hide();
    return label;
}

QPlainTextEdit *hiddenMemo(const QString &name, QWidget *parent)
{
    auto *memo = new QPlainTextEdit(parent);
    memo->setObjectName(name);
    memo->setReadOnly(true);
    memo->hide();
    return memo;
}

} // namespace

RouteScreen::RouteScreen(const RobotLink &link)
    : WorkingScreen({u"TForm10"_s, u"route"_s, QSize(770, 578),
                     u"back"_s, {errors::ROUTE_BUTTON_PRESS, errors::ROUTE_BUTTON_RELEASE}},
                    {QRect(572, 93, 49, 30), QRect(623, 93, 61, 29), QRect(687, 93, 50, 29),
                     QRect(332, 549, 120, 29), QRect(125, 549, 116, 29), QRect(539, 549, 116, 29)},
                    10)
    , m_link(link)
{
    createControls();
    createCommandButtons();

    auto *saveKey = new QShortcut(QKeySequence::Save, this);
    connect(saveKey, &QShortcut::activated, this, &RouteScreen::SaveClick);
    auto *readKey = new QShortcut(QKeySequence::Open, this);
    connect(readKey, &QShortcut::activated, this, &RouteScreen::ReadClick);
    for (const QKeySequence &keys : undoKeys())
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &RouteScreen::undo);
    for (const QKeySequence &keys : redoKeys())
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &RouteScreen::redo);

    redraw();
    forgetHistory();
    enableRecovery(u"route.rk5"_s, [] { return WorkFolderPath(); });
}

RouteScreen::~RouteScreen() = default;

void RouteScreen::createControls()
{
    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(u"ScrollBox1"_s);
    ScrollBox1->setGeometry(SCROLL_BOX);
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setWidgetResizable(false);
    ScrollBox1->horizontalScrollBar()->setSingleStep(SCROLL_STEP);
    ScrollBox1->verticalScrollBar()->setSingleStep(SCROLL_STEP);
    ScrollBox1->setBackgroundRole(QPalette::Dark);

    m_floor = new RouteFloorView;
    m_floor->setObjectName(u"Image1"_s);
    ScrollBox1->setWidget(m_floor);
    connect(m_floor, &RouteFloorView::pressed, this, &RouteScreen::Image1MouseDown);
    connect(m_floor, &RouteFloorView::moved, this, &RouteScreen::Image1MouseMove);
    new RouteKeyboard(m_floor, ScrollBox1);

    Label1 = hiddenLabel(u"Label1"_s, u"0"_s, this);
    Label2 = hiddenLabel(u"Label2"_s, u"0"_s, this);
    Label5 = hiddenLabel(u"Label5"_s, u"座標数"_s, this);
    Memo1 = hiddenMemo(u"Memo1"_s, this);
    Memo2 = hiddenMemo(u"Memo2"_s, this);

    Label3 = new QLabel(u"1"_s, this);
    Label3->setObjectName(u"Label3"_s);
    Label3->setGeometry(643, 460, 40, 28);
    QFont font = Label3->font();
    font.setPixelSize(20);
    font.setBold(true);
    Label3->setFont(font);
}

void RouteScreen::createCommandButtons()
{
    const auto at = [](int row) { return QRect(595, 156 + 31 * row, 92, 30); };
    addCommandButtons<RouteScreen>(this, {
        // Six buttons share the panel that once held five.
        {send, u"send", at(0), u"送る", u"プログラムを転送します"_s, &RouteScreen::sendClick},
        {play, u"play", at(1), u"実行", u"プログラムを実行します"_s, &RouteScreen::playClick},
        {trial, u"trial", at(2), u"ためす", trialHint(), &RouteScreen::trialClick},
        {Report, u"Report", at(3), u"印刷", u"作成したプログラムを印刷します"_s, &RouteScreen::ReportClick},
        {One_Delete, u"One_Delete", at(4), u"1つけす", u"プログラムを1つ削除します"_s, &RouteScreen::One_DeleteClick},
        {All_Delete, u"All_Delete", at(5), u"ぜんぶけす", ALL_DELETE_HINT, &RouteScreen::All_DeleteClick},
        {s_insert, u"s_insert", QRect(595, 367, 43, 31), u"コーン", ALL_DELETE_HINT, &RouteScreen::s_insertClick},
        {s_delete, u"s_delete", QRect(643, 367, 43, 31), u"けす", ALL_DELETE_HINT, &RouteScreen::s_deleteClick},
        {large, u"large", QRect(595, 415, 42, 31), u"＋", ALL_DELETE_HINT, &RouteScreen::largeClick},
        {small, u"small", QRect(643, 415, 42, 31), u"－", ALL_DELETE_HINT, &RouteScreen::smallClick},
        {Read, u"Read", QRect(595, 500, 43, 31), u"読み込み", u"保存したプログラムを読み込みます"_s,
         &RouteScreen::ReadClick},
        {Save, u"Save", QRect(643, 500, 43, 31), u"保存", u"作成したプログラムを保存します"_s,
         &RouteScreen::SaveClick},
    });
    // A pair of small buttons under the zoom, like the cones': a pupil cannot guess Ctrl+S.
    for (PictureButton *b : {Read, Save}) {
        b->setPressedPictures(false);
        b->setPictureExtension(u"_s.jpg"_s);
    }
    small->setEnabled(false);
}

QString RouteScreen::helpPage() const
{
    return u"Navi\\navi\\index_s5.html"_s;
}

int RouteScreen::reportTag() const
{
    return REPORT_TAG_ROUTE;
}

void RouteScreen::fillReportListing(ReportInput *input) const
{
    input->routeRecords = m_model.route.listingRecords();
    input->routeLineCount = m_model.route.lineCount();
}

void RouteScreen::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        FormShow();
    WorkingScreen::showEvent(event);
}

void RouteScreen::FormShow()
{
    m_how = SettingsFile().playHow();
    m_zoom = FLOOR_MIN_ZOOM;
    Label3->setText(QString::number(m_zoom));
    m_model.route.clear();
    m_model.obstacles.clear();
    m_erasePending = false;
    m_floor->hideBand();
    setPlacingButtons(false);
    setMode(Idle);
    large->setEnabled(true);
    small->setEnabled(false);
    s_insert->setEnabled(true);
    s_delete->setEnabled(true);
    redraw();
    showLists();
    forgetHistory();
}

void RouteScreen::settingsAccepted()
{
    m_how = SettingsFile().playHow();
}

void RouteScreen::forgetHistory()
{
    m_model.forgetHistory();
}

void RouteScreen::recordChange()
{
    if (!m_model.record())
        return;
    if (m_model.modified())
        programChanged();
    else
        dropRecovery();
}

void RouteScreen::undo()
{
    const bool placing = m_model.mode == PlacingObstacles;
    if (m_model.undo())
        showState(placing);
}

void RouteScreen::redo()
{
    const bool placing = m_model.mode == PlacingObstacles;
    if (m_model.redo())
        showState(placing);
}

void RouteScreen::showState(bool wasPlacing)
{
    const bool placing = m_model.mode == PlacingObstacles;
    // The model ended the placing under a route still drawn.
    if (wasPlacing && !placing)
        setPlacingButtons(false);
    const bool drawing = m_model.mode == Drawing;
    s_insert->setEnabled(!drawing);
    s_delete->setEnabled(!drawing);
    One_Delete->setEnabled(!placing && !routeFinished());
    m_segmentStart = lastPointPixels();
    m_target = m_segmentStart;
    m_erasePending = false;
    m_floor->hideBand();
    Label1->setText(QString::number(m_model.route.lastIndex()));
    Label2->setText(QString::number(m_model.route.lineCount()));
    showLists();
    redraw();
    if (m_model.modified())
        programChanged();
    else
        dropRecovery();
}

QStringList RouteScreen::recoveryLines() const
{
    return m_model.route.lastIndex() != 0 ? routeFileLines(m_model.route) : QStringList();
}

bool RouteScreen::restoreRecovery(const QStringList &lines)
{
    RouteModel read;
    const RouteReadResult result = readRouteLines(lines, &read);
    if (result.status != RouteReadStatus::Ok || !result.hasRoute)
        return false;
    showReadRoute(read, true);
    recordChange();
    // Brought back, never saved.
    m_model.forgetSaved();
    return true;
}

bool RouteScreen::routeShown() const
{
    return m_model.mode == Drawing || m_model.route.lastIndex() != 0;
}

bool RouteScreen::routeFinished() const
{
    return m_model.mode != Drawing && m_model.route.lastIndex() != 0;
}

QPoint RouteScreen::lastPointPixels() const
{
    const RoutePoint &last = m_model.route.record(std::max(0, m_model.route.lastIndex()));
    return QPoint(last.x * m_zoom, last.y * m_zoom);
}

void RouteScreen::setMode(RouteMode mode)
{
    m_model.mode = mode;
}

void RouteScreen::redraw()
{
    ui::guarded(this, errors::ROUTE_REDRAW, [&] {
        m_floor->redraw({&m_model.route, routeShown(), routeFinished()}, m_model.obstacles, m_zoom);
    });
    // A finished route takes no more points until it is cleared; cones can still be placed.
    m_floor->setEnabled(!(routeFinished() && m_model.mode == Idle));
}

void RouteScreen::showLists()
{
    Memo2->setPlainText(m_model.route.programText().join(u'\n'));
    Memo1->setPlainText(m_model.route.coordinateList().join(u'\n'));
}

void RouteScreen::Image1MouseDown(QPoint pixel, Qt::MouseButton button)
{
    ui::guarded(this, errors::ROUTE_FLOOR_PRESS, [&] {
        switch (m_model.mode) {
        case Idle:
            if (button == Qt::LeftButton)
                startRoute(pixel);
            break;
        case Drawing:
            // The point goes where the pointer is, also when no move (or only the one that
            // took a stale band away) came before the press.
            m_erasePending = false;
            m_target = bandTarget(m_segmentStart, pixel, m_target, m_zoom);
            addPoint(button == Qt::RightButton);
            break;
        case PlacingObstacles:
            if (button == Qt::LeftButton)
                addObstacle(pixel);
            break;
        }
    });
}

void RouteScreen::Image1MouseMove(QPoint pixel)
{
    if (m_model.mode != Drawing)
        return;
    if (m_erasePending) {
        m_erasePending = false;
        m_floor->hideBand();
        return;
    }
    m_target = bandTarget(m_segmentStart, pixel, m_target, m_zoom);
    if (m_target == m_segmentStart)
        m_floor->hideBand();
    else
        m_floor->showBand(m_segmentStart, m_target);
}

void RouteScreen::startRoute(QPoint pixel)
{
    s_insert->setEnabled(false);
    s_delete->setEnabled(false);
    setMode(Drawing);
    m_segmentStart = snappedToCell(pixel, m_zoom);
    m_target = m_segmentStart;
    const QPoint start = gridPointOf(m_segmentStart, m_zoom);
    m_model.route.startRoute(start.x(), start.y());
    m_erasePending = false;
    m_floor->hideBand();
    showLists();
    redraw();
    recordChange();
}

void RouteScreen::addPoint(bool finish)
{
    if (m_model.route.lineCount() >= routeLineLimit(m_how)) {
        ui::showMessage(this, MessageKind::Warning, LINE_LIMIT_MESSAGE);
        return;
    }
    const QPoint point = gridPointOf(m_target, m_zoom);
    const QPoint scrolled = m_floor->toFloor(QPoint(ScrollBox1->horizontalScrollBar()->value(),
                                                    ScrollBox1->verticalScrollBar()->value()));
    const int labelX = routeLabelCoordinate(m_segmentStart.x(), m_target.x(), -scrolled.x(), floorPixels(m_zoom), m_zoom);
    const int labelY = routeLabelCoordinate(m_segmentStart.y(), m_target.y(), -scrolled.y(), floorPixels(m_zoom), m_zoom);
    // Past record 57 there is no room either, whatever the line count says.
    if (m_model.route.addPoint(point.x(), point.y(), labelX, labelY, routeLineLimit(m_how)) != AddPointResult::Added) {
        ui::showMessage(this, MessageKind::Warning, LINE_LIMIT_MESSAGE);
        return;
    }
    Label2->setText(QString::number(m_model.route.lineCount()));
    m_segmentStart = m_target;
    m_floor->hideBand();
    Label1->setText(QString::number(m_model.route.lastIndex()));
    showLists();
    if (finish) {
        setMode(Idle);
        One_Delete->setEnabled(false);
    }
    redraw();
    recordChange();
}

void RouteScreen::addObstacle(QPoint pixel)
{
    if (m_model.obstacles.size() >= ROUTE_MAX_OBSTACLES) {
        ui::showMessage(this, MessageKind::Information, OBSTACLE_LIMIT_MESSAGE);
        return;
    }
    m_model.obstacles.append(gridPointOf(pixel, m_zoom));
    redraw();
    recordChange();
}

void RouteScreen::sendClick()
{
    sendProgram(m_link, ScreenKind::Route, joinProgramText(m_model.route.programText()), m_how, this);
}

void RouteScreen::trialClick()
{
    const RouteModel &route = m_model.route;
    QList<QPoint> points;
    if (routeShown()) {
        for (int i = 0; i <= route.lastIndex(); ++i)
            points.append({route.record(i).x, route.record(i).y});
    }
    tryProgram(m_link, ScreenKind::Route, joinProgramText(route.programText()), m_how, this,
               [this, records = route.lineRecords()](int line) {
        m_floor->setRunningSegment(line >= 1 && line <= records.size() ? records.at(line - 1) : 0);
    }, points);
}

void RouteScreen::playClick()
{
    playProgram(m_link, ScreenKind::Route, this);
}

void RouteScreen::ReportClick()
{
    emit reportRequested();
}

void RouteScreen::One_DeleteClick()
{
    if (m_model.mode != Drawing)
        return;
    ui::guarded(this, errors::ROUTE_ONE_DELETE, [&] {
        const bool remains = m_model.route.removeLastPoint();
        Label2->setText(QString::number(m_model.route.lineCount()));
        Label1->setText(QString::number(m_model.route.lastIndex()));
        m_floor->hideBand();
        if (remains) {
            m_segmentStart = lastPointPixels();
            m_erasePending = true;
        } else {
            // Removing the only segment abandons the route, start point and all.
            setMode(Idle);
            s_insert->setEnabled(true);
            s_delete->setEnabled(true);
            m_erasePending = false;
        }
        showLists();
        redraw();
    });
    recordChange();
}

void RouteScreen::All_DeleteClick()
{
    clearRoute();
    recordChange();
}

void RouteScreen::clearRoute()
{
    if (m_model.mode == PlacingObstacles)
        leavePlacingObstacles();
    m_model.route.clear();
    s_insert->setEnabled(true);
    s_delete->setEnabled(true);
    One_Delete->setEnabled(true);
    setMode(Idle);
    m_erasePending = false;
    m_floor->hideBand();
    showLists();
    redraw();
}

void RouteScreen::setPlacingButtons(bool placing)
{
    ui::guarded(this, errors::ROUTE_BUTTON_RELEASE, [&] {
        s_insert->setPictureFile(placing ? u"Photo\\Button\\s_insert-1.jpg"_s : u"Photo\\Button\\s_insert.jpg"_s);
    });
    for (PictureButton *b : {send, play, trial, Report, All_Delete})
        b->setEnabled(!placing);
    One_Delete->setEnabled(!placing && !routeFinished());
    large->setEnabled(!placing && m_zoom < FLOOR_MAX_ZOOM);
    small->setEnabled(!placing && m_zoom > FLOOR_MIN_ZOOM);
}

void RouteScreen::leavePlacingObstacles()
{
    setMode(Idle);
    setPlacingButtons(false);
    redraw();
}

void RouteScreen::s_insertClick()
{
    if (m_model.mode == Idle) {
        setMode(PlacingObstacles);
        setPlacingButtons(true);
        redraw();
    } else if (m_model.mode == PlacingObstacles) {
        leavePlacingObstacles();
    }
}

void RouteScreen::s_deleteClick()
{
    m_model.obstacles.clear();
    redraw();
    recordChange();
}

void RouteScreen::largeClick()
{
    if (m_zoom == 1) {
        small->setEnabled(true);
        changeZoom(2);
    } else if (m_zoom == 2) {
        large->setEnabled(false);
        changeZoom(3);
    }
}

void RouteScreen::smallClick()
{
    if (m_zoom == 3) {
        large->setEnabled(true);
        changeZoom(2);
    } else if (m_zoom == 2) {
        small->setEnabled(false);
        changeZoom(1);
    }
}

void RouteScreen::changeZoom(int zoom)
{
    const int before = m_zoom;
    m_zoom = zoom;
    Label3->setText(QString::number(m_zoom));
    Label2->setText(QString::number(m_model.route.lineCount()));
    m_segmentStart = lastPointPixels();
    // The band's target is a cell corner; it stays on the same corner at the new zoom.
    m_target = m_target * zoom / before;
    ScrollBox1->horizontalScrollBar()->setValue(0);
    ScrollBox1->verticalScrollBar()->setValue(0);
    const bool hasRoute = routeShown();
    m_erasePending = hasRoute;
    m_floor->hideBand();
    redraw();
    if (hasRoute && m_zoom == 1)
        return;
    const QPoint last(m_model.route.record(m_model.route.lastIndex()).x, m_model.route.record(m_model.route.lastIndex()).y);
    const QPoint at = m_floor->toShown(zoomScrollPosition(hasRoute, last, m_zoom, m_floor->toFloor(ScrollBox1->size())));
    ScrollBox1->horizontalScrollBar()->setValue(at.x());
    ScrollBox1->verticalScrollBar()->setValue(at.y());
}

bool RouteScreen::mayLeave()
{
    if (m_model.route.programText().isEmpty())
        return true;
    return ui::showMessage(this, MessageKind::Information, LOSE_ROUTE_QUESTION, {MessageButton::Yes, MessageButton::No})
           == MessageButton::Yes;
}

void RouteScreen::programLeft()
{
    if (m_model.mode == PlacingObstacles)
        leavePlacingObstacles();
    m_zoom = FLOOR_MIN_ZOOM;
    Label3->setText(QString::number(m_zoom));
    m_model.obstacles.clear();
    clearRoute();
    for (PictureButton *b : {send, play, trial, One_Delete, Report, All_Delete, large})
        b->setEnabled(true);
    small->setEnabled(false);
    if (navi)
        navi->setEnabled(true);
    forgetHistory();
    dropRecovery();
}

void RouteScreen::naviClick()
{
    if (m_model.route.lastIndex() != 0) {
        if (ui::showMessage(this, MessageKind::Information, LOSE_ROUTE_QUESTION,
                            {MessageButton::Yes, MessageButton::Cancel})
            != MessageButton::Yes)
            return;
        clearRoute();
        recordChange();
    }
    WorkingScreen::naviClick();
}

void RouteScreen::SaveClick()
{
    ui::saveProgramFile(this, routeFileLines(m_model.route), [this] {
        m_model.markSaved();
        dropRecovery();
    });
}

void RouteScreen::ReadClick()
{
    ui::readProgramFile(
        this, [this](const ui::ProgramFileContents &file) { showReadFile(file.lines); },
        [this](const QString &) { ui::showNumberedError(this, ROUTE_FILE_READ_ERROR); });
}

void RouteScreen::showReadFile(const QStringList &lines)
{
    RouteModel read = m_model.route;
    const RouteReadResult result = readRouteLines(lines, &read);
    switch (result.status) {
    case RouteReadStatus::Ok:
        break;
    case RouteReadStatus::WrongMarker:
        ui::showMessage(this, MessageKind::Information, routeReadMessage(result.status));
        return;
    case RouteReadStatus::Malformed:
    case RouteReadStatus::FileError:
        ui::showNumberedError(this, ROUTE_FILE_READ_ERROR);
        return;
    }
    showReadRoute(read, result.hasRoute);
    // The route is the file's: a step back brings the work before the read back.
    m_model.record();
    m_model.markSaved();
    dropRecovery();
}

void RouteScreen::showReadRoute(const RouteModel &read, bool hasRoute)
{
    clearRoute();
    ui::guarded(this, ROUTE_FILE_READ_ERROR, [&] {
        m_model.route = read;
        showLists();
        if (!hasRoute) {
            redraw();
            return;
        }
        // A route read from a file is open: the pupil can go on, shorten it or finish it.
        setMode(Drawing);
        s_insert->setEnabled(false);
        s_delete->setEnabled(false);
        m_erasePending = false;
        m_segmentStart = lastPointPixels();
        m_target = m_segmentStart;
        Label1->setText(QString::number(m_model.route.lastIndex()));
        redraw();
    });
}
