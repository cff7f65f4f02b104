// SPDX-License-Identifier: GPL-3.0-or-later
#include "icon/keypadpage.h"
#include "common/errornumbers.h"

#include "app/ui/errorguard.h"
#include "app/ui/messagebox.h"

#include <QtWidgets/QLabel>
#include <QtWidgets/QSlider>

#include <QMouseEvent>

using namespace Qt::StringLiterals;

namespace {

// Key and angle pictures: ".bmp", pressed "-1.bmp", with the window's keypad numbers.
constexpr PictureButton::ErrorNumbers KEY_ERRORS{errors::ICON_VALUE_PRESS, errors::ICON_VALUE_RELEASE};

QLabel *label(const QString &name, const QString &text, const QRect &geometry, int pointSize,
              QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setGeometry(geometry);
    QFont f = l->font();
    f.setPointSize(pointSize);
    f.setBold(true);
    l->setFont(f);
    return l;
}

PictureButton *key(const QString &name, const QRect &geometry, const QString &caption,
                   const QString &hint, QWidget *parent)
{
    auto *button = new PictureButton(name, geometry, KEY_ERRORS, caption, parent);
    button->setPictureExtension(u".bmp"_s);
    button->setProperty("hint", hint);
    return button;
}

} // namespace

ConfirmPicture::ConfirmPicture(const QString &name, const QRect &geometry, const QString &caption,
                               QWidget *parent)
    : PictureButton(name, geometry, {}, caption, parent)
{
    setPictureExtension(u".bmp"_s);
}

void ConfirmPicture::mousePressEvent(QMouseEvent *event)
{
    event->accept();
}

void ConfirmPicture::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

TimeKeypadPage::TimeKeypadPage(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(u"TabSheet2"_s);
    const QString hint = u"命令を実行する秒数、繰返し回数を決めます"_s;
    label(u"Label4"_s, u"時間・回数"_s, QRect(20, 4, 130, 24), 15, this);
    Label6 = label(u"Label6"_s, u"00"_s, QRect(28, 34, 40, 30), 20, this);
    label(u"Label5"_s, u"."_s, QRect(68, 34, 10, 30), 20, this);
    Label7 = label(u"Label7"_s, u"0"_s, QRect(78, 34, 20, 30), 20, this);
    Label11 = label(u"Label11"_s, u"秒"_s, QRect(102, 34, 30, 30), 15, this);
    Label6->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    // Digit keys in three rows of three, then 0, the decimal point and confirm.
    const int rows[3][3] = {{7, 8, 9}, {4, 5, 6}, {1, 2, 3}};
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            const int d = rows[r][c];
            PictureButton *k = key(u"time_%1"_s.arg(d), QRect(7 + 49 * c, 72 + 41 * r, 46, 38),
                                   QString::number(d), hint, this);
            connect(k, &PictureButton::clicked, this, [this, d] { pressDigit(d); });
        }
    }
    PictureButton *zero = key(u"time_0"_s, QRect(7, 195, 46, 38), u"0"_s, hint, this);
    connect(zero, &PictureButton::clicked, this, [this] { pressDigit(0); });
    time_00 = key(u"time_00"_s, QRect(56, 195, 46, 38), u"."_s, hint, this);
    connect(time_00, &PictureButton::clicked, this, &TimeKeypadPage::pressDecimalPoint);
    auto *confirmKey = new ConfirmPicture(u"Image42"_s, QRect(105, 195, 46, 38), u"けってい"_s, this);
    confirmKey->setProperty("hint", u"命令を実行する秒数を決めます"_s);
    connect(confirmKey, &PictureButton::clicked, this, &TimeKeypadPage::confirmRequested);

    m_trackBar = new QSlider(Qt::Horizontal, this);
    m_trackBar->setObjectName(u"LMDTrackBar1"_s);
    m_trackBar->setGeometry(10, 250, 140, 28);
    m_trackBar->setRange(0, 200);
    m_trackBar->setValue(0);
    connect(m_trackBar, &QSlider::valueChanged, this, [this](int position) {
        m_keypad.trackBarMoved(position, m_unit);
        showDisplay();
    });
    label(u"Label2"_s, u"0"_s, QRect(10, 280, 30, 20), 10, this);
    label(u"Label3"_s, u"20"_s, QRect(128, 280, 30, 20), 10, this);
}

void TimeKeypadPage::startEditing(const QString &unit)
{
    m_unit = unit;
    Label11->setText(unit);
    setDecimalKeyVisible(unit != u"回");
    m_trackBar->setFocus();
}

void TimeKeypadPage::reopen(qint32 value, const QString &unit)
{
    m_unit = unit;
    const int position = m_keypad.reopen(value, unit);
    Label11->setText(unit);
    setDecimalKeyVisible(unit != u"回");
    // Moving the bar must not overwrite the display just taken from the slot.
    const QSignalBlocker block(m_trackBar);
    m_trackBar->setValue(position);
    showDisplay();
    m_trackBar->setFocus();
}

void TimeKeypadPage::pressDigit(int digit)
{
    m_keypad.digit(digit);
    showDisplay();
}

void TimeKeypadPage::pressDecimalPoint()
{
    m_keypad.decimalPoint();
}

void TimeKeypadPage::confirm(qint32 kind)
{
    const TimeKeypad::Confirmed result = m_keypad.confirm(kind);
    if (!result.accepted) {
        ui::showMessage(window(), ui::MessageKind::Warning, valueTooLargeMessage());
        return;
    }
    m_keypad.reset();
    {
        const QSignalBlocker block(m_trackBar);
        m_trackBar->setValue(0);
    }
    showDisplay();
    emit confirmed(result);
}

void TimeKeypadPage::showDisplay()
{
    Label6->setText(m_keypad.integerText());
    Label7->setText(m_keypad.tenthsText());
}

void TimeKeypadPage::setDecimalKeyVisible(bool visible)
{
    time_00->setVisible(visible);
}

AnglePage::AnglePage(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(u"TabSheet3"_s);
    const QString hint = u"右左折、回転する角度を決めます"_s;
    label(u"Label9"_s, u"回転角度（度）"_s, QRect(8, 4, 150, 24), 14, this);
    Label8 = label(u"Label8"_s, u"000"_s, QRect(30, 34, 60, 30), 20, this);
    Label8->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label(u"Label10"_s, u"度"_s, QRect(95, 34, 30, 30), 15, this);
    for (int i = 0; i < 8; ++i) {
        const int angle = 45 * (i + 1);
        PictureButton *b = key(u"Turn_%1"_s.arg(angle), QRect(7 + 75 * (i % 2), 72 + 47 * (i / 2), 70, 44),
                               QString::number(angle), hint, this);
        b->setTag(angle);
        connect(b, &PictureButton::clicked, this, [this, angle] { chooseAngle(angle); });
    }
    auto *enter = new ConfirmPicture(u"Enter"_s, QRect(7, 265, 145, 34), u"けってい"_s, this);
    enter->setProperty("hint", hint);
    connect(enter, &PictureButton::clicked, this, &AnglePage::confirm);
}

void AnglePage::startEditing(qint32 angle)
{
    m_angle = angle;
    Label8->setText(QString::number(angle));
}

void AnglePage::chooseAngle(int angle)
{
    m_angle = angle;
    Label8->setText(QString::number(angle));
}

void AnglePage::confirm()
{
    const int angle = m_angle;
    m_angle = 0;
    Label8->setText(u"000"_s);
    emit confirmed(angle);
}
