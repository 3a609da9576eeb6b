#include "computer/rootsplit.h"

#include <deque>
#include <limits>
#include <thread>

namespace {

// A best value below any score, so that a trial works out a pruned move's
// loss exactly whatever the root has found by the time it settles.
constexpr int kBelowAnyScore = std::numeric_limits<int>::min() / 2;

}  // namespace

RootSplit::RootSplit(Intelligence& game, int rootHumanSide, int side, const CaptureList& own,
                     const CaptureList& opponent, Intelligence::ExpertNode node)
    : m_game(game),
      m_moves(game.m_rootMoves),
      m_rootHumanSide(rootHumanSide),
      m_side(side),
      m_own(own),
      m_opponent(opponent),
      m_node(node),
      m_outcomes(game.m_rootMoves.size()) {}

ScoredMove RootSplit::Run(unsigned threads) {
    std::deque<Intelligence> workers;
    m_slots = std::make_unique<Slot[]>(threads);
    m_slotCount = threads;
    m_slots[0].worker = &m_game;
    for (unsigned i = 1; i < threads; ++i) {
        workers.emplace_back(static_cast<const Chessgame&>(m_game));
        workers.back().m_control = m_game.m_control;
        m_slots[i].worker = &workers.back();
    }
    for (unsigned i = 0; i < threads; ++i) {
        m_slots[i].worker->m_abandon = &m_slots[i].abandon;
    }
    std::vector<std::thread> running;
    for (unsigned i = 1; i < threads; ++i) {
        running.emplace_back([this, i] { Work(m_slots[i]); });
    }
    Work(m_slots[0]);
    for (std::thread& thread : running) {
        thread.join();
    }
    m_game.m_abandon = nullptr;
    for (const Intelligence& worker : workers) {
        m_game.m_trialMoves += worker.m_trialMoves;
    }
    if (m_game.IsStopRequested()) {
        return m_game.MoveNowChoice(m_node.best, m_moves);
    }
    return m_node.best;
}

Intelligence::ExpertTrial RootSplit::Try(Intelligence& worker, size_t index, int alpha) const {
    Intelligence::ExpertNode window{alpha, m_node.beta};
    window.best.value = kBelowAnyScore;
    const Intelligence::RootMove& move = m_moves[index];
    return worker.TryExpertMove(move.from, move.to, move.mobility, window, m_rootHumanSide, m_side,
                                kRootPly, m_own, m_opponent, worker.FrameAt(kRootPly));
}

// Until a move has been searched on, alpha is the root's own and almost any
// move would raise it; a second move is started only once a first one has
// been counted, or when nothing else is under way.
bool RootSplit::MayStartNext() const {
    return m_cutOff || m_next >= m_moves.size() || m_node.counted > 0 || m_settled == m_next;
}

void RootSplit::Work(Slot& slot) {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return MayStartNext() || m_game.IsStopRequested(); });
        if (m_cutOff || m_next >= m_moves.size() || m_game.IsStopRequested()) {
            break;
        }
        size_t index = m_next++;
        int alpha = m_node.alpha;
        for (;;) {
            slot.index = index;
            slot.alpha = alpha;
            slot.abandon.store(false, std::memory_order_relaxed);
            lock.unlock();
            const Intelligence::ExpertTrial trial = Try(*slot.worker, index, alpha);
            lock.lock();
            slot.index = kIdle;
            // A search cut short by a stop is not finished.
            if (m_game.IsStopRequested() || m_cutOff) {
                break;
            }
            // Called off: searched again with the alpha known now. A pruned
            // move was never searched on and stands.
            if (trial.counted && slot.abandon.load(std::memory_order_relaxed)) {
                alpha = m_node.alpha;
                continue;
            }
            m_outcomes[index] = {true, alpha, trial};
            if (!Settle(index, alpha)) {
                break;
            }
        }
        m_changed.notify_all();
    }
    m_changed.notify_all();
}

bool RootSplit::Settle(size_t& redo, int& alpha) {
    while (!m_cutOff && m_settled < m_moves.size() && m_outcomes[m_settled].done) {
        Outcome& outcome = m_outcomes[m_settled];
        if (outcome.trial.counted && outcome.alpha != m_node.alpha) {
            outcome.done = false;
            redo = m_settled;
            alpha = m_node.alpha;
            return true;
        }
        const Intelligence::RootMove& move = m_moves[m_settled];
        const int alphaBefore = m_node.alpha;
        m_game.CountRootMoveDone();
        m_cutOff = !m_node.Accept(move.from, move.to, outcome.trial);
        ++m_settled;
        if (m_cutOff || m_node.alpha != alphaBefore) {
            AbandonOvertaken();
        }
    }
    return false;
}

// Calls off the searches under way whose alpha is no longer the one their
// move will be settled with, and all of them after a cut-off.
void RootSplit::AbandonOvertaken() {
    for (unsigned i = 0; i < m_slotCount; ++i) {
        Slot& slot = m_slots[i];
        if (slot.index != kIdle && (m_cutOff || slot.alpha != m_node.alpha)) {
            slot.abandon.store(true, std::memory_order_relaxed);
        }
    }
}
