// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mainmenu.h"
#include "common/workfolder.h"
#include "app/ui/messagebox.h"
#include "app/ui/picturebutton.h"
#include "app/ui/programfiledialog.h"
#include "common/cp932.h"
#include "common/recoverycopy.h"
#include "editor/sonedit.h"
#include "icon/iconfile.h"
#include "icon/iconscreen.h"
#include "icon/keypadpage.h"
#include "route/routefloorview.h"
#include "route/routescreen.h"
#include "support/findwindow.h"
#include "support/icondrop.h"
#include "text/textscreen.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QSlider>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <memory>

using namespace Qt::StringLiterals;
using ui::MessageButton;

// Work in progress survives the program being killed: a child process runs the real windows,
// makes a change and is killed with SIGKILL once its recovery copy is on disk; the next start
// offers the copy when the screen is first shown.
namespace {

constexpr char CHILD_VARIABLE[] = "RK25_RECOVERY_CHILD";
const QString QUESTION = u"まえの プログラムが のこっています。もどしますか？"_s;

struct Screens
{
    MainMenu *menu = testenv::findWindow<MainMenu>(u"TForm13"_s);
    IconScreen *icon = testenv::findWindow<IconScreen>(u"TForm1"_s);
    TextScreen *text = testenv::findWindow<TextScreen>(u"TForm9"_s);
    RouteScreen *route = testenv::findWindow<RouteScreen>(u"TForm10"_s);

    WorkingScreen *of(const QString &name) const
    {
        if (name == u"icon")
            return icon;
        return name == u"text" ? static_cast<WorkingScreen *>(text) : route;
    }
};

// The menu without the port's re-open, which the copies do not need.
std::unique_ptr<MainMenu> startMenu()
{
    auto menu = std::make_unique<MainMenu>();
    menu->createOtherWindows();
    menu->show();
    return menu;
}

void pressFloor(RouteScreen *route, QPoint grid, Qt::MouseButton button = Qt::LeftButton)
{
    RouteFloorView *floor = route->floor();
    for (const QEvent::Type type : {QEvent::MouseMove, QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
        QMouseEvent event(type, QPointF(grid), QPointF(floor->mapToGlobal(grid)), type == QEvent::MouseMove ? Qt::NoButton : button,
                          held, Qt::NoModifier);
        QApplication::sendEvent(floor, &event);
    }
}

void clickMenu(const QString &button)
{
    MainMenu *menu = Screens().menu;
    QTest::mouseClick(menu->findChild<PictureButton *>(button), Qt::LeftButton);
}

// The child: opens the screen, changes its program, says "ready" once the copy is on disk and
// goes on running until it is killed.
int runChild(const QString &screen)
{
    ui::setMessageResponder([](const ui::MessageRequest &r) { return r.buttons.value(0); });
    const std::unique_ptr<MainMenu> menu = startMenu();
    const Screens s;
    if (screen == u"icon") {
        clickMenu(u"menu_icon2"_s);
        testenv::dropIcon(s.icon, 0, u"Image2"_s);
        QTest::keyClicks(s.icon->keypadPage()->trackBar(), u"1.5"_s);
        QTest::keyClick(s.icon->keypadPage()->trackBar(), Qt::Key_Return);
        testenv::dropIcon(s.icon, 1, u"Image11"_s);
    } else if (screen == u"text") {
        clickMenu(u"menu_key"_s);
        QTest::keyClicks(s.text->editor(), u"motor(fwd,fwd)"_s);
        QTest::keyClick(s.text->editor(), Qt::Key_Return);
        QTest::keyClicks(s.text->editor(), u"wait(10)"_s);
    } else {
        clickMenu(u"menu_line"_s);
        pressFloor(s.route, {250, 400});
        pressFloor(s.route, {250, 300});
        pressFloor(s.route, {350, 300});
    }
    const QString copy = s.of(screen)->recoveryPath();
    if (!QTest::qWaitFor([&] { return QFile::exists(copy); }, 10000))
        return 2;
    std::printf("ready\n");
    std::fflush(stdout);
    return QApplication::exec();
}

}

class TestRecovery : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void copyOfKilledRunIsOffered_data();
    void copyOfKilledRunIsOffered();

private:
    // Runs the child for the screen until its copy is written, then kills it with SIGKILL.
    void killChildAfterChange(const QString &screen);

    QList<ui::MessageRequest> m_boxes;
    MessageButton m_offerAnswer = MessageButton::Yes;
    bool m_endDuringOffer = false;
    QTemporaryDir m_dir;
};

void TestRecovery::init()
{
    m_boxes.clear();
    m_endDuringOffer = false;
    QDir(recovery::folderIn(WorkFolderPath())).removeRecursively();
    ui::setMessageResponder([this](const ui::MessageRequest &r) {
        m_boxes << r;
        if (r.text == QUESTION && m_endDuringOffer) {
            // The end arrives while the box is open (as a signal's handler closes the menu);
            // the ended box then reads as its Escape answer.
            Screens().menu->close();
            return MessageButton::No;
        }
        if (r.text == QUESTION)
            return m_offerAnswer;
        // Asked to save at the end, the pupil lets the work go (the route asks yes or no).
        return r.buttons.contains(MessageButton::Cancel) ? MessageButton::No : r.buttons.value(0);
    });
    ui::setProgramFileChooserForTests([this](bool) { return m_dir.filePath(u"kept.rk5"_s); });
}

void TestRecovery::cleanup()
{
    ui::setMessageResponder({});
    ui::setProgramFileChooserForTests({});
}

