#include <array>
#include <bit>
#include <cassert>
#include <cstdlib>

#include "computer/intelligence.h"

namespace {

// Steps in the order a piece tries them: the eight line steps (queen and
// king all, rook the even positions, bishop the odd ones), then the knight's.
constexpr std::array<int, 16> kDirections{8,  7, -1,  -9,  -8,  -7, 1,  9,
                                          15, 6, -10, -17, -15, -6, 10, 17};
constexpr int kFirstKnightDirection = 8;
constexpr int kLineDirectionCount = 8;

// e4, d4, e5, d5.
constexpr std::array<int, 4> kCentreSquares{27, 28, 35, 36};

constexpr bool IsCentre(int square) {
    for (int centre : kCentreSquares) {
        if (square == centre) {
            return true;
        }
    }
    return false;
}

constexpr bool IsOnBoard(int square) { return square >= 0 && square < kSquareCount; }

// How a piece walks and what its moves are worth.
struct PieceWalk {
    int firstDirection;
    int directionStride;
    int directionCount;
    bool oneStep;
    int moveWeight;
    int centreWeight;
};

constexpr PieceWalk kKnightWalk{kFirstKnightDirection, 1, 8, true, 10, 22};
constexpr PieceWalk kBishopWalk{1, 2, 4, false, 9, 20};
constexpr PieceWalk kRookWalk{0, 2, 4, false, 8, 22};
constexpr PieceWalk kQueenWalk{0, 1, kLineDirectionCount, false, 7, 15};
constexpr PieceWalk kKingWalk{0, 1, kLineDirectionCount, true, 1, 1};
constexpr int kPawnMoveWeight = 1;
constexpr int kPawnCentreWeight = 1;

// WalkOf switches on the piece rather than read the piece table:
// in this hot path the table's lookup costs the search more instructions.
const PieceWalk& WalkOf(int pieceValue) {
    switch (pieceValue) {
        case kKnightValue:
            return kKnightWalk;
        case kBishopValue:
            return kBishopWalk;
        case kRookValue:
            return kRookWalk;
        case kQueenValue:
            return kQueenWalk;
        default:
            return kKingWalk;
    }
}

const SquareSetTable& PawnMovesOf(int side) {
    return side == kWhite ? Chessgame::m_whitePawnMoves : Chessgame::m_blackPawnMoves;
}

constexpr int kCastlingBonus = 150;
constexpr int kCastlingRightsBonus = 30;
constexpr int kPawnChainBonus = 35;
constexpr int kPawnCentreBonus = 35;
constexpr int kBlockedPawnPenalty = 20;

using movetables::Column;

// What the centre moves can add at most to the score of a move of a piece
// with the given tables and weight to each square: a centre square the
// table reaches from there, at the weight.
constexpr std::array<int16_t, kSquareCount> CentreMoveCeilings(const movetables::Masks& moves,
                                                               int weight) {
    uint64_t centre = 0;
    for (int square : kCentreSquares) {
        centre |= uint64_t{1} << square;
    }
    std::array<int16_t, kSquareCount> ceilings{};
    for (int square = 0; square < kSquareCount; ++square) {
        ceilings[square] = static_cast<int16_t>(std::popcount(moves[square] & centre) * weight);
    }
    return ceilings;
}

constexpr auto kKnightCentreCeilings =
    CentreMoveCeilings(movetables::Steps(movetables::kKnightJumps), kKnightWalk.centreWeight);
constexpr auto kBishopCentreCeilings =
    CentreMoveCeilings(movetables::Rays(movetables::kDiagonal), kBishopWalk.centreWeight);
constexpr auto kRookCentreCeilings =
    CentreMoveCeilings(movetables::Rays(movetables::kStraight), kRookWalk.centreWeight);
constexpr auto kQueenCentreCeilings =
    CentreMoveCeilings(movetables::Union(movetables::Rays(movetables::kStraight),
                                         movetables::Rays(movetables::kDiagonal)),
                       kQueenWalk.centreWeight);

// Every other pawn of the side in a chain with the moved one, and each
// square it looks at in the centre; a promoted pawn scores less than that.
constexpr int kPawnBonusCeiling = (kPieceCount / 2 - 1) * kPawnChainBonus +
                                  static_cast<int>(kCentreSquares.size()) * kPawnCentreBonus;

constexpr bool AreDiagonalNeighbours(int a, int b) { return std::abs(Column(a) - Column(b)) == 1; }

// The square one step from each square in each of kDirections, or kNoSquare
// where the step leaves the board. A line step from the h-file or the a-file
// can land on the far side of the board, sometimes on a square of the same
// rank that the piece's reach set holds (a queen on h7 stepping by 7 reaches
// a7): such a step has left the board, as has a knight's jump its table does
// not hold.
using StepTable = std::array<std::array<int8_t, kSquareCount>, kDirections.size()>;
constexpr StepTable NextSquares() {
    StepTable next{};
    for (size_t direction = 0; direction < kDirections.size(); ++direction) {
        const bool jumps = direction >= kFirstKnightDirection;
        for (int square = 0; square < kSquareCount; ++square) {
            const int to = square + kDirections[direction];
            const int drift = Column(square) - Column(to);
            const bool stays = IsOnBoard(to) && (jumps ? Chessgame::m_knightMoves[square][to]
                                                       : drift >= -1 && drift <= 1);
            next[direction][square] = static_cast<int8_t>(stays ? to : kNoSquare);
        }
    }
    return next;
}
constexpr StepTable kNextSquare = NextSquares();

}  // namespace

