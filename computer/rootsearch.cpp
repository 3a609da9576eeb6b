#include <algorithm>
#include <cstdlib>
#include <thread>

#include "computer/intelligence.h"
#include "computer/novicesplit.h"
#include "computer/searchpool.h"
#include "computer/splitpoint.h"

unsigned Intelligence::DefaultSearchThreads() {
    return std::max(1U, std::thread::hardware_concurrency());
}

bool Intelligence::IsStopRequested() const {
    return m_control != nullptr && m_control->StopRequested();
}

bool Intelligence::IsSearchCalledOff() const {
    return IsStopRequested() || SplitPoint::IsAbandoned(m_slot);
}

void Intelligence::CountRootMoveDone() {
    if (m_control != nullptr) {
        m_control->CountRootMoveDone();
    }
}

void Intelligence::PublishBestSoFar(const ScoredMove& best) {
    if (m_control != nullptr && IsMove(best)) {
        m_control->SetBestSoFar(best.from, best.to);
    }
}

// A node's moves in the order the search tries them. Nothing is tried
// while they are listed, so each piece sees the position its turn would.
void Intelligence::ListMoves(int side, bool expertOrder, int ply, MoveList& moves) {
    SearchFrame& frame = FrameAt(ply);
    KingCheck check;
    moves.clear();
    for (int i = 0; i < kPieceCount; ++i) {
        const PieceRecord& piece = m_pieces[SideIndex(side)][expertOrder ? ExpertOrderId(i) : i];
        if (!piece.onBoard) {
            continue;
        }
        const int mobility = GenerateDestinations(piece.square, side, frame.destinations, check);
        for (int to : frame.destinations) {
            moves.push_back({piece.square, to, mobility});
        }
    }
}

void Intelligence::ListRootMoves(int side, bool expertOrder, MoveList& moves) {
    ListMoves(side, expertOrder, kRootPly, moves);
    if (m_control != nullptr) {
        m_control->SetRootMovesTotal(static_cast<int>(moves.size()));
    }
}

// What an interrupted root plays: the best of the moves it finished, or,
// before any is finished, the first move it would have tried.
ScoredMove Intelligence::MoveNowChoice(const ScoredMove& best, const MoveList& moves) const {
    if (best.value != kNoMoveValue || moves.empty()) {
        return best;
    }
    return {0, moves.front().from, moves.front().to};
}

ScoredMove Intelligence::SearchRootExpert(int alpha, int beta, int rootHumanSide, int side,
                                          const CaptureList& own, const CaptureList& opponent) {
    ExpertNode node{alpha, beta};
    if (kRootPly > PlyLimit(rootHumanSide)) {
        return node.best;
    }
    ListRootMoves(side, true, m_rootMoves);
    const unsigned threads = std::min(m_searchThreads, static_cast<unsigned>(m_rootMoves.size()));
    if (threads > 1) {
        SearchPool pool(*this, threads);
        SplitPoint root(*this, rootHumanSide, side, kRootPly, own, opponent, node, false,
                        m_rootMoves.data(), m_rootMoves.data() + m_rootMoves.size());
        pool.Run(root, *this);
        return IsStopRequested() ? MoveNowChoice(root.Node().best, m_rootMoves) : root.Node().best;
    }
    SearchFrame& frame = FrameAt(kRootPly);
    for (const ListedMove& move : m_rootMoves) {
        const ExpertTrial trial =
            TryExpertMove(move.from, move.to, move.mobility, node, rootHumanSide, side, kRootPly,
                          own, opponent, frame);
        // A move whose search was cut short is not finished.
        if (IsStopRequested()) {
            return MoveNowChoice(node.best, m_rootMoves);
        }
        CountRootMoveDone();
        if (!node.Accept(move.from, move.to, trial)) {
            break;
        }
        PublishBestSoFar(node.best);
    }
    return node.best;
}

ScoredMove Intelligence::SearchRootNovice(int alpha, int beta, int rootHumanSide, int side, int ply,
                                          const CaptureList& own, const CaptureList& opponent) {
    ScoredMove best = kNoMove;
    const int plyLimit = PlyLimit(rootHumanSide);
    if (ply > plyLimit) {
        return best;
    }
    ListRootMoves(side, false, m_rootMoves);
    const unsigned threads = std::min(m_searchThreads, static_cast<unsigned>(m_rootMoves.size()));
    if (threads > 1) {
        return NoviceSplit(*this, beta, rootHumanSide, side, ply)
            .Run(alpha, own, opponent, threads);
    }
    SearchFrame& frame = FrameAt(ply);
    int counted = 0;
    for (const ListedMove& move : m_rootMoves) {
        const int from = move.from;
        const int to = move.to;
        ++m_trialMoves;
        const int captured = std::abs(MakeTrialMove(from, to, side, frame.undo));
        int score = ScoreMove(from, to, captured, side) + move.mobility;
        UpdateMoverCaptures(from, to, side, own, frame.ownNext);
        const int loss = UpdateOpponentCaptures(from, to, -side, opponent, frame.replies)
                             ? BestCaptureLossAt(-side, frame.replies, kUnbounded)
                             : 0;
        if (captured != 0 && captured - loss >= kNoviceWinningCapture) {
            TakeBackTrialMove(frame.undo);
            return {score, from, to};
        }
        // A recaptured capture counts its material a second time here.
        const bool pruned = loss > 0 || score <= alpha;
        if (loss > 0) {
            score += captured - loss;
        }
        if (pruned) {
            TakeBackTrialMove(frame.undo);
            CountRootMoveDone();
            if (counted == 0 && score > best.value) {
                best = {score, from, to};
            }
            continue;
        }
        alpha = score;
        if (ply < plyLimit) {
            // The move becomes best only above the best so far.
            ExpertNode replies{-beta, -alpha};
            if (m_nodeLimits) {
                replies.enough = score - best.value;
            }
            const ScoredMove reply =
                SearchNode(replies, rootHumanSide, -side, ply + 1, frame.replies, frame.ownNext);
            score -= reply.value;
        }
        TakeBackTrialMove(frame.undo);
        if (IsStopRequested()) {
            return MoveNowChoice(best, m_rootMoves);
        }
        CountRootMoveDone();
        ++counted;
        if (score > best.value) {
            best = {score, from, to};
            PublishBestSoFar(best);
        }
    }
    return best;
}
