#include "computer/novicesplit.h"

#include <cstdlib>

#include "computer/searchpool.h"

NoviceSplit::NoviceSplit(Intelligence& game, int beta, int rootHumanSide, int side, int ply)
    : m_game(game), m_beta(beta), m_rootHumanSide(rootHumanSide), m_side(side), m_ply(ply) {}

bool NoviceSplit::ScoreStatically(int alpha, const CaptureList& own, const CaptureList& opponent,
                                  ScoredMove& winning) {
    Intelligence& game = m_game;
    Intelligence::SearchFrame& frame = game.FrameAt(m_ply);
    for (const Intelligence::ListedMove& move : game.m_rootMoves) {
        ++game.m_trialMoves;
        const int captured = std::abs(game.MakeTrialMove(move.from, move.to, m_side, frame.undo));
        int score = game.ScoreMove(move.from, move.to, captured, m_side) + move.mobility;
        game.UpdateMoverCaptures(move.from, move.to, m_side, own, frame.ownNext);
        const int loss =
            game.UpdateOpponentCaptures(move.from, move.to, -m_side, opponent, frame.replies)
                ? game.BestCaptureLossAt(-m_side, frame.replies, Intelligence::kUnbounded)
                : 0;
        game.TakeBackTrialMove(frame.undo);
        if (captured != 0 && captured - loss >= Intelligence::kNoviceWinningCapture) {
            winning = {score, move.from, move.to};
            return false;
        }
        const bool explored = loss <= 0 && score > alpha;
        if (loss > 0) {
            score += captured - loss;
        }
        if (explored) {
            alpha = score;
            m_explored.push_back(m_steps.size());
        }
        m_steps.push_back({move.from, move.to, score, explored, alpha, {}, {}});
        if (explored) {
            m_steps.back().replies = frame.replies;
            m_steps.back().ownNext = frame.ownNext;
        }
    }
    return true;
}

void NoviceSplit::SearchExplored(Intelligence& worker) {
    Intelligence::SearchFrame& frame = worker.FrameAt(m_ply);
    const bool searchesOn = m_ply < worker.PlyLimit(m_rootHumanSide);
    for (size_t next = m_nextExplored++; next < m_explored.size(); next = m_nextExplored++) {
        Step& step = m_steps[m_explored[next]];
        if (searchesOn) {
            worker.MakeTrialMove(step.from, step.to, m_side, frame.undo);
            step.replyValue = worker
                                  .Search(-m_beta, -step.alpha, m_rootHumanSide, -m_side, m_ply + 1,
                                          step.replies, step.ownNext)
                                  .value;
            worker.TakeBackTrialMove(frame.undo);
        }
        if (worker.IsStopRequested()) {
            return;
        }
        step.searched = true;
        worker.CountRootMoveDone();
    }
}

void NoviceSplit::SearchAll(Intelligence& worker) {
    SearchExplored(worker);
    --m_searching;
    worker.m_pool->Changed();
}

// The sequential root's choice, move by move, up to the first explored move
// whose search did not finish.
ScoredMove NoviceSplit::Settle() const {
    ScoredMove best = kNoMove;
    int counted = 0;
    for (const Step& step : m_steps) {
        if (!step.explored) {
            if (counted == 0 && step.score > best.value) {
                best = {step.score, step.from, step.to};
            }
            continue;
        }
        if (!step.searched) {
            return m_game.MoveNowChoice(best, m_game.m_rootMoves);
        }
        ++counted;
        const int score = step.score - step.replyValue;
        if (score > best.value) {
            best = {score, step.from, step.to};
        }
    }
    return best;
}

ScoredMove NoviceSplit::Run(int alpha, const CaptureList& own, const CaptureList& opponent,
                            unsigned threads) {
    ScoredMove winning = kNoMove;
    if (!ScoreStatically(alpha, own, opponent, winning)) {
        return winning;
    }
    for (const Step& step : m_steps) {
        if (!step.explored) {
            m_game.CountRootMoveDone();
        }
    }
    // No core idles while the last explored move, often the longest, is
    // searched. Helping leaves this thread's board elsewhere.
    const Chessgame root(m_game);
    m_searching = threads;
    {
        SearchPool pool(m_game, threads, [this](Intelligence& helper) { SearchAll(helper); });
        SearchAll(m_game);
        pool.HelpUntil(m_game, [this] { return m_searching == 0; });
    }
    m_game.Chessgame::operator=(root);
    return Settle();
}
