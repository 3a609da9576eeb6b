#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
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
    // A task a helper runs on its own position before it helps at the points.
    using Task = std::function<void(Intelligence&)>;

    // Starts threads - 1 helpers for game's search; game is thread 0. Each
    // helper first runs task, when one is given.
    SearchPool(Intelligence& game, unsigned threads, Task task = {});
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
    // Lets worker search moves of the open points until done holds, which
    // is asked under the pool's lock: whoever makes it hold calls Changed.
    // Worker's board is then wherever its last move left it.
    void HelpUntil(Intelligence& worker, const std::function<bool()>& done);
    void Changed();

private:
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
