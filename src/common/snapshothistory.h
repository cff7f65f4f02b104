// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>

// Undo and redo over whole copies of a small model (an icon program, a route): after every
// change the screen records the state it now holds. Copies of these models share their strings,
// so a step costs a few kilobytes, and every kind of change (a drop with shift-up, a file read)
// is undone exactly without a command of its own.
//
// The history also knows which state was last saved, so "changed since saved" follows undo and
// redo: undoing back to the saved state is unchanged again.
template <typename State>
class SnapshotHistory
{
public:
    static constexpr int DEFAULT_STEPS = 200;

    explicit SnapshotHistory(int steps = DEFAULT_STEPS)
        : m_steps(steps < 1 ? 1 : steps)
    {
    }

    // Empties the history; state is the only one and counts as saved.
    void reset(const State &state)
    {
        m_states.clear();
        m_states.push_back(state);
        m_current = 0;
        m_saved = 0;
    }

    // Records the state after a change; a state equal to the current one is no step. Steps
    // undone before are gone. False when nothing was recorded.
    bool record(const State &state)
    {
        return record(state, [](const State &a, const State &b) { return a == b; });
    }

    // The same, with the screen's own word on which states are alike: an action that leaves
    // the state alike (a detail nobody sees) is no step and leaves the modified state as it was.
    template <typename Alike>
    bool record(const State &state, Alike alike)
    {
        if (m_states.empty()) {
            reset(state);
            return false;
        }
        if (alike(m_states[m_current], state))
            return false;
        m_states.erase(m_states.begin() + m_current + 1, m_states.end());
        if (m_saved > m_current)
            m_saved = NONE;
        m_states.push_back(state);
        ++m_current;
        // The oldest states go first, and with them perhaps the saved one.
        while (int(m_states.size()) > m_steps + 1) {
            m_states.pop_front();
            --m_current;
            m_saved = m_saved > 0 ? m_saved - 1 : NONE;
        }
        return true;
    }

    bool canUndo() const { return m_current > 0; }
    bool canRedo() const { return m_current + 1 < int(m_states.size()); }

    // The state to show after one step back (or forward); nullptr when there is none.
    const State *undo() { return canUndo() ? &m_states[--m_current] : nullptr; }
    const State *redo() { return canRedo() ? &m_states[++m_current] : nullptr; }

    // The current state is what the file now holds.
    void markSaved() { m_saved = m_current; }
    // No state of the history is in a file (work brought back after a crash).
    void forgetSaved() { m_saved = NONE; }
    bool modified() const { return m_current != m_saved; }

    int steps() const { return m_steps; }
    int undoSteps() const { return m_current; }

private:
    static constexpr int NONE = -1;
    std::deque<State> m_states;
    int m_steps;
    int m_current = 0;
    int m_saved = NONE;
};
