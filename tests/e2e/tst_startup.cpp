// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mainmenu.h"
#include "app/navi/navigator.h"
#include "app/settings/settingsfile.h"
#include "app/settings/settingsscreen.h"
#include "common/workfolder.h"
#include "app/ui/application.h"
#include "app/ui/messagebox.h"
#include "app/ui/picturebutton.h"
#include "icon/iconscreen.h"
#include "remote/remotecontrolscreen.h"
#include "robot/trs232c.h"
#include "route/routescreen.h"
#include "support/findwindow.h"
#include "support/mainmenustart.h"
#include "support/pseudoterminal.h"
#include "text/textscreen.h"

#include <QtWidgets/QWidget>

#include <QFile>
#include <QScreen>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// The windows the menu made, found by their names.
struct Screens
{
    MainMenu *menu = testenv::findWindow<MainMenu>(u"TForm13"_s);
    IconScreen *icon = testenv::findWindow<IconScreen>(u"TForm1"_s);
    TextScreen *text = testenv::findWindow<TextScreen>(u"TForm9"_s);
    RouteScreen *route = testenv::findWindow<RouteScreen>(u"TForm10"_s);
    RemoteControlScreen *remote = testenv::findWindow<RemoteControlScreen>(u"TForm8"_s);
    SettingsScreen *settings = testenv::findWindow<SettingsScreen>(u"TForm7"_s);
    Navigator *navigator = testenv::findWindow<Navigator>(u"TForm4"_s);
};

}

// The whole start-up, the menu and the chain of steps, with the real windows and a
// pseudo-terminal in place of the robot's port.
class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void startupSends254OnNamedPortAfterSettling();
    void splashShowsDuringStartupOnly();
    void menuIsCentred();
    void draggingMenuBackgroundMovesMenu();
    void menuButtonsOpenTheirScreen_data();
    void menuButtonsOpenTheirScreen();
    void settingsOpenOverTheMenu();
    void openingScreenClosesNavigator();
    void stepChainForwardAndBack();
    void closingScreenFromOutsideQuits();
    void quitFromScreenClosesEverything();

private:
    PictureButton *button(QWidget *window, const QString &name);
    void click(QWidget *window, const QString &name);
    QString visibleScreen() const;

    PseudoTerminal m_com1;
    PseudoTerminal m_com3;
    MainMenu *m_menu = nullptr;
    qint64 m_startedAt = -1;
    qint64 m_openedAt = -1;
    bool m_splashSeen = false;
    QList<ui::MessageRequest> m_boxes;
};

void TestStartup::initTestCase()
{
    ui::setMessageResponder([this](const ui::MessageRequest &r) {
        m_boxes.append(r);
        // Questions before losing work are answered "no": nothing to save here.
        return r.buttons.contains(ui::MessageButton::No) ? ui::MessageButton::No : r.buttons.first();
    });
    QFile::remove(WorkFolderPath() + u"set.ini"_s);
    QVERIFY(m_com1.open());
    QVERIFY(m_com3.open());
    QVERIFY(!m_com1.linkAsCom(1).isEmpty());
    QVERIFY(!m_com3.linkAsCom(3).isEmpty());
    SettingsFile settings;
    QVERIFY(settings.setComportName(2).ok);

    m_menu = new MainMenu;
    connect(&m_menu->rs232c1(), &Trs232c::OnOpen, this, [this] { m_openedAt = m_com3.elapsed(); });
    QTimer::singleShot(1500, this, [this] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == u"TForm5"_s && w->isVisible())
                m_splashSeen = true;
    });
    m_startedAt = m_com3.elapsed();
    QVERIFY(testenv::startMainMenu(m_menu));
}

void TestStartup::cleanupTestCase()
{
    delete m_menu;
    ui::setMessageResponder({});
}

PictureButton *TestStartup::button(QWidget *window, const QString &name)
{
    auto *b = window->findChild<PictureButton *>(name);
    if (!b)
        qWarning("no button %s on %s", qPrintable(name), qPrintable(window->objectName()));
    return b;
}

void TestStartup::click(QWidget *window, const QString &name)
{
    PictureButton *b = button(window, name);
    QVERIFY(b);
    QVERIFY2(b->isVisible() && b->isEnabled(), qPrintable(name));
    QTest::mouseClick(b, Qt::LeftButton);
}

QString TestStartup::visibleScreen() const
{
    QStringList shown;
    const Screens w;
    for (QWidget *screen : {static_cast<QWidget *>(w.menu), static_cast<QWidget *>(w.icon),
                            static_cast<QWidget *>(w.text), static_cast<QWidget *>(w.route),
                            static_cast<QWidget *>(w.remote)})
        if (screen->isVisible())
            shown << screen->objectName()
                         + (screen == w.icon ? u"/STEP"_s + QString::number(w.icon->stepMode() + 1)
                                             : QString());
    return shown.join(u'+');
}

