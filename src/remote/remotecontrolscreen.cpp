// SPDX-License-Identifier: GPL-3.0-or-later
#include "remote/remotecontrolscreen.h"

#include "app/ui/messagebox.h"
#include "transfer/transfer.h"
#include "common/errornumbers.h"

#include "app/ui/pictures.h"
#include "robot/instructioncode.h"
#include "robot/portmessages.h"
#include "robot/robotline.h"
#include "robot/wireplan.h"
#include "robot/wireplayer.h"

#include <QtWidgets/QLabel>

#include <QKeyEvent>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace {

struct Drive
{
    QRect place;
    const char16_t *hint;
    MotorDirection left;
    MotorDirection right;
    const char16_t *picture; // "Photo\Button\" + this + ".jpg", pressed: + "-1.jpg"
};

using D = MotorDirection;
// Tag n is entry n - 1.
const std::array<Drive, 9> drives{{
    {QRect(224, 188, 102, 102), u"前進左折", D::Stop, D::Fwd, u"rajikon_FL"},
    {QRect(335, 188, 102, 102), u"前進", D::Fwd, D::Fwd, u"rajikon_FF"},
    {QRect(444, 188, 102, 102), u"前進右折", D::Fwd, D::Stop, u"rajikon_FR"},
    {QRect(224, 299, 102, 102), u"左回転", D::Rev, D::Fwd, u"rajikon_FLturn"},
    {QRect(335, 299, 102, 102), u"停止", D::Stop, D::Stop, u"rajikon_Stop"},
    {QRect(444, 299, 102, 102), u"右回転", D::Fwd, D::Rev, u"rajikon_FRturn"},
    {QRect(224, 409, 102, 102), u"後進左折", D::Stop, D::Rev, u"rajikon_BL"},
    {QRect(335, 409, 102, 102), u"後進", D::Rev, D::Rev, u"rajikon_BB"},
    {QRect(444, 409, 102, 102), u"後進右折", D::Rev, D::Stop, u"rajikon_BR"},
}};

// Laid out like a numeric keypad: 7 8 9 on top, 1 2 3 at the bottom.
constexpr std::array<int, 9> TAG_OF_DIGIT{7, 8, 9, 4, 5, 6, 1, 2, 3};

constexpr int STATE_POLL_MS = 1000;
constexpr char16_t HINT_FIRST[] = u"まず うえの\nスタートを おしてね";
constexpr char16_t HINT_DRIVING[] = u"やじるしか すうじの\nキーで うごかそう\n5 で とまるよ";

QString buttonPicture(const char16_t *name, bool pressed)
{
    return u"Photo\\Button\\"_s + QString::fromUtf16(name)
        + (pressed ? u"-1.jpg"_s : u".jpg"_s);
}

}

DrivePicture::DrivePicture(int tag, const QString &pictureName, const QRect &geometry,
                           const QString &hint, QWidget *parent)
    : ClickablePicture(parent)
    , m_tag(tag)
    , m_hint(hint)
{
    setObjectName(u"Image%1"_s.arg(tag));
    setGeometry(geometry);
    setToolTip(hint);
    setCursor(Qt::PointingHandCursor);
    const char16_t *name = reinterpret_cast<const char16_t *>(pictureName.utf16());
    m_normal = ui::loadPictureQuietly(buttonPicture(name, false));
    m_pressed = ui::loadPictureQuietly(buttonPicture(name, true));
}

void DrivePicture::setHighlighted(bool on)
{
    if (m_highlighted == on)
        return;
    m_highlighted = on;
    update();
}

void DrivePicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QPixmap &picture = m_highlighted ? m_pressed : m_normal;
    if (!picture.isNull()) {
        painter.drawPixmap(rect(), picture);
        if (!isEnabled())
            painter.fillRect(rect(), QColor(255, 255, 255, 110));
        return;
    }
    // Without its pictures the arrow still has to be found and read.
    paintCaptionPlate(painter, m_hint, m_highlighted);
}

