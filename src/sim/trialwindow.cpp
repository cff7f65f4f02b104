// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/trialwindow.h"

#include "sim/floorview.h"

#include <QtWidgets/QComboBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

#include <QCloseEvent>

using namespace Qt::StringLiterals;

namespace {
constexpr int FRAME_MS = 16;
// Robot time per trail point, so that a turn draws an arc even when running fast.
constexpr qint64 TRAIL_SAMPLE_MS = 40;
// "As fast as possible" runs this much robot time a frame; an endless program still lets the
// window breathe.
constexpr qint64 FASTEST_FRAME_MS = 60 * 1000;
constexpr qint64 MIN_PRESS_MS = 500;
}

TrialWindow::TrialWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(u"TrialWindow"_s);
    setWindowTitle(u"ためす（ゆかの上のロボット）"_s);
    setAccessibleName(windowTitle());

    m_floor = new FloorView(this);
    m_floor->setAccessibleName(u"ゆかとロボット"_s);
    m_doing = new QLabel(this);
    m_doing->setObjectName(u"doing"_s);
    m_doing->setMinimumHeight(m_doing->fontMetrics().height() * 2);
    m_doing->setWordWrap(true);

    const auto button = [this](const QString &name, const QString &text, const QString &tip) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setToolTip(tip);
        b->setAccessibleName(text);
        return b;
    };
    m_run = button(u"run"_s, u"とめる"_s, u"ロボットを止めたり、また動かしたりします"_s);
    m_step = button(u"step"_s, u"1つすすむ"_s, u"命令を1つだけ進めます"_s);
    QPushButton *again = button(u"again"_s, u"はじめから"_s, u"ロボットをスタートの場所にもどします"_s);
    QPushButton *sw1 = button(u"sw1"_s, u"SW1（前）"_s, u"前のスイッチを押します"_s);
    QPushButton *sw2 = button(u"sw2"_s, u"SW2（後ろ）"_s, u"後ろのスイッチを押します"_s);
    m_speed = new QComboBox(this);
    m_speed->setObjectName(u"speed"_s);
    m_speed->setAccessibleName(u"はやさ"_s);
    m_speed->addItem(u"はやさ ×1"_s, 1);
    m_speed->addItem(u"はやさ ×2"_s, 2);
    m_speed->addItem(u"はやさ ×4"_s, 4);
    m_speed->addItem(u"いちばんはやく"_s, 0);

    connect(m_run, &QPushButton::clicked, this, [this] { m_paused ? resume() : pause(); });
    connect(m_step, &QPushButton::clicked, this, &TrialWindow::stepOnce);
    connect(again, &QPushButton::clicked, this, &TrialWindow::restart);
    connect(sw1, &QPushButton::pressed, this, [this] { pressSwitch(1, true); });
    connect(sw1, &QPushButton::released, this, [this] { pressSwitch(1, false); });
    connect(sw2, &QPushButton::pressed, this, [this] { pressSwitch(2, true); });
    connect(sw2, &QPushButton::released, this, [this] { pressSwitch(2, false); });
    connect(m_speed, &QComboBox::currentIndexChanged, this,
            [this] { setSpeedFactor(m_speed->currentData().toInt()); });

    auto *buttons = new QHBoxLayout;
    for (QWidget *w : {static_cast<QWidget *>(m_run), static_cast<QWidget *>(m_step), static_cast<QWidget *>(again),
                       static_cast<QWidget *>(m_speed), static_cast<QWidget *>(sw1), static_cast<QWidget *>(sw2)})
        buttons->addWidget(w);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_floor, 1);
    layout->addWidget(m_doing);
    layout->addLayout(buttons);
    resize(600, 700);

    m_frames.setInterval(FRAME_MS);
    connect(&m_frames, &QTimer::timeout, this, &TrialWindow::tick);
}

