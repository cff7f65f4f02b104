// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The monkey: random clicks, drags, keys and wheel turns on whatever windows are visible, with
// the message boxes and file dialogues answered at random, and a check of what reached the
// wire. Header only: it needs widgets, and the shared test library is GUI-free.

#include "app/report/reportwindow.h"
#include "app/ui/messagebox.h"
#include "app/ui/programfiledialog.h"
#include "robot/wireplan.h"
#include "support/pseudoterminal.h"

#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QAbstractSpinBox>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QTextEdit>
#include <QtWidgets/QWidget>

#include <QDir>
#include <QMap>
#include <QPointer>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

namespace monkey {

using namespace Qt::StringLiterals;

struct Figures
{
    int events = 0;
    int boxes = 0;
    int fileDialogs = 0;
    int blocks = 0;   // block numbers seen on the wire (transfers' blocks)
    int commands = 0; // single command bytes seen
    QMap<QString, int> perWindow; // events by window objectName
    QStringList problems;
};

// The wire as the robot reads it: at a command position a block number 1, 2 or 3 is followed
// by its 40 bytes, 6 by its two speed bytes; anything else is one command byte. Bytes of one
// block follow each other at the block's pace, so a foreign byte squeezed in between shows as
// a short gap: the span from the byte before it to the byte after it is one pause. Times read
// on the far side of the line would also show a late read (a byte taken late and the next one at
// once, although they left a pause apart): the span over the two gaps is then two pauses. Only a
// short gap within a short span is foreign. The monkey hands over the player's own send times.
inline void checkWire(const QList<ReceivedByte> &wire, Figures *figures)
{
    constexpr qint64 SHORT_GAP_MS = 30;               // half the shortest pace
    constexpr qint64 SHORT_SPAN_MS = 3 * BYTE_PAUSE_MS / 2;
    int i = 0;
    const int n = int(wire.size());
    const auto at = [&](int k) { return wire[k].msecsSinceStart; };
    while (i < n) {
        const quint8 b = quint8(wire[i].value);
        if (b >= 1 && b <= 3) {
            ++figures->blocks;
            if (i + 40 >= n) {
                figures->problems << u"block %1 at byte %2 ends after %3 of its 40 bytes"_s
                                         .arg(b).arg(i).arg(n - i - 1);
                return;
            }
            for (int k = i + 2; k <= i + 40; ++k) {
                const qint64 gap = at(k) - at(k - 1);
                if (gap < SHORT_GAP_MS && at(k) - at(k - 2) < SHORT_SPAN_MS) {
                    // The bytes around it, value@ms, for the one who looks into it.
                    QStringList around;
                    for (int j = qMax(i, k - 3); j <= qMin(n - 1, k + 3); ++j)
                        around << u"%1@%2"_s.arg(quint8(wire[j].value)).arg(at(j));
                    figures->problems << u"block %1 at byte %2: byte %3 came %4 ms after the one before (%5)"_s
                                             .arg(b).arg(i).arg(k - i).arg(gap).arg(around.join(u' '));
                    break;
                }
            }
            i += 41;
        } else if (b == 6) {
            ++figures->commands;
            i += 3;
        } else {
            ++figures->commands;
            ++i;
        }
    }
}

class Monkey
{
public:
    // spared: objectNames ("close1") or window/objectName pairs ("TForm1/shutdown1") the
    // monkey leaves alone.
    Monkey(quint32 seed, QSet<QString> spared)
        : m_random(seed)
        , m_spared(std::move(spared))
    {
        ui::setMessageResponder([this](const ui::MessageRequest &r) {
            ++m_figures.boxes;
            return r.buttons.isEmpty() ? ui::MessageButton::Ok
                                       : r.buttons.at(int(m_random.bounded(quint32(r.buttons.size()))));
        });
        ui::setProgramFileChooserForTests([this](bool save) {
            ++m_figures.fileDialogs;
            switch (m_random.bounded(4u)) {
            case 0:
                return QString();
            case 1:
                return m_folder.path() + (save ? u"/saved"_s : u"/saved.rk5"_s);
            case 2:
                return m_folder.path() + u"/other.txt"_s;
            default:
                return m_folder.path() + u"/missing.rk5"_s;
            }
        });
        ReportWindow::setPdfFileChooserForTests([this](const QString &) {
            ++m_figures.fileDialogs;
            return m_random.bounded(2u) ? QString() : m_folder.path() + u"/report.pdf"_s;
        });
    }

