// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/sonedit.h"

#include <QtWidgets/QScrollBar>

#include <QAbstractTextDocumentLayout>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

constexpr int MAX_MARGIN = 30;
constexpr int MIN_COLUMN = 10;
constexpr int LINE_NUMBER_GAP = 7;
constexpr int MAX_LINE_NUMBER_DIGITS_WIDTH = 100;
constexpr char16_t FULL_WIDTH_SPACE = u'\u3000';

QColor inverted(const QColor &c)
{
    return QColor(255 - c.red(), 255 - c.green(), 255 - c.blue());
}

quint32 rgbOf(const QColor &c)
{
    return quint32(c.rgb() & 0xFFFFFF);
}

}

// The line-number column, left of the text.
class SonLineNumbers : public QWidget
{
public:
    explicit SonLineNumbers(TSonEdit *editor)
        : QWidget(editor)
        , m_editor(editor)
    {
        setObjectName(u"LineNumbers"_s);
        setCursor(Qt::ArrowCursor);
    }

protected:
    void paintEvent(QPaintEvent *event) override { m_editor->paintLineNumbers(event); }

private:
    TSonEdit *m_editor;
};

TSonEdit::TSonEdit(QWidget *parent)
    : QPlainTextEdit(parent)
    , m_numbers(new SonLineNumbers(this))
{
    setObjectName(u"TSonEdit"_s);
    resize(185, 89);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setCursor(Qt::IBeamCursor);
    document()->setDocumentMargin(0);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setEditorFont(u"FixedSys"_s, 14);
    connect(document(), &QTextDocument::contentsChange, this, &TSonEdit::contentsChanged);
    connect(this, &QPlainTextEdit::textChanged, this, &TSonEdit::textChangedHere);
    connect(this, &QPlainTextEdit::blockCountChanged, this, &TSonEdit::updateMargins);
    connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect &rect, int dy) {
        if (dy)
            m_numbers->scroll(0, dy);
        else
            m_numbers->update(0, rect.y(), m_numbers->width(), rect.height());
    });
    applyPalette();
    updateMargins();
}

QString TSonEdit::versionText()
{
    return u"TSonEdit Ver1.13"_s;
}

QString TSonEdit::text() const
{
    return lines().text();
}

TSonStrings TSonEdit::lines() const
{
    QStringList bodies;
    bodies.reserve(document()->blockCount());
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next())
        bodies.append(b.text());
    TSonStrings strings;
    strings.setBodies(bodies);
    return strings;
}

int TSonEdit::lineCount() const
{
    return document()->blockCount();
}

QString TSonEdit::line(int i) const
{
    const QTextBlock b = document()->findBlockByNumber(i);
    if (!b.isValid() || i < 0)
        return QString();
    return b.next().isValid() ? b.text() + QString::fromUtf16(TSonStrings::TERMINATOR) : b.text();
}

void TSonEdit::setTextQuietly(const QString &text)
{
    m_quiet = true;
    // The document keeps lines as blocks; one terminator for all, however the text came.
    setPlainText(TSonStrings(text).bodies().join(u'\n'));
    m_quiet = false;
    document()->clearUndoRedoStacks();
    m_undoBytes = 0;
    m_modified = false;
    moveCursor(QTextCursor::Start);
    verticalScrollBar()->setValue(0);
}

void TSonEdit::setText(const QString &text)
{
    setTextQuietly(text);
}

void TSonEdit::clear()
{
    setTextQuietly(QString());
}

void TSonEdit::contentsChanged(int, int removed, int added)
{
    if (removed == 0 && added == 0)
        return;
    m_overlays.clear();
    m_overlayIndex.clear();
    m_overlaysPending = true;
    m_marked.clear();
    if (m_quiet)
        return;
    m_modified = true;
    // Two bytes a character is what a code page 932 history would need at most.
    m_undoBytes += 2 * qint64(removed + added);
    if (m_undoBytes > m_undoBuf) {
        // The history may not grow past UndoBuf: it starts again from here.
        m_undoBytes = 0;
        QTimer::singleShot(0, this, [this] { document()->clearUndoRedoStacks(); });
    }
}

void TSonEdit::textChangedHere()
{
    m_inChange = true;
    emit OnChange();
    m_inChange = false;
    if (m_overlaysPending)
        applyOverlays();
}

