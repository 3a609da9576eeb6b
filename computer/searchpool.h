#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "computer/intelligence.h"

class SplitPoint;

// The threads of one Expert search: the searching thread, which owns the
// root, and helpers, each with its own copy of the position. A thread that
// has nothing to do waits here until a split point offers a move; the
// owner of a point waiting for its helpers meanwhile helps beneath it, so
// that no core idles while the point's last moves are searched.
class SearchPool {
public:
    // Starts threads - 1 helpers for game's search; game is thread 0.
    SearchPool(Intelligence& game, unsigned threads);
    // Stops the helpers and adds their trial moves to the game's count.
    ~SearchPool();

    SearchPool(const SearchPool&) = delete;
    SearchPool& operator=(const SearchPool&) = delete;

    unsigned Threads() const { return m_threads; }
    // Whether a thread waits for work: only then is a node worth splitting.
    bool HasWaiting() const { return m_waiting.load(std::memory_order_relaxed) > 0; }

    // Lets the pool's threads search point's moves beside owner, and returns
    // once the point is settled or called off and no thread is left in it,
    // with owner's board back at the point's position.
    void Run(SplitPoint& point, Intelligence& owner);

private:
    void Help(Intelligence& worker);
    // The shallowest open point a thread may start a move of, among those
    // beneath within when given.
    SplitPoint* OpenPointWithMove(const SplitPoint* within) const;
    void Wait(std::unique_lock<std::mutex>& lock);

    Intelligence& m_game;
    const unsigned m_threads;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<SplitPoint*> m_open;
    std::atomic<int> m_waiting{0};
    bool m_closing = false;
    std::deque<Intelligence> m_helpers;
    std::vector<std::thread> m_running;
};
