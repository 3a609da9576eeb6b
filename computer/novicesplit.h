#pragma once

#include <atomic>
#include <vector>

#include "computer/intelligence.h"

// The Novice root on several threads, with exactly the decision of the
// search that tries its moves one after another. Which moves the Novice root
// searches on, and with what alpha, follows from the moves' static scores
// and exchange losses alone: a move is explored when it loses nothing and
// scores above every move explored before it. So the static part is worked
// out first, in order, on this thread, and the searches of the explored
// moves, each with the window the order gives it, then run side by side;
// a thread that finds none left helps beneath those still under way.
class NoviceSplit {
public:
    NoviceSplit(Intelligence& game, int beta, int rootHumanSide, int side, int ply);

    ScoredMove Run(int alpha, const CaptureList& own, const CaptureList& opponent,
                   unsigned threads);

private:
    struct Step {
        int from;
        int to;
        int score;  // static, or pruned with its loss
        bool explored;
        int alpha;
        CaptureList replies;
        CaptureList ownNext;
        int replyValue = 0;
        bool searched = false;
    };

    // The static part of every root move; false with the move to play when
    // a winning capture ends the search at once.
    bool ScoreStatically(int alpha, const CaptureList& own, const CaptureList& opponent,
                         ScoredMove& winning);
    void SearchExplored(Intelligence& worker);
    // SearchExplored, then tells the pool that one fewer thread searches.
    void SearchAll(Intelligence& worker);
    ScoredMove Settle() const;

    Intelligence& m_game;
    const int m_beta;
    const int m_rootHumanSide;
    const int m_side;
    const int m_ply;
    std::vector<Step> m_steps;
    std::vector<size_t> m_explored;
    std::atomic<size_t> m_nextExplored{0};
    std::atomic<unsigned> m_searching{0};
};
