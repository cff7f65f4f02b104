// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>

class QSocketNotifier;
class QWidget;

// SIGTERM, SIGHUP and SIGINT (logout, shutdown, kill, Ctrl+C) end the program the way its own
// quit does: the handler only writes the signal's number into a pipe, and the event loop then
// hides every other window (so nothing asks whether to save) and calls quit (the main
// window's close, which ends the run once the block on its way is finished; without it the
// application quits at once), so the port is closed and its lock file removed as on every
// other end.
//
// A signal that comes before the event loop runs (during the start-up's port wait) is kept
// until it does. While it lives the object owns the three signals; destroying it gives them
// back to the system's default.
class QuitSignals : public QObject
{
    Q_OBJECT
public:
    QuitSignals(QWidget *mainWindow, std::function<void()> quit);
    ~QuitSignals() override;

    // False when the pipe or the handlers could not be set up (the signals then end the
    // program as before).
    bool isWatching() const { return m_notifier != nullptr; }

private:
    void signalArrived();

    std::function<void()> m_quit;
    QSocketNotifier *m_notifier = nullptr;
    QTimer m_keepQuitting;
    QPointer<QWidget> m_keepShown;
    bool m_quitting = false;
};
