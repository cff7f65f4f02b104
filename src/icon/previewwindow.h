// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtWidgets/QWidget>

#include "app/ui/picturewindow.h"
#include "icon/iconprogram.h"
#include "icon/previewsim.h"

#include <QList>
#include <QPixmap>

class QLabel;

// The 500 x 500 drawing area of the preview: the grid, the robot at START and END and the
// path, drawn once into a picture when the drawing is made.
class PreviewArea : public QWidget
{
    Q_OBJECT
public:
    PreviewArea(const PreviewDrawing &drawing, QWidget *parent);

    QPixmap picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_picture;
};

// TForm6: the drawn path of a STEP2 icon program, opened over the icon screen. Each showing
// makes a new drawing of the program of that moment; closing removes it.
class PreviewWindow : public PictureWindow
{
    Q_OBJECT
public:
    PreviewWindow();

    // Shows the window with a drawing of the program; while it is open it only comes to the
    // front and keeps its drawing.
    void showFor(const IconProgram &program);

    PreviewArea *area() const { return m_area; }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormShow();
    void drawSegments(const PreviewDrawing &drawing);
    QLabel *addLabel(const QString &name, const QFont &font, const QColor &colour);
    void removeDrawing();

    IconProgram m_program;
    PreviewArea *m_area = nullptr;
    QLabel *m_start = nullptr;
    QLabel *m_end = nullptr;
    QList<QWidget *> m_segmentWidgets;

    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    PictureButton *tojiru = nullptr;
};