void TrialWindow::tryProgram(const QByteArray &wireBytes, quint8 runByte, const QList<int> &imageLines,
                             const QPolygonF &guide)
{
    m_wire = wireBytes;
    m_runByte = runByte;
    m_imageLines = imageLines;
    const sim::World world = sim::walledFloor();
    m_start = sim::DEFAULT_START;
    if (!guide.isEmpty()) {
        const sim::Pose first{guide.first().x(), guide.first().y(), sim::DEFAULT_START.heading};
        if (!sim::overlaps(world, first))
            m_start = first;
    }
    m_floor->setWorld(world);
    m_floor->setGuide(guide);
    restart();
    resume();
}

void TrialWindow::restart()
{
    m_trial.start(m_wire, m_runByte, m_imageLines, sim::walledFloor(), m_start);
    m_floor->setPose(m_trial.robot().pose());
    m_floor->clearTrail();
    m_lastText.clear();
    pause();
    refresh();
}

void TrialWindow::pause()
{
    m_paused = true;
    m_frames.stop();
    m_run->setText(u"うごかす"_s);
    m_run->setAccessibleName(m_run->text());
}

void TrialWindow::resume()
{
    m_paused = false;
    m_lastRealMs = 0;
    m_clock.start();
    m_frames.start();
    m_run->setText(u"とめる"_s);
    m_run->setAccessibleName(m_run->text());
}

void TrialWindow::setSpeedFactor(int factor)
{
    tick();
    m_factor = factor;
}

void TrialWindow::tick()
{
    if (m_paused)
        return;
    const qint64 real = m_clock.elapsed();
    const qint64 ms = m_factor > 0 ? (real - m_lastRealMs) * m_factor : FASTEST_FRAME_MS;
    m_lastRealMs = real;
    sim::VirtualRobot &robot = m_trial.robot();
    const qint64 end = robot.now() + ms;
    while (robot.now() < end && !m_trial.finished()) {
        robot.advanceTo(qMin(end, robot.now() + TRAIL_SAMPLE_MS));
        m_floor->setPose(robot.pose());
    }
    // Idle robot time passes too, so a press of a switch is seen at its moment.
    robot.advanceTo(end);
    refresh();
    if (m_trial.finished())
        pause();
}

void TrialWindow::stepOnce()
{
    pause();
    m_trial.step();
    m_floor->setPose(m_trial.robot().pose());
    refresh();
}

void TrialWindow::pressSwitch(int which, bool down)
{
    QElapsedTimer &held = m_pressed[which - 1];
    if (down) {
        m_trial.robot().setSwitch(which, true);
        held.start();
        return;
    }
    // A quick click still lasts long enough for the program to see it.
    const qint64 left = qMax<qint64>(0, MIN_PRESS_MS - held.elapsed());
    QTimer::singleShot(left, this, [this, which] { m_trial.robot().setSwitch(which, false); });
}

void TrialWindow::refresh()
{
    const sim::VirtualRobot &robot = m_trial.robot();
    m_floor->setSwitches(robot.inputs().sw1, robot.inputs().sw2);
    const int line = m_trial.currentLine();
    QString text;
    if (robot.state() == sim::RobotState::Running)
        text = line > 0 ? u"%1行目を実行しています"_s.arg(line) : u"実行しています"_s;
    else
        text = robot.lastEnd().isEmpty() ? u"プログラムを待っています"_s : robot.lastEnd();
    if (text != m_lastText) {
        m_lastText = text;
        m_doing->setText(text);
    }
    m_step->setEnabled(!m_trial.finished());
    if (line != m_shownLine) {
        m_shownLine = line;
        emit lineChanged(line);
    }
}

void TrialWindow::hideEvent(QHideEvent *event)
{
    pause();
    if (m_shownLine != 0) {
        m_shownLine = 0;
        emit lineChanged(0);
    }
    QWidget::hideEvent(event);
}

void TrialWindow::closeEvent(QCloseEvent *event)
{
    pause();
    QWidget::closeEvent(event);
}
