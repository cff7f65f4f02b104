// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtWidgets/QWidget>

#include "app/ui/clickablepicture.h"
#include "app/ui/workingscreen.h"

#include <QPixmap>
#include <QPointer>
#include <QTimer>

#include <array>
#include <optional>

class WirePlayer;
class QLabel;
class RobotLine;

// One of the nine drive pictures of the remote control (Image1 .. Image9). Its pressed
// picture stays after the button is let go, so the picture of the current motion stays lit.
class DrivePicture : public ClickablePicture
{
    Q_OBJECT
public:
    DrivePicture(int tag, const QString &pictureName, const QRect &geometry, const QString &hint,
                 QWidget *parent);

    int tag() const { return m_tag; }
    bool isHighlighted() const { return m_highlighted; }
    void setHighlighted(bool on);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_tag;
    QString m_hint;
    QPixmap m_normal;
    QPixmap m_pressed;
    bool m_highlighted = false;
};

// TForm8: remote-control driving, the step after STEP5. `rajikon` sends 5 and, 500 ms later,
// lets the drive pictures be used; each picture or digit key sends its motor code, at least
// 100 ms after the one before; a code still waiting is replaced by a newer choice. Leaving to the menu or the route screen sends 254, so the robot
// stops; quitting sends nothing. A line at the bottom tells the line's state and, when the
// robot cannot be reached, why.
class RemoteControlScreen : public WorkingScreen
{
    Q_OBJECT
public:
    explicit RemoteControlScreen(RobotLine *port);

    QString helpPage() const override;

    // The motor code of a drive picture (Tag 1..9), and the picture a digit key stands for.
    static quint8 driveCode(int tag);
    static std::optional<int> tagForKey(const QString &text);

    enum class PortState { Open, Closed, Busy };
    PortState portState() const { return m_portState; }
    // The hint below the robot: what to do first, then what to do while driving.
    QString hintText() const;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void B_stepClick() override;
    void shutdownClick() override;

private:
    void FormShow();
    void rajikonClick();
    void Image1Click(int tag);
    void Image1MouseDown(int tag);
    void FormKeyPress(const QString &text);
    void setDrivePicturesEnabled(bool on);
    void showAllNormal();
    void send(quint8 value);
    void sendTerminator();
    void refreshPortState();
    void tellUnreachable();
    void setDriving(bool on);

    QPointer<RobotLine> m_port;
    std::array<DrivePicture *, 9> m_drive {};
    PictureButton *rajikon = nullptr;
    QLabel *m_portLabel = nullptr;
    QLabel *m_hint = nullptr;
    // While shown the state line follows the line: a pulled cable shows without a send.
    QTimer m_stateTimer;
    QPointer<WirePlayer> m_player;
    QTimer m_enableTimer;
    PortState m_portState = PortState::Closed;
    bool m_toldUnreachable = false;
};
