// Making moves: captures, promotion, castling and the flags they leave.
#include <gtest/gtest.h>

#include <ostream>
#include <stdexcept>

#include "engine/chessgame.h"
#include "tests/engine/testpositions.h"

namespace {

class MakeMove : public ::testing::Test {
protected:
    void SetUp() override { g_sideToMove = kWhite; }
};

TEST_F(MakeMove, PawnDoubleStepFromTheStart) {
    Chessgame game;
    EXPECT_EQ(0, game.MakeMove(Sq("e2"), Sq("e4"), 1));
    EXPECT_EQ(kPawnValue, game.m_board[Sq("e4")]);
    EXPECT_EQ(0, game.m_board[Sq("e2")]);
    EXPECT_EQ(3, game.m_pieceId[Sq("e4")]);
    EXPECT_EQ(kNoPiece, game.m_pieceId[Sq("e2")]);
    EXPECT_EQ(Sq("e4"), game.m_pieces[SideIndex(kWhite)][3].square);
    EXPECT_TRUE(game.m_whitePieces[Sq("e4")]);
    EXPECT_FALSE(game.m_whitePieces[Sq("e2")]);
    EXPECT_EQ(kBlack, g_sideToMove);
    ExpectConsistent(game);
}

TEST_F(MakeMove, SwitchSideOnlyWhenAsked) {
    Chessgame game;
    game.MakeMoveForSide(Sq("e7"), Sq("e5"), kBlack, 0);
    EXPECT_EQ(kWhite, g_sideToMove);
    EXPECT_EQ(-kPawnValue, game.m_board[Sq("e5")]);
    game.MakeMoveForSide(Sq("d2"), Sq("d4"), kWhite, 1);
    EXPECT_EQ(kBlack, g_sideToMove);
    game.MakeMove(Sq("d7"), Sq("d5"), 0);  // for the side to move, Black
    EXPECT_EQ(-kPawnValue, game.m_board[Sq("d5")]);
    EXPECT_EQ(kBlack, g_sideToMove);
    ExpectConsistent(game);
}

TEST_F(MakeMove, CaptureReturnsTheSignedValueAndRetiresThePiece) {
    Chessgame game =
        MakePosition({King(kWhite, "e1"), King(kBlack, "e8"), Bishop(kWhite, kFBishopId, "b5"),
                      Knight(kBlack, kBKnightId, "c6")});
    EXPECT_EQ(-kKnightValue, game.MakeMove(Sq("b5"), Sq("c6"), 1));
    const PieceRecord& knight = game.m_pieces[SideIndex(kBlack)][kBKnightId];
    EXPECT_EQ(0, knight.onBoard);
    EXPECT_TRUE(game.m_pieceSquare[PieceSquareIndex(kBlack, kBKnightId)].none());
    EXPECT_FALSE(game.m_blackPieces[Sq("c6")]);
    EXPECT_EQ(kFBishopId, game.m_pieceId[Sq("c6")]);
    ExpectConsistent(game);

    game.MakeMove(Sq("e8"), Sq("d7"), 1);
    game.MakeMove(Sq("e1"), Sq("e2"), 1);
    EXPECT_EQ(kBishopValue, game.MakeMove(Sq("d7"), Sq("c6"), 1));
    EXPECT_EQ(0, game.m_pieces[SideIndex(kWhite)][kFBishopId].onBoard);
    ExpectConsistent(game);
}

TEST_F(MakeMove, PawnsPromoteToAQueenAndKeepTheirId) {
    Chessgame game = MakePosition({King(kWhite, "e1"), King(kBlack, "e8"), Pawn(kWhite, 1, "g7"),
                                   Pawn(kBlack, 6, "b2"), Rook(kWhite, kARookId, "a1")});
    game.MakeMove(Sq("g7"), Sq("g8"), 1);
    EXPECT_EQ(kQueenValue, game.m_board[Sq("g8")]);
    EXPECT_EQ(1, game.m_pieceId[Sq("g8")]);
    EXPECT_EQ(kQueenKind, game.m_pieces[SideIndex(kWhite)][1].kind);

    EXPECT_EQ(kRookValue, game.MakeMove(Sq("b2"), Sq("a1"), 1));  // capturing promotion
    EXPECT_EQ(-kQueenValue, game.m_board[Sq("a1")]);
    EXPECT_EQ(6, game.m_pieceId[Sq("a1")]);
    EXPECT_EQ(kQueenKind, game.m_pieces[SideIndex(kBlack)][6].kind);
    EXPECT_EQ(0, game.m_pieces[SideIndex(kWhite)][kARookId].onBoard);
    ExpectConsistent(game);
}

struct CastlingMove {
    const char* king;
    const char* kingTarget;
    const char* rook;
    const char* rookTarget;
    int side;
};

void PrintTo(const CastlingMove& move, std::ostream* out) {
    *out << move.king << "-" << move.kingTarget;
}

class CastlingMoves : public ::testing::TestWithParam<CastlingMove> {};

TEST_P(CastlingMoves, TheRookGoesWithTheKing) {
    const CastlingMove& move = GetParam();
    Chessgame game = MakePosition({King(kWhite, "e1"), Rook(kWhite, kHRookId, "h1"),
                                   Rook(kWhite, kARookId, "a1"), King(kBlack, "e8"),
                                   Rook(kBlack, kHRookId, "h8"), Rook(kBlack, kARookId, "a8")});
    const int rookId = game.m_pieceId[Sq(move.rook)];
    g_sideToMove = static_cast<int16_t>(move.side);
    ASSERT_TRUE(game.IsMoveLegal(Sq(move.king), Sq(move.kingTarget), move.side, 1));
    EXPECT_EQ(0, game.MakeMove(Sq(move.king), Sq(move.kingTarget), 1));
    EXPECT_EQ(move.side * kKingValue, game.m_board[Sq(move.kingTarget)]);
    EXPECT_EQ(move.side * kRookValue, game.m_board[Sq(move.rookTarget)]);
    EXPECT_EQ(0, game.m_board[Sq(move.rook)]);
    EXPECT_EQ(rookId, game.m_pieceId[Sq(move.rookTarget)]);
    EXPECT_EQ(Sq(move.rookTarget), game.m_pieces[SideIndex(move.side)][rookId].square);
    EXPECT_EQ(Sq(move.kingTarget), game.m_kingSquare[SideIndex(move.side)]);
    const uint8_t* moved = game.m_hasMoved[SideIndex(move.side)];
    EXPECT_EQ(1, moved[kKingMoved]);
    EXPECT_EQ(0, moved[kHRookMoved]);
    EXPECT_EQ(0, moved[kARookMoved]);
    ExpectConsistent(game);
}

INSTANTIATE_TEST_SUITE_P(AllFour, CastlingMoves,
                         ::testing::Values(CastlingMove{"e1", "g1", "h1", "f1", kWhite},
                                           CastlingMove{"e1", "c1", "a1", "d1", kWhite},
                                           CastlingMove{"e8", "g8", "h8", "f8", kBlack},
                                           CastlingMove{"e8", "c8", "a8", "d8", kBlack}));

TEST_F(MakeMove, RookFlagsFollowTheRookIds) {
    Chessgame game;
    game.MakeMove(Sq("h2"), Sq("h4"), 0);
    game.MakeMove(Sq("h1"), Sq("h3"), 0);
    EXPECT_EQ(1, game.m_hasMoved[SideIndex(kWhite)][kHRookMoved]);
    game.MakeMove(Sq("h3"), Sq("a3"), 0);  // a second move, far from its corner
    EXPECT_EQ(0, game.m_hasMoved[SideIndex(kWhite)][kARookMoved]);
    game.MakeMoveForSide(Sq("a7"), Sq("a5"), kBlack, 0);
    game.MakeMoveForSide(Sq("a8"), Sq("a6"), kBlack, 0);
    EXPECT_EQ(1, game.m_hasMoved[SideIndex(kBlack)][kARookMoved]);
    EXPECT_EQ(0, game.m_hasMoved[SideIndex(kBlack)][kHRookMoved]);
    EXPECT_EQ(0, game.m_hasMoved[SideIndex(kBlack)][kKingMoved]);
}

TEST_F(MakeMove, TwoSquareKingMoveWithoutARookInTheCornerMovesOnlyTheKing) {
    Chessgame empty =
        MakePosition({King(kWhite, "e1"), King(kBlack, "e8"), Rook(kWhite, kARookId, "a1")});
    empty.MakeMoveForSide(Sq("e1"), Sq("g1"), kWhite, 0);
    EXPECT_EQ(kKingValue, empty.m_board[Sq("g1")]);
    EXPECT_EQ(0, empty.m_board[Sq("f1")]);
    EXPECT_EQ(0, empty.m_board[Sq("h1")]);
    ExpectConsistent(empty);

    Chessgame opponent =
        MakePosition({King(kWhite, "e1"), King(kBlack, "e8"), Knight(kBlack, kGKnightId, "a1")});
    opponent.MakeMoveForSide(Sq("e1"), Sq("c1"), kWhite, 0);
    EXPECT_EQ(-kKnightValue, opponent.m_board[Sq("a1")]);
    EXPECT_EQ(0, opponent.m_board[Sq("d1")]);
    ExpectConsistent(opponent);
}

TEST_F(MakeMove, SquaresOffTheBoardRaiseTheSetsError) {
    Chessgame game;
    EXPECT_THROW(game.MakeMove(64, Sq("e4"), 0), std::out_of_range);
}

}  // namespace

