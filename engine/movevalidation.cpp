#include <bit>
#include <cstdlib>

#include "engine/chessgame.h"
#include "engine/piecetable.h"

namespace {

// Steps along the lines of the board.
constexpr int kRankStep = 1;
constexpr int kDiagonalTowardsH = 7;  // one rank up, one file towards h
constexpr int kFileStep = 8;
constexpr int kDiagonalTowardsA = 9;  // one rank up, one file towards a
constexpr int kFileLength = 56;       // h1 to h8
constexpr int kLongDiagonal = 63;     // h1 to a8
constexpr int kDoubleStep = 2 * kFileStep;

constexpr bool OnBoard(int square) { return square >= 0 && square < kSquareCount; }
constexpr bool OnHFile(int square) { return square % kRankSize == 0; }

// One step further along a line: on the board and at most one file from the
// previous square, so that a walk leaving over the h- or a-file ends there
// instead of reappearing on the far side of the board.
inline bool ContinuesLine(int previous, int next) {
    return OnBoard(next) && std::abs(next % kRankSize - previous % kRankSize) <= 1;
}

}  // namespace

int Chessgame::LineStep(int a, int b) {
    const int lo = a < b ? a : b;
    const int distance = std::abs(a - b);
    if (distance == kFileLength) return kFileStep;
    if (distance == kLongDiagonal) return kDiagonalTowardsA;
    // h1 and a1 are 7 apart too: the two ends of a rank.
    if (distance % kDiagonalTowardsH == 0) return OnHFile(lo) ? kRankStep : kDiagonalTowardsH;
    if (distance % kFileStep == 0) return kFileStep;
    if (distance % kDiagonalTowardsA == 0) return kDiagonalTowardsA;
    if (distance < kDiagonalTowardsH) return kRankStep;
    return 0;
}

bool Chessgame::IsMoveLegal(int from, int to, int side, int checkOwnership) {
    if (!OnBoard(from) || !OnBoard(to)) return false;
    if (checkOwnership) {
        const SquareSet& own = side == kWhite ? m_whitePieces : m_blackPieces;
        if (!own[from] || own[to]) return false;
    }
    return MeetsPieceRule(from, to, side) && IsMoveSafe(from, to, side);
}

bool Chessgame::MeetsPieceRule(int from, int to, int side) {
    // Most of the pairs a caller tries are not even on a line or a knight's
    // jump; those need no piece rule.
    if (!kAnyPieceMoves[from][to]) return false;
    // A switch on the cell, not the piece table: this is on the path of every
    // legality test, and the table's lookup costs the search more instructions.
    switch (std::abs(m_board[from])) {
        case kPawnValue:
            return IsPawnMoveValid(from, to, side);
        case kKnightValue:
            return IsKnightMoveValid(from, to, side);
        case kBishopValue:
            return IsBishopMoveValid(from, to, side);
        case kRookValue:
            return IsRookMoveValid(from, to, side);
        case kQueenValue:
            return IsQueenMoveValid(from, to, side);
        case kKingValue:
            return IsKingMoveValid(from, to, side);
        default:
            return false;
    }
}

bool Chessgame::IsPawnMoveValid(int from, int to, int side) {
    if (side != kWhite && side != kBlack) return false;
    const SquareSetTable& table = side == kWhite ? m_whitePawnMoves : m_blackPawnMoves;
    if (!table[from][to]) return false;
    const SquareSet& opponent = side == kWhite ? m_blackPieces : m_whitePieces;
    const bool empty = !m_whitePieces[to] && !m_blackPieces[to];
    const int ahead = to - from;  // positive towards the opponent for White
    if (ahead == side * kDiagonalTowardsH || ahead == side * kDiagonalTowardsA) {
        return opponent[to];
    }
    if (ahead == side * kDoubleStep) return empty && m_board[from + side * kFileStep] == 0;
    if (ahead == side * kFileStep) return empty;
    return false;
}

bool Chessgame::IsKnightMoveValid(int from, int to, int) { return m_knightMoves[from][to]; }

bool Chessgame::IsBishopMoveValid(int from, int to, int side) {
    return m_bishopMoves[from][to] && IsLineClear(from, to, side);
}

bool Chessgame::IsRookMoveValid(int from, int to, int side) {
    return m_rookMoves[from][to] && IsLineClear(from, to, side);
}

int Chessgame::PieceBeyond(int a, int b) const {
    const int square = FirstPieceBeyond(a, b);
    return square != kNoSquare && m_board[square] * m_board[a] < 0 ? square : kNoSquare;
}

int Chessgame::FirstPieceBeyond(int a, int b) const {
    if ((kBetween[a][b] & Occupied()) != 0) return kNoSquare;
    const uint64_t behind = kBeyond[a][b] & Occupied();
    if (behind == 0) return kNoSquare;
    // The nearest square beyond b: the lowest when the line runs upwards.
    return a < b ? std::countr_zero(behind) : 63 - std::countl_zero(behind);
}