void TestStartup::startupSends254OnNamedPortAfterSettling()
{
    const QList<ReceivedByte> bytes = m_com3.waitForBytes(1, 2000);
    QCOMPARE(PseudoTerminal::valuesOf(bytes), QByteArray("\xFE"));
    QVERIFY(m_openedAt >= 0);
    QVERIFY2(bytes.first().msecsSinceStart - m_openedAt >= 4000,
             qPrintable(QString::number(bytes.first().msecsSinceStart - m_openedAt)));
    QVERIFY2(bytes.first().msecsSinceStart - m_startedAt >= 4400,
             qPrintable(QString::number(bytes.first().msecsSinceStart - m_startedAt)));
    QVERIFY(m_com1.received().isEmpty());
    QCOMPARE(m_menu->rs232c1().portname(), u"com3"_s);
    QVERIFY(m_menu->rs232c1().dtrRequested());
    QVERIFY(m_menu->rs232c1().rtsRequested());
    m_com3.clear();
}

void TestStartup::splashShowsDuringStartupOnly()
{
    QVERIFY(m_splashSeen);
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == u"TForm5"_s)
            QVERIFY(!w->isVisible());
}

void TestStartup::menuIsCentred()
{
    const QRect screen = m_menu->screen()->geometry();
    QCOMPARE(m_menu->size(), QSize(770, 578));
    QCOMPARE(m_menu->pos(), QPoint((screen.width() - 770) / 2, (screen.height() - 578) / 2));
    QCOMPARE(visibleScreen(), u"TForm13"_s);
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w != m_menu)
            QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
}

void TestStartup::draggingMenuBackgroundMovesMenu()
{
    QWidget *back = m_menu->findChild<QWidget *>(u"back"_s);
    QVERIFY(back);
    const QPoint start = m_menu->pos();
    const QPoint at(60, 30);
    QTest::mousePress(back, Qt::LeftButton, {}, at);
    QMouseEvent move(QEvent::MouseMove, QPointF(at + QPoint(30, 10)),
                     back->mapToGlobal(QPointF(at + QPoint(30, 10))), Qt::LeftButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(back, &move);
    QTest::mouseRelease(back, Qt::LeftButton, {}, at + QPoint(30, 10));
    QCOMPARE(m_menu->pos(), start + QPoint(30, 10));
    m_menu->move(start);
}

void TestStartup::menuButtonsOpenTheirScreen_data()
{
    QTest::addColumn<QString>("menuButton");
    QTest::addColumn<QString>("shown");
    QTest::newRow("STEP2") << u"menu_icon1"_s << u"TForm1/STEP2"_s;
    QTest::newRow("STEP3") << u"menu_icon2"_s << u"TForm1/STEP3"_s;
    QTest::newRow("STEP4") << u"menu_key"_s << u"TForm9"_s;
    QTest::newRow("STEP5") << u"menu_line"_s << u"TForm10"_s;
    QTest::newRow("remote control") << u"menu_raji"_s << u"TForm8"_s;
}

void TestStartup::menuButtonsOpenTheirScreen()
{
    QFETCH(QString, menuButton);
    QFETCH(QString, shown);
    m_menu->move(m_menu->pos() + QPoint(7, 3));
    const QPoint menuAt = m_menu->pos();
    click(m_menu, menuButton);
    QCOMPARE(visibleScreen(), shown);
    QWidget *screen = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible() && (shown.startsWith(w->objectName() + u'/') || w->objectName() == shown))
            screen = w;
    QVERIFY(screen);
    // Working screens show up where the menu was (the icon screen took its place when made).
    if (screen != Screens().icon)
        QCOMPARE(screen->pos(), menuAt);

    click(screen, u"shutdown"_s);
    QCOMPARE(visibleScreen(), u"TForm13"_s);
    if (menuButton == u"menu_raji"_s)
        QCOMPARE(PseudoTerminal::valuesOf(m_com3.waitForBytes(1, 1000)), QByteArray("\xFE"));
    else
        QVERIFY(m_com3.collectFor(50).isEmpty());
    m_com3.clear();
}

void TestStartup::settingsOpenOverTheMenu()
{
    click(m_menu, u"menu_setup"_s);
    SettingsScreen *settings = Screens().settings;
    QVERIFY(settings->isVisible());
    QVERIFY(m_menu->isVisible());
    click(settings, u"cancel"_s);
    QVERIFY(!settings->isVisible());
    QVERIFY(m_menu->isVisible());
}