    ~Monkey()
    {
        ui::setMessageResponder({});
        ui::setProgramFileChooserForTests({});
        ReportWindow::setPdfFileChooserForTests({});
    }

    Figures &figures() { return m_figures; }

    // One random event on a random visible window; false when no window is visible.
    bool step()
    {
        QList<QWidget *> windows;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w->isVisible() && !w->isMinimized() && !m_spared.contains(w->objectName()))
                windows << w;
        }
        if (windows.isEmpty())
            return false;
        QWidget *window = windows.at(int(m_random.bounded(quint32(windows.size()))));
        ++m_figures.perWindow[window->objectName()];
        QList<QWidget *> targets{window};
        for (QWidget *child : window->findChildren<QWidget *>()) {
            if (child->isVisible() && !m_spared.contains(child->objectName())
                && !m_spared.contains(window->objectName() + u'/' + child->objectName()))
                targets << child;
        }
        // Now and then the pupil closes the navigator, the one window with a title bar.
        if (window->objectName() == u"TForm4" && m_random.bounded(30u) == 0) {
            ++m_figures.events;
            window->close();
            return true;
        }
        QPointer<QWidget> target = targets.at(int(m_random.bounded(quint32(targets.size()))));
        ++m_figures.events;
        const QPoint at(int(m_random.bounded(quint32(std::max(1, target->width())))),
                        int(m_random.bounded(quint32(std::max(1, target->height())))));
        // A text field's right button opens its context menu, which waits for the user.
        const bool textField = qobject_cast<QPlainTextEdit *>(target) || qobject_cast<QTextEdit *>(target)
                               || qobject_cast<QLineEdit *>(target) || qobject_cast<QAbstractSpinBox *>(target)
                               || (target->parentWidget() && (qobject_cast<QPlainTextEdit *>(target->parentWidget())
                                                              || qobject_cast<QTextEdit *>(target->parentWidget())));
        switch (m_random.bounded(10u)) {
        case 0:
        case 1:
        case 2:
        case 3:
            QTest::mouseClick(target, Qt::LeftButton, {}, at);
            break;
        case 4:
            if (!textField)
                QTest::mouseClick(target, Qt::RightButton, {}, at);
            break;
        case 5: {
            QTest::mousePress(target, Qt::LeftButton, {}, at);
            if (target) {
                const QPoint to = at + QPoint(int(m_random.bounded(200u)) - 100, int(m_random.bounded(200u)) - 100);
                QMouseEvent move(QEvent::MouseMove, to, target->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, {});
                QApplication::sendEvent(target, &move);
            }
            if (target)
                QTest::mouseRelease(target, Qt::LeftButton, {}, at);
            break;
        }
        case 6:
        case 7: {
            static const char keys[] = "0123456789.abcdefmotrwi(),=/ ";
            const char key = keys[m_random.bounded(quint32(sizeof(keys) - 1))];
            QTest::keyClick(target, key);
            break;
        }
        case 8: {
            const Qt::Key keys[] = {Qt::Key_Return, Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Left,
                                    Qt::Key_Up, Qt::Key_Down, Qt::Key_Tab, Qt::Key_Home, Qt::Key_Z};
            const Qt::Key key = keys[m_random.bounded(quint32(std::size(keys)))];
            const Qt::KeyboardModifiers mods = key == Qt::Key_Z ? Qt::ControlModifier : Qt::NoModifier;
            QTest::keyClick(target, key, mods);
            break;
        }
        default: {
            QWheelEvent wheel(at, target->mapToGlobal(at), QPoint(), QPoint(0, m_random.bounded(2u) ? 120 : -120),
                              Qt::NoButton, {}, Qt::NoScrollPhase, false);
            QApplication::sendEvent(target, &wheel);
            break;
        }
        }
        // Let timers (transfers, blinks, the remote control's pacing) run between events.
        QTest::qWait(int(m_random.bounded(40u)));
        return true;
    }

private:
    QRandomGenerator m_random;
    QSet<QString> m_spared;
    QTemporaryDir m_folder;
    Figures m_figures;
};

}