bool Chessgame::OccupancyMatchesBoard() const {
    for (int square = 0; square < kSquareCount; ++square) {
        if (m_whitePieces[square] != (m_board[square] > 0) ||
            m_blackPieces[square] != (m_board[square] < 0)) {
            return false;
        }
    }
    return true;
}

bool Chessgame::IsQueenMoveValid(int from, int to, int side) {
    return IsRookMoveValid(from, to, side) || IsBishopMoveValid(from, to, side);
}

bool Chessgame::IsKingMoveValid(int from, int to, int side) {
    if (std::abs(to - from) == kCastlingDistance && CanCastle(from, to, side)) return true;
    return m_kingMoves[from][to];
}

int Chessgame::ScanLine(int a, int b, int side, int mode) {
    const int step = LineStep(a, b);
    if (step == 0 || (mode != kScanLineEmpty && mode != kScanLineXRay)) return 0;
    const int lo = a < b ? a : b;
    const int hi = a < b ? b : a;
    for (int square = lo + step; square < hi; square += step) {
        if (m_board[square] * side != 0) return mode == kScanLineEmpty ? 0 : kNoSquare;
    }
    if (mode == kScanLineEmpty) return 1;

    // X-ray: the first piece behind b on the line of the slider on a, if it
    // belongs to the other side.
    const PieceKind* slider = PieceKindOf(m_board[a]);
    const SquareSet line =
        slider != nullptr && slider->slides ? MovesOf(*slider, side)[a] : SquareSet();
    const int direction = a < b ? step : -step;
    for (int square = b + direction; ContinuesLine(square - direction, square) && line[square];
         square += direction) {
        if (m_board[square] != 0) return m_board[square] * m_board[a] < 0 ? square : kNoSquare;
    }
    return kNoSquare;
}

bool Chessgame::IsCastlingPathSafe(int king, int corner, int side) {
    const int row = SideIndex(side);
    if (IsKingAttacked(king, king, side)) return false;

    // The king may not pass through or land on an attacked square. It stays
    // on its square on the board meanwhile, so it still blocks lines through it.
    const int direction = king <= corner ? 1 : -1;
    for (int passed = 0; passed < kCastlingDistance; ++passed) {
        const int previous = m_kingSquare[row];
        m_kingSquare[row] = previous + direction;
        if (IsKingAttacked(previous, m_kingSquare[row], side)) {
            m_kingSquare[row] = king;
            return false;
        }
    }
    m_kingSquare[row] = king;
    return true;
}

bool Chessgame::IsKingAttacked(int, int, int side) { return KingAttackers(side, true).any(); }

SquareSet Chessgame::KingAttackers(int side, bool firstOnly) const {
    const SquareSet& opponents = side == kWhite ? m_blackPieces : m_whitePieces;
    return AttackersOf(m_kingSquare[SideIndex(side)], side, Occupied(), opponents.to_ullong(),
                       firstOnly);
}

// Looks only at the opponent's pieces that stand on a line or a knight's jump
// from the king, and asks of each whether its kind attacks along that way.
SquareSet Chessgame::AttackersOf(int king, int side, uint64_t occupied, uint64_t opponents,
                                 bool firstOnly) const {
    const SquareSetTable& opponentPawnMoves = side == kWhite ? m_blackPawnMoves : m_whitePawnMoves;
    const auto lineClear = [&](int square) { return (kBetween[square][king] & occupied) == 0; };
    SquareSet attackers;
    uint64_t candidates = kAnyPieceMoves[king].to_ullong() & opponents;
    for (; candidates != 0; candidates &= candidates - 1) {
        const int square = std::countr_zero(candidates);
        // Every attack, a slider's or a step's, needs the squares between
        // empty (a knight's jump has none), so one mask test rules out most
        // candidates before their kind is looked at.
        if (!lineClear(square)) {
            continue;
        }
        const int value = m_board[square] * side;  // negative for an opponent's piece
        bool attacks = false;
        // A switch, not the piece table: every safety test asks this, and
        // the table's lookup costs the search more instructions.
        switch (-value) {
            case kPawnValue:
                // Diagonally adjacent towards the opponent; the pawn's own
                // table rules out one across the board's edge.
                attacks = (square == king + kDiagonalTowardsH * side ||
                           square == king + kDiagonalTowardsA * side) &&
                          opponentPawnMoves[square][king];
                break;
            case kKnightValue:
                attacks = m_knightMoves[king][square];
                break;
            case kKingValue:
                attacks = m_kingMoves[king][square];
                break;
            case kBishopValue:
                attacks = m_bishopMoves[king][square];
                break;
            case kRookValue:
                attacks = m_rookMoves[king][square];
                break;
            case kQueenValue:
                attacks = m_queenMoves[king][square];
                break;
            default:
                break;
        }
        if (attacks) {
            attackers.set(square);
            if (firstOnly) break;
        }
    }
    return attackers;
}
