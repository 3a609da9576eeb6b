#include "tests/support/consistency.h"

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

void ExpectConsistent(const Chessgame& game) {
    const std::vector<std::string> faults = PositionFaults(game);
    EXPECT_TRUE(faults.empty()) << JoinFaults(faults);
}
