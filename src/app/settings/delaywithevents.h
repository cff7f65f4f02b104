// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Waits at least ms milliseconds while the application keeps handling its events (windows
// repaint and stay clickable). The process sleeps meanwhile: a local event loop ends on a
// precise timer. A wait started inside another one ends on its own time; the outer wait then
// returns when the inner one has, which is never earlier than its own time.
void DelayWithEvents(int ms);