RemoteControlScreen::RemoteControlScreen(RobotLine *port)
    : WorkingScreen(
                    {u"TForm8"_s, u"remote"_s, QSize(770, 578),
                     u"back"_s, {errors::REMOTE_BUTTON_PRESS, errors::REMOTE_BUTTON_RELEASE}},
                    {QRect(571, 51, 49, 30), QRect(629, 51, 61, 29), QRect(699, 51, 50, 29),
                     QRect(332, 550, 118, 27), QRect(125, 549, 116, 29), QRect()},
                    8)
    , m_port(port)
    , m_player(WirePlayer::of(port))
{
    setFocusPolicy(Qt::StrongFocus);
    rajikon = addButton(u"rajikon"_s, QRect(208, 109, 357, 62), u"リモコン スタート"_s);
    connect(rajikon, &PictureButton::clicked, this, &RemoteControlScreen::rajikonClick);
    for (int tag = 1; tag <= 9; ++tag) {
        const Drive &d = drives[tag - 1];
        auto *picture = new DrivePicture(tag, QString::fromUtf16(d.picture), d.place, QString::fromUtf16(d.hint), this);
        connect(picture, &DrivePicture::pressed, this, [this, tag] { Image1MouseDown(tag); });
        connect(picture, &DrivePicture::clicked, this, [this, tag] { Image1Click(tag); });
        m_drive[tag - 1] = picture;
    }

    m_portLabel = new QLabel(this);
    m_portLabel->setObjectName(u"portState"_s);
    m_portLabel->setGeometry(462, 550, 300, 26);
    QFont f = m_portLabel->font();
    f.setPixelSize(13);
    f.setBold(true);
    m_portLabel->setFont(f);

    m_hint = new QLabel(this);
    m_hint->setObjectName(u"driveHint"_s);
    m_hint->setGeometry(12, 416, 190, 72);
    m_hint->setAlignment(Qt::AlignCenter);
    m_hint->setAttribute(Qt::WA_TransparentForMouseEvents);
    QFont hintFont = m_hint->font();
    hintFont.setPixelSize(15);
    hintFont.setBold(true);
    m_hint->setFont(hintFont);
    // The colour of the backdrop's own words, whatever the desktop's palette.
    m_hint->setStyleSheet(u"color: rgb(149, 55, 41); background: transparent;"_s);

    m_enableTimer.setSingleShot(true);
    m_enableTimer.setInterval(REMOTE_START_PAUSE_MS);
    connect(&m_enableTimer, &QTimer::timeout, this, [this] { setDriving(true); });
    m_stateTimer.setInterval(STATE_POLL_MS);
    connect(&m_stateTimer, &QTimer::timeout, this, &RemoteControlScreen::refreshPortState);

    if (m_player) {
        connect(m_player, &WirePlayer::driveSent, this, &RemoteControlScreen::refreshPortState);
        connect(m_player, &WirePlayer::driveRefused, this, &RemoteControlScreen::refreshPortState);
        connect(m_player, &WirePlayer::driveFailed, this, &RemoteControlScreen::tellUnreachable);
    }
    if (port) {
        connect(port, &RobotLine::OnOpen, this, &RemoteControlScreen::refreshPortState);
        connect(port, &RobotLine::OnOpen, this, [this] { m_toldUnreachable = false; });
        connect(port, &RobotLine::lineReleased, this, &RemoteControlScreen::refreshPortState);
        connect(port, &RobotLine::statusChanged, this, &RemoteControlScreen::refreshPortState);
        // Raised while the device is still open: look once it has closed.
        connect(port, &RobotLine::OnClose, this, &RemoteControlScreen::refreshPortState, Qt::QueuedConnection);
    }
    setDriving(false);
    refreshPortState();
}

quint8 RemoteControlScreen::driveCode(int tag)
{
    const Drive &d = drives.at(size_t(tag - 1));
    return motorCode(d.left, d.right);
}

std::optional<int> RemoteControlScreen::tagForKey(const QString &text)
{
    if (text.size() != 1 || text[0] < u'1' || text[0] > u'9')
        return std::nullopt;
    return TAG_OF_DIGIT[size_t(text[0].unicode() - u'1')];
}