namespace {

// Opens the capture-only make to the tests.
class CaptureMaker : public Chessgame {
public:
    explicit CaptureMaker(const Chessgame& position) : Chessgame(position) {}
    using Chessgame::MakeCapture;
};

// MakeCapture must leave exactly the position MakeMoveForSide leaves.
void ExpectCaptureLikeMove(const Chessgame& position, int from, int to, int side) {
    Chessgame moved(position);
    const int expectedCaptured = moved.MakeMoveForSide(from, to, side, 0);
    PositionState expected;
    moved.SavePosition(expected);

    CaptureMaker captured(position);
    EXPECT_EQ(expectedCaptured, captured.MakeCapture(from, to, side));
    ExpectSamePosition(expected, captured);
    ExpectConsistent(captured);
}

const Chessgame kCapturePosition = MakePosition({
    King(kWhite, "e1"),
    Rook(kWhite, kHRookId, "h1"),
    Pawn(kWhite, 1, "g7"),
    Knight(kWhite, kGKnightId, "d4"),
    King(kBlack, "e8"),
    Rook(kBlack, kHRookId, "h8"),
    Bishop(kBlack, kFBishopId, "f2"),
    Knight(kBlack, kBKnightId, "e6"),
});

}  // namespace

TEST(MakeCapture, KingCaptureMovesTheKingAndItsRights) {
    ExpectCaptureLikeMove(kCapturePosition, Sq("e1"), Sq("f2"), kWhite);
}

TEST(MakeCapture, RookCaptureLosesItsCastlingRight) {
    ExpectCaptureLikeMove(kCapturePosition, Sq("h1"), Sq("h8"), kWhite);
}

TEST(MakeCapture, PawnCapturingOnTheLastRankBecomesAQueen) {
    ExpectCaptureLikeMove(kCapturePosition, Sq("g7"), Sq("h8"), kWhite);
}

TEST(MakeCapture, BlackKnightTakesAKnight) {
    ExpectCaptureLikeMove(kCapturePosition, Sq("e6"), Sq("d4"), kBlack);
}
