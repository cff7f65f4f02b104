// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QWidget>

#include "editor/sonstrings.h"

#include <QColor>
#include <QHash>
#include <QList>

class SonLineNumbers;

// The program text editor TSonEdit: a plain-text field (so input methods, the clipboard,
// selection, scrolling and accessibility behave as in any text field) that keeps its text as
// lines joined by CR LF, shows line numbers and marks for line breaks and full-width spaces,
// and lets its owner paint ranges of code page 932 byte columns in colours of its own.
class TSonEdit : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit TSonEdit(QWidget *parent = nullptr);

    static QString versionText();

    // The lines joined by CR LF, no line break after the last.
    QString text() const;
    // Caret and view to the start, undo history emptied, modified mark cleared.
    void setText(const QString &text);
    void clear();
    bool modified() const { return m_modified; }
    // Text brought back from elsewhere (a recovery copy) is unsaved work.
    void markModified() { m_modified = true; }

    int lineCount() const;
    // Line i (from 0) with its terminator.
    QString line(int i) const;
    TSonStrings lines() const;

    // Paints, from byte column column of line i, the next n bytes (on into the following lines
    // when n runs past the line) in text colour f on background b. It lasts until the text
    // changes; painting the same range again with the same colours changes nothing.
    void paintRange(int i, int column, int n, const QColor &f, const QColor &b);
    void refresh();
    // After font or colour changes: re-wraps the lines and keeps the vertical scroll position.
    void recomputeLayout();

    // Lines (from 0) shown as faulty, in their number and their background, until the next edit.
    void markLines(const QList<int> &lines);
    const QList<int> &markedLines() const { return m_marked; }
    // The background of a marked line, chosen against the current colours.
    QColor markColor() const;
    // The line (from 0) the robot is carrying out, lit in its number and background and kept in
    // sight; -1 for none. Editing leaves it alone: the run goes on with the text it was given.
    void setRunningLine(int line);
    int runningLine() const { return m_running; }
    QColor runningColor() const;

    // Appearance.
    QColor color() const { return m_background; }
    void setColor(const QColor &background);
    QColor fontColor() const { return m_text; }
    void setFontColor(const QColor &text);
    void setEditorFont(const QString &family, int pointSize);
    void setEditorFontPixels(const QString &family, int pixelSize);
    QColor selColor() const { return m_selection; }
    void setSelColor(const QColor &selection);
    QColor creofColor() const { return m_marks; }
    void setCREOFcolor(const QColor &marks);

    bool showCR() const { return m_showCR; }
    void setShowCR(bool on);
    bool showEOF() const { return m_showEOF; }
    void setShowEOF(bool on);
    bool showDblSpace() const { return m_showDblSpace; }
    void setShowDblSpace(bool on);
    bool showLineNumber() const { return m_showLineNumber; }
    void setShowLineNumber(bool on);
    int lineNoColumn() const { return m_lineNoColumn; }
    void setLineNoColumn(int digits);
    // min(100, LineNoColumn x width of "0") + 7 pixels; 0 while numbers are not shown.
    int lineNumberWidth() const;

    int topMargin() const { return m_topMargin; }
    void setTopMargin(int pixels);
    int leftMargin() const { return m_leftMargin; }
    void setLeftMargin(int pixels);
    int lineSpace() const { return m_lineSpace; }
    void setLineSpace(int percent);
    int tabCount() const { return m_tabCount; }
    void setTabCount(int characters);
    bool wantTabs() const { return m_wantTabs; }
    void setWantTabs(bool on);
    bool wordWrap() const { return m_wordWrap; }
    void setWordWrap(bool on);
    int column() const { return m_column; }
    void setColumn(int characters);
    int scrollStep() const { return m_scrollStep; }
    void setScrollStep(int lines);
    int undoBuf() const { return m_undoBuf; }
    void setUndoBuf(int bytes);

    // Pitch of one line: its height plus LineSpace percent of it, rounded.
    static int linePitch(int height, int lineSpace);

signals:
    void OnChange();
    void OnPaint();
    // Characters that code page 932 cannot hold were kept out of the text.
    void textRefused(const QString &characters);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    friend class SonLineNumbers;

    struct Overlay
    {
        int line, column, bytes;
        QColor text, background;
    };

    struct OverlayKey
    {
        int line, column, bytes;
        bool operator==(const OverlayKey &) const = default;
    };
    friend size_t qHash(const OverlayKey &k, size_t seed = 0) { return qHashMulti(seed, k.line, k.column, k.bytes); }

    void contentsChanged(int position, int removed, int added);
    void textChangedHere();
    void scheduleOverlays();
    void applyOverlays();
    void applyPalette();
    void updateMargins();
    void paintMarks(QPainter &painter, const QRect &area);
    void paintLineNumbers(QPaintEvent *event);
    void setTextQuietly(const QString &text);

    SonLineNumbers *m_numbers = nullptr;
    QList<Overlay> m_overlays;
    QHash<OverlayKey, int> m_overlayIndex;
    QList<int> m_marked;
    int m_running = -1;
    bool m_overlaysPending = false;
    bool m_inChange = false;
    bool m_quiet = false;
    bool m_modified = false;
    qint64 m_undoBytes = 0;
    int m_wheel = 0;

    QColor m_background = Qt::white;
    QColor m_text = Qt::black;
    QColor m_selection = QColor(0, 0, 0);
    QColor m_marks = QColor(0x00, 0x80, 0x80);
    bool m_showCR = true;
    bool m_showEOF = true;
    bool m_showDblSpace = true;
    bool m_showLineNumber = false;
    int m_lineNoColumn = 5;
    int m_topMargin = 4;
    int m_leftMargin = 10;
    int m_lineSpace = 0;
    int m_tabCount = 6;
    bool m_wantTabs = true;
    bool m_wordWrap = true;
    int m_column = 72;
    int m_scrollStep = 2;
    int m_undoBuf = 1015808;
};