void RemoteControlScreen::showEvent(QShowEvent *event)
{
    WorkingScreen::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void RemoteControlScreen::hideEvent(QHideEvent *event)
{
    m_enableTimer.stop();
    m_stateTimer.stop();
    WorkingScreen::hideEvent(event);
}

void RemoteControlScreen::FormShow()
{
    m_enableTimer.stop();
    setDriving(false);
    refreshPortState();
    m_stateTimer.start();
    setFocus();
}

void RemoteControlScreen::rajikonClick()
{
    // Each press is a new attempt: a port in error or re-plugged is opened again silently,
    // and if that fails the pupil hears why once more.
    m_toldUnreachable = false;
    if (m_port && !m_port->lineClaimed())
        m_port->makeReady();
    send(CMD_REMOTE);
    m_enableTimer.start();
}

void RemoteControlScreen::setDriving(bool on)
{
    setDrivePicturesEnabled(on);
    m_hint->setText(QString::fromUtf16(on ? HINT_DRIVING : HINT_FIRST));
}

QString RemoteControlScreen::hintText() const
{
    return m_hint->text();
}

void RemoteControlScreen::Image1Click(int tag)
{
    send(driveCode(tag));
}

// Through the port's player, whose rule keeps the robot on the pupil's last wish: a held key
// or quick clicks replace the code still waiting instead of piling up behind it.
void RemoteControlScreen::send(quint8 value)
{
    if (m_player)
        m_player->drive(value);
}

void RemoteControlScreen::Image1MouseDown(int tag)
{
    showAllNormal();
    m_drive[size_t(tag - 1)]->setHighlighted(true);
}

void RemoteControlScreen::keyPressEvent(QKeyEvent *event)
{
    FormKeyPress(event->text());
    event->accept();
}

void RemoteControlScreen::FormKeyPress(const QString &text)
{
    const std::optional<int> tag = tagForKey(text);
    if (tag)
        Image1Click(*tag);
    showAllNormal();
    if (tag)
        m_drive[size_t(*tag - 1)]->setHighlighted(true);
}

void RemoteControlScreen::setDrivePicturesEnabled(bool on)
{
    for (DrivePicture *picture : m_drive)
        picture->setEnabled(on);
}

void RemoteControlScreen::showAllNormal()
{
    for (DrivePicture *picture : m_drive)
        picture->setHighlighted(false);
}

void RemoteControlScreen::sendTerminator()
{
    send(TERMINATOR);
}

void RemoteControlScreen::B_stepClick()
{
    closeNavigator();
    sendTerminator();
    leaveTo(previousScreen());
}

void RemoteControlScreen::shutdownClick()
{
    closeNavigator();
    sendTerminator();
    leaveTo(menuDestination());
}

QString RemoteControlScreen::helpPage() const
{
    return u"Navi\\navi\\index_s6.html"_s;
}

void RemoteControlScreen::refreshPortState()
{
    const RobotLine *port = m_port;
    PortStatus status;
    status.cause = PortCause::Other;
    if (port && port->lineClaimed()) {
        m_portState = PortState::Busy;
    } else {
        if (port)
            status = port->currentStatus();
        // Open means the next byte can go: a closed port that would open counts as closed.
        m_portState = port && port->isOpen() && status.cause == PortCause::Usable ? PortState::Open
                                                                                 : PortState::Closed;
    }

    switch (m_portState) {
    case PortState::Open:
        m_portLabel->setText(QString::fromUtf16(portMessage(PortCause::Usable).stateLine));
        m_portLabel->setStyleSheet(u"color: rgb(0, 150, 60);"_s);
        break;
    case PortState::Busy:
        m_portLabel->setText(u"● いまプログラムを送っています"_s);
        m_portLabel->setStyleSheet(u"color: rgb(200, 120, 0);"_s);
        break;
    case PortState::Closed: {
        // A closed port whose device looks fine is opened by the start button.
        const PortCause cause = status.cause == PortCause::Usable ? PortCause::Other : status.cause;
        m_portLabel->setText(QString::fromUtf16(portMessage(cause).stateLine));
        m_portLabel->setStyleSheet(u"color: rgb(210, 30, 30);"_s);
        break;
    }
    }
    m_portLabel->setToolTip(status.cause == PortCause::Usable ? QString() : portBoxText(status));
}

void RemoteControlScreen::tellUnreachable()
{
    refreshPortState();
    // Once until the port is opened again: every further key would otherwise bring a box.
    if (m_toldUnreachable)
        return;
    m_toldUnreachable = true;
    ui::tell(this, ui::MessageKind::Warning, unreachableText(m_port));
}
