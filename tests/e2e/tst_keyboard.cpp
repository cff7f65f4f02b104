// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mainmenu.h"
#include "app/settings/settingsfile.h"
#include "common/workfolder.h"
#include "app/ui/controlnames.h"
#include "app/ui/messagebox.h"
#include "icon/iconscreen.h"
#include "icon/icontext.h"
#include "robot/programimage.h"
#include "robot/trs232c.h"
#include "route/routescreen.h"
#include "robot/wireplan.h"
#include "support/findwindow.h"
#include "support/mainmenustart.h"
#include "support/pseudoterminal.h"
#include "support/testenv.h"

#include <QtWidgets/QAbstractSpinBox>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

#include <QAccessible>
#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

// The whole program from the keyboard alone, and what a screen reader finds on each window.
class TestKeyboard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void everyControlIsNamedAndFocusable_data();
    void everyControlIsNamedAndFocusable();
    void textProgramSentByKeys();
    void iconProgramMadeAndSentByKeys();
    void routeDrawnAndSentByKeys();
    void reportMadeByKeys();

private:
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Tab until the control of that name has the focus; false when the chain never reaches it.
    bool tabTo(QWidget *window, const QString &name);
    QWidget *shownWindow(const QString &name);
    // The offscreen platform activates every window it shows, the transfer window too, and
    // gives the activation back to nobody; a window manager gives it back to the screen.
    void backTo(QWidget *window);

    PseudoTerminal m_com1;
    MainMenu *m_menu = nullptr;
    QList<ui::MessageRequest> m_boxes;
};

void TestKeyboard::initTestCase()
{
    ui::setMessageResponder([this](const ui::MessageRequest &r) {
        m_boxes.append(r);
        return r.buttons.contains(ui::MessageButton::No) ? ui::MessageButton::No : r.buttons.first();
    });
    QFile::remove(WorkFolderPath() + u"set.ini"_s);
    QVERIFY(m_com1.open());
    QVERIFY(!m_com1.linkAsCom(1).isEmpty());
    m_menu = new MainMenu;
    QVERIFY(testenv::startMainMenu(m_menu));
    QVERIFY(QTest::qWaitForWindowActive(m_menu));
}

void TestKeyboard::cleanupTestCase()
{
    delete m_menu;
    ui::setMessageResponder({});
}

void TestKeyboard::key(Qt::Key k, Qt::KeyboardModifiers modifiers)
{
    QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
    QVERIFY(target);
    QTest::keyClick(target, k, modifiers);
}

bool TestKeyboard::tabTo(QWidget *window, const QString &name)
{
    for (int i = 0; i < 80; ++i) {
        if (QApplication::focusWidget() && QApplication::focusWidget()->objectName() == name)
            return true;
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window, Qt::Key_Tab);
    }
    return false;
}

QWidget *TestKeyboard::shownWindow(const QString &name)
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == name && w->isVisible())
            return w;
    }
    return nullptr;
}

void TestKeyboard::backTo(QWidget *window)
{
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

void TestKeyboard::everyControlIsNamedAndFocusable_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("step");
    for (const char *w : {"TForm13", "TForm9", "TForm10", "TForm8", "TForm7", "TForm11", "TForm2", "TForm6"})
        QTest::newRow(w) << QString::fromLatin1(w) << 0;
    QTest::newRow("TForm1 STEP2") << u"TForm1"_s << 1;
    QTest::newRow("TForm1 STEP3") << u"TForm1"_s << 2;
}

