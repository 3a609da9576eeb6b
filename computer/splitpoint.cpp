#include "computer/splitpoint.h"

#include <limits>

#include "computer/searchpool.h"

namespace {

// A best value below any score, so that a trial works out a pruned move's
// loss exactly whatever the node has found by the time it settles.
constexpr int kBelowAnyScore = std::numeric_limits<int>::min() / 2;

}  // namespace

SplitPoint::SplitPoint(Intelligence& owner, int rootHumanSide, int side, int ply,
                       const CaptureList& own, const CaptureList& opponent,
                       Intelligence::ExpertNode node, bool alphaSteady,
                       const Intelligence::ListedMove* first, const Intelligence::ListedMove* last)
    : m_position(owner),
      m_parent(owner.m_slot),
      m_control(owner.m_control),
      m_rootHumanSide(rootHumanSide),
      m_side(side),
      m_ply(ply),
      m_own(own),
      m_opponent(opponent),
      m_moves(first, last),
      m_slots(std::make_unique<SplitSlot[]>(owner.m_pool->Threads())),
      m_slotCount(owner.m_pool->Threads()),
      m_node(node),
      m_outcomes(m_moves.size()),
      m_alphaSteady(alphaSteady) {
    for (unsigned i = 0; i < m_slotCount; ++i) {
        m_slots[i].point = this;
    }
}

bool SplitPoint::IsAbandoned(const SplitSlot* slot) {
    for (; slot != nullptr; slot = slot->point->m_parent) {
        if (slot->abandon.load(std::memory_order_relaxed)) {
            return true;
        }
    }
    return false;
}

bool SplitPoint::CalledOff() const {
    return (m_control != nullptr && m_control->StopRequested()) || IsAbandoned(m_parent);
}

bool SplitPoint::DescendsFrom(const SplitPoint& ancestor) const {
    for (const SplitSlot* slot = m_parent; slot != nullptr; slot = slot->point->m_parent) {
        if (slot->point == &ancestor) {
            return true;
        }
    }
    return false;
}

// Until a move has been searched on, alpha is the node's own and almost any
// move would raise it; a move is started ahead of those under way only once
// one has been counted. Each rise of alpha throws away the searches of the
// moves after it, so the point runs ahead only while the node's last
// counted move, before the split or since, left alpha as it was; and the
// root, whose alpha rises with every better move, takes its moves one at a
// time while the other threads help beneath.
bool SplitPoint::HasMoveToStart() const {
    const bool mayRunAhead = m_node.counted > 0 && !IsRoot() && m_alphaSteady;
    return !m_cutOff && m_next < m_moves.size() && (mayRunAhead || m_settled == m_next) &&
           !CalledOff();
}

Intelligence::ExpertTrial SplitPoint::Try(Intelligence& worker, size_t index, int alpha,
                                          int floor) const {
    Intelligence::ExpertNode window{alpha, m_node.beta};
    window.best.value = kBelowAnyScore;
    window.enough = m_node.enough;
    window.startFloor = floor;
    const Intelligence::ListedMove& move = m_moves[index];
    return worker.TryExpertMove(move.from, move.to, move.mobility, window, m_rootHumanSide, m_side,
                                m_ply, m_own, m_opponent, worker.FrameAt(m_ply));
}

void SplitPoint::SearchNextMove(Intelligence& worker, bool atPosition,
                                std::unique_lock<std::mutex>& lock) {
    SplitSlot& slot = m_slots[worker.m_threadIndex];
    const SplitSlot* const outer = worker.m_slot;
    ++m_busy;
    size_t index = m_next++;
    int alpha = m_node.alpha;
    int floor = m_node.Floor();
    for (;;) {
        slot.index = index;
        slot.alpha = alpha;
        slot.abandon.store(false, std::memory_order_relaxed);
        lock.unlock();
        if (!atPosition) {
            worker.Chessgame::operator=(m_position);
            atPosition = true;
        }
        worker.m_slot = &slot;
        const Intelligence::ExpertTrial trial = Try(worker, index, alpha, floor);
        worker.m_slot = outer;
        lock.lock();
        slot.index = SplitSlot::kIdle;
        // A search cut short by a stop, or searched in vain, is not finished.
        if (m_cutOff || CalledOff()) {
            break;
        }
        // Called off: searched again with the alpha known now. A pruned
        // move was never searched on and stands.
        if (trial.counted && slot.abandon.load(std::memory_order_relaxed)) {
            alpha = m_node.alpha;
            floor = m_node.Floor();
            continue;
        }
        m_outcomes[index] = {true, alpha, trial};
        if (!Settle(index, alpha)) {
            break;
        }
        floor = m_node.Floor();
    }
    --m_busy;
}

bool SplitPoint::Settle(size_t& redo, int& alpha) {
    while (!m_cutOff && m_settled < m_moves.size() && m_outcomes[m_settled].done) {
        Outcome& outcome = m_outcomes[m_settled];
        if (outcome.trial.counted && outcome.alpha != m_node.alpha) {
            outcome.done = false;
            redo = m_settled;
            alpha = m_node.alpha;
            return true;
        }
        const Intelligence::ListedMove& move = m_moves[m_settled];
        const int alphaBefore = m_node.alpha;
        if (IsRoot() && m_control != nullptr) {
            m_control->CountRootMoveDone();
        }
        m_cutOff = !m_node.Accept(move.from, move.to, outcome.trial);
        if (IsRoot() && m_control != nullptr && IsMove(m_node.best)) {
            m_control->SetBestSoFar(m_node.best.from, m_node.best.to);
        }
        if (outcome.trial.counted) {
            m_alphaSteady = m_node.alpha == alphaBefore;
        }
        ++m_settled;
        if (m_cutOff || m_node.alpha != alphaBefore) {
            AbandonOvertaken();
        }
    }
    return false;
}

// Calls off the searches under way whose alpha is no longer the one their
// move will be settled with, and all of them after a cut-off.
void SplitPoint::AbandonOvertaken() {
    for (unsigned i = 0; i < m_slotCount; ++i) {
        SplitSlot& slot = m_slots[i];
        if (slot.index != SplitSlot::kIdle && (m_cutOff || slot.alpha != m_node.alpha)) {
            slot.abandon.store(true, std::memory_order_relaxed);
        }
    }
}
