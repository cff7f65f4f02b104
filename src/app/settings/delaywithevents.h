// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

class QObject;

// Waits at least ms milliseconds, then calls then; the caller returns at once and goes on in
// then. Nothing blocks and no event loop of its own runs, so the windows repaint and stay
// clickable, waits never nest inside each other, and each ends on its own time. The time is
// kept on a monotonic clock with a precise timer that is started again if it fires early.
// then is never called from inside this call (also not for ms <= 0), and not at all once
// context is gone (no context: the application's).
void DelayWithEvents(int ms, QObject *context, std::function<void()> then);
