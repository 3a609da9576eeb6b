#include <algorithm>
#include <cstdlib>

#include "engine/chessgame.h"

namespace {

// A pawn reaching rank 8 (squares 56 and up) or rank 1 (squares below 8).
constexpr int kWhitePromotionStart = 56;
constexpr int kBlackPromotionEnd = 8;

}  // namespace

int Chessgame::MakeMove(int from, int to, int switchSide) {
    const int captured = ApplyMove(from, to, g_sideToMove, nullptr);
    if (switchSide) g_sideToMove = static_cast<int16_t>(-g_sideToMove);
    return captured;
}

int Chessgame::MakeMoveForSide(int from, int to, int side, int switchSide) {
    const int captured = ApplyMove(from, to, side, nullptr);
    if (switchSide) g_sideToMove = static_cast<int16_t>(-g_sideToMove);
    return captured;
}

// The move is tried on the position itself and taken back, which is far
// cheaper than trying it on a copy.
bool Chessgame::IsMoveSafe(int from, int to, int side) {
    MoveUndo undo;
    ApplyMove(from, to, side, &undo);
    const bool attacked = IsKingAttacked(from, to, side);
    TakeBack(undo);
    return !attacked;
}

void Chessgame::SaveCell(MoveUndo* undo, int square) const {
    undo->cells[undo->cellCount++] = {square, m_board[square], m_pieceId[square]};
}

void Chessgame::SavePiece(MoveUndo* undo, int side, int id) {
    PieceRecord* record = &m_pieces[SideIndex(side)][id];
    SquareSet* squareSet = &m_pieceSquare[PieceSquareIndex(side, id)];
    undo->pieces[undo->pieceCount++] = {record, squareSet, *record, *squareSet};
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

int Chessgame::ApplyMove(int from, int to, int side, MoveUndo* undo) {
    const int row = SideIndex(side);
    if (undo) {
        undo->whitePieces = m_whitePieces;
        undo->blackPieces = m_blackPieces;
        undo->hasMovedRow = m_hasMoved[row];
        std::copy_n(m_hasMoved[row], 3, undo->hasMoved);
        undo->kingSquare = &m_kingSquare[row];
        undo->savedKingSquare = m_kingSquare[row];
        SaveCell(undo, from);
        SaveCell(undo, to);
    }

    int captured = 0;
    bool capture = false;
    if (side == kWhite || side == kBlack) {
        SquareSet& own = side == kWhite ? m_whitePieces : m_blackPieces;
        SquareSet& opponent = side == kWhite ? m_blackPieces : m_whitePieces;
        own.reset(from).set(to);
        if (opponent.test(to)) {
            opponent.reset(to);
            captured = m_board[to];
            capture = true;
        }
    }

    const int magnitude = std::abs(m_board[from]);
    const int moverId = m_pieceId[from];
    if (magnitude == kRookValue) {
        // Castling rights belong to the rook that started in the corner.
        if (moverId == kHRookId) m_hasMoved[row][kHRookMoved] = 1;
        if (moverId == kARookId) m_hasMoved[row][kARookMoved] = 1;
    } else if (magnitude == kKingValue) {
        m_hasMoved[row][kKingMoved] = 1;
        m_kingSquare[row] = to;
    }

    if (undo) SavePiece(undo, side, moverId);
    m_pieces[row][moverId].square = to;
    m_pieceSquare[PieceSquareIndex(side, moverId)] = SquareSet().set(to);

    if (capture) {
        const int victimId = m_pieceId[to];
        if (undo) SavePiece(undo, -side, victimId);
        m_pieces[SideIndex(-side)][victimId].onBoard = 0;
        m_pieceSquare[PieceSquareIndex(-side, victimId)].reset();
    }

    m_pieceId[to] = m_pieceId[from];
    m_pieceId[from] = kNoPiece;

    if (magnitude == kPawnValue) {
        // Always a queen, coloured by the rank reached.
        if (to >= kWhitePromotionStart || to < kBlackPromotionEnd) {
            m_board[from] = to >= kWhitePromotionStart ? kQueenValue : -kQueenValue;
            m_pieces[row][moverId].kind = kQueenKind;
        }
    }

    const int corner = CastlingRookCorner(from, to, side);
    if (corner != kNoSquare) {
        const int target = corner + (to < from ? kKingSideRookStep : kQueenSideRookStep);
        const int rookId = m_pieceId[corner];
        if (undo) {
            SaveCell(undo, corner);
            SaveCell(undo, target);
            SavePiece(undo, side, rookId);
        }
        m_board[target] = m_board[corner];
        m_board[corner] = 0;
        SquareSet& own = side == kWhite ? m_whitePieces : m_blackPieces;
        own.reset(corner).set(target);
        m_pieces[row][rookId].square = target;
        m_pieceSquare[PieceSquareIndex(side, rookId)] = SquareSet().set(target);
        m_pieceId[target] = static_cast<int16_t>(rookId);
        m_pieceId[corner] = kNoPiece;
    }

    m_board[to] = m_board[from];
    m_board[from] = 0;
    return captured;
}

// Restores in the reverse order of saving, so that a place saved twice ends
// with its first, original value.
void Chessgame::TakeBack(const MoveUndo& undo) {
    for (int i = undo.pieceCount - 1; i >= 0; --i) {
        const MoveUndo::Piece& piece = undo.pieces[i];
        *piece.record = piece.savedRecord;
        *piece.squareSet = piece.savedSquareSet;
    }
    for (int i = undo.cellCount - 1; i >= 0; --i) {
        const MoveUndo::Cell& cell = undo.cells[i];
        m_board[cell.square] = cell.board;
        m_pieceId[cell.square] = cell.pieceId;
    }
    *undo.kingSquare = undo.savedKingSquare;
    std::copy_n(undo.hasMoved, 3, undo.hasMovedRow);
    m_whitePieces = undo.whitePieces;
    m_blackPieces = undo.blackPieces;
}
