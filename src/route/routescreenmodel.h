// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/snapshothistory.h"
#include "route/routemodel.h"

#include <QList>
#include <QPoint>

// What the route screen holds, apart from how it shows it: the route, the cones, the mode
// (resting, placing cones, drawing) and the history of route and cones (undo, redo and
// whether it is modified). The window turns the pupil's actions into changes here and shows
// the result; the pixels of the floor and its zoom stay the window's.
class RouteScreenModel
{
public:
    enum Mode { Idle = 0, PlacingObstacles = 5, Drawing = 10 };

    // What undo brings back: the route, the cones and whether the route is still being drawn.
    struct State
    {
        RouteModel route;
        QList<QPoint> obstacles;
        bool drawing = false;
        bool operator==(const State &) const = default;
    };

    RouteModel route;
    QList<QPoint> obstacles; // floor points of the cones
    Mode mode = Idle;

    State state() const { return {route, obstacles, mode == Drawing}; }

    // The history starts anew from what is there now, unmodified.
    void forgetHistory() { m_history.reset(state()); }
    // A step of the history unless route and cones are as they were.
    bool record() { return m_history.record(state()); }
    // One step back or forward; false when there is none. A route still being drawn is drawn
    // on; cones are placed on a finished route only, so placing them ends under such a route.
    bool undo() { return apply(m_history.undo()); }
    bool redo() { return apply(m_history.redo()); }
    bool canUndo() const { return m_history.canUndo(); }
    bool modified() const { return m_history.modified(); }
    void markSaved() { m_history.markSaved(); }
    // Brought back from a recovery copy: never saved.
    void forgetSaved() { m_history.forgetSaved(); }

private:
    bool apply(const State *s)
    {
        if (!s)
            return false;
        route = s->route;
        obstacles = s->obstacles;
        if (mode != PlacingObstacles || s->drawing)
            mode = s->drawing ? Drawing : Idle;
        return true;
    }

    SnapshotHistory<State> m_history;
};
