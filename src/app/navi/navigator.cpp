// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/navi/navigator.h"
#include "common/errornumbers.h"

#include "app/ui/errorguard.h"
#include "app/ui/pagecolours.h"
#include "app/ui/stage.h"
#include "app/ui/windowscaling.h"
#include "common/programfolder.h"

#include <QtWidgets/QTextBrowser>
#include <QtWidgets/QVBoxLayout>

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QUrl>

#include <cmath>

using namespace Qt::StringLiterals;

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

Navigator::Navigator(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(u"TForm4"_s);
    setWindowTitle(u"学習ナビ"_s);
    resize(526, 570);
    WebBrowser1 = new QTextBrowser(this);
    WebBrowser1->setObjectName(u"WebBrowser1"_s);
    WebBrowser1->setOpenExternalLinks(false);
    // The help pages are drawn in their own colours, not the desktop's scheme.
    ui::usePageColours(WebBrowser1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(WebBrowser1);
}

void Navigator::openFor(QWidget *caller, QWidget *callerButton, int tag, const QString &page)
{
    if (!caller)
        return;
    const QRect area = screenArea(caller);
    // Screens are designed for 800 pixels; docked, they get half of the display.
    if (area.width() <= 1600)
        ui::scaleWindowContent(caller, halfToEven(area.width() / 2.0), 800);
    ui::stage().moveScreen(caller, QPoint(area.x() + area.width() - caller->width(), area.y() + 50));
    if (callerButton)
        callerButton->setEnabled(false);
    m_caller = caller;
    m_callerButton = callerButton;
    m_tag = tag;
    m_page = page;
    show();
    raise();
}

void Navigator::closeIfVisible()
{
    if (isVisible())
        close();
}

void Navigator::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // A restore from the task bar keeps the page and place the pupil left it with.
    if (!event->spontaneous())
        ui::guarded(this, errors::NAVI_SHOW, [this] { FormShow(); });
}

void Navigator::FormShow()
{
    const QRect area = screenArea(this);
    const int half = halfToEven(area.width() / 2.0);
    setGeometry(area.x() + 40, area.y() + 40, half - 40, area.height() - 90);
    if (!m_page.isEmpty())
        WebBrowser1->setSource(QUrl::fromLocalFile(programFilePath(m_page)));
}

void Navigator::closeEvent(QCloseEvent *event)
{
    if (QWidget *caller = m_caller) {
        const QRect area = screenArea(caller);
        if (area.width() <= 1600)
            ui::restoreWindowContent(caller);
        ui::stage().moveScreen(caller, QPoint(area.x() + halfToEven((area.width() - 800) / 2.0),
                                              area.y() + halfToEven((area.height() - 600) / 2.0)));
        if (m_callerButton)
            m_callerButton->setEnabled(true);
    }
    event->accept();
}
