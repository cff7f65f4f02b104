// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtWidgets/QWidget>

#include "app/ui/clickablepicture.h"

#include <QPixmap>
#include <QString>

class QPainter;

// A push button that is a picture. Its objectName is the component name the pictures are
// named after: while a mouse button is held on it, "Photo\Button\" + name + "-1.jpg" shows;
// after release, name + ".jpg"; the click follows the release. Loading a picture on press or
// release is guarded by the window's numbers: a missing file shows the numbered box and the
// button keeps the picture it had. It takes Tab focus; Space and Return press it as a click
// does, and screen readers hear the caption its picture shows.
class PictureButton : public ClickablePicture
{
    Q_OBJECT
public:
    struct ErrorNumbers
    {
        int press = 0;
        int release = 0;
    };

    // caption: a short Japanese word drawn on the button while it has no picture at all.
    PictureButton(const QString &name, const QRect &geometry, ErrorNumbers numbers,
                  const QString &caption, QWidget *parent);

    // ".jpg" by default; the icon screen's time and angle buttons use ".bmp".
    void setPictureExtension(const QString &extension);
    // The picture currently shown (null while no file could be read yet).
    QPixmap picture() const { return m_picture; }
    // Shows the released picture if there is one, quietly (at creation and after a reset).
    void loadReleasedPictureQuietly();
    // Off: press and release load no pictures; the owner shows fixed ones itself (the icon
    // screen's insert button, whose picture tells whether insert mode is on).
    void setPressedPictures(bool on) { m_pressedPictures = on; }
    // Loads a named picture into the button (guarded by the caller).
    void setPictureFile(const QString &relativeName);

    QString caption() const { return m_caption; }
    // The key that presses the button from anywhere in its window, drawn on it ("1" … "7").
    void setKeyLabel(const QString &key);

    // The Tag of the component (the icon screen keeps its step mode in F_step's Tag).
    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void afterPress() override;
    void afterRelease() override;

private:
    void paintKeyLabel(QPainter &painter);

    QPixmap m_picture;
    QString m_extension = QString::fromUtf16(u".jpg");
    QString m_caption;
    QString m_keyLabel;
    ErrorNumbers m_numbers;
    int m_tag = 0;
    bool m_pressedPictures = true;
};
