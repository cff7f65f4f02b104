// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtWidgets/QWidget>

class QPainter;

// What every clickable picture of the program shares (the picture buttons, the remote
// control's drive pictures, the help panel's items): pressed() as a mouse button goes down on
// it, released() as it comes up, clicked() after a left button went down and came up on it.
// A picture whose file is missing draws a plate with its caption instead, so it can still be
// found and read.
class ClickablePicture : public QWidget
{
    Q_OBJECT
public:
    using QWidget::QWidget;

    bool isHeld() const { return m_held; }

signals:
    void pressed();
    void released();
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    // After pressed() / released() and before clicked(): the picture buttons change picture.
    virtual void afterPress() {}
    virtual void afterRelease() {}

    // The stand-in for a missing picture; lit: held, or the current choice.
    void paintCaptionPlate(QPainter &painter, const QString &caption, bool lit) const;

private:
    bool m_held = false;
};
