// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtWidgets/QScrollArea>
#include <QtWidgets/QWidget>

#include <QPixmap>
#include <QString>

#include <array>

class QLabel;

// The slot picture Drop_image<n>: shows an icon, takes drops of palette icons, and its click
// is the insert action.
class SlotPicture : public QWidget
{
    Q_OBJECT
public:
    SlotPicture(int slot, QWidget *parent);

    int slot() const { return m_slot; }
    void setPicture(const QPixmap &picture);

signals:
    void iconDropped(int slot, const QString &icon);
    void clicked(int slot);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    int m_slot;
    QPixmap m_picture;
};

// Where a slot's name and value labels stand.
struct SlotLabelLayout
{
    int nameWidth = 84;
    int valueLeft = 210;
    int valueWidth = 60;
};

// The scrolling column of 59 numbered slots (ScrollBox1). It shows what the screen tells it;
// the program itself lives in the screen.
class SlotColumn : public QScrollArea
{
    Q_OBJECT
public:
    explicit SlotColumn(QWidget *parent);

    SlotPicture *slotPicture(int slot) const;
    QLabel *numberLabel(int slot) const;
    QLabel *nameLabel(int slot) const { return m_rows[size_t(slot)].name; }
    QLabel *valueLabel(int slot) const { return m_rows[size_t(slot)].value; }

    // Loads a picture into the slot; a missing file is a failure for the caller's guard.
    void showPicture(int slot, const QString &relativeName);
    // Makes the slot's two labels anew (any old ones go first).
    void createLabels(int slot, const QString &name, const QString &valueText, const SlotLabelLayout &layout);
    void destroyLabels(int slot);
    void setValueText(int slot, const QString &text);
    // Texts of the labels, empty for a slot without labels.
    QString nameText(int slot) const;
    QString valueText(int slot) const;

    // The last three rows are hidden while the robot waits for its front switch.
    void setLastRowsVisible(bool visible);

    // A slot that keeps the program from being sent: scrolled into view, its number and row
    // in the mark colour, until the next drop, click or clearMark().
    void markSlot(int slot);
    void clearMark();
    int markedSlot() const { return m_markedSlot; }
    // The slot the robot on the floor is carrying out, in green and kept in view; -1 for none.
    void setRunningSlot(int slot);
    int runningSlot() const { return m_runningSlot; }

signals:
    void iconDropped(int slot, const QString &icon);
    void slotClicked(int slot);
    void valueLabelClicked(int slot);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Row
    {
        QLabel *number = nullptr;
        SlotPicture *picture = nullptr;
        QLabel *name = nullptr;
        QLabel *value = nullptr;
        int valueWidth = 0; // at the design size
    };
    std::array<Row, 59> m_rows{};
    QWidget *m_inside = nullptr;
    QWidget *m_mark = nullptr;
    int m_markedSlot = -1;
    QWidget *m_running = nullptr;
    int m_runningSlot = -1;
};
