#include "tests/engine/testpositions.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

int32_t KindOfValue(int value) {
    switch (value) {
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

Chessgame MakePosition(const std::vector<Placement>& placements) {
    Chessgame game;
    game.m_board.fill(0);
    game.m_pieceId.fill(kNoPiece);
    game.m_whitePieces.reset();
    game.m_blackPieces.reset();
    for (SquareSet& pieceSquare : game.m_pieceSquare) pieceSquare.reset();
    for (auto& row : game.m_pieces) {
        for (PieceRecord& record : row) record.onBoard = 0;
    }
    for (const Placement& piece : placements) {
        game.m_board[piece.square] = static_cast<int16_t>(piece.side * piece.value);
        game.m_pieceId[piece.square] = static_cast<int16_t>(piece.id);
        (piece.side == kWhite ? game.m_whitePieces : game.m_blackPieces).set(piece.square);
        game.m_pieceSquare[PieceSquareIndex(piece.side, piece.id)].set(piece.square);
        game.m_pieces[SideIndex(piece.side)][piece.id] = {1, piece.square, KindOfValue(piece.value),
                                                          0};
        if (piece.id == kKingId) game.m_kingSquare[SideIndex(piece.side)] = piece.square;
    }
    return game;
}

void ExpectSamePosition(const PositionState& expected, const Chessgame& actual) {
    EXPECT_EQ(expected.whitePieces, actual.m_whitePieces);
    EXPECT_EQ(expected.blackPieces, actual.m_blackPieces);
    EXPECT_EQ(expected.pieceSquare, actual.m_pieceSquare);
    EXPECT_EQ(expected.pieceId, actual.m_pieceId);
    EXPECT_EQ(expected.board, actual.m_board);
    for (int row = 0; row < 3; ++row) {
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(expected.hasMoved[row][k], actual.m_hasMoved[row][k]) << row << "," << k;
        }
        EXPECT_EQ(expected.kingSquare[row], actual.m_kingSquare[row]) << row;
        for (int id = 0; id < kPieceCount; ++id) {
            const PieceRecord& want = expected.pieces[row][id];
            const PieceRecord& got = actual.m_pieces[row][id];
            EXPECT_EQ(want.onBoard, got.onBoard) << row << "," << id;
            EXPECT_EQ(want.square, got.square) << row << "," << id;
            EXPECT_EQ(want.kind, got.kind) << row << "," << id;
            EXPECT_EQ(want.reserved, got.reserved) << row << "," << id;
        }
    }
}
