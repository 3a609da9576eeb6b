#pragma once

#include <atomic>
#include <cstddef>
#include <memory>
#include <mutex>
#include <vector>

#include "computer/intelligence.h"

class SplitPoint;

// A thread's part in a split point: the move it searches and with what alpha.
struct SplitSlot {
    static constexpr size_t kIdle = static_cast<size_t>(-1);

    const SplitPoint* point = nullptr;
    std::atomic<bool> abandon{false};
    size_t index = kIdle;
    int alpha = 0;
};

// The moves of one Expert node that several threads search, coming to
// exactly the decision of the search that tries them one after another.
//
// Each move is searched on a thread's own copy of the node's position with
// the alpha known when it is started: the alpha left by the moves settled so
// far. The moves are then settled strictly in order. A move that was
// searched on must have been searched with the alpha the sequential order
// gives it, which is known only once every move before it is settled; if it
// was not, it is searched again with that alpha before it is settled, and a
// search under way with an alpha that has just been overtaken is called off
// at once. Its first answer cannot stand in for that search, even where it
// lies below the new alpha: a node hands its own window to the replies, not
// shifted by the move's score, so under a higher alpha a move can score
// above that alpha after scoring below it under the lower one. A pruned move
// does not depend on alpha, and its loss is worked out exactly, so it
// settles as it is. Everything the node decides therefore comes from the
// same searches the sequential node makes, in the same order.
//
// A split point below the root is opened by the thread searching its node,
// which stays its owner; a search running for a move of the point may open
// further points beneath it. Every member but the constant ones is guarded
// by the pool's lock.
class SplitPoint {
public:
    // A point of owner's search, which runs in a pool: a slot for each of
    // the pool's threads. alphaSteady tells whether the node's last counted
    // move left its alpha as it was.
    SplitPoint(Intelligence& owner, int rootHumanSide, int side, int ply, const CaptureList& own,
               const CaptureList& opponent, Intelligence::ExpertNode node, bool alphaSteady,
               const Intelligence::ListedMove* first, const Intelligence::ListedMove* last);

    // Whether a thread may start one of the moves now.
    bool HasMoveToStart() const;
    // Settled to the end or cut off: nothing left to decide.
    bool Finished() const { return m_cutOff || m_settled == m_moves.size(); }
    // The search the point belongs to is stopped or searched in vain.
    bool CalledOff() const;
    bool Busy() const { return m_busy > 0; }
    bool DescendsFrom(const SplitPoint& ancestor) const;
    int Ply() const { return m_ply; }
    bool IsRoot() const { return m_ply == kRootPly; }
    const Chessgame& Position() const { return m_position; }
    const Intelligence::ExpertNode& Node() const { return m_node; }

    // Called with the pool's lock held, which it gives up while searching:
    // worker starts the next move, and settles it with every finished move
    // behind it, searching again any that turns out to have been searched
    // with an overtaken alpha. atPosition tells whether worker's board
    // already holds the point's position.
    void SearchNextMove(Intelligence& worker, bool atPosition, std::unique_lock<std::mutex>& lock);

    // Whether the search holding slot, or any search above it through the
    // points it was opened from, has been called off: everything beneath
    // such a search runs in vain.
    static bool IsAbandoned(const SplitSlot* slot);

private:
    struct Outcome {
        bool done = false;
        int alpha = 0;
        Intelligence::ExpertTrial trial{};
    };

    // Tries the move with the given alpha, and with the node's floor when it
    // was started, below which no reply value can change the node.
    Intelligence::ExpertTrial Try(Intelligence& worker, size_t index, int alpha, int floor) const;
    // Settles the finished moves in order and answers the move that must be
    // searched again (with its alpha), or false.
    bool Settle(size_t& redo, int& alpha);
    void AbandonOvertaken();

    const Chessgame m_position;
    // The slot of the search that opened the point; none at the root.
    const SplitSlot* const m_parent;
    SearchControl* const m_control;
    const int m_rootHumanSide;
    const int m_side;
    const int m_ply;
    const CaptureList& m_own;
    const CaptureList& m_opponent;
    const std::vector<Intelligence::ListedMove> m_moves;

    const std::unique_ptr<SplitSlot[]> m_slots;  // [thread]
    const unsigned m_slotCount;
    Intelligence::ExpertNode m_node;
    std::vector<Outcome> m_outcomes;
    size_t m_next = 0;     // the first move no thread has started
    size_t m_settled = 0;  // the moves settled so far, in order
    unsigned m_busy = 0;   // threads searching one of its moves
    bool m_cutOff = false;
    // The last counted move left alpha as it was.
    bool m_alphaSteady;
};
