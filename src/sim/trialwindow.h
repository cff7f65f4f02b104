// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim/trialrun.h"

#include <QtWidgets/QWidget>

#include <QElapsedTimer>
#include <QPolygonF>
#include <QTimer>

class FloorView;
class QComboBox;
class QLabel;
class QPushButton;

// The floor beside a programming screen ("ためす"): a pupil's program run by the virtual robot
// inside the program, with no port. Run, pause, one instruction at a time, back to the start,
// the speed, and the switches pressed by hand. Tells the program text line running now, so
// the screen can light it.
class TrialWindow : public QWidget
{
    Q_OBJECT
public:
    explicit TrialWindow(QWidget *parent = nullptr);

    // Puts the robot at its start (the route's first point when a guide is given) and runs the
    // bytes a transfer would send, then the run byte.
    void tryProgram(const QByteArray &wireBytes, quint8 runByte, const QList<int> &imageLines,
                    const QPolygonF &guide);

    sim::TrialRun &trial() { return m_trial; }
    FloorView *floor() const { return m_floor; }
    bool paused() const { return m_paused; }
    // Simulated milliseconds per real one; 0 runs as fast as possible.
    void setSpeedFactor(int factor);
    // Moves the run on to the present; the frame timer calls it.
    void tick();
    void pause();
    void resume();
    // One instruction, then paused.
    void stepOnce();
    // Back to the start, the program from its beginning, paused.
    void restart();

signals:
    // The program text line (from 1) of the instruction running now; 0 when none runs.
    void lineChanged(int line);

protected:
    void closeEvent(QCloseEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void refresh();
    void pressSwitch(int which, bool down);

    sim::TrialRun m_trial;
    QByteArray m_wire;
    quint8 m_runByte = 0;
    QList<int> m_imageLines;
    sim::Pose m_start = sim::DEFAULT_START;

    QTimer m_frames;
    QElapsedTimer m_clock;
    QElapsedTimer m_pressed[2];
    qint64 m_lastRealMs = 0;
    int m_factor = 1;
    bool m_paused = false;
    int m_shownLine = -1;
    QString m_lastText;

    FloorView *m_floor = nullptr;
    QLabel *m_doing = nullptr;
    QPushButton *m_run = nullptr;
    QPushButton *m_step = nullptr;
    QComboBox *m_speed = nullptr;
};
