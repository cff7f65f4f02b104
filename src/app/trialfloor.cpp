// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/trialfloor.h"

#include "robot/wireplan.h"
#include "sim/trialwindow.h"
#include "sim/world.h"

#include <QtWidgets/QWidget>

TrialFloor::TrialFloor() : m_window(std::make_unique<TrialWindow>()) {}

TrialFloor::~TrialFloor() = default;

void TrialFloor::tryPlan(const WirePlan &plan, ScreenKind kind, const QList<QPoint> &route, QObject *context,
                         std::function<void(int line)> onLine)
{
    QPolygonF guide;
    for (const QPoint &point : route)
        guide.append(sim::floorPointOfGrid(point));
    // The screen that tried before loses its light.
    QObject::disconnect(m_lines);
    if (m_context && m_onLine)
        m_onLine(0);
    m_context = context;
    m_onLine = onLine;
    m_lines = QObject::connect(m_window.get(), &TrialWindow::lineChanged, context, std::move(onLine));
    m_window->tryProgram(plan.values(), startCommand(kind), plan.imageLines, guide);
    m_window->show();
    m_window->raise();
}
