#include "sim/robotwindow.h"

#include "app/settings/workfolder.h"
#include "app/ui/messagebox.h"
#include "sim/floorview.h"

#include <QtWidgets/QButtonGroup>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QSpinBox>
#include <QtWidgets/QVBoxLayout>

#include <QCloseEvent>
#include <QFontDatabase>

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

const char STYLE[] = R"(
QWidget#RobotWindow { background: #eef2fa; }
QLabel#title { font-size: 20px; font-weight: bold; color: #334488; }
QLabel#state { font-size: 22px; font-weight: bold; color: #ffffff; background: #5577cc;
               border-radius: 8px; padding: 6px 10px; }
QPushButton { background: #ffffff; border: 2px solid #8899cc; border-radius: 10px;
              padding: 6px 10px; font-size: 14px; color: #223366; }
QPushButton:pressed, QPushButton:checked { background: #ffd966; border-color: #cc9922; }
QListWidget { background: #ffffff; border: 2px solid #aabbdd; border-radius: 6px; }
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
    m_robot.placeAt({});
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
    setStyleSheet(QString::fromUtf8(STYLE));
    auto *layout = new QHBoxLayout(this);
    m_floor = new FloorView(this);
    layout->addWidget(m_floor, 1);
    layout->addWidget(buildPanel());
    connect(m_floor, &FloorView::placed, this, [this](const sim::Pose &pose) {
        m_robot.advanceTo(simulatedNow());
        m_robot.placeAt(pose);
        m_floor->setPose(m_robot.pose());
        m_floor->clearTrail();
    });
    resize(1160, 760);
}

QWidget *RobotWindow::buildPanel()
{
    auto *panel = new QWidget(this);
    panel->setFixedWidth(400);
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

    m_program = new QListWidget(panel);
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

    auto *hint = new QLabel(u"ロボットは左ボタンで動かせるよ。右ボタンかホイールで向きをかえられるよ。"_s, panel);
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
    m_robot.placeAt({});
    m_floor->setPose(m_robot.pose());
    m_floor->clearTrail();
}

void RobotWindow::refreshPanel()
{
    const sim::Pose pose = m_robot.pose();
    m_floor->setPose(pose);
    const sim::Inputs in = m_robot.inputs();
    m_floor->setSwitches(in.sw1, in.sw2);

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
