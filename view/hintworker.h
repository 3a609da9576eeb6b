#pragma once

#include <atomic>
#include <optional>
#include <thread>

#include "computer/intelligence.h"
#include "document/tesseldoc.h"

// Asks the computer's search which move it would make for the side to move,
// on a copy of the position and on a thread of its own, so that the game
// itself never changes. The search reads the process-wide depth and side to
// move: nothing may change them while it runs.
class HintWorker {
public:
    HintWorker() = default;
    HintWorker(const HintWorker&) = delete;
    HintWorker& operator=(const HintWorker&) = delete;
    // Interrupts a search still running and waits for it.
    ~HintWorker();

    // The search for the human's side of a game against the computer, from
    // the computer's own state of that game.
    void Start(const Intelligence& position, int side, int searchKind);
    // Interrupts a search still running and drops its result.
    void Stop();
    // Ends the search with the best move it has found so far.
    void MoveNow() { m_control.RequestMoveNow(); }
    // The search's progress, for the window to show.
    const SearchControl& Control() const { return m_control; }
    bool IsRunning() const { return m_thread.joinable(); }
    bool IsFinished() const { return m_finished.load(std::memory_order_acquire); }
    // Once finished: the move found, none if the side has no legal move.
    std::optional<MoveEntry> TakeResult();

private:
    void Run(int side, int searchKind);

    // A copy made for each hint; constructing a new game would reset the
    // process-wide side to move.
    std::optional<Intelligence> m_engine;
    SearchControl m_control;
    std::thread m_thread;
    std::atomic<bool> m_finished{false};
    std::optional<MoveEntry> m_result;
};
