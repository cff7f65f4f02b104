// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/robotwindow.h"

#include "common/workfolder.h"
#include "app/ui/messagebox.h"
#include "app/ui/programfiledialog.h"
#include "common/cp932.h"
#include "route/routefile.h"
#include "sim/floorview.h"

#include <QtWidgets/QButtonGroup>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QScrollArea>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QStyle>
#include <QtWidgets/QSpinBox>
#include <QtWidgets/QVBoxLayout>

#include <QCloseEvent>
#include <QCursor>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

constexpr int FRAME_MS = 16;
constexpr qint64 MIN_PRESS_MS = 500;
constexpr qint64 TRAIL_SAMPLE_MS = 40;
// The offset of list lines that belong to no instruction.
constexpr int NO_OFFSET = -100;

// One decimal, and no "-0.0" for a robot that is back where it started.
QString oneDecimal(double value)
{
    const QString text = QString::number(value, 'f', 1);
    return text == u"-0.0" ? u"0.0"_s : text;
}

void setTextIfChanged(QLabel *label, const QString &text)
{
    if (label->text() != text)
        label->setText(text);
}

constexpr int PANEL_WIDTH = 380;
constexpr QSize PREFERRED_SIZE(1120, 760);

// Its own colours: a dark desktop palette must not turn the labels light on light.
QPalette lightPalette()
{
    QPalette p;
    const QColor back(0xee, 0xf2, 0xfa);
    const QColor ink(0x22, 0x33, 0x66);
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(g, QPalette::Window, back);
        p.setColor(g, QPalette::Base, Qt::white);
        p.setColor(g, QPalette::AlternateBase, back);
        p.setColor(g, QPalette::Button, Qt::white);
        p.setColor(g, QPalette::Light, Qt::white);
        p.setColor(g, QPalette::Highlight, QColor(0xff, 0xd9, 0x66));
        p.setColor(g, QPalette::HighlightedText, ink);
        const QColor text = g == QPalette::Disabled ? QColor(0x88, 0x90, 0xaa) : ink;
        p.setColor(g, QPalette::WindowText, text);
        p.setColor(g, QPalette::Text, text);
        p.setColor(g, QPalette::ButtonText, text);
        p.setColor(g, QPalette::PlaceholderText, QColor(0x88, 0x90, 0xaa));
    }
    return p;
}

const char STYLE[] = R"(
QWidget#RobotWindow, QWidget#panel { background: #eef2fa; }
QLabel { color: #223366; }
QSpinBox { background: #ffffff; color: #223366; }
QLabel#title { font-size: 20px; font-weight: bold; color: #334488; }
QLabel#state { font-size: 22px; font-weight: bold; color: #ffffff; background: #5577cc;
               border-radius: 8px; padding: 6px 10px; }
QPushButton { background: #ffffff; border: 2px solid #8899cc; border-radius: 10px;
              padding: 6px 10px; font-size: 14px; color: #223366; }
QPushButton:pressed, QPushButton:checked { background: #ffd966; border-color: #cc9922; }
QListWidget { background: #ffffff; color: #223366; border: 2px solid #aabbdd; border-radius: 6px; }
)";

QPushButton *button(const QString &name, const QString &text, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

}

RobotWindow::RobotWindow(int com, const QString &workFolder, QWidget *parent)
    : QWidget(parent)
    , m_workFolder(workFolder)
{
    setObjectName(u"RobotWindow"_s);
    setWindowTitle(u"RK-25 バーチャルロボット"_s);
    build();
    QString error;
    if (!m_line.open(&error)) {
        m_connection->setText(error);
        m_com->setEnabled(false);
    }
    connect(&m_line, &sim::PtyLine::bytesArrived, this, &RobotWindow::bytesArrived);
    m_robot.placeAt(m_start);
    setWorld(sim::walledFloor());
    m_clock.start();
    connect(&m_frames, &QTimer::timeout, this, &RobotWindow::tick);
    m_frames.setTimerType(Qt::PreciseTimer);
    m_frames.start(FRAME_MS);
    if (com >= 1 && com <= 4 && m_line.isOpen()) {
        m_com->setValue(com);
        linkTo(com);
    }
    refreshPanel();
}

RobotWindow::~RobotWindow()
{
    unlink();
}

void RobotWindow::build()
{
    setPalette(lightPalette());
    setStyleSheet(QString::fromUtf8(STYLE));
    auto *layout = new QHBoxLayout(this);
    m_floor = new FloorView(this);
    layout->addWidget(m_floor, 1);
    auto *scroll = new QScrollArea(this);
    scroll->setObjectName(u"panelScroll"_s);
    scroll->setWidget(buildPanel());
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setFixedWidth(PANEL_WIDTH + scroll->verticalScrollBar()->sizeHint().width());
    layout->addWidget(scroll);
    connect(m_floor, &FloorView::placed, this, [this](const sim::Pose &pose) {
        m_robot.advanceTo(simulatedNow());
        // The body stops where it touches a wall or cone, so pushing it there presses a switch.
        m_robot.placeAt(sim::draggedTo(m_robot.world(), m_robot.pose(), pose));
        m_floor->setPose(m_robot.pose());
        m_floor->clearTrail();
        refreshPanel();
    });
    connect(m_floor, &FloorView::floorClicked, this, &RobotWindow::toggleConeAt);

    // On the screen it is started on (where the pointer is), and no larger than that screen.
    QScreen *screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen) {
        const QRect room = screen->availableGeometry();
        const QSize size = PREFERRED_SIZE.boundedTo(room.size() - QSize(16, 40));
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, room));
    } else {
        resize(PREFERRED_SIZE);
    }
}