void TSonEdit::paintRange(int i, int column, int n, const QColor &f, const QColor &b)
{
    const OverlayKey key{i, column, n};
    const auto found = m_overlayIndex.constFind(key);
    if (found != m_overlayIndex.cend()) {
        Overlay &o = m_overlays[*found];
        if (o.text == f && o.background == b)
            return;
        o.text = f;
        o.background = b;
        scheduleOverlays();
        return;
    }
    m_overlayIndex.insert(key, int(m_overlays.size()));
    m_overlays.append({i, column, n, f, b});
    scheduleOverlays();
}

void TSonEdit::scheduleOverlays()
{
    if (m_inChange) {
        m_overlaysPending = true;
        return;
    }
    if (m_overlaysPending)
        return;
    m_overlaysPending = true;
    QMetaObject::invokeMethod(this, &TSonEdit::applyOverlays, Qt::QueuedConnection);
}

void TSonEdit::applyOverlays()
{
    if (!m_overlaysPending)
        return;
    m_overlaysPending = false;
    const QColor mark = markColor();
    QList<QTextEdit::ExtraSelection> selections;
    if (const QTextBlock running = document()->findBlockByNumber(m_running); m_running >= 0 && running.isValid()) {
        QTextEdit::ExtraSelection s;
        s.cursor = QTextCursor(running);
        s.format.setBackground(runningColor());
        s.format.setProperty(QTextFormat::FullWidthSelection, true);
        selections.append(s);
    }
    for (const int lineNo : std::as_const(m_marked)) {
        const QTextBlock block = document()->findBlockByNumber(lineNo);
        if (!block.isValid())
            continue;
        QTextEdit::ExtraSelection s;
        s.cursor = QTextCursor(block);
        s.format.setBackground(mark);
        s.format.setProperty(QTextFormat::FullWidthSelection, true);
        selections.append(s);
    }
    // Walk the blocks once, in line order, rather than looking each line up.
    QList<const Overlay *> ordered;
    ordered.reserve(m_overlays.size());
    for (const Overlay &o : std::as_const(m_overlays))
        ordered.append(&o);
    std::stable_sort(ordered.begin(), ordered.end(), [](const Overlay *a, const Overlay *b) { return a->line < b->line; });
    QTextBlock block = document()->begin();
    QStringList bodies;
    for (const Overlay *o : std::as_const(ordered)) {
        while (block.isValid() && block.blockNumber() < o->line)
            block = block.next();
        if (!block.isValid())
            break;
        bodies.clear();
        bodies.append(block.text());
        // A range longer than its line runs on; only then are the next lines read.
        int reach = o->bytes - bytecolumns::lineBytes(bodies.first()) + o->column;
        for (QTextBlock b = block.next(); reach > 0 && b.isValid(); b = b.next()) {
            bodies.append(b.text());
            reach -= 2 + bytecolumns::lineBytes(bodies.last());
        }
        for (const bytecolumns::Span &span : bytecolumns::resolve(bodies, 0, o->column, o->bytes)) {
            QTextBlock at = block;
            for (int k = 0; k < span.line; ++k)
                at = at.next();
            QTextEdit::ExtraSelection s;
            s.cursor = QTextCursor(document());
            s.cursor.setPosition(at.position() + span.first);
            s.cursor.setPosition(at.position() + span.first + span.count, QTextCursor::KeepAnchor);
            s.format.setForeground(o->text);
            s.format.setBackground(m_marked.contains(o->line + span.line) ? mark : o->background);
            selections.append(s);
        }
    }
    setExtraSelections(selections);
}

void TSonEdit::refresh()
{
    viewport()->update();
    m_numbers->update();
}

void TSonEdit::recomputeLayout()
{
    const int top = verticalScrollBar()->value();
    applyPalette();
    updateMargins();
    document()->markContentsDirty(0, document()->characterCount());
    verticalScrollBar()->setValue(top);
    refresh();
}

void TSonEdit::markLines(const QList<int> &lines)
{
    m_marked.clear();
    for (const int l : lines) {
        if (l >= 0 && l < lineCount() && !m_marked.contains(l))
            m_marked.append(l);
    }
    m_overlaysPending = true;
    applyOverlays();
    m_numbers->update();
    if (!m_marked.isEmpty()) {
        setTextCursor(QTextCursor(document()->findBlockByNumber(m_marked.first())));
        ensureCursorVisible();
    }
}

