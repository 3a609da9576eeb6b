#pragma once

#include <QTimer>
#include <atomic>
#include <functional>
#include <optional>
#include <thread>

#include "computer/intelligence.h"
#include "document/tesseldoc.h"

// Asks the computer's search which move it would make for the side to move,
// on a copy of the position and on a thread of its own, so that the game
// itself never changes. The search reads the process-wide depth and side to
// move: nothing may change them while it runs. The user-interface thread
// polls for the result and hands it on.
class HintWorker {
public:
    // Called with the move found, none if the side has no legal move.
    using ResultHandler = std::function<void(std::optional<MoveEntry>)>;

    explicit HintWorker(ResultHandler handler);
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

private:
    void Run(int side, int searchKind);
    void CollectResult();

    // A copy made for each hint; constructing a new game would reset the
    // process-wide side to move.
    std::optional<Intelligence> m_engine;
    SearchControl m_control;
    std::thread m_thread;
    std::atomic<bool> m_finished{false};
    std::optional<MoveEntry> m_result;
    ResultHandler m_handler;
    QTimer m_poll;
};
