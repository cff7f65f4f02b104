// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim/ptyline.h"
#include "sim/virtualrobot.h"

#include <QtWidgets/QWidget>

#include <QElapsedTimer>
#include <QTimer>

class FloorView;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;

// The virtual robot's window: the floor with its walls and cones, the state, the stored program
// as text with the running line marked, the switches and IO inputs, the speed of the simulation
// and the connection through comN. It keeps its own light colours whatever the desktop's palette,
// and fits a 1024 x 768 screen (the panel scrolls).
class RobotWindow : public QWidget
{
    Q_OBJECT
public:
    // com: 1..4 to link comN at once, 0 to wait for the user's choice. workFolder empty: the
    // working folder of the application.
    explicit RobotWindow(int com = 0, const QString &workFolder = QString(), QWidget *parent = nullptr);
    ~RobotWindow() override;

    sim::VirtualRobot &robot() { return m_robot; }
    FloorView *floor() const { return m_floor; }
    // The link made now, or empty.
    QString linkPath() const { return m_linkPath; }
    bool linkTo(int com);
    // Lays a route program file on the floor as a guide line; the robot goes to its start,
    // facing up. False (with a box) for a file that holds no route.
    bool layRoute(const QString &path);
    // The same for a file's lines; name is how the pupil knows the file.
    bool layRouteLines(const QStringList &lines, const QString &name);
    // Walls on or off; cones placed or taken away by a click on the floor (up to ten).
    void setWalls(bool on);
    void toggleConeAt(const QPointF &at);
    const sim::World &world() const { return m_robot.world(); }
    // Where "back to the start" puts the robot.
    sim::Pose startPose() const { return m_start; }
    // Simulated milliseconds per real millisecond: 1, 4 or 16.
    void setSpeedFactor(int factor);
    // Moves the simulation on to the present; the frame timer calls it.
    void tick();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void build();
    QWidget *buildPanel();
    void bytesArrived(const QByteArray &bytes);
    void unlink();
    void refreshPanel();
    void refreshProgram();
    void putBack();
    void setWorld(const sim::World &world);
    void chooseRoute();
    void pressSwitch(int which, bool down);
    qint64 simulatedNow();

    sim::VirtualRobot m_robot;
    sim::PtyLine m_line;
    QString m_workFolder;
    QString m_linkPath;
    bool m_heard = false;

    QTimer m_frames;
    QElapsedTimer m_clock;
    qint64 m_lastRealMs = 0;
    qint64 m_simMs = 0;
    int m_factor = 1;
    // A switch stays pressed at least half a second of robot time, so a quick click is seen.
    qint64 m_switchPressedAt[2] = {0, 0};
    qint64 m_switchReleaseAt[2] = {-1, -1};

    FloorView *m_floor = nullptr;
    QLabel *m_connection = nullptr;
    QLabel *m_state = nullptr;
    QLabel *m_details = nullptr;
    QLabel *m_pose = nullptr;
    QLabel *m_switches = nullptr;
    QPushButton *m_walls = nullptr;
    sim::Pose m_start = sim::DEFAULT_START;
    QSpinBox *m_com = nullptr;
    QListWidget *m_program = nullptr;
    QByteArray m_shownProgram;
    int m_shownOffset = -2;
    QString m_shownState;
};