QWidget *RobotWindow::buildPanel()
{
    auto *panel = new QWidget(this);
    panel->setObjectName(u"panel"_s);
    panel->setFixedWidth(PANEL_WIDTH);
    auto *v = new QVBoxLayout(panel);

    auto *title = new QLabel(u"バーチャルロボット"_s, panel);
    title->setObjectName(u"title"_s);
    v->addWidget(title);

    auto *comRow = new QHBoxLayout;
    comRow->addWidget(new QLabel(u"COM"_s, panel));
    m_com = new QSpinBox(panel);
    m_com->setObjectName(u"com"_s);
    m_com->setRange(1, 4);
    comRow->addWidget(m_com);
    QPushButton *link = button(u"link"_s, u"つなぐ"_s, panel);
    comRow->addWidget(link);
    comRow->addStretch();
    v->addLayout(comRow);
    connect(link, &QPushButton::clicked, this, [this] { linkTo(m_com->value()); });

    m_connection = new QLabel(u"COM の番号をえらんで「つなぐ」をおしてね"_s, panel);
    m_connection->setObjectName(u"connection"_s);
    m_connection->setWordWrap(true);
    v->addWidget(m_connection);

    m_state = new QLabel(panel);
    m_state->setObjectName(u"state"_s);
    v->addWidget(m_state);
    m_details = new QLabel(panel);
    m_details->setObjectName(u"details"_s);
    m_details->setWordWrap(true);
    v->addWidget(m_details);
    m_pose = new QLabel(panel);
    m_pose->setObjectName(u"pose"_s);
    v->addWidget(m_pose);

    m_switches = new QLabel(panel);
    m_switches->setObjectName(u"switches"_s);
    v->addWidget(m_switches);

    m_program = new QListWidget(panel);
    m_program->setMinimumHeight(160);
    m_program->setObjectName(u"program"_s);
    m_program->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_program->setSelectionMode(QAbstractItemView::NoSelection);
    v->addWidget(m_program, 1);

    auto *switches = new QHBoxLayout;
    QPushButton *sw1 = button(u"sw1"_s, u"前スイッチ"_s, panel);
    QPushButton *sw2 = button(u"sw2"_s, u"うしろスイッチ"_s, panel);
    switches->addWidget(sw1);
    switches->addWidget(sw2);
    v->addLayout(switches);
    connect(sw1, &QPushButton::pressed, this, [this] { pressSwitch(1, true); });
    connect(sw1, &QPushButton::released, this, [this] { pressSwitch(1, false); });
    connect(sw2, &QPushButton::pressed, this, [this] { pressSwitch(2, true); });
    connect(sw2, &QPushButton::released, this, [this] { pressSwitch(2, false); });

    auto *ios = new QHBoxLayout;
    for (int n : {1, 2}) {
        QPushButton *io = button(u"io%1"_s.arg(n), u"IO%1 入力: lo"_s.arg(n), panel);
        io->setCheckable(true);
        ios->addWidget(io);
        connect(io, &QPushButton::toggled, this, [this, io, n](bool high) {
            m_robot.advanceTo(simulatedNow());
            m_robot.setIoInput(n, high);
            io->setText(u"IO%1 入力: %2"_s.arg(n).arg(high ? u"hi"_s : u"lo"_s));
        });
    }
    v->addLayout(ios);

    auto *speeds = new QHBoxLayout;
    speeds->addWidget(new QLabel(u"はやさ"_s, panel));
    auto *group = new QButtonGroup(panel);
    for (int factor : {1, 4, 16}) {
        QPushButton *b = button(u"speed%1"_s.arg(factor), u"×%1"_s.arg(factor), panel);
        b->setCheckable(true);
        b->setChecked(factor == 1);
        group->addButton(b);
        speeds->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, factor] { setSpeedFactor(factor); });
    }
    v->addLayout(speeds);

    QPushButton *back = button(u"putBack"_s, u"ロボットをスタートにもどす"_s, panel);
    v->addWidget(back);
    connect(back, &QPushButton::clicked, this, &RobotWindow::putBack);

    auto *worldRow = new QHBoxLayout;
    m_walls = button(u"walls"_s, u"かべ あり"_s, panel);
    m_walls->setCheckable(true);
    m_walls->setChecked(true);
    worldRow->addWidget(m_walls);
    connect(m_walls, &QPushButton::toggled, this, &RobotWindow::setWalls);
    QPushButton *noCones = button(u"clearCones"_s, u"コーンをぜんぶとる"_s, panel);
    worldRow->addWidget(noCones);
    connect(noCones, &QPushButton::clicked, this, [this] {
        sim::World w = m_robot.world();
        w.cones.clear();
        setWorld(w);
    });
    v->addLayout(worldRow);
    QPushButton *route = button(u"route"_s, u"ルートのプログラムをゆかにしく"_s, panel);
    v->addWidget(route);
    connect(route, &QPushButton::clicked, this, &RobotWindow::chooseRoute);

    auto *hint = new QLabel(u"ロボットは左ボタンで動かせるよ。右ボタンかホイールで向きをかえられるよ。"
                            u"ゆかをクリックするとコーンをおけるよ（10こまで。もういちどクリックでとれるよ）。"_s, panel);
    hint->setObjectName(u"hint"_s);
    hint->setWordWrap(true);
    v->addWidget(hint);
    return panel;
}

