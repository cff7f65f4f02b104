// Takes the pictures of the teacher's guide: starts the program's windows the way the program
// does, walks through the menu with mouse clicks and saves each window at its own size.
//   rk25guideshots OUTPUT-FOLDER
// It runs at build time on a private virtual display (make-guide-shots), with a scratch home so
// that no one's settings or programs show up in the pictures.
#include "app/mainmenu.h"
#include "app/ui/application.h"
#include "app/ui/messagebox.h"
#include "icon/iconscreen.h"
#include "support/icondrop.h"

#include <QtWidgets/QWidget>

#include <QEventLoop>
#include <QDir>
#include <QMouseEvent>
#include <QTest>

#include <cstdio>
#include <string_view>

using namespace Qt::StringLiterals;

namespace {

QWidget *window(const QString &objectName)
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == objectName)
            return w;
    }
    return nullptr;
}

bool click(QWidget *parent, const QString &child)
{
    auto *w = parent ? parent->findChild<QWidget *>(child) : nullptr;
    if (!w) {
        std::fprintf(stderr, "rk25guideshots: no %s\n", qPrintable(child));
        return false;
    }
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
    QTest::qWait(300);
    return true;
}

bool save(const QString &objectName, const QString &file)
{
    QWidget *w = window(objectName);
    if (!w || !QTest::qWaitForWindowExposed(w)) {
        std::fprintf(stderr, "rk25guideshots: %s is not on the screen\n", qPrintable(objectName));
        return false;
    }
    QTest::qWait(700); // let the pictures and the editor finish painting
    if (!w->grab().save(file)) {
        std::fprintf(stderr, "rk25guideshots: cannot write %s\n", qPrintable(file));
        return false;
    }
    std::printf("saved %s\n", qPrintable(file));
    return true;
}

bool dropIcons(IconScreen *screen, bool withRepeat)
{
    if (!screen)
        return false;
    // Forward, spin right, forward, stop; STEP3 repeats the first three.
    const QStringList motion{u"Image2"_s, u"Image6"_s, u"Image2"_s, u"Image5"_s};
    const QStringList icons = withRepeat ? QStringList{u"Image10"_s, u"Image2"_s, u"Image6"_s, u"Image11"_s, u"Image5"_s}
                                         : motion;
    bool ok = true;
    for (int i = 0; i < icons.size(); ++i)
        ok = testenv::dropIcon(screen, i, icons.at(i)) && ok;
    if (!ok)
        std::fprintf(stderr, "rk25guideshots: an icon was not dropped\n");
    return ok;
}

// A square-ish route clicked on the floor (grid units at the first zoom): the start, then
// each corner.
bool drawRoute(QWidget *screen)
{
    QWidget *floor = screen ? screen->findChild<QWidget *>(u"Image1"_s) : nullptr;
    if (!floor) {
        std::fprintf(stderr, "rk25guideshots: no floor on the route screen\n");
        return false;
    }
    for (const QPoint at : {QPoint(150, 450), QPoint(150, 200), QPoint(350, 200), QPoint(350, 350), QPoint(250, 350)}) {
        const QPointF global = floor->mapToGlobal(QPointF(at));
        QMouseEvent move(QEvent::MouseMove, QPointF(at), global, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(floor, &move);
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(floor, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(floor, &release);
        QTest::qWait(100);
    }
    return true;
}

}

int main(int argc, char *argv[])
{
    Rk25Application app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    if (app.arguments().size() != 2) {
        std::fprintf(stderr, "usage: rk25guideshots <output folder>\n");
        return 2;
    }
    const QDir out(app.arguments().at(1));
    QDir().mkpath(out.path());
    auto path = [&](const char *name) { return out.filePath(QString::fromLatin1(name) + u".png"_s); };

    // Questions on the way back to the menu are answered so that nothing is kept: "save?"
    // (yes, no, cancel) with no, "all will be lost, all right?" with yes.
    ui::setMessageResponder([](const ui::MessageRequest &request) {
        if (request.buttons.contains(ui::MessageButton::Cancel))
            return ui::MessageButton::No;
        if (request.buttons.contains(ui::MessageButton::Yes))
            return ui::MessageButton::Yes;
        return request.buttons.value(0, ui::MessageButton::Ok);
    });

    MainMenu menu;
    // The start-up's re-open goes on on the event loop; the pictures wait for its end.
    bool created = false;
    QEventLoop startUp;
    menu.FormCreate([&] {
        created = true;
        startUp.quit();
    });
    if (!created)
        startUp.exec();
    menu.createOtherWindows();
    menu.centreOnScreen();
    menu.show();

    bool ok = save(u"TForm13"_s, path("menu"));
    // Each step from the menu, then back to the menu with its menu button.
    struct Step
    {
        const char16_t *menuButton;
        const char16_t *screen;
        const char *file;
    };
    const Step steps[] = {
        {u"menu_icon1", u"TForm1", "step2"}, {u"menu_icon2", u"TForm1", "step3"},
        {u"menu_key", u"TForm9", "step4"},   {u"menu_line", u"TForm10", "step5"},
        {u"menu_raji", u"TForm8", "remote"},
    };
    for (const Step &step : steps) {
        const QString screen = QString::fromUtf16(step.screen);
        ok = click(&menu, QString::fromUtf16(step.menuButton)) && ok;
        // Each screen shows a small program, so the picture shows what a program looks like.
        if (screen == u"TForm1")
            ok = dropIcons(qobject_cast<IconScreen *>(window(screen)), step.file == std::string_view("step3")) && ok;
        if (screen == u"TForm9")
            ok = click(window(screen), u"readsample"_s) && ok;
        if (screen == u"TForm10")
            ok = drawRoute(window(screen)) && ok;
        ok = save(screen, path(step.file)) && ok;
        // The route tried on the floor inside the program, a few seconds into its run.
        if (screen == u"TForm10") {
            ok = click(window(screen), u"trial"_s) && ok;
            QTest::qWait(2500);
            ok = save(u"TrialWindow"_s, path("trial")) && ok;
            if (QWidget *floor = window(u"TrialWindow"_s))
                floor->close();
        }
        if (screen == u"TForm9") {
            ok = click(window(screen), u"Report"_s) && ok;
            ok = save(u"TForm11"_s, path("report")) && ok;
            window(u"TForm11"_s)->close();
            QTest::qWait(200);
        }
        ok = click(window(screen), u"shutdown"_s) && ok;
    }
    ok = click(&menu, u"menu_setup"_s) && ok;
    ok = save(u"TForm7"_s, path("settings")) && ok;
    return ok ? 0 : 1;
}
