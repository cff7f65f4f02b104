#include "app/navi/navigator.h"

#include "app/mainmenu.h"
#include "app/ui/errorguard.h"
#include "app/ui/picturebutton.h"
#include "app/ui/windowscaling.h"
#include "common/programfolder.h"
#include "icon/iconscreen.h"
#include "robot/remotecontrolscreen.h"
#include "route/routescreen.h"
#include "text/textscreen.h"

#include <QtWidgets/QTextBrowser>
#include <QtWidgets/QVBoxLayout>

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QUrl>

#include <cmath>

namespace {

QRect screenArea(const QWidget *w)
{
    QScreen *s = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    return s ? s->geometry() : QRect(0, 0, 1280, 1024);
}

int halfToEven(double v)
{
    return int(std::nearbyint(v));
}

}

Navigator::Navigator(AppWindows &windows, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_windows(windows)
{
    setObjectName(QStringLiteral("TForm4"));
    setWindowTitle(QStringLiteral("学習ナビ"));
    resize(526, 570);
    WebBrowser1 = new QTextBrowser(this);
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    WebBrowser1->setOpenExternalLinks(false);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(WebBrowser1);
}

QString Navigator::pageFor(int tag) const
{
    switch (tag) {
    case 1:
        return m_windows.icon && m_windows.icon->stepMode() == 1
                   ? QStringLiteral("Navi\\navi\\index_s2.html")
                   : QStringLiteral("Navi\\navi\\index_s3.html");
    case 8:
        return QStringLiteral("Navi\\navi\\index_s6.html");
    case 9:
        return m_windows.text && m_windows.text->helpPanelOpen()
                   ? QStringLiteral("Navi\\navi\\index_s8.html")
                   : QStringLiteral("Navi\\navi\\index_s4.html");
    case 10:
        return QStringLiteral("Navi\\navi\\index_s5.html");
    case 13:
        return QStringLiteral("Navi\\navi\\index.html");
    default:
        return {};
    }
}

QWidget *Navigator::callerOf(int tag) const
{
    switch (tag) {
    case 1:
        return m_windows.icon;
    case 8:
        return m_windows.remote;
    case 9:
        return m_windows.text;
    case 10:
        return m_windows.route;
    case 13:
        return m_windows.menu;
    default:
        return nullptr;
    }
}

PictureButton *Navigator::naviButtonOf(int tag) const
{
    if (tag == 13)
        return m_windows.menu ? m_windows.menu->naviButton() : nullptr;
    if (auto *screen = qobject_cast<WorkingScreen *>(callerOf(tag)))
        return screen->naviButton();
    return nullptr;
}

void Navigator::openFor(QWidget *caller, int tag)
{
    if (!caller)
        return;
    const QRect area = screenArea(caller);
    // Screens are designed for 800 pixels; docked, they get half of the display.
    if (area.width() <= 1600)
        ui::scaleWindowContent(caller, halfToEven(area.width() / 2.0), 800);
    caller->move(area.x() + area.width() - caller->width(), area.y() + 50);
    if (PictureButton *button = naviButtonOf(tag))
        button->setEnabled(false);
    m_tag = tag;
    show();
    raise();
}

void Navigator::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    ui::guarded(this, 401, [this] { FormShow(); });
}

void Navigator::FormShow()
{
    const QRect area = screenArea(this);
    const int half = halfToEven(area.width() / 2.0);
    setGeometry(area.x() + 40, area.y() + 40, half - 40, area.height() - 90);
    const QString page = pageFor(m_tag);
    if (!page.isEmpty())
        WebBrowser1->setSource(QUrl::fromLocalFile(programFilePath(page)));
}

void Navigator::closeEvent(QCloseEvent *event)
{
    if (QWidget *caller = callerOf(m_tag)) {
        const QRect area = screenArea(caller);
        if (area.width() <= 1600)
            ui::restoreWindowContent(caller);
        caller->move(area.x() + halfToEven((area.width() - 800) / 2.0),
                     area.y() + halfToEven((area.height() - 600) / 2.0));
        if (PictureButton *button = naviButtonOf(m_tag))
            button->setEnabled(true);
    }
    event->accept();
}
