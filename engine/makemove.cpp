#include <cassert>
#include <cstdlib>

#include "engine/chessgame.h"

namespace {

// A pawn reaching rank 8 (squares 56 and up) or rank 1 (squares below 8).
constexpr int kWhitePromotionStart = 56;
constexpr int kBlackPromotionEnd = 8;

constexpr bool IsPromotionSquare(int square) {
    return square >= kWhitePromotionStart || square < kBlackPromotionEnd;
}

// Always a queen, coloured by the rank reached.
constexpr int16_t PromotedValue(int square) {
    return square >= kWhitePromotionStart ? kQueenValue : -kQueenValue;
}

// The set of one square already known to be on the board.
SquareSet SingleSquare(int square) { return SquareSet(uint64_t{1} << square); }

// Where the rook of a castling move goes: f1/f8 or d1/d8.
constexpr int CastlingRookTarget(int corner, int from, int to) {
    return corner + (to < from ? kKingSideRookStep : kQueenSideRookStep);
}

}  // namespace

int Chessgame::MakeMove(int from, int to, int switchSide) {
    const int captured = ApplyMove(from, to, g_sideToMove);
    if (switchSide) g_sideToMove = static_cast<int16_t>(-g_sideToMove);
    return captured;
}

int Chessgame::MakeMoveForSide(int from, int to, int side, int switchSide) {
    const int captured = ApplyMove(from, to, side);
    if (switchSide) g_sideToMove = static_cast<int16_t>(-g_sideToMove);
    return captured;
}

bool Chessgame::IsMoveSafe(int from, int to, int side) {
    if ((side == kWhite || side == kBlack) && m_board[from] * side > 0) {
        return IsOwnMoveSafe(from, to, side);
    }
    return IsMoveSafeInPlace(from, to, side);
}

// A move of side's own piece leaves every opponent's piece on its cell, the
// one taken on to aside, so the attack test needs only the occupancy after
// the move, worked out on copies: nothing of the position is touched.
bool Chessgame::IsOwnMoveSafe(int from, int to, int side) const {
    const uint64_t fromSquare = uint64_t{1} << from;
    const uint64_t toSquare = uint64_t{1} << to;
    uint64_t own = (side == kWhite ? m_whitePieces : m_blackPieces).to_ullong();
    uint64_t opponents = (side == kWhite ? m_blackPieces : m_whitePieces).to_ullong();
    int king = m_kingSquare[SideIndex(side)];
    if (std::abs(m_board[from]) == kKingValue) {
        king = to;
        const int corner = CastlingRookCorner(from, to, side);
        if (corner != kNoSquare) {
            own = (own | uint64_t{1} << CastlingRookTarget(corner, from, to)) &
                  ~(uint64_t{1} << corner);
        }
    }
    own = (own | toSquare) & ~fromSquare;
    opponents &= ~toSquare;
    return !AttackersOf(king, side, own | opponents, opponents, true).any();
}

// Tries the move in place and puts it back: for a move that is not the
// side's own, whose cells the attack test must then read as changed. Only the
// few members the move touches are saved and put back, not a whole position.
bool Chessgame::IsMoveSafeInPlace(int from, int to, int side) {
    struct Cell {
        int square;
        int16_t value;
    };
    Cell cells[4];
    int cellCount = 0;
    // Each changed cell takes its square's occupancy along.
    const auto change = [&](int square, int16_t value) {
        cells[cellCount++] = {square, m_board[square]};
        m_board[square] = value;
        const SquareSet bit = SingleSquare(square);
        m_whitePieces = value > 0 ? m_whitePieces | bit : m_whitePieces & ~bit;
        m_blackPieces = value < 0 ? m_blackPieces | bit : m_blackPieces & ~bit;
    };

    const int row = SideIndex(side);
    const int32_t kingSquare = m_kingSquare[row];
    const SquareSet whitePieces = m_whitePieces;
    const SquareSet blackPieces = m_blackPieces;
    const int16_t moving = m_board[from];
    if (std::abs(moving) == kKingValue) m_kingSquare[row] = to;
    const int corner = CastlingRookCorner(from, to, side);
    if (corner != kNoSquare) {
        change(CastlingRookTarget(corner, from, to), m_board[corner]);
        change(corner, 0);
    }
    const bool promotes = std::abs(moving) == kPawnValue && IsPromotionSquare(to);
    change(to, promotes ? PromotedValue(to) : moving);
    change(from, 0);

    const bool attacked = IsKingAttacked(from, to, side);

    // In reverse order, so that a square changed twice ends as it was.
    while (cellCount > 0) {
        const Cell& cell = cells[--cellCount];
        m_board[cell.square] = cell.value;
    }
    m_kingSquare[row] = kingSquare;
    m_whitePieces = whitePieces;
    m_blackPieces = blackPieces;
    return !attacked;
}

