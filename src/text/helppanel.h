// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtWidgets/QWidget>

#include "app/ui/clickablepicture.h"

#include <QObject>
#include <QPixmap>

class QFrame;

// A picture that takes clicks but has no pressed picture: the help items, their markers, the
// explanation picture and the panel switch Image1.
class HelpPicture : public ClickablePicture
{
    Q_OBJECT
public:
    HelpPicture(const QString &name, const QRect &geometry, const QString &caption, QWidget *parent);

    // Loads "Photo\..." (a missing file is a failure for the caller's guard).
    void setPictureFile(const QString &relativeName);
    void setPictureFileQuietly(const QString &relativeName);
    QString pictureFile() const { return m_file; }
    QPixmap picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_caption;
    QString m_file;
    QPixmap m_picture;
};

// The help panel of the text screen: five basic groups (m1 ... m6 with the marker ball1), the
// extended list Panel1 (m_1 ... m_10 with the markers ball and s_ball) and the explanation
// picture Image6. It only explains; it writes nothing into the program.
class HelpPanel : public QObject
{
    Q_OBJECT
public:
    // The controls are made on window, at the window's coordinates.
    explicit HelpPanel(QWidget *window);

    bool isOpen() const { return m_open; }
    // The state of a freshly shown screen: closed, the first group explained.
    void reset();
    // Image1MouseDown: opens or closes the extended list.
    void toggle();

    QString shownPicture() const;
    QFrame *panel() const { return Panel1; }

signals:
    void openChanged(bool open);

private:
    void m6Click(HelpPicture *item);
    void m_1Click(HelpPicture *item);
    void show(const QString &itemName);
    void putBall(QWidget *ball, QWidget *beside);

    QWidget *m_window;
    bool m_open = false;
    QList<HelpPicture *> m_basic;
    QList<HelpPicture *> m_extended;
    HelpPicture *ball1 = nullptr;
    HelpPicture *ball = nullptr;
    HelpPicture *s_ball = nullptr;
    HelpPicture *Image6 = nullptr;
    QFrame *Panel1 = nullptr;
};