// A control is what a pupil can press, type into or choose in: a widget with a role of that
// kind, or a picture that takes clicks (pointing hand) or drops.
void TestKeyboard::everyControlIsNamedAndFocusable()
{
    QFETCH(QString, window);
    QFETCH(int, step);
    QWidget *w = testenv::findWindow(window);
    QVERIFY(w);
    if (auto *icon = qobject_cast<IconScreen *>(w))
        icon->setStepMode(step);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    if (window != u"TForm13")
        QVERIFY2(w->windowTitle().contains(u" — "_s), qPrintable(w->windowTitle()));

    static const QList<QAccessible::Role> interactive{
        QAccessible::Button, QAccessible::PushButton, QAccessible::CheckBox, QAccessible::RadioButton,
        QAccessible::EditableText, QAccessible::SpinBox, QAccessible::Slider, QAccessible::List,
        QAccessible::Tree, QAccessible::ComboBox, QAccessible::PageTab};
    QStringList offenders;
    for (QWidget *c : w->findChildren<QWidget *>()) {
        if (c->isWindow() || !c->isVisibleTo(w) || !c->isEnabled() || c->testAttribute(Qt::WA_TransparentForMouseEvents))
            continue;
        // The inner parts of a spin box or a text field speak through it.
        if ((c->parentWidget() && c->parentWidget()->focusProxy() == c) || c->objectName() == u"qt_scrollarea_viewport")
            continue;
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(c);
        QVERIFY(a);
        const bool picture = !interactive.contains(a->role())
            && ((c->testAttribute(Qt::WA_SetCursor)
                 && (c->cursor().shape() == Qt::PointingHandCursor || c->cursor().shape() == Qt::OpenHandCursor))
                || c->acceptDrops());
        if (!picture && !interactive.contains(a->role()))
            continue;
        QStringList faults;
        if (a->text(QAccessible::Name).isEmpty())
            faults << u"no name"_s;
        // Items of a group (palette, slots) share one Tab stop and take the arrows.
        if (c->focusPolicy() == Qt::NoFocus)
            faults << u"no focus"_s;
        if (picture && a->role() != QAccessible::Button)
            faults << u"not a button"_s;
        if (!faults.isEmpty())
            offenders << c->objectName() + u" ("_s + QString::fromLatin1(c->metaObject()->className()) + u"): "_s
                    + faults.join(u", "_s);
    }
    if (window != u"TForm13")
        w->hide();
    QVERIFY2(offenders.isEmpty(), qPrintable(offenders.join(u"; "_s)));
}

void TestKeyboard::textProgramSentByKeys()
{
    m_com1.clear();
    m_menu->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_menu));
    key(Qt::Key_5);
    QWidget *text = shownWindow(u"TForm9"_s);
    QVERIFY(text);
    QVERIFY(QTest::qWaitForWindowActive(text));
    QVERIFY(tabTo(text, u"SonEdit1"_s));
    for (const QString &line : {u"motor(fwd,fwd)"_s, u"wait(10)"_s}) {
        QTest::keyClicks(QApplication::focusWidget(), line);
        key(Qt::Key_Return);
    }
    // Ctrl+Tab leaves the editor without a tab in the text; Ctrl+Enter sends from anywhere.
    key(Qt::Key_Tab, Qt::ControlModifier);
    QVERIFY(QApplication::focusWidget()->objectName() != u"SonEdit1");
    key(Qt::Key_Return, Qt::ControlModifier);
    const QByteArray wire = wirePlanForText(u"motor(fwd,fwd)\r\nwait(10)\r\n"_s, ScreenKind::Text, true).values();
    QCOMPARE(PseudoTerminal::valuesOf(m_com1.waitForBytes(wire.size(), 10000)), wire);
    // Escape goes back to the menu through the save question (answered "no").
    QTRY_VERIFY(shownWindow(u"TForm3"_s) == nullptr);
    // The end is said on the screen that sent.
    QWidget *line = ui::announcementLine(text);
    QVERIFY(line);
    QCOMPARE(QAccessible::queryAccessibleInterface(line)->text(QAccessible::Name), u"プログラムを おくりおわったよ"_s);
    backTo(text);
    m_boxes.clear();
    key(Qt::Key_Escape);
    QTRY_VERIFY(m_menu->isVisible());
    QVERIFY(!text->isVisible());
    QCOMPARE(m_boxes.size(), 1);
}