// The corner whose rook goes with a two-square king move, or kNoSquare when
// the corner holds no rook of the mover: then the king moves alone.
int Chessgame::CastlingRookCorner(int from, int to, int side) const {
    if (std::abs(m_board[from]) != kKingValue || std::abs(from - to) != kCastlingDistance) {
        return kNoSquare;
    }
    const bool kingSide = to < from;
    const int corner = RookCorner(side, kingSide);
    return m_board[corner] == side * kRookValue ? corner : kNoSquare;
}

// The mover's castling rights, king square and record follow it to to; a
// pawn reaching the last rank becomes a queen on from, before it is moved.
// Without kAllRecords the castling flags and the per-piece square sets are
// left as they were.
template <bool kAllRecords>
inline void Chessgame::MoveMoverRecords(int from, int to, int side) {
    const int row = SideIndex(side);
    const int magnitude = std::abs(m_board[from]);
    const int moverId = m_pieceId[from];
    if (kAllRecords && magnitude == kRookValue) {
        // Castling rights belong to the rook that started in the corner.
        if (moverId == kHRookId) m_hasMoved[row][kHRookMoved] = 1;
        if (moverId == kARookId) m_hasMoved[row][kARookMoved] = 1;
    } else if (magnitude == kKingValue) {
        if (kAllRecords) m_hasMoved[row][kKingMoved] = 1;
        m_kingSquare[row] = to;
    }

    m_pieces[row][moverId].square = to;
    if (kAllRecords) m_pieceSquare[PieceSquareIndex(side, moverId)] = SingleSquare(to);

    if (magnitude == kPawnValue && IsPromotionSquare(to)) {
        m_board[from] = PromotedValue(to);
        m_pieces[row][moverId].kind = kQueenKind;
    }
}

template <bool kAllRecords>
inline void Chessgame::RemoveVictimRecords(int to, int side) {
    const int victimId = m_pieceId[to];
    m_pieces[SideIndex(-side)][victimId].onBoard = 0;
    if (kAllRecords) m_pieceSquare[PieceSquareIndex(-side, victimId)].reset();
}

// ApplyMove for a move of side's piece on from to an empty square or onto an
// opponent's piece, which is not castling: only the two squares and their
// pieces change.
int Chessgame::MakePlainMove(int from, int to, int side) {
    return MakeNonCastlingMove<true>(from, to, side);
}

int Chessgame::MakeExchangeCapture(int from, int to, int side) {
    return MakeNonCastlingMove<false>(from, to, side);
}

template <bool kAllRecords>
int Chessgame::MakeNonCastlingMove(int from, int to, int side) {
    SquareSet& own = side == kWhite ? m_whitePieces : m_blackPieces;
    SquareSet& opponent = side == kWhite ? m_blackPieces : m_whitePieces;
    const SquareSet fromSquare = SingleSquare(from);
    const SquareSet toSquare = SingleSquare(to);
    own ^= fromSquare | toSquare;
    const int captured = m_board[to];
    if (captured != 0) {
        opponent &= ~toSquare;
        RemoveVictimRecords<kAllRecords>(to, side);
    }
    MoveMoverRecords<kAllRecords>(from, to, side);
    m_pieceId[to] = m_pieceId[from];
    m_pieceId[from] = kNoPiece;
    m_board[to] = m_board[from];
    m_board[from] = 0;
    assert(OccupancyMatchesBoard());
    return captured;
}

int Chessgame::ApplyMove(int from, int to, int side) {
    const int row = SideIndex(side);

    int captured = 0;
    bool capture = false;
    if (side == kWhite || side == kBlack) {
        SquareSet& own = side == kWhite ? m_whitePieces : m_blackPieces;
        SquareSet& opponent = side == kWhite ? m_blackPieces : m_whitePieces;
        // The first two calls check that both squares are on the board; after
        // them the unchecked element access suffices.
        own.reset(from).set(to);
        if (opponent[to]) {
            opponent[to] = false;
            captured = m_board[to];
            capture = true;
        }
    }

    MoveMoverRecords<true>(from, to, side);
    if (capture) {
        RemoveVictimRecords<true>(to, side);
    }

    m_pieceId[to] = m_pieceId[from];
    m_pieceId[from] = kNoPiece;

    const int corner = CastlingRookCorner(from, to, side);
    if (corner != kNoSquare) {
        const int target = CastlingRookTarget(corner, from, to);
        const int rookId = m_pieceId[corner];
        m_board[target] = m_board[corner];
        m_board[corner] = 0;
        SquareSet& own = side == kWhite ? m_whitePieces : m_blackPieces;
        own[corner] = false;
        own[target] = true;
        m_pieces[row][rookId].square = target;
        m_pieceSquare[PieceSquareIndex(side, rookId)] = SingleSquare(target);
        m_pieceId[target] = static_cast<int16_t>(rookId);
        m_pieceId[corner] = kNoPiece;
    }

    m_board[to] = m_board[from];
    m_board[from] = 0;
    assert(OccupancyMatchesBoard());
    return captured;
}