qint64 RobotWindow::simulatedNow()
{
    const qint64 real = m_clock.elapsed();
    m_simMs += (real - m_lastRealMs) * m_factor;
    m_lastRealMs = real;
    return m_simMs;
}

void RobotWindow::setSpeedFactor(int factor)
{
    simulatedNow();
    m_factor = factor;
}

void RobotWindow::tick()
{
    const qint64 now = simulatedNow();
    for (int i = 0; i < 2; ++i) {
        if (m_switchReleaseAt[i] >= 0 && m_switchReleaseAt[i] <= now) {
            m_robot.advanceTo(m_switchReleaseAt[i]);
            m_robot.setSwitch(i + 1, false);
            m_switchReleaseAt[i] = -1;
        }
    }
    // Small steps, so the trail follows an arc even at x16.
    while (m_robot.now() + TRAIL_SAMPLE_MS < now) {
        m_robot.advanceTo(m_robot.now() + TRAIL_SAMPLE_MS);
        m_floor->setPose(m_robot.pose());
    }
    m_robot.advanceTo(now);
    refreshPanel();
}

void RobotWindow::pressSwitch(int which, bool down)
{
    const qint64 now = simulatedNow();
    m_robot.advanceTo(now);
    if (down) {
        m_robot.setSwitch(which, true);
        m_switchPressedAt[which - 1] = now;
        m_switchReleaseAt[which - 1] = -1;
    } else {
        m_switchReleaseAt[which - 1] = qMax(now, m_switchPressedAt[which - 1] + MIN_PRESS_MS);
    }
}