void TSonEdit::setRunningLine(int line)
{
    if (line == m_running)
        return;
    m_running = line;
    m_overlaysPending = true;
    applyOverlays();
    m_numbers->update();
    const QTextBlock block = document()->findBlockByNumber(line);
    if (line >= 0 && block.isValid()) {
        // In sight without moving the pupil's cursor.
        const QRectF box = blockBoundingGeometry(block).translated(contentOffset());
        if (box.top() < 0 || box.bottom() > viewport()->height())
            verticalScrollBar()->setValue(qMax(0, block.firstLineNumber() - 2));
    }
}

QColor TSonEdit::runningColor() const
{
    // Green like the run button, dark on a dark page and pale on a light one.
    return m_background.lightness() < 128 ? QColor(0x1b, 0x5e, 0x20) : QColor(0xc8, 0xe6, 0xc9);
}

QColor TSonEdit::markColor() const
{
    QColor comment = m_text;
    for (const Overlay &o : m_overlays) {
        comment = o.text;
        break;
    }
    return QColor::fromRgb(faultmark::background(rgbOf(m_background), rgbOf(m_text), rgbOf(comment)));
}

void TSonEdit::setColor(const QColor &background)
{
    m_background = background;
    applyPalette();
}

void TSonEdit::setFontColor(const QColor &text)
{
    m_text = text;
    applyPalette();
}

void TSonEdit::setEditorFont(const QString &family, int pointSize)
{
    QFont f;
    // A font the machine lacks (the settings may name one from another system) falls back to
    // a Japanese font, never to one without kana.
    f.setFamilies({family, u"Noto Sans Mono CJK JP"_s, u"Noto Sans CJK JP"_s, u"monospace"_s});
    f.setPointSize(qMax(1, pointSize));
    setFont(f);
    setTabCount(m_tabCount);
    updateMargins();
}

void TSonEdit::setEditorFontPixels(const QString &family, int pixelSize)
{
    setEditorFont(family, 10);
    QFont f = font();
    f.setPixelSize(qMax(1, pixelSize));
    setFont(f);
    setTabCount(m_tabCount);
    updateMargins();
}

void TSonEdit::setSelColor(const QColor &selection)
{
    m_selection = selection;
    applyPalette();
}

void TSonEdit::setCREOFcolor(const QColor &marks)
{
    m_marks = marks;
    refresh();
}

void TSonEdit::applyPalette()
{
    QPalette p = palette();
    for (const QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(g, QPalette::Base, m_background);
        p.setColor(g, QPalette::Window, m_background);
        p.setColor(g, QPalette::Text, m_text);
        p.setColor(g, QPalette::Highlight, m_selection);
        p.setColor(g, QPalette::HighlightedText, inverted(m_text));
    }
    setPalette(p);
    setAutoFillBackground(true);
    scheduleOverlays();
    refresh();
}

void TSonEdit::setShowCR(bool on)
{
    m_showCR = on;
    refresh();
}

void TSonEdit::setShowEOF(bool on)
{
    m_showEOF = on;
    refresh();
}

void TSonEdit::setShowDblSpace(bool on)
{
    m_showDblSpace = on;
    refresh();
}

void TSonEdit::setShowLineNumber(bool on)
{
    m_showLineNumber = on;
    updateMargins();
}

void TSonEdit::setLineNoColumn(int digits)
{
    m_lineNoColumn = qBound(1, digits, 5);
    updateMargins();
}

int TSonEdit::lineNumberWidth() const
{
    if (!m_showLineNumber)
        return 0;
    return qMin(MAX_LINE_NUMBER_DIGITS_WIDTH, m_lineNoColumn * fontMetrics().horizontalAdvance(u'0'))
           + LINE_NUMBER_GAP;
}

void TSonEdit::setTopMargin(int pixels)
{
    m_topMargin = qBound(0, pixels, MAX_MARGIN);
    updateMargins();
}

void TSonEdit::setLeftMargin(int pixels)
{
    m_leftMargin = qBound(0, pixels, MAX_MARGIN);
    updateMargins();
}

void TSonEdit::setLineSpace(int percent)
{
    // Kept for the callers' sake: the plain-text layout draws every line at the font's own
    // pitch, so a value above 0 does not widen the lines.
    m_lineSpace = qBound(0, percent, 100);
}