int Intelligence::GenerateDestinations(int square, int side, DestinationList& list) {
    KingCheck check;
    return GenerateDestinations(square, side, list, check);
}

// A piece other than the king uncovers an attack on its king only when it
// stands between the king and an opponent's slider that moves along their
// line, with nothing else between. Any other piece, while the king is not
// attacked, leaves it unattacked wherever it goes: the trial is needed only
// otherwise.
bool Intelligence::MayUncoverKing(int square, int side) const {
    const int king = m_kingSquare[SideIndex(side)];
    if (!m_queenMoves[king][square]) {
        return false;
    }
    const int beyond = FirstPieceBeyond(king, square);
    if (beyond == kNoSquare || m_board[beyond] * side >= 0) {
        return false;
    }
    switch (std::abs(m_board[beyond])) {
        case kQueenValue:
            return true;
        case kRookValue:
            return m_rookMoves[king][square];
        case kBishopValue:
            return m_bishopMoves[king][square];
        default:
            return false;
    }
}

// Whether every move of the piece on square leaves its king unattacked,
// known without trying them.
bool Intelligence::MovesSafely(int square, int side, KingCheck& check) {
    if (std::abs(m_board[square]) == kKingValue || MayUncoverKing(square, side)) {
        return false;
    }
    if (!check.known) {
        const int king = m_kingSquare[SideIndex(side)];
        check.attacked = IsKingAttacked(king, king, side);
        check.known = true;
    }
    return !check.attacked;
}

int Intelligence::GenerateDestinations(int square, int side, DestinationList& list,
                                       KingCheck& check) {
    const int piece = std::abs(m_board[square]);
    MoveSafety isSafe(*this, square, side, check);
    list.clear();
    int centreCount = IsCentre(square) ? 1 : 0;

    if (piece == kPawnValue) {
        for (int diagonal : {7 * side, 9 * side}) {
            const int target = square + diagonal;
            if (IsOnBoard(target) && m_board[target] * side < 0 &&
                PawnMovesOf(side)[square][target] && isSafe(target)) {
                list.push_back(target);
            }
        }
        const int push = square + 8 * side;
        if (IsOnBoard(push) && m_board[push] == 0 && isSafe(push)) {
            list.push_back(push);
            const int startRank = side == kWhite ? 1 : 6;
            const int doublePush = square + 16 * side;
            if (square / 8 == startRank && m_board[doublePush] == 0 && isSafe(doublePush)) {
                list.push_back(doublePush);
            }
        }
        return static_cast<int>(list.size()) * kPawnMoveWeight + centreCount * kPawnCentreWeight;
    }

    if (piece == kKingValue) {
        // At most one castling destination: the queen's wing is asked first.
        if (CanCastle(square, square + kCastlingDistance, side)) {
            list.push_back(square + kCastlingDistance);
        } else if (CanCastle(square, square - kCastlingDistance, side)) {
            list.push_back(square - kCastlingDistance);
        }
    }

    const PieceWalk& walk = WalkOf(piece);
    auto addIfSafe = [&](int target) {
        if (!isSafe(target)) {
            return false;
        }
        list.push_back(target);
        centreCount += IsCentre(target) ? 1 : 0;
        return true;
    };

    // A knight stops listing altogether at its first refused empty square;
    // a slider gives up that line; a king just tries its next step. A piece
    // that moves one step only takes the first square of each.
    bool active = true;
    for (int i = 0; i < walk.directionCount && active; ++i) {
        const auto& next = kNextSquare[walk.firstDirection + i * walk.directionStride];
        int target = next[square];
        while (target != kNoSquare && m_board[target] == 0) {
            if (!addIfSafe(target)) {
                active = piece != kKnightValue;
                target = kNoSquare;
                break;
            }
            target = walk.oneStep ? kNoSquare : next[target];
        }
        if (target != kNoSquare && m_board[target] * side < 0) {
            addIfSafe(target);
        }
    }
    return static_cast<int>(list.size()) * walk.moveWeight + centreCount * walk.centreWeight;
}