void RobotWindow::bytesArrived(const QByteArray &bytes)
{
    m_robot.advanceTo(simulatedNow());
    for (char b : bytes)
        m_robot.receive(quint8(b));
    if (!m_heard) {
        m_heard = true;
        m_connection->setText(u"つながりました（COM%1）"_s.arg(m_com->value()));
    }
    refreshPanel();
}

bool RobotWindow::linkTo(int com)
{
    const QString folder = m_workFolder.isEmpty() ? WorkFolderPath() : m_workFolder;
    const QString path = sim::comLinkPath(com, folder);
    if (path == m_linkPath)
        return true;
    bool replace = false;
    if (sim::comLinkState(path, m_line.devicePath()) == sim::ComLinkState::Foreign) {
        const auto answer = ui::showMessage(
            this, ui::MessageKind::Confirmation,
            u"COM%1 はもうほかのものが使っています。\nロボットのものにおきかえますか？"_s.arg(com),
            {ui::MessageButton::Yes, ui::MessageButton::No});
        if (answer != ui::MessageButton::Yes)
            return false;
        replace = true;
    }
    QString error;
    if (!sim::makeComLink(path, m_line.devicePath(), replace, &error)) {
        ui::showMessage(this, ui::MessageKind::Warning, u"COM%1 につなげませんでした。\n"_s.arg(com) + error);
        return false;
    }
    unlink();
    m_linkPath = path;
    m_heard = false;
    m_connection->setText(u"つながるのを待っています"_s);
    return true;
}

void RobotWindow::unlink()
{
    if (m_linkPath.isEmpty())
        return;
    sim::removeComLinkIfOurs(m_linkPath, m_line.devicePath());
    m_linkPath.clear();
}

void RobotWindow::closeEvent(QCloseEvent *event)
{
    unlink();
    QWidget::closeEvent(event);
}

void RobotWindow::putBack()
{
    m_robot.advanceTo(simulatedNow());
    m_robot.placeAt(m_start);
    m_floor->setPose(m_robot.pose());
    m_floor->clearTrail();
    refreshPanel();
}

void RobotWindow::setWorld(const sim::World &world)
{
    m_robot.advanceTo(simulatedNow());
    m_robot.setWorld(world);
    m_floor->setWorld(world);
    // Walls put back around a robot that wandered off the floor: it comes back to the start.
    if (sim::overlaps(world, m_robot.pose()))
        putBack();
    refreshPanel();
}

void RobotWindow::setWalls(bool on)
{
    sim::World w = m_robot.world();
    w.walls = on;
    if (m_walls->isChecked() != on)
        m_walls->setChecked(on);
    m_walls->setText(on ? u"かべ あり"_s : u"かべ なし"_s);
    setWorld(w);
}

void RobotWindow::toggleConeAt(const QPointF &at)
{
    sim::World w = m_robot.world();
    for (qsizetype i = 0; i < w.cones.size(); ++i) {
        if (std::hypot(w.cones[i].x() - at.x(), w.cones[i].y() - at.y()) <= sim::CONE_DIAMETER_CM / 2) {
            w.cones.removeAt(i);
            setWorld(w);
            return;
        }
    }
    const bool onFloor = at.x() >= 0 && at.y() >= 0 && at.x() <= sim::FLOOR_SIDE_CM && at.y() <= sim::FLOOR_SIDE_CM;
    if (!onFloor || w.cones.size() >= sim::MAX_CONES)
        return;
    w.cones.append(at);
    // Never onto the robot.
    m_robot.advanceTo(simulatedNow());
    if (sim::overlaps(w, m_robot.pose()))
        return;
    setWorld(w);
}

namespace {
// An unreadable file is told like any file that holds no route.
const QString NOT_A_ROUTE_MESSAGE = u"ルートのプログラムではないので、ゆかにしけません。\n"_s;
}

void RobotWindow::chooseRoute()
{
    ui::readProgramFile(
        this, [this](const ui::ProgramFileContents &file) { layRouteLines(file.lines, file.name); },
        [this](const QString &reason) {
            ui::showMessage(this, ui::MessageKind::Warning, NOT_A_ROUTE_MESSAGE + reason);
        });
}

