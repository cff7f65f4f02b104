// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/report/memolines.h"

#include <QPlainTextDocumentLayout>
#include <QTextBlock>
#include <QTextLayout>

QStringList shownLines(const QPlainTextEdit *memo)
{
    QStringList lines;
    const QTextDocument *doc = memo->document();
    auto *layout = qobject_cast<QPlainTextDocumentLayout *>(doc->documentLayout());
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        if (text.isEmpty() && !block.next().isValid())
            break;
        if (layout)
            layout->ensureBlockLayout(block);
        const QTextLayout *textLayout = block.layout();
        if (!textLayout || textLayout->lineCount() == 0) {
            lines << text;
            continue;
        }
        for (int i = 0; i < textLayout->lineCount(); ++i) {
            const QTextLine line = textLayout->lineAt(i);
            lines << text.mid(line.textStart(), line.textLength());
        }
    }
    return lines;
}