void TestStartup::openingScreenClosesNavigator()
{
    Navigator *navigator = Screens().navigator;
    const QRect area = m_menu->screen()->geometry();
    const int half = qRound(area.width() / 2.0);
    const double factor = area.width() <= 1600 ? half / 800.0 : 1.0;
    click(m_menu, u"menu_navi"_s);
    QVERIFY(navigator->isVisible());
    QCOMPARE(navigator->tag(), 13);
    QVERIFY(!button(m_menu, u"menu_navi"_s)->isEnabled());
    // The menu is docked at the right edge, scaled to half the display.
    const QSize docked(qRound(770 * factor), qRound(578 * factor));
    QCOMPARE(m_menu->size(), docked);
    QCOMPARE(m_menu->pos(), QPoint(area.width() - docked.width(), 50));
    QCOMPARE(button(m_menu, u"menu_key"_s)->geometry().left(), qRound(139 * factor));
    QCOMPARE(navigator->geometry(), QRect(40, 40, half - 40, area.height() - 90));

    click(m_menu, u"menu_key"_s);
    QVERIFY(!navigator->isVisible());
    QVERIFY(button(m_menu, u"menu_navi"_s)->isEnabled());
    // The menu has its design back, centred on the 800 x 600 reference.
    QCOMPARE(m_menu->size(), QSize(770, 578));
    QCOMPARE(button(m_menu, u"menu_key"_s)->geometry(), QRect(139, 358, 508, 50));
    QCOMPARE(m_menu->pos(), QPoint(qRound((area.width() - 800) / 2.0), qRound((area.height() - 600) / 2.0)));
    QCOMPARE(visibleScreen(), u"TForm9"_s);

    // A screen's own navigator is closed by its step buttons too.
    click(Screens().text, u"navi"_s);
    QVERIFY(navigator->isVisible());
    QCOMPARE(navigator->tag(), 9);
    click(Screens().text, u"shutdown"_s);
    QVERIFY(!navigator->isVisible());
    QVERIFY(button(Screens().text, u"navi"_s)->isEnabled());
    QCOMPARE(visibleScreen(), u"TForm13"_s);
}

void TestStartup::stepChainForwardAndBack()
{
    const Screens w;
    click(m_menu, u"menu_icon1"_s);
    QVERIFY(!button(w.icon, u"B_step"_s)->isVisible());

    QStringList visited{visibleScreen()};
    const QList<QWidget *> forward{w.icon, w.icon, w.text, w.route};
    for (QWidget *screen : forward) {
        click(screen, u"F_step"_s);
        visited << visibleScreen();
    }
    QCOMPARE(visited, (QStringList{u"TForm1/STEP2"_s, u"TForm1/STEP3"_s, u"TForm9"_s,
                                   u"TForm10"_s, u"TForm8"_s}));
    QVERIFY(!w.remote->findChild<PictureButton *>(u"F_step"_s));
    QVERIFY(m_com3.collectFor(50).isEmpty());

    visited = QStringList{visibleScreen()};
    click(w.remote, u"B_step"_s);
    visited << visibleScreen();
    // Leaving the remote control stops the robot.
    QCOMPARE(PseudoTerminal::valuesOf(m_com3.waitForBytes(1, 1000)), QByteArray("\xFE"));
    m_com3.clear();
    for (QWidget *screen : {static_cast<QWidget *>(w.route), static_cast<QWidget *>(w.text),
                            static_cast<QWidget *>(w.icon)}) {
        click(screen, u"B_step"_s);
        visited << visibleScreen();
    }
    QCOMPARE(visited, (QStringList{u"TForm8"_s, u"TForm10"_s, u"TForm9"_s, u"TForm1/STEP3"_s,
                                   u"TForm1/STEP2"_s}));
    QVERIFY(!button(w.icon, u"B_step"_s)->isVisible());
    QVERIFY(m_com3.collectFor(50).isEmpty());
    click(w.icon, u"shutdown"_s);
    QCOMPARE(visibleScreen(), u"TForm13"_s);
}

void TestStartup::closingScreenFromOutsideQuits()
{
    click(m_menu, u"menu_key"_s);
    QWidget *text = Screens().text;
    QVERIFY(text->windowHandle());
    struct CloseWatch : QObject
    {
        int closes = 0;
        bool eventFilter(QObject *, QEvent *e) override
        {
            closes += e->type() == QEvent::Close;
            return false;
        }
    } watch;
    m_menu->installEventFilter(&watch);
    // The window manager's close (not a button): the same as the quit button.
    text->windowHandle()->close();
    m_menu->removeEventFilter(&watch);
    QVERIFY(!text->isVisible());
    QCOMPARE(watch.closes, 1);
    m_menu->showMenu();
}

void TestStartup::quitFromScreenClosesEverything()
{
    QFile file(WorkFolderPath() + u"set.ini"_s);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    click(m_menu, u"menu_raji"_s);
    click(Screens().remote, u"shutdown1"_s);
    for (QWidget *w : QApplication::topLevelWidgets())
        QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
    // Quitting from the remote control sends nothing, and nothing is written.
    QVERIFY(m_com3.collectFor(100).isEmpty());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
}

int main(int argc, char **argv)
{
    Rk25Application app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    TestStartup test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startup.moc"