int TSonEdit::linePitch(int height, int lineSpace)
{
    return height + int(std::lround(double(qBound(0, lineSpace, 100)) * height / 100.0));
}

void TSonEdit::setTabCount(int characters)
{
    m_tabCount = qBound(1, characters, 8);
    setTabStopDistance(m_tabCount * fontMetrics().horizontalAdvance(u' '));
}

void TSonEdit::setWantTabs(bool on)
{
    m_wantTabs = on;
    setTabChangesFocus(!on);
}

void TSonEdit::setWordWrap(bool on)
{
    m_wordWrap = on;
    setLineWrapMode(on ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    updateMargins();
}

void TSonEdit::setColumn(int characters)
{
    m_column = qMax(MIN_COLUMN, characters);
    updateMargins();
}

void TSonEdit::setScrollStep(int lines)
{
    m_scrollStep = qMax(1, lines);
}

void TSonEdit::setUndoBuf(int bytes)
{
    m_undoBuf = qMax(0, bytes);
}

void TSonEdit::updateMargins()
{
    const int left = lineNumberWidth() + m_leftMargin;
    const QRect inside = contentsRect();
    const int scrollBar = verticalScrollBar()->isVisible() ? verticalScrollBar()->width() : 0;
    // Lines wrap at the window's edge or at Column byte columns, whichever comes first.
    const int columnWidth = m_column * fontMetrics().horizontalAdvance(u'0');
    const int available = inside.width() - left - scrollBar;
    const int right = m_wordWrap ? qMax(0, available - columnWidth) : 0;
    setViewportMargins(left, m_topMargin, right, 0);
    m_numbers->setGeometry(inside.left(), inside.top() + m_topMargin, lineNumberWidth(),
                           inside.height() - m_topMargin);
    m_numbers->setVisible(m_showLineNumber);
}

void TSonEdit::resizeEvent(QResizeEvent *event)
{
    QPlainTextEdit::resizeEvent(event);
    updateMargins();
}

void TSonEdit::paintEvent(QPaintEvent *event)
{
    QPlainTextEdit::paintEvent(event);
    QPainter painter(viewport());
    paintMarks(painter, event->rect());
    painter.end();
    emit OnPaint();
}

void TSonEdit::paintMarks(QPainter &painter, const QRect &area)
{
    if (!m_showCR && !m_showDblSpace && !m_showEOF)
        return;
    painter.setPen(QPen(m_marks, 1));
    const QPointF offset = contentOffset();
    const qreal glyph = fontMetrics().horizontalAdvance(u'0');
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
        const QRectF box = blockBoundingGeometry(block).translated(offset);
        if (box.top() > area.bottom())
            break;
        if (!block.isVisible() || box.bottom() < area.top())
            continue;
        const QTextLayout *layout = block.layout();
        if (!layout || layout->lineCount() == 0)
            continue;
        const QString body = block.text();
        if (m_showDblSpace) {
            for (qsizetype i = body.indexOf(FULL_WIDTH_SPACE); i >= 0; i = body.indexOf(FULL_WIDTH_SPACE, i + 1)) {
                const QTextLine l = layout->lineForTextPosition(int(i));
                const qreal x1 = l.cursorToX(int(i)), x2 = l.cursorToX(int(i) + 1);
                const QRectF cell(box.left() + x1 + 1.5, box.top() + l.y() + 2.5, x2 - x1 - 3, l.height() - 5);
                painter.drawRect(cell);
            }
        }
        const QTextLine last = layout->lineAt(layout->lineCount() - 1);
        const qreal endX = box.left() + last.cursorToX(int(body.size())) + 2;
        const qreal top = box.top() + last.y();
        const qreal h = last.height();
        if (block.next().isValid()) {
            if (m_showCR) {
                // A small bent arrow: down, then back to the left.
                const qreal w = qMax<qreal>(5, glyph * 0.8);
                const QPointF corner(endX + w, top + h * 0.7);
                const QPointF tip(endX + 1, top + h * 0.7);
                painter.drawLine(QPointF(endX + w, top + h * 0.25), corner);
                painter.drawLine(corner, tip);
                painter.drawLine(tip, tip + QPointF(3, -3));
                painter.drawLine(tip, tip + QPointF(3, 3));
            }
        } else if (m_showEOF) {
            painter.drawText(QRectF(endX, top, 10 * glyph, h), Qt::AlignLeft | Qt::AlignVCenter, u"[EOF]"_s);
        }
    }
}

