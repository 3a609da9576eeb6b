#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <vector>

#include "computer/intelligence.h"

// Searches the moves of an Expert root on several threads and comes to
// exactly the decision of the search that tries them one after another.
//
// Each root move is searched on its own copy of the position with the alpha
// known when it is started: the alpha left by the moves settled so far. The
// moves are then settled strictly in order. A move that was searched on
// must have been searched with the alpha the sequential order gives it,
// which is known only once every move before it is settled; if it was not,
// it is searched again with that alpha before it is settled, and a search
// under way with an alpha that has just been overtaken is called off at
// once. A pruned move does not depend on alpha, and its loss is worked out
// exactly, so it settles as it is. Everything the root decides therefore
// comes from the same searches the sequential root makes, in the same order.
class RootSplit {
public:
    RootSplit(Intelligence& game, int rootHumanSide, int side, const CaptureList& own,
              const CaptureList& opponent, Intelligence::ExpertNode node);

    ScoredMove Run(unsigned threads);

private:
    static constexpr size_t kIdle = static_cast<size_t>(-1);

    struct Outcome {
        bool done = false;
        int alpha = 0;
        Intelligence::ExpertTrial trial{};
    };

    // One thread: its copy of the position and the move it searches.
    struct Slot {
        Intelligence* worker = nullptr;
        std::atomic<bool> abandon{false};
        size_t index = kIdle;
        int alpha = 0;
    };

    void Work(Slot& slot);
    Intelligence::ExpertTrial Try(Intelligence& worker, size_t index, int alpha) const;
    bool MayStartNext() const;
    // Under the lock: settles the finished moves in order and answers the
    // move that must be searched again (with its alpha), or false.
    bool Settle(size_t& redo, int& alpha);
    void AbandonOvertaken();

    Intelligence& m_game;
    const Intelligence::RootMoveList& m_moves;
    const int m_rootHumanSide;
    const int m_side;
    const CaptureList& m_own;
    const CaptureList& m_opponent;

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::unique_ptr<Slot[]> m_slots;
    unsigned m_slotCount = 0;
    Intelligence::ExpertNode m_node;
    std::vector<Outcome> m_outcomes;
    size_t m_next = 0;     // the first move no thread has started
    size_t m_settled = 0;  // the moves settled so far, in order
    bool m_cutOff = false;
};