int Intelligence::ScoreMove(int from, int to, int captured, int side) {
    return ScorePlacement(from, to, captured, side) + CastlingRightsTerm(side);
}

int Intelligence::ScorePlacement(int from, int to, int captured, int side) {
    const int piece = std::abs(m_board[to]);
    int score = std::abs(captured);

    if (piece == kKingValue) {
        if (std::abs(from - to) == kCastlingDistance) {
            score += kCastlingBonus;
        }
    } else if (piece == kPawnValue) {
        for (int diagonal : {7 * side, -7 * side, 9 * side, -9 * side}) {
            int square = to;
            for (int next = square + diagonal;
                 IsOnBoard(next) && AreDiagonalNeighbours(square, next) &&
                 m_board[next] * side == kPawnValue;
                 next += diagonal) {
                score += kPawnChainBonus;
                square = next;
            }
        }
        for (int square : {to, to + 8 * side, to + 7 * side, to + 9 * side}) {
            score += IsCentre(square) ? kPawnCentreBonus : 0;
        }
        if (m_board[to + 8 * side] * side == -kPawnValue) {
            score -= kBlockedPawnPenalty;
        }
    } else {
        int centreMoves = 0;
        const SquareSet reach = TableReach(to, side);
        // The move scored is one the generation listed, so it has left its
        // king unattacked.
        KingCheck check{true, false};
        assert(!IsKingAttacked(m_kingSquare[SideIndex(side)], m_kingSquare[SideIndex(side)], side));
        MoveSafety isSafe(*this, to, side, check);
        // The table is all of a knight's rule; a king only steps there, as it
        // castles from its home square alone; a slider needs a clear line.
        const auto followsRule = [&](int centre) {
            switch (piece) {
                case kKnightValue:
                    return true;
                case kKingValue:
                    return m_kingMoves[to][centre];
                default:
                    return IsLineClear(to, centre, side);
            }
        };
        for (int centre : kCentreSquares) {
            centreMoves += reach[centre] && m_board[centre] * side <= 0 && followsRule(centre) &&
                                   isSafe(centre)
                               ? 1
                               : 0;
        }
        score += centreMoves * WalkOf(piece).centreWeight;
    }
    return score;
}

// The castling rights asked for are those of the side to move of the game,
// whichever side made the scored move.
int Intelligence::CastlingRightsTerm(int side) {
    const int king = m_kingSquare[SideIndex(side)];
    return CanCastle(king, RookCorner(side, true), g_sideToMove) ||
                   CanCastle(king, RookCorner(side, false), g_sideToMove)
               ? kCastlingRightsBonus
               : -kCastlingRightsBonus;
}

int Intelligence::ScoreCeiling(int from, int to) const {
    int bonus = 0;
    switch (std::abs(m_board[from])) {
        case kPawnValue:
            bonus = kPawnBonusCeiling;
            break;
        case kKnightValue:
            bonus = kKnightCentreCeilings[to];
            break;
        case kBishopValue:
            bonus = kBishopCentreCeilings[to];
            break;
        case kRookValue:
            bonus = kRookCentreCeilings[to];
            break;
        case kQueenValue:
            bonus = kQueenCentreCeilings[to];
            break;
        default:
            bonus = std::abs(from - to) == kCastlingDistance ? kCastlingBonus : 0;
    }
    return std::abs(m_board[to]) + bonus;
}

// The rights asked for are lost for good once the king or the wing's rook
// has moved or the rook is taken.
int Intelligence::CastlingRightsCeiling() const {
    return HasCastlingRight(g_sideToMove, true) || HasCastlingRight(g_sideToMove, false)
               ? kCastlingRightsBonus
               : -kCastlingRightsBonus;
}
