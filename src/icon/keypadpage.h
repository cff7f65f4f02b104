// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtWidgets/QWidget>

#include "app/ui/picturebutton.h"
#include "icon/valuekeypad.h"

class QLabel;
class QSlider;

// The confirm pictures Image42 and Enter: picture buttons without a pressed picture.
class ConfirmPicture : public PictureButton
{
    Q_OBJECT
public:
    ConfirmPicture(const QString &name, const QRect &geometry, const QString &caption, QWidget *parent);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
};

// TabSheet2: the time and count keypad with its display and track bar.
class TimeKeypadPage : public QWidget
{
    Q_OBJECT
public:
    explicit TimeKeypadPage(QWidget *parent);

    // Opens the page for a freshly dropped slot (unit "秒" or "回").
    void startEditing(const QString &unit);
    // Opens the page on a slot's value.
    void reopen(qint32 value, const QString &unit);

    // The keys as the keyboard reaches them: "0" … "9" and ".".
    void pressDigit(int digit);
    void pressDecimalPoint();
    // Confirm: kind is the edited slot's kind. Emits confirmed, or shows the maximum
    // message and stays.
    void confirm(qint32 kind);

    QString unit() const { return m_unit; }
    const TimeKeypad &keypad() const { return m_keypad; }
    QSlider *trackBar() const { return m_trackBar; }

signals:
    void confirmRequested();
    void confirmed(const TimeKeypad::Confirmed &result);

private:
    void showDisplay();
    void setDecimalKeyVisible(bool visible);

    TimeKeypad m_keypad;
    QString m_unit;
    QLabel *Label6 = nullptr;
    QLabel *Label7 = nullptr;
    QLabel *Label11 = nullptr;
    QSlider *m_trackBar = nullptr;
    PictureButton *time_00 = nullptr;
};

// TabSheet3: the angle page; a later angle replaces an earlier one.
class AnglePage : public QWidget
{
    Q_OBJECT
public:
    explicit AnglePage(QWidget *parent);

    void startEditing(qint32 angle);
    void chooseAngle(int angle);
    void confirm();
    int angle() const { return m_angle; }

signals:
    void confirmed(int angle);

private:
    QLabel *Label8 = nullptr;
    int m_angle = 0;
};
