#include "tests/support/boardsetup.h"

#include <cstdlib>

namespace {

int32_t KindOfValue(int magnitude) {
    switch (magnitude) {
        case kPawnValue:
            return kPawnKind;
        case kKnightValue:
            return kKnightKind;
        case kBishopValue:
            return kBishopKind;
        case kRookValue:
            return kRookKind;
        case kQueenValue:
            return kQueenKind;
        default:
            return kKingKind;
    }
}

}  // namespace

void RemoveAllPieces(Chessgame& game) {
    game.m_board.fill(0);
    game.m_pieceId.fill(kNoPiece);
    game.m_whitePieces.reset();
    game.m_blackPieces.reset();
    for (SquareSet& pieceSquare : game.m_pieceSquare) pieceSquare.reset();
    for (auto& row : game.m_pieces) {
        for (PieceRecord& record : row) record.onBoard = 0;
    }
}

void PlacePiece(Chessgame& game, int square, int value, int id) {
    const int side = value > 0 ? kWhite : kBlack;
    const int magnitude = std::abs(value);
    game.m_board[square] = static_cast<int16_t>(value);
    game.m_pieceId[square] = static_cast<int16_t>(id);
    (side == kWhite ? game.m_whitePieces : game.m_blackPieces).set(square);
    game.m_pieceSquare[PieceSquareIndex(side, id)] = SquareSet().set(square);
    game.m_pieces[SideIndex(side)][id] = {1, square, KindOfValue(magnitude), 0};
    if (magnitude == kKingValue) game.m_kingSquare[SideIndex(side)] = square;
}
