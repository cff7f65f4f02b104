// SPDX-License-Identifier: GPL-3.0-or-later
#include "icon/programlistwindow.h"

#include "app/ui/errorguard.h"
#include "app/ui/pictures.h"
#include "common/errornumbers.h"

#include <QtWidgets/QApplication>

#include <QPainter>

using namespace Qt::StringLiterals;

namespace {

constexpr int FONT_PIXELS = 17;

}

ProgramListBox::ProgramListBox(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(u"ListBox1"_s);
    setGeometry(10, 9, PROGRAM_LIST_WIDTH, PROGRAM_LIST_HEIGHT);
    QFont f = font();
    // The list's own font where it is installed; a Japanese gothic face otherwise.
    f.setFamilies({u"ＭＳ Ｐゴシック"_s, u"Noto Sans CJK JP"_s, f.family()});
    f.setPixelSize(FONT_PIXELS);
    f.setBold(true);
    setFont(f);
}

void ProgramListBox::setRows(const QList<ProgramListRow> &rows, const QList<QPixmap> &pictures)
{
    m_rows = rows;
    m_pictures = pictures;
    update();
}

void ProgramListBox::clear()
{
    setRows({}, {});
}

QStringList ProgramListBox::rowTexts() const
{
    QStringList texts;
    for (qsizetype r = 0; r < m_rows.size(); ++r)
        texts << programListRowText(int(r), m_rows[r]);
    return texts;
}

void ProgramListBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QPalette colours = palette();
    painter.fillRect(rect(), colours.color(QPalette::Base));
    painter.setFont(font());
    painter.setPen(colours.color(QPalette::Text));
    for (qsizetype r = 0; r < m_rows.size(); ++r) {
        const QRect cell = programListCell(int(r));
        painter.fillRect(cell, colours.color(QPalette::Base));
        painter.drawText(cell, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                         programListRowText(int(r), m_rows[r]));
        const QPixmap &picture = m_pictures.value(r);
        if (!picture.isNull())
            painter.drawPixmap(programListPictureRect(cell), picture);
    }
}

ProgramListWindow::ProgramListWindow()
    : PictureWindow({u"TForm2"_s, u"list"_s, QSize(770, 578), u"back"_s,
                     {errors::LIST_BUTTON_PRESS, errors::LIST_BUTTON_RELEASE}})
{
    ListBox1 = new ProgramListBox(this);
    tojiru = addButton(u"tojiru"_s, QRect(265, 534, 241, 31), u"閉じる"_s);
    connect(tojiru, &PictureButton::clicked, this, &QWidget::close);
}

void ProgramListWindow::showFor(const IconProgram &program, const QList<IconSlotTexts> &labels)
{
    if (isVisible()) {
        raise();
        activateWindow();
        return;
    }
    ListBox1->clear();
    const QList<ProgramListRow> rows = programListRows(program, labels);
    QList<QPixmap> pictures;
    bool failed = false;
    for (const ProgramListRow &row : rows) {
        QPixmap picture;
        try {
            if (row.picture.isEmpty())
                throw ui::Failure(u"命令の絵がありません"_s);
            picture = ui::loadPicture(row.picture);
        } catch (const std::exception &) {
            failed = true;
        }
        pictures << picture;
    }
    ListBox1->setRows(rows, pictures);
    show();
    raise();
    activateWindow();
    // One box for the whole list: a box per failing row, or per repaint, would never end.
    if (failed)
        ui::showNumberedError(this, errors::LIST_ROW);
}
