#pragma once

#include <atomic>

// Lets another thread follow a running ThinkMove and interrupt it. The
// search reads the requests and writes the progress; everything is atomic,
// so the watcher needs no lock.
class SearchControl {
public:
    // Before a new search: no request pending, no progress.
    void Reset() {
        m_moveNow.store(false, std::memory_order_relaxed);
        m_abort.store(false, std::memory_order_relaxed);
        m_rootMovesDone.store(0, std::memory_order_relaxed);
        m_rootMovesTotal.store(0, std::memory_order_relaxed);
        m_bestSoFar.store(kNoBest, std::memory_order_relaxed);
    }

    // Play the best root move found so far (the first move the search would
    // try if no root move is finished yet).
    void RequestMoveNow() { m_moveNow.store(true, std::memory_order_relaxed); }
    // Stop without a move: ThinkMove returns kNoMove and leaves the
    // position as it was before the search.
    void RequestAbort() { m_abort.store(true, std::memory_order_relaxed); }

    bool MoveNowRequested() const { return m_moveNow.load(std::memory_order_relaxed); }
    bool AbortRequested() const { return m_abort.load(std::memory_order_relaxed); }
    bool StopRequested() const { return MoveNowRequested() || AbortRequested(); }

    // Progress of the root: how many of its moves are searched to the end.
    void SetRootMovesTotal(int total) { m_rootMovesTotal.store(total, std::memory_order_relaxed); }
    void CountRootMoveDone() { m_rootMovesDone.fetch_add(1, std::memory_order_relaxed); }
    int RootMovesDone() const { return m_rootMovesDone.load(std::memory_order_relaxed); }
    int RootMovesTotal() const { return m_rootMovesTotal.load(std::memory_order_relaxed); }

    // The best of the root moves finished so far, as Move Now would play it;
    // one value, so that a watcher never sees the squares of two moves.
    void SetBestSoFar(int from, int to) {
        m_bestSoFar.store(from * kSquareSpan + to, std::memory_order_relaxed);
    }
    // False until a root move is finished.
    bool BestSoFar(int& from, int& to) const {
        const int best = m_bestSoFar.load(std::memory_order_relaxed);
        if (best == kNoBest) return false;
        from = best / kSquareSpan;
        to = best % kSquareSpan;
        return true;
    }

private:
    static constexpr int kNoBest = -1;
    static constexpr int kSquareSpan = 64;

    std::atomic<bool> m_moveNow{false};
    std::atomic<bool> m_abort{false};
    std::atomic<int> m_rootMovesDone{0};
    std::atomic<int> m_rootMovesTotal{0};
    std::atomic<int> m_bestSoFar{kNoBest};
};