void TSonEdit::paintLineNumbers(QPaintEvent *event)
{
    QPainter painter(m_numbers);
    painter.fillRect(event->rect(), m_background);
    const QColor mark = markColor();
    const QPointF offset = contentOffset();
    const int width = m_numbers->width();
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
        const QRectF box = blockBoundingGeometry(block).translated(offset);
        if (box.top() > event->rect().bottom())
            break;
        const int number = block.blockNumber();
        const qreal lineHeight = block.layout() && block.layout()->lineCount() > 0
                                     ? block.layout()->lineAt(0).height()
                                     : fontMetrics().height();
        const QRectF cell(0, box.top(), width - 3, lineHeight);
        QFont f = font();
        if (number == m_running) {
            painter.fillRect(QRectF(0, box.top(), width, box.height()), runningColor());
            f.setBold(true);
            painter.setPen(m_text);
        } else if (m_marked.contains(number)) {
            painter.fillRect(QRectF(0, box.top(), width, box.height()), mark);
            f.setBold(true);
            painter.setPen(faultmark::contrast(rgbOf(mark), rgbOf(m_text)) >= 3 ? m_text : inverted(mark));
        } else {
            painter.setPen(m_marks);
        }
        painter.setFont(f);
        const QString digits = QString::number(number + 1);
        painter.drawText(cell, Qt::AlignRight | Qt::AlignVCenter, digits.right(m_lineNoColumn));
    }
    painter.setPen(QPen(m_marks, 1));
    painter.drawLine(width - 1, 0, width - 1, m_numbers->height());
}

void TSonEdit::keyPressEvent(QKeyEvent *event)
{
    // Tab belongs to the text; Ctrl+Tab and Ctrl+Shift+Tab leave the editor.
    if ((event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)
        && event->modifiers() & Qt::ControlModifier) {
        // The text edit's own version keeps the focus while the text is editable.
        QWidget::focusNextPrevChild(event->key() == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier));
        event->accept();
        return;
    }
    if (!m_wantTabs && (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)
        && !(event->modifiers() & Qt::ControlModifier)) {
        focusNextPrevChild(event->key() == Qt::Key_Tab);
        event->accept();
        return;
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const Qt::KeyboardModifiers held = event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (enter && held) {
        // Shift is often still down after "(" or ")": every Enter makes the same line break,
        // never Qt's soft line separator, which the files cannot hold.
        QKeyEvent plain(event->type(), event->key(), event->modifiers() & Qt::KeypadModifier, u"\r"_s);
        QPlainTextEdit::keyPressEvent(&plain);
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Y && event->modifiers() == Qt::ControlModifier) {
        redo();
        event->accept();
        return;
    }
    const QString typed = event->text();
    if (!typed.isEmpty() && !holdable::all(typed)) {
        QString refused;
        holdable::filter(typed, &refused);
        event->accept();
        emit textRefused(refused);
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TSonEdit::inputMethodEvent(QInputMethodEvent *event)
{
    const QString commit = linebreaks::toNewlines(event->commitString());
    if (commit == event->commitString() && holdable::all(commit)) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    QString refused;
    const QString kept = holdable::filter(commit, &refused);
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    filtered.setCommitString(kept, event->replacementStart(), event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&filtered);
    event->accept();
    if (!refused.isEmpty())
        emit textRefused(refused);
}

void TSonEdit::insertFromMimeData(const QMimeData *source)
{
    if (!source || !source->hasText()) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    QString refused;
    // Breaks first: a pasted U+2028 is a line break to the pupil, not a refused character.
    const QString kept = holdable::filter(linebreaks::toNewlines(source->text()), &refused);
    // The characters the code page holds go in; the others are named to the pupil.
    QMimeData plain;
    plain.setText(kept);
    QPlainTextEdit::insertFromMimeData(&plain);
    if (!refused.isEmpty())
        emit textRefused(refused);
}

void TSonEdit::wheelEvent(QWheelEvent *event)
{
    m_wheel += event->angleDelta().y();
    const int steps = m_wheel / QWheelEvent::DefaultDeltasPerStep;
    m_wheel -= steps * QWheelEvent::DefaultDeltasPerStep;
    if (steps)
        verticalScrollBar()->setValue(verticalScrollBar()->value() - steps * m_scrollStep);
    event->accept();
}
