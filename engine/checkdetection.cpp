#include <bit>

#include "engine/chessgame.h"
#include "engine/piecetable.h"

namespace {

// The king's neighbours in the order they are tried.
constexpr int kKingSteps[] = {1, 9, 8, 7, -1, -9, -8, -7};

constexpr bool IsSlider(int value) {
    const PieceKind* kind = PieceKindOf(value);
    return kind != nullptr && kind->slides;
}

// The lowest square of a set, which must not be empty.
int FirstSquare(const SquareSet& squares) { return std::countr_zero(squares.to_ullong()); }

}  // namespace

int16_t Chessgame::HasLegalMove() {
    const int side = g_sideToMove;
    const PieceRecord* own = m_pieces[SideIndex(side)];
    for (int id = 0; id < kPieceCount; ++id) {
        if (id == kKingId || !own[id].onBoard) continue;
        for (int target = 0; target < kSquareCount; ++target) {
            if (IsMoveLegal(own[id].square, target, side, 1)) return kPieceCanMove;
        }
    }
    for (int target = 0; target < kSquareCount; ++target) {
        if (IsMoveLegal(own[kKingId].square, target, side, 1)) return kOnlyKingCanMove;
    }
    return kNoLegalMove;
}

// Counts every piece of the mover that attacks the opponent's king, so that a
// pinned checker, a discovered check and the rook's check after castling are
// all found.
bool Chessgame::FindCheck(int from, int to, int& checker, int& count, int& step) {
    const int side = g_sideToMove;
    const int king = m_kingSquare[SideIndex(-side)];
    if (m_queenMoves[king].test(from)) step = LineStep(from, king);

    SquareSet checkers = KingAttackers(-side, false);
    count = static_cast<int>(checkers.count());
    if (count == 0) return false;

    // In a double check name the piece other than the one that moved.
    if (count > 1 && checkers.test(to)) checkers.reset(to);
    checker = FirstSquare(checkers);
    // A knight's check has no line; step is then left as it was.
    if (m_queenMoves[king][checker]) step = LineStep(checker, king);
    return true;
}

// Mate when the king cannot step away and the check can be neither taken nor
// blocked. Only a slider's check can be blocked; its line is worked out here
// from the checker, whatever piece made the last move, because a pawn or a
// knight move can uncover a slider's check.
bool Chessgame::IsCheckmate(int checker, int count, [[maybe_unused]] int step,
                            [[maybe_unused]] int noBlock) {
    const int side = g_sideToMove;
    const int king = m_kingSquare[SideIndex(side)];
    for (int kingStep : kKingSteps) {
        if (IsMoveLegal(king, king + kingStep, side, 1)) return false;
    }
    // Neither taking nor blocking one checker can answer a double check.
    if (count > 1) return true;

    const bool blockable = checker >= 0 && checker < kSquareCount && IsSlider(m_board[checker]);
    const int line = blockable ? LineStep(checker, king) : 0;
    const int lo = checker < king ? checker : king;
    const int hi = checker < king ? king : checker;
    const PieceRecord* own = m_pieces[SideIndex(side)];
    for (int id = 0; id < kPieceCount; ++id) {
        if (!own[id].onBoard) continue;
        const int square = own[id].square;
        if (IsMoveLegal(square, checker, side, 1)) return false;
        if (line == 0) continue;
        for (int between = lo + line; between < hi; between += line) {
            if (IsMoveLegal(square, between, side, 1)) return false;
        }
    }
    return true;
}
