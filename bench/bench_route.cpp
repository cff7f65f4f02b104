// SPDX-License-Identifier: GPL-3.0-or-later
// The route screen at its largest floor (zoom 3, 1500 x 1500 pixels) with a full route of 58
// points and 10 cones: what one pointer move with its rubber band costs, and one full redraw
// after adding a point. Run by hand: build/bin/bench_route
#include "app/ui/messagebox.h"
#include "app/ui/picturebutton.h"
#include "app/ui/programfiledialog.h"
#include "route/routefloorview.h"
#include "route/routefile.h"
#include "route/routescreen.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QScrollArea>
#include <QtWidgets/QScrollBar>

#include <QElapsedTimer>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

// A square spiral inwards with a diagonal now and then: 58 points, every segment turning.
RouteModel fullRoute()
{
    RouteModel route;
    route.startRoute(40, 460);
    QPoint at(40, 460);
    const QPoint steps[] = {{0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}};
    int length = 120;
    for (int n = 1; n <= ROUTE_LAST_RECORD; ++n) {
        const QPoint step = steps[(n * 3) % 8];
        QPoint next = at + step * length;
        next.setX(std::clamp(next.x(), 10, 490));
        next.setY(std::clamp(next.y(), 10, 490));
        if (next == at)
            next = at + QPoint(10, 0);
        route.addPoint(next.x(), next.y(), 0, 0, 10000);
        at = next;
        length = std::max(20, length - 2);
    }
    // Only the drawing is measured: without its text the route stays below the line limit, so
    // the benchmark can add its last point again and again.
    auto records = route.records();
    for (RoutePoint &p : records)
        p.turnCommand = p.turnWait = p.forwardCommand = p.forwardWait = QString();
    route.assignRecords(records);
    return route;
}

void send(QWidget *w, QEvent::Type type, QPoint at, Qt::MouseButton button)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
    QMouseEvent e(type, QPointF(at), QPointF(w->mapToGlobal(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void click(RouteScreen &screen, const char *name)
{
    auto *b = screen.findChild<PictureButton *>(QString::fromLatin1(name));
    QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
}

// Counts the floor's paint events, to show that the figures include the repaint.
class PaintCounter : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *e) override
    {
        paints += e->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

double percentile(QList<double> v, double p)
{
    std::sort(v.begin(), v.end());
    return v[std::min<qsizetype>(v.size() - 1, qsizetype(p * (v.size() - 1) + 0.5))];
}

}

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ui::setMessageResponder([](const ui::MessageRequest &) { return ui::MessageButton::Ok; });

    QTemporaryDir dir;
    const QString path = dir.filePath(u"full.rk5"_s);
    const RouteModel route = fullRoute();
    if (!writeRouteFile(path, route)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return 1;
    }
    ui::setProgramFileChooserForTests([path](bool) { return path; });

    RouteScreen screen{RobotLink{}};
    screen.show();
    if (!QTest::qWaitForWindowExposed(&screen)) {
        std::fprintf(stderr, "the route screen was never shown\n");
        return 1;
    }
    RouteFloorView *floor = screen.floor();

    click(screen, "s_insert");
    for (int i = 0; i < ROUTE_MAX_OBSTACLES; ++i)
        send(floor, QEvent::MouseButtonPress, QPoint(35 + 45 * i, 80 + 30 * (i % 3)), Qt::LeftButton);
    click(screen, "s_insert");
    screen.ReadClick();
    click(screen, "large");
    click(screen, "large");
    QApplication::processEvents();
    std::printf("zoom %d, floor %dx%d, %d points, %d cones, %d markers\n", screen.zoom(), floor->width(),
                floor->height(), screen.route().lastIndex() + 1, int(screen.obstacles().size()),
                int(floor->markers().size()));

    // Pointer moves on a circle about the last point, within the visible part of the floor.
    const QScrollArea *box = screen.scrollBox();
    const QPoint origin(box->horizontalScrollBar()->value(), box->verticalScrollBar()->value());
    const QPoint centre = origin + QPoint(box->viewport()->width() / 2, box->viewport()->height() / 2);
    PaintCounter counter;
    floor->installEventFilter(&counter);
    QList<double> moves;
    QList<double> handlers;
    QList<double> bandMoves;
    QElapsedTimer t;
    for (int i = 0; i < 3000; ++i) {
        const double a = i * 0.013;
        const double r = 60 + 150 * (0.5 + 0.5 * std::sin(i * 0.007));
        const QPoint at = centre + QPoint(int(r * std::cos(a)), int(r * std::sin(a)));
        const QPoint before = screen.target();
        t.start();
        send(floor, QEvent::MouseMove, at, Qt::NoButton);
        const qint64 handled = t.nsecsElapsed();
        QApplication::processEvents();
        const qint64 painted = t.nsecsElapsed();
        if (i >= 100) {
            handlers.append(handled / 1e6);
            moves.append(painted / 1e6);
            if (screen.target() != before)
                bandMoves.append(painted / 1e6);
        }
    }
    std::printf("pointer move with rubber band (handler + repaint): median %.3f ms, 99th percentile %.3f ms, max %.3f ms\n",
                percentile(moves, 0.5), percentile(moves, 0.99), percentile(moves, 1.0));
    std::printf("  of them the %4d moves that moved the band:       median %.3f ms, 99th percentile %.3f ms, max %.3f ms\n",
                int(bandMoves.size()), percentile(bandMoves, 0.5), percentile(bandMoves, 0.99), percentile(bandMoves, 1.0));
    std::printf("  the floor was painted %d times during the moves\n", counter.paints);
    std::printf("pointer move, handler alone:                        median %.3f ms, 99th percentile %.3f ms\n",
                percentile(handlers, 0.5), percentile(handlers, 0.99));

    // Adding the 58th point redraws the whole floor; removing it first is not timed.
    QList<double> redraws;
    for (int i = 0; i < 150; ++i) {
        click(screen, "One_Delete");
        QApplication::processEvents();
        const RoutePoint &end = screen.route().record(screen.route().lastIndex());
        const QPoint to = QPoint(end.x, end.y) * screen.zoom() + QPoint(i % 2 == 0 ? 30 : -30, 0);
        send(floor, QEvent::MouseMove, to, Qt::NoButton);
        send(floor, QEvent::MouseMove, to, Qt::NoButton);
        QApplication::processEvents();
        t.start();
        send(floor, QEvent::MouseButtonPress, to, Qt::LeftButton);
        QApplication::processEvents();
        redraws.append(t.nsecsElapsed() / 1e6);
        if (screen.route().lastIndex() != ROUTE_LAST_RECORD) {
            std::fprintf(stderr, "the point was not added (last index %d)\n", screen.route().lastIndex());
            return 1;
        }
    }
    std::printf("full redraw after adding a point (press + repaint): median %.3f ms, 99th percentile %.3f ms\n",
                percentile(redraws, 0.5), percentile(redraws, 0.99));
    return 0;
}
