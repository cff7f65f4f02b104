// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "transfer/transfer.h"

#include <QMetaObject>
#include <QPointer>

#include <memory>

class TrialWindow;

// The one floor of the application for "ためす": every programming screen tries its program on
// the same window, and only the screen that tried last hears the running line.
class TrialFloor : public ProgramTrial
{
public:
    TrialFloor();
    ~TrialFloor() override;

    void tryPlan(const WirePlan &plan, ScreenKind kind, const QList<QPoint> &route, QObject *context,
                 std::function<void(int line)> onLine) override;
    TrialWindow *window() const { return m_window.get(); }

private:
    std::unique_ptr<TrialWindow> m_window;
    QMetaObject::Connection m_lines;
    QPointer<QObject> m_context;
    std::function<void(int line)> m_onLine;
};
