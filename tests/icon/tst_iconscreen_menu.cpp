// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mainmenu.h"
#include "app/ui/application.h"
#include "app/ui/messagebox.h"
#include "app/ui/picturebutton.h"
#include "app/ui/windowscaling.h"
#include "icon/iconpalette.h"
#include "icon/iconscreen.h"
#include "icon/keypadpage.h"
#include "icon/slotcolumn.h"
#include "support/findwindow.h"

#include <QtWidgets/QLabel>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QSlider>

#include <QDropEvent>
#include <QMimeData>
#include <QScreen>
#include <QtTest>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// How the column is brought to its scale, and when its slots are filled.
enum class Docking {
    FilledThenScaled,
    ScaledThenFilled,
    FilledScaledAndRestored,
    NavigatorThenFilled,
};

constexpr int DESIGN_COLUMN_HEIGHT = 32 + 56 * 59;
constexpr int FILLED_SLOTS = 20;

}

Q_DECLARE_METATYPE(Docking)

// The icon screen as the main menu opens it: where it shows up, and its slot column when the
// screen is docked (scaled) beside the learning navigator.
class TestIconScreenMenu : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();

    void opensWhereTheMenuIs_data();
    void opensWhereTheMenuIs();
    void labelsFollowTheirSlotsAtEveryScale_data();
    void labelsFollowTheirSlotsAtEveryScale();

private:
    void dragMenuBy(const QPoint &travel);
    void click(QWidget *window, const QString &name);
    void drop(int slot, const QString &icon);
    void fillSlots();
    void checkColumn(double ratio, const QString &when);

    MainMenu *m_menu = nullptr;
    IconScreen *m_icon = nullptr;
};

void TestIconScreenMenu::initTestCase()
{
    ui::setMessageResponder([](const ui::MessageRequest &r) { return r.buttons.value(0); });
    m_menu = new MainMenu;
    m_menu->createOtherWindows();
    m_icon = testenv::findWindow<IconScreen>(u"TForm1"_s);
    QVERIFY(m_icon);
}

void TestIconScreenMenu::cleanupTestCase()
{
    delete m_menu;
    ui::setMessageResponder({});
}

void TestIconScreenMenu::cleanup()
{
    if (auto *navigator = testenv::findWindow(u"TForm4"_s); navigator && navigator->isVisible())
        navigator->close();
    ui::restoreWindowContent(m_icon);
    m_icon->clearAll();
    m_icon->hide();
}

void TestIconScreenMenu::click(QWidget *window, const QString &name)
{
    testenv::clickChild<PictureButton>(window, name);
}

void TestIconScreenMenu::dragMenuBy(const QPoint &travel)
{
    QWidget *back = m_menu->findChild<QWidget *>(u"back"_s);
    QVERIFY(back);
    const QPoint pressAt(300, 30);
    QTest::mousePress(back, Qt::LeftButton, {}, pressAt);
    QMouseEvent move(QEvent::MouseMove, QPointF(pressAt + travel), back->mapToGlobal(QPointF(pressAt + travel)),
                     Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(back, &move);
    QTest::mouseRelease(back, Qt::LeftButton, {}, pressAt + travel);
}

void TestIconScreenMenu::drop(int slot, const QString &icon)
{
    SlotPicture *target = m_icon->slotColumn()->slotPicture(slot);
    QMimeData *data = palettedrag::mimeDataFor(icon);
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDropEvent dropped(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &dropped);
    delete data;
}

// Twenty instructions of every label layout: time (confirmed, so its value text is re-fitted),
// turn, rotation and the wide name of an icon without value.
void TestIconScreenMenu::fillSlots()
{
    const QString icons[] = {u"Image2"_s, u"Image1"_s, u"Image4"_s, u"Image11"_s, u"Image10"_s};
    for (int slot = 0; slot < FILLED_SLOTS; ++slot) {
        const QString &icon = icons[slot % std::size(icons)];
        drop(slot, icon);
        if (icon == u"Image2")
            m_icon->keypadPage()->trackBar()->setValue(155);
        if (m_icon->keypadPage()->isVisible())
            QTest::keyClick(m_icon->keypadPage()->trackBar(), Qt::Key_Return);
    }
    QVERIFY(m_icon->slotColumn()->nameLabel(FILLED_SLOTS - 1));
}

void TestIconScreenMenu::checkColumn(double ratio, const QString &when)
{
    SlotColumn *column = m_icon->slotColumn();
    const QByteArray context = when.toUtf8();
    for (int slot = 0; slot < FILLED_SLOTS; ++slot) {
        const QRect picture = column->slotPicture(slot)->geometry();
        QLabel *name = column->nameLabel(slot);
        QLabel *value = column->valueLabel(slot);
        QVERIFY2(name && value, context.constData());
        const QRect n = name->geometry();
        const QRect v = value->geometry();
        const QByteArray where = context + " slot " + QByteArray::number(slot + 1) + ": picture "
                                 + QByteArray::number(picture.top()) + ", name "
                                 + QByteArray::number(n.top());
        // A third of the picture down, right of it, and inside its height.
        QVERIFY2(std::abs(n.top() - (picture.top() + picture.height() / 3)) <= 1, where.constData());
        QCOMPARE(v.top(), n.top());
        QVERIFY2(n.left() > picture.right(), where.constData());
        QVERIFY2(n.center().y() > picture.top() && n.center().y() < picture.bottom(), where.constData());
        QVERIFY2(std::abs(n.height() - 24 * ratio) <= 1, where.constData());
        QVERIFY2(name->font().pointSizeF() <= 15 * ratio + 0.01, where.constData());
        QVERIFY2(value->font().pointSizeF() <= 15 * ratio + 0.01, where.constData());
    }
    QVERIFY(column->valueText(0).endsWith(u"秒"));
    // The column's range is that of the scaled rows: its last row can be scrolled to, no further.
    QWidget *inside = column->widget();
    QVERIFY2(std::abs(inside->height() - DESIGN_COLUMN_HEIGHT * ratio) <= 1, context.constData());
    QCOMPARE(column->verticalScrollBar()->maximum(), inside->height() - column->viewport()->height());
    QVERIFY(column->slotPicture(58)->geometry().bottom() < inside->height());
}

void TestIconScreenMenu::opensWhereTheMenuIs_data()
{
    QTest::addColumn<QPoint>("travel");
    QTest::addColumn<int>("step");
    QTest::newRow("centred, STEP2") << QPoint(0, 0) << 1;
    QTest::newRow("dragged right and down, STEP3") << QPoint(37, 23) << 2;
    QTest::newRow("dragged left and up, STEP2") << QPoint(-41, -9) << 1;
}

void TestIconScreenMenu::opensWhereTheMenuIs()
{
    QFETCH(QPoint, travel);
    QFETCH(int, step);
    m_menu->centreOnScreen();
    m_menu->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_menu));
    const QPoint centred = m_menu->pos();
    dragMenuBy(travel);
    QCOMPARE(m_menu->pos(), centred + travel);

    click(m_menu, step == 1 ? u"menu_icon1"_s : u"menu_icon2"_s);
    QVERIFY(m_icon->isVisible());
    QVERIFY(!m_menu->isVisible());
    QCOMPARE(m_icon->stepMode(), step);
    QCOMPARE(m_icon->pos(), centred + travel);

    // Back to the menu and again: the screen follows the menu once more.
    click(m_icon, u"shutdown"_s);
    QVERIFY(m_menu->isVisible());
    dragMenuBy(QPoint(5, 6));
    click(m_menu, u"menu_icon2"_s);
    QCOMPARE(m_icon->pos(), centred + travel + QPoint(5, 6));
    click(m_icon, u"shutdown"_s);
}

