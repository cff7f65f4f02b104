// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtWidgets/QWidget>

#include "app/report/reportbuilder.h"
#include "app/ui/picturewindow.h"
#include "icon/iconprogram.h"
#include "icon/programlistrows.h"

#include <QList>
#include <QPixmap>

// ListBox1: the owner-drawn list of the program's rows in four columns. It paints every row
// each time, since a row's picture reaches into the row above it.
class ProgramListBox : public QWidget
{
    Q_OBJECT
public:
    explicit ProgramListBox(QWidget *parent);

    // pictures[r] is row r's picture; a null one leaves the row with its text only.
    void setRows(const QList<ProgramListRow> &rows, const QList<QPixmap> &pictures);
    void clear();
    const QList<ProgramListRow> &rows() const { return m_rows; }
    QStringList rowTexts() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QList<ProgramListRow> m_rows;
    QList<QPixmap> m_pictures;
};

// TForm2: the whole icon program at a glance, opened over the icon screen. It shows the
// program as it was when it opened and is not updated while open.
class ProgramListWindow : public PictureWindow
{
    Q_OBJECT
public:
    ProgramListWindow();

    // Rebuilds the rows from the program and its slot labels and shows the window; while it
    // is open it only comes to the front.
    void showFor(const IconProgram &program, const QList<IconSlotTexts> &labels);

    ProgramListBox *listBox() const { return ListBox1; }

private:
    ProgramListBox *ListBox1 = nullptr;
    PictureButton *tojiru = nullptr;
};