void TestRecovery::killChildAfterChange(const QString &screen)
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(CHILD_VARIABLE), screen);
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY(child.waitForStarted());
    QVERIFY2(QTest::qWaitFor([&] { return child.canReadLine() || child.state() == QProcess::NotRunning; }, 60000),
             "the child never got ready");
    QCOMPARE(child.readLine().trimmed(), QByteArray("ready"));
    child.kill(); // SIGKILL: no handler, no end marker, nothing flushed
    QVERIFY(child.waitForFinished(10000));
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);
}

void TestRecovery::copyOfKilledRunIsOffered_data()
{
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("menuButton");
    QTest::addColumn<bool>("yes");
    // A run between the killed one and the one that offers: "quit" ends at once from the menu,
    // "icon" works on STEP2 only and quits, "offer" is ended while it offers the copy.
    QTest::addColumn<QString>("between");
    // STEP3 work brought back in STEP2 switches to STEP3, the only step that holds it.
    QTest::newRow("icon, yes") << u"icon"_s << u"menu_icon1"_s << true << QString();
    QTest::newRow("icon, no") << u"icon"_s << u"menu_icon2"_s << false << QString();
    QTest::newRow("text, yes") << u"text"_s << u"menu_key"_s << true << QString();
    QTest::newRow("text, no") << u"text"_s << u"menu_key"_s << false << QString();
    QTest::newRow("route in the middle, yes") << u"route"_s << u"menu_line"_s << true << QString();
    QTest::newRow("route in the middle, no") << u"route"_s << u"menu_line"_s << false << QString();
    QTest::newRow("text, after a run that quit at once") << u"text"_s << u"menu_key"_s << true << u"quit"_s;
    QTest::newRow("text, after a run on STEP2 only") << u"text"_s << u"menu_key"_s << true << u"icon"_s;
    QTest::newRow("route, after a run ended while offering") << u"route"_s << u"menu_line"_s << true << u"offer"_s;
}

void TestRecovery::copyOfKilledRunIsOffered()
{
    QFETCH(QString, screen);
    QFETCH(QString, menuButton);
    QFETCH(bool, yes);
    QFETCH(QString, between);
    killChildAfterChange(screen);
    if (QTest::currentTestFailed())
        return;
    if (!between.isEmpty()) {
        const std::unique_ptr<MainMenu> run = startMenu();
        if (between == u"quit") {
            clickMenu(u"close1"_s);
        } else if (between == u"icon") {
            clickMenu(u"menu_icon1"_s);
            QTest::mouseClick(Screens().icon->findChild<PictureButton *>(u"shutdown1"_s), Qt::LeftButton);
        } else {
            m_endDuringOffer = true;
            clickMenu(menuButton);
            QTRY_COMPARE(m_boxes.size(), 1);
            m_endDuringOffer = false;
        }
        QVERIFY(!run->isVisible());
        m_boxes.clear();
    }

    std::unique_ptr<MainMenu> menu = startMenu();
    const Screens s;
    WorkingScreen *shown = s.of(screen);
    const QString copy = shown->recoveryPath();
    QVERIFY(QFile::exists(copy));
    const QStringList copied = cp932::readLines(copy).lines;
    // Nothing is asked before the screen is shown.
    QCoreApplication::processEvents();
    QVERIFY(m_boxes.isEmpty());

    m_offerAnswer = yes ? MessageButton::Yes : MessageButton::No;
    clickMenu(menuButton);
    QTRY_COMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes[0].text, QUESTION);
    QCOMPARE(m_boxes[0].buttons, (QList<MessageButton>{MessageButton::Yes, MessageButton::No}));

    if (!yes) {
        QVERIFY(!QFile::exists(copy));
        if (screen == u"icon")
            QVERIFY(!s.icon->program().hasInstructions());
        else if (screen == u"text")
            QCOMPARE(s.text->editor()->text(), QString());
        else
            QCOMPARE(s.route->route().lastIndex(), 0);
        return;
    }

    // Loaded as unsaved work, exactly as the copy holds it.
    if (screen == u"icon") {
        QCOMPARE(iconFileLines(s.icon->program()), copied);
        QCOMPARE(s.icon->program().slot(0).value, 15);
        QCOMPARE(s.icon->stepMode(), 2);
        QVERIFY(s.icon->isModified());
    } else if (screen == u"text") {
        QCOMPARE(s.text->editor()->text(), u"motor(fwd,fwd)\r\nwait(10)"_s);
        QVERIFY(s.text->editor()->modified());
    } else {
        QCOMPARE(s.route->route().lastIndex(), 2);
        QCOMPARE(s.route->routeMode(), RouteScreen::Drawing);
        // The route goes on from where it was cut off.
        pressFloor(s.route, {350, 200});
        QCOMPARE(s.route->route().lastIndex(), 3);
    }
    QTRY_VERIFY(QFile::exists(copy));

    // A save removes the copy; quitting normally leaves none to offer.
    QTest::mouseClick(shown->findChild<PictureButton *>(u"Save"_s), Qt::LeftButton);
    QVERIFY(QFile::exists(m_dir.filePath(u"kept.rk5"_s)));
    QVERIFY(!QFile::exists(copy));
    QTest::mouseClick(shown->findChild<PictureButton *>(u"shutdown1"_s), Qt::LeftButton);
    QVERIFY(!shown->isVisible());
    QTest::qWait(recovery::WRITE_DELAY_MS + 200);
    QVERIFY(!QFile::exists(copy));

    menu.reset();
    const std::unique_ptr<MainMenu> again = startMenu();
    m_boxes.clear();
    clickMenu(menuButton);
    QTest::qWait(100);
    QVERIFY(m_boxes.isEmpty());
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString child = qEnvironmentVariable(CHILD_VARIABLE);
    if (!child.isEmpty())
        return runChild(child);
    TestRecovery test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_recovery.moc"