void TestIconScreenMenu::labelsFollowTheirSlotsAtEveryScale_data()
{
    QTest::addColumn<int>("numerator");
    QTest::addColumn<Docking>("docking");
    QTest::newRow("design size") << 800 << Docking::ScaledThenFilled;
    QTest::newRow("half of 1280, filled before docking") << 640 << Docking::FilledThenScaled;
    QTest::newRow("half of 1280, filled while docked") << 640 << Docking::ScaledThenFilled;
    QTest::newRow("half of 1366, filled while docked") << 683 << Docking::ScaledThenFilled;
    QTest::newRow("half of 800, filled while docked") << 400 << Docking::ScaledThenFilled;
    QTest::newRow("filled while docked, then undocked") << 640 << Docking::FilledScaledAndRestored;
    QTest::newRow("docked by the navi button") << 0 << Docking::NavigatorThenFilled;
}

void TestIconScreenMenu::labelsFollowTheirSlotsAtEveryScale()
{
    QFETCH(int, numerator);
    QFETCH(Docking, docking);
    m_menu->show();
    click(m_menu, u"menu_icon2"_s);
    QVERIFY(QTest::qWaitForWindowExposed(m_icon));

    switch (docking) {
    case Docking::FilledThenScaled:
        fillSlots();
        ui::scaleWindowContent(m_icon, numerator, 800);
        checkColumn(numerator / 800.0, u"scaled after filling"_s);
        break;
    case Docking::ScaledThenFilled:
        ui::scaleWindowContent(m_icon, numerator, 800);
        fillSlots();
        checkColumn(numerator / 800.0, u"filled while scaled"_s);
        break;
    case Docking::FilledScaledAndRestored:
        ui::scaleWindowContent(m_icon, numerator, 800);
        fillSlots();
        ui::restoreWindowContent(m_icon);
        checkColumn(1.0, u"restored"_s);
        QCOMPARE(m_icon->size(), QSize(770, 578));
        break;
    case Docking::NavigatorThenFilled: {
        const int width = m_icon->screen()->geometry().width();
        const double ratio = width <= 1600 ? std::nearbyint(width / 2.0) / 800.0 : 1.0;
        click(m_icon, u"navi"_s);
        QVERIFY(testenv::findWindow(u"TForm4"_s)->isVisible());
        fillSlots();
        checkColumn(ratio, u"docked"_s);
        // Scrolled to the end while docked, the column stays at its end once undocked.
        QScrollBar *bar = m_icon->slotColumn()->verticalScrollBar();
        bar->setValue(bar->maximum());
        testenv::findWindow(u"TForm4"_s)->close();
        checkColumn(1.0, u"undocked"_s);
        QCOMPARE(bar->value(), bar->maximum());
        break;
    }
    }
}

int main(int argc, char **argv)
{
    Rk25Application app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    TestIconScreenMenu test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_iconscreen_menu.moc"
