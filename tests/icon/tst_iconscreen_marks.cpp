// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/findwindow.h"
#include "support/icondrop.h"
#include "app/settings/settingsfile.h"
#include "app/ui/messagebox.h"
#include "app/ui/programfiledialog.h"
#include "icon/iconpalette.h"
#include "icon/iconscreen.h"
#include "icon/slotcolumn.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QScrollBar>

#include <QDropEvent>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;
using ui::MessageButton;

// The icon screen shows the slot that keeps a program from being sent, and takes the usual
// keys for saving and reading.
class TestIconScreenMarks : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void unsetSlotScrolledIntoViewAndMarked_data();
    void unsetSlotScrolledIntoViewAndMarked();
    void keysSaveAndRead();

private:
    void drop(int slot, const QString &icon);
    void click(const QString &objectName);

    std::unique_ptr<IconScreen> m_screen;
    QTemporaryDir m_dir;
    QList<ui::MessageRequest> m_boxes;
    QList<MessageButton> m_answers;
    QString m_chosen;
};

void TestIconScreenMarks::init()
{
    m_boxes.clear();
    m_answers.clear();
    ui::setMessageResponder([this](const ui::MessageRequest &r) {
        m_boxes.append(r);
        return m_answers.isEmpty() ? r.buttons.first() : m_answers.takeFirst();
    });
    m_chosen = m_dir.filePath(u"icons.rk5"_s);
    QFile::remove(m_chosen);
    ui::setProgramFileChooserForTests([this](bool) { return m_chosen; });
    QFile::remove(SettingsFile::defaultPath());
    m_screen = std::make_unique<IconScreen>(RobotLink{});
    m_screen->setStepMode(2);
    m_screen->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_screen.get()));
}

void TestIconScreenMarks::cleanup()
{
    m_screen.reset();
    ui::setMessageResponder({});
    ui::setProgramFileChooserForTests({});
}

void TestIconScreenMarks::drop(int slot, const QString &icon)
{
    QVERIFY2(testenv::dropIcon(m_screen.get(), slot, icon), qPrintable(icon));
}

void TestIconScreenMarks::click(const QString &objectName)
{
    testenv::clickChild(m_screen.get(), objectName);
}

void TestIconScreenMarks::unsetSlotScrolledIntoViewAndMarked_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("scrolledTo"); // the scroll bar's value before the send
    QTest::newRow("far below the view") << 45 << 0;
    QTest::newRow("far above the view") << 1 << 100000;
}

void TestIconScreenMarks::unsetSlotScrolledIntoViewAndMarked()
{
    QFETCH(int, slot);
    QFETCH(int, scrolledTo);
    SlotColumn *column = m_screen->slotColumn();
    drop(slot, u"Image2"_s);
    click(u"Image42"_s); // 00.0: the time stays unset
    column->verticalScrollBar()->setValue(scrolledTo);
    click(u"send"_s);
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(column->markedSlot(), slot);

    QWidget *picture = column->slotPicture(slot);
    const QRect inView(picture->mapTo(column->viewport(), QPoint(0, 0)), picture->size());
    QVERIFY(column->viewport()->rect().contains(inView));
    QVERIFY(column->numberLabel(slot)->font().bold());
    auto *mark = column->findChild<QWidget *>(u"SlotMark"_s);
    QVERIFY(mark);
    QVERIFY(mark->geometry().intersects(picture->geometry()));

    // The next drop takes the mark away.
    drop(slot, u"Image2"_s);
    QCOMPARE(column->markedSlot(), -1);
    QVERIFY(!column->numberLabel(slot)->font().bold());
    QVERIFY(!column->findChild<QWidget *>(u"SlotMark"_s));
}

void TestIconScreenMarks::keysSaveAndRead()
{
    drop(0, u"Image6"_s);
    click(u"Turn_90"_s);
    click(u"Enter"_s);
    QTest::keyClick(m_screen.get(), Qt::Key_S, Qt::ControlModifier);
    QVERIFY(QFile::exists(m_chosen));
    QVERIFY(!m_screen->isModified());

    // Ctrl+O reads after the same question as the button when there are changes.
    drop(1, u"Image11"_s);
    QVERIFY(m_screen->isModified());
    m_answers = {MessageButton::No};
    QTest::keyClick(m_screen.get(), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes.first().text, u"プログラムを保存しますか？"_s);
    QVERIFY(!m_screen->isModified());
    QVERIFY(!m_screen->program().slot(1).holdsInstruction());
    QVERIFY(m_screen->program().slot(0).holdsInstruction());
}

QTEST_MAIN(TestIconScreenMarks)
#include "tst_iconscreen_marks.moc"
