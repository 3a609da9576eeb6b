#include "computer/searchpool.h"

#include <algorithm>

#include "computer/splitpoint.h"

SearchPool::SearchPool(Intelligence& game, unsigned threads, Task task)
    : m_game(game), m_threads(threads) {
    m_game.m_pool = this;
    m_game.m_threadIndex = 0;
    for (unsigned i = 1; i < threads; ++i) {
        Intelligence& helper = m_helpers.emplace_back(static_cast<const Chessgame&>(game));
        helper.m_control = game.m_control;
        helper.m_pool = this;
        helper.m_threadIndex = i;
    }
    for (Intelligence& helper : m_helpers) {
        m_running.emplace_back([this, &helper, task] {
            if (task) {
                task(helper);
            }
            HelpUntil(helper, [] { return false; });
        });
    }
}

SearchPool::~SearchPool() {
    {
        std::lock_guard lock(m_mutex);
        m_closing = true;
    }
    m_changed.notify_all();
    for (std::thread& thread : m_running) {
        thread.join();
    }
    for (const Intelligence& helper : m_helpers) {
        m_game.m_trialMoves += helper.m_trialMoves;
    }
    m_game.m_pool = nullptr;
}

void SearchPool::Wait(std::unique_lock<std::mutex>& lock) {
    m_waiting.fetch_add(1, std::memory_order_relaxed);
    m_changed.wait(lock);
    m_waiting.fetch_sub(1, std::memory_order_relaxed);
}

SplitPoint* SearchPool::OpenPointWithMove(const SplitPoint* within) const {
    SplitPoint* found = nullptr;
    for (SplitPoint* point : m_open) {
        if (point->HasMoveToStart() && (within == nullptr || point->DescendsFrom(*within)) &&
            (found == nullptr || point->Ply() < found->Ply())) {
            found = point;
        }
    }
    return found;
}

void SearchPool::HelpUntil(Intelligence& worker, const std::function<bool()>& done) {
    std::unique_lock lock(m_mutex);
    while (!m_closing && !done()) {
        if (SplitPoint* point = OpenPointWithMove(nullptr)) {
            point->SearchNextMove(worker, false, lock);
            m_changed.notify_all();
        } else {
            Wait(lock);
        }
    }
}

// Taking the lock orders the change before the wait of a thread that has
// just found done false, so that no wake-up is lost.
void SearchPool::Changed() {
    { std::lock_guard lock(m_mutex); }
    m_changed.notify_all();
}

void SearchPool::Run(SplitPoint& point, Intelligence& owner) {
    std::unique_lock lock(m_mutex);
    m_open.push_back(&point);
    m_changed.notify_all();
    bool atPosition = true;
    for (;;) {
        if (point.HasMoveToStart()) {
            point.SearchNextMove(owner, atPosition, lock);
            atPosition = true;
            m_changed.notify_all();
        } else if (point.Finished() || point.CalledOff()) {
            if (!point.Busy()) {
                break;
            }
            Wait(lock);
        } else if (SplitPoint* below = OpenPointWithMove(&point)) {
            below->SearchNextMove(owner, false, lock);
            atPosition = false;
            m_changed.notify_all();
        } else {
            Wait(lock);
        }
    }
    m_open.erase(std::find(m_open.begin(), m_open.end(), &point));
    lock.unlock();
    if (!atPosition) {
        owner.Chessgame::operator=(point.Position());
    }
}