bool RobotWindow::layRoute(const QString &path)
{
    const cp932::ReadResult file = cp932::readLines(path);
    if (!file.ok) {
        ui::showMessage(this, ui::MessageKind::Warning, NOT_A_ROUTE_MESSAGE + path);
        return false;
    }
    return layRouteLines(file.lines, path);
}

bool RobotWindow::layRouteLines(const QStringList &lines, const QString &name)
{
    RouteModel route;
    const RouteReadResult read = readRouteLines(lines, &route);
    if (read.status != RouteReadStatus::Ok || !read.hasRoute) {
        ui::showMessage(this, ui::MessageKind::Warning, NOT_A_ROUTE_MESSAGE + name);
        return false;
    }
    QPolygonF guide;
    for (int i = 0; i <= route.lastIndex(); ++i)
        guide.append(sim::floorPointOfGrid({route.record(i).x, route.record(i).y}));
    m_floor->setGuide(guide);
    m_start = {guide.first().x(), guide.first().y(), double(ROUTE_START_HEADING)};
    if (sim::overlaps(m_robot.world(), m_start))
        m_start = sim::DEFAULT_START;
    putBack();
    return true;
}

void RobotWindow::refreshPanel()
{
    const sim::Pose pose = m_robot.pose();
    m_floor->setPose(pose);
    const sim::Inputs in = m_robot.inputs();
    m_floor->setSwitches(in.sw1, in.sw2);
    setTextIfChanged(m_switches, u"前スイッチ: %1    うしろスイッチ: %2"_s.arg(in.sw1 ? u"ON"_s : u"OFF"_s, in.sw2 ? u"ON"_s : u"OFF"_s));

    const QString state = sim::stateText(m_robot.state(), m_robot.receivingBlock());
    if (state != m_shownState) {
        m_state->setText(state);
        m_shownState = state;
    }
    QStringList details;
    if (m_robot.state() == sim::RobotState::Test || m_robot.speedLeft() > 0)
        details << u"スピード %1, %2"_s.arg(m_robot.speedLeft()).arg(m_robot.speedRight());
    for (int n : {1, 2}) {
        if (m_robot.ioIsOutput(n))
            details << u"IO%1 出力 %2"_s.arg(n).arg(m_robot.ioOutputOn(n) ? u"ON"_s : u"OFF"_s);
    }
    if (!m_robot.busy() && !m_robot.lastEnd().isEmpty())
        details << m_robot.lastEnd();
    setTextIfChanged(m_details, details.join(u'\n'));
    setTextIfChanged(m_pose, u"x %1 cm   y %2 cm   向き %3°"_s.arg(oneDecimal(pose.x), oneDecimal(pose.y)).arg(std::lround(pose.heading) % 360));

    if (m_robot.program() != m_shownProgram && m_robot.state() != sim::RobotState::Receiving)
        refreshProgram();
    const int offset = m_robot.currentOffset();
    if (offset != m_shownOffset) {
        m_shownOffset = offset;
        int first = -1;
        for (int i = 0; i < m_program->count(); ++i) {
            QListWidgetItem *item = m_program->item(i);
            const bool running = offset >= 0 && item->data(Qt::UserRole).toInt() == offset;
            item->setBackground(running ? QColor(255, 217, 102) : QColor(Qt::transparent));
            if (running && first < 0)
                first = i;
        }
        if (first >= 0)
            m_program->scrollToItem(m_program->item(first));
    }
}

void RobotWindow::refreshProgram()
{
    m_shownProgram = m_robot.program();
    m_shownOffset = -2;
    m_program->clear();
    if (m_robot.state() == sim::RobotState::Waiting) {
        auto *item = new QListWidgetItem(u"まだプログラムがありません"_s, m_program);
        item->setData(Qt::UserRole, NO_OFFSET);
        item->setForeground(QColor(140, 140, 160));
        return;
    }
    for (const sim::DisassembledLine &line : sim::disassemble(m_shownProgram)) {
        auto *item = new QListWidgetItem(QString(line.depth * 2, u' ') + line.text, m_program);
        item->setData(Qt::UserRole, line.offset);
    }
}