void TestKeyboard::iconProgramMadeAndSentByKeys()
{
    m_com1.clear();
    backTo(m_menu);
    key(Qt::Key_3);
    auto *icon = qobject_cast<IconScreen *>(shownWindow(u"TForm1"_s));
    QVERIFY(icon);
    backTo(icon);
    // Forward 1 s, spin right 90 degrees, stop 1 s; the palette is one Tab stop.
    QVERIFY(tabTo(icon, u"Image1"_s));
    key(Qt::Key_Right);
    key(Qt::Key_Return);
    key(Qt::Key_1);
    key(Qt::Key_Return);
    QTRY_COMPARE(QApplication::focusWidget()->objectName(), u"Image2"_s);
    key(Qt::Key_Down);
    key(Qt::Key_Right);
    QCOMPARE(QApplication::focusWidget()->objectName(), u"Image6"_s);
    key(Qt::Key_Return);
    QVERIFY(tabTo(icon, u"Turn_90"_s));
    key(Qt::Key_Space);
    QVERIFY(tabTo(icon, u"Enter"_s));
    key(Qt::Key_Return);
    QTRY_COMPARE(QApplication::focusWidget()->objectName(), u"Image6"_s);
    key(Qt::Key_Left);
    key(Qt::Key_Return);
    key(Qt::Key_1);
    key(Qt::Key_Return);
    // A slot filled by mistake: Delete on it clears it as the delete icon does.
    key(Qt::Key_Return);
    key(Qt::Key_1);
    key(Qt::Key_Return);
    // The column's Tab stop is the slot after the last drop.
    QVERIFY(tabTo(icon, u"Drop_image5"_s));
    key(Qt::Key_Up);
    QCOMPARE(QApplication::focusWidget()->objectName(), u"Drop_image4"_s);
    key(Qt::Key_Delete);
    const ProgramTextResult text = buildProgramText(icon->program());
    QVERIFY2(text.ok, qPrintable(text.message));
    QCOMPARE(text.lines, QStringList({u"motor(fwd,fwd)"_s, u"wait(10)"_s, u"motor(fwd,rev)"_s, u"wait(5)"_s,
                                      u"motor(stop,stop)"_s, u"wait(10)"_s}));
    key(Qt::Key_Return, Qt::ControlModifier);
    const QByteArray wire = wirePlanForText(text.lines.join(u"\r\n"_s), ScreenKind::Icon,
                                            SettingsFile().playHow()).values();
    QCOMPARE(PseudoTerminal::valuesOf(m_com1.waitForBytes(wire.size(), 10000)), wire);
    QTRY_VERIFY(shownWindow(u"TForm3"_s) == nullptr);
    backTo(icon);
    key(Qt::Key_Escape);
    QTRY_VERIFY(m_menu->isVisible());
}

void TestKeyboard::routeDrawnAndSentByKeys()
{
    m_com1.clear();
    backTo(m_menu);
    key(Qt::Key_6);
    auto *route = qobject_cast<RouteScreen *>(shownWindow(u"TForm10"_s));
    QVERIFY(route);
    backTo(route);
    QVERIFY(tabTo(route, u"Image1"_s));
    // The crosshair starts in the middle (25, 25 cells): start there, five cells right, then
    // five down and four left, which the band bends onto the diagonal as for the pointer.
    key(Qt::Key_Return);
    key(Qt::Key_Right, Qt::ShiftModifier);
    key(Qt::Key_Return);
    key(Qt::Key_Down, Qt::ShiftModifier);
    for (int i = 0; i < 4; ++i)
        key(Qt::Key_Left);
    key(Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(route->route().coordinateList(), QStringList({u"250,250"_s, u"300,250"_s, u"250,300"_s}));
    key(Qt::Key_Return, Qt::ControlModifier);
    const QByteArray wire = wirePlanForText(joinProgramText(route->route().programText()), ScreenKind::Route,
                                            SettingsFile().playHow()).values();
    QCOMPARE(PseudoTerminal::valuesOf(m_com1.waitForBytes(wire.size(), 15000)), wire);
    QTRY_VERIFY_WITH_TIMEOUT(shownWindow(u"TForm3"_s) == nullptr, 10000);
    backTo(route);
    // Escape asks before the route is lost; "no" keeps the pupil on the screen.
    m_boxes.clear();
    key(Qt::Key_Escape);
    QCOMPARE(m_boxes.size(), 1);
    QVERIFY(route->isVisible());
}

// From the route just drawn: the report's fields by Tab, つくる by Return.
void TestKeyboard::reportMadeByKeys()
{
    QWidget *route = shownWindow(u"TForm10"_s);
    QVERIFY(route);
    backTo(route);
    QVERIFY(tabTo(route, u"Report"_s));
    key(Qt::Key_Return);
    QWidget *report = shownWindow(u"TForm11"_s);
    QVERIFY(report);
    QVERIFY(QTest::qWaitForWindowActive(report));
    const QString path = WorkFolderPath() + u"52Taro.html"_s;
    QFile::remove(path);
    for (const char *field : {"5", "2", "Taro", "line", "fun"}) {
        QTest::keyClicks(QApplication::focusWidget(), QString::fromLatin1(field));
        key(Qt::Key_Tab);
    }
    QVERIFY(tabTo(report, u"kettei"_s));
    key(Qt::Key_Return);
    QVERIFY2(QFile::exists(path), qPrintable(path));
    const QByteArray html = testenv::fileBytes(path);
    QVERIFY(html.contains("Taro"));
    QVERIFY(html.contains("fun"));
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
