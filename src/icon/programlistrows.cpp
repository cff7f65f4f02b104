// SPDX-License-Identifier: GPL-3.0-or-later
#include "icon/programlistrows.h"

#include "icon/icontable.h"

namespace {

// Ideographic spaces between the parts of a row.
constexpr QStringView TWO_SPACES = u"　　";
constexpr QStringView ONE_SPACE = u"　";
constexpr int PICTURE_LEFT = 20;
constexpr int PICTURE_RAISE = 2;

QString joined(const QString &first, QStringView gap, const QString &second)
{
    QString text = first;
    text += gap;
    text += second;
    return text;
}

}

QList<ProgramListRow> programListRows(const IconProgram &program, const QList<IconSlotTexts> &labels)
{
    QList<ProgramListRow> rows;
    for (int n = 0; n < SLOT_COUNT; ++n) {
        const qint32 kind = program.slot(n).kind;
        const IconSlotTexts texts = labels.value(n);
        ProgramListRow row;
        switch (kind) {
        case SlotKind::MOTION:
            row.text = joined(texts.name, TWO_SPACES, texts.value);
            break;
        case SlotKind::WHILE_FRONT:
        case SlotKind::END_FRONT:
        case SlotKind::WHILE_REAR:
        case SlotKind::END_REAR:
        case SlotKind::LOOP_END:
            row.text = texts.name;
            break;
        case SlotKind::LOOP_START:
            row.text = joined(texts.name, ONE_SPACE, texts.value);
            break;
        default:
            continue;
        }
        // The picture is looked up by the name the row shows; an instruction always has one.
        const QString icon = texts.name.isEmpty() ? QString() : iconOfDisplayName(texts.name);
        row.picture = icon.isEmpty() ? QString() : pictureOf(icon);
        rows.append(row);
    }
    return rows;
}

QString programListRowText(int r, const ProgramListRow &row)
{
    return joined(QString::number(r + 1).rightJustified(2, u'0'), TWO_SPACES, row.text);
}

QRect programListCell(int r)
{
    const int column = r / PROGRAM_LIST_ROWS_PER_COLUMN;
    const int left = column * PROGRAM_LIST_WIDTH / PROGRAM_LIST_COLUMNS;
    const int right = (column + 1) * PROGRAM_LIST_WIDTH / PROGRAM_LIST_COLUMNS;
    const int top = (r % PROGRAM_LIST_ROWS_PER_COLUMN) * PROGRAM_LIST_ROW_HEIGHT;
    return QRect(left, top, right - left, PROGRAM_LIST_ROW_HEIGHT);
}

QRect programListPictureRect(const QRect &cell)
{
    return QRect(cell.left() + PICTURE_LEFT, cell.top() - PICTURE_RAISE, PROGRAM_LIST_PICTURE_SIZE,
                 PROGRAM_LIST_PICTURE_SIZE);
}
