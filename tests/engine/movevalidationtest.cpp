// The piece rules, the line step and ScanLine.
#include <gtest/gtest.h>

#include "engine/chessgame.h"
#include "tests/engine/testpositions.h"
#include "tests/support/boardsetup.h"

namespace {

class MoveValidation : public ::testing::Test {
protected:
    void SetUp() override { g_sideToMove = kWhite; }

    bool Legal(Chessgame& game, const char* from, const char* to, int side = kWhite) {
        return game.IsMoveLegal(Sq(from), Sq(to), side, 1);
    }
};

using PieceRules = MoveValidation;

TEST_F(PieceRules, FromTheStartingPosition) {
    Chessgame game;
    EXPECT_TRUE(Legal(game, "e2", "e4"));
    EXPECT_TRUE(Legal(game, "e2", "e3"));
    EXPECT_FALSE(Legal(game, "e2", "e5"));
    EXPECT_FALSE(Legal(game, "e2", "d3"));  // nothing to capture
    EXPECT_FALSE(Legal(game, "g1", "e2"));  // own pawn there
    EXPECT_TRUE(Legal(game, "g1", "f3"));
    EXPECT_FALSE(Legal(game, "f1", "c4"));  // e2 blocks
    EXPECT_FALSE(Legal(game, "e7", "e5"));  // not White's piece
    EXPECT_TRUE(Legal(game, "e7", "e5", kBlack));
    EXPECT_FALSE(Legal(game, "e4", "e5"));  // empty square
}

TEST_F(PieceRules, SquaresOffTheBoardAreRefused) {
    Chessgame game;
    for (int bad : {-1, 64}) {
        EXPECT_FALSE(game.IsMoveLegal(bad, Sq("e4"), kWhite, 1));
        EXPECT_FALSE(game.IsMoveLegal(Sq("e2"), bad, kWhite, 1));
        EXPECT_FALSE(game.IsMoveLegal(bad, Sq("e4"), kWhite, 0));
    }
}

TEST_F(PieceRules, PawnsPushOnlyOntoEmptySquaresAndCaptureOnlyPieces) {
    Chessgame game = MakePosition(
        {King(kWhite, "e1"), King(kBlack, "e8"), Pawn(kWhite, 3, "e2"), Pawn(kWhite, 4, "d2"),
         Pawn(kWhite, 0, "h2"), Knight(kBlack, kGKnightId, "e3"), Pawn(kBlack, 4, "d4"),
         Pawn(kBlack, 0, "h3"), Pawn(kBlack, 6, "b7"), Bishop(kWhite, kCBishopId, "b6")});
    EXPECT_FALSE(Legal(game, "e2", "e3"));  // onto a piece
    EXPECT_FALSE(Legal(game, "e2", "e4"));  // over a piece
    EXPECT_FALSE(Legal(game, "e2", "f3"));
    EXPECT_TRUE(Legal(game, "d2", "e3"));  // capture
    EXPECT_TRUE(Legal(game, "d2", "d3"));
    EXPECT_FALSE(Legal(game, "d2", "d4"));          // double step onto a piece
    EXPECT_FALSE(Legal(game, "h2", "h3"));          // straight onto an opponent
    EXPECT_FALSE(Legal(game, "h2", "g3"));          // no capture onto an empty square
    EXPECT_FALSE(Legal(game, "b7", "b5", kBlack));  // b6 is occupied
    EXPECT_FALSE(Legal(game, "b7", "b6", kBlack));
    EXPECT_FALSE(Legal(game, "d4", "d5", kBlack));  // backwards
    EXPECT_TRUE(Legal(game, "d4", "d3", kBlack));
}

TEST_F(PieceRules, NoEnPassant) {
    Chessgame game = MakePosition(
        {King(kWhite, "e1"), King(kBlack, "e8"), Pawn(kWhite, 3, "e5"), Pawn(kBlack, 4, "d7")});
    g_sideToMove = kBlack;
    game.MakeMove(Sq("d7"), Sq("d5"), 1);
    EXPECT_FALSE(Legal(game, "e5", "d6"));
}

TEST_F(PieceRules, SlidersStopAtTheFirstPiece) {
    Chessgame game =
        MakePosition({King(kWhite, "e1"), King(kBlack, "e8"), Bishop(kWhite, kFBishopId, "h1"),
                      Rook(kWhite, kHRookId, "a1"), Queen(kWhite, "d4"), Pawn(kBlack, 0, "d7")});
    EXPECT_TRUE(Legal(game, "h1", "a8"));  // the whole long diagonal
    EXPECT_TRUE(Legal(game, "a1", "a8"));
    EXPECT_TRUE(Legal(game, "a1", "b1"));
    EXPECT_FALSE(Legal(game, "a1", "f1"));  // past the king
    EXPECT_FALSE(Legal(game, "a1", "b2"));
    EXPECT_TRUE(Legal(game, "d4", "d7"));   // capture
    EXPECT_FALSE(Legal(game, "d4", "d8"));  // behind it
    EXPECT_TRUE(Legal(game, "d4", "g7"));
    EXPECT_FALSE(Legal(game, "d4", "f5"));  // not a line
    EXPECT_FALSE(Legal(game, "h1", "h2"));  // a bishop does not move straight
}

TEST_F(PieceRules, WithoutOwnershipTheTargetMayHoldAnOwnPiece) {
    Chessgame game;
    game.MakeMove(Sq("g1"), Sq("f3"), 0);
    EXPECT_TRUE(game.IsMoveLegal(Sq("f3"), Sq("d2"), kWhite, 0));
    EXPECT_TRUE(game.IsMoveLegal(Sq("f1"), Sq("e2"), kWhite, 0));
    EXPECT_FALSE(game.IsMoveLegal(Sq("g2"), Sq("f3"), kWhite, 0));  // pawns still refuse
    EXPECT_FALSE(game.IsMoveLegal(Sq("f3"), Sq("d2"), kWhite, 1));
}

TEST_F(PieceRules, APinnedPieceMayMoveOnlyAlongThePin) {
    Chessgame game = MakePosition({King(kWhite, "e1"), King(kBlack, "h8"),
                                   Rook(kWhite, kHRookId, "e3"), Rook(kBlack, kARookId, "e8")});
    EXPECT_TRUE(Legal(game, "e3", "e5"));
    EXPECT_TRUE(Legal(game, "e3", "e8"));
    EXPECT_FALSE(Legal(game, "e3", "a3"));
}

TEST(LineStep, FollowsRanksFilesAndDiagonals) {
    EXPECT_EQ(8, Chessgame::LineStep(Sq("h1"), Sq("h8")));
    EXPECT_EQ(9, Chessgame::LineStep(Sq("h1"), Sq("a8")));
    EXPECT_EQ(9, Chessgame::LineStep(Sq("e4"), Sq("h1")));
    EXPECT_EQ(1, Chessgame::LineStep(Sq("h1"), Sq("a1")));
    EXPECT_EQ(1, Chessgame::LineStep(Sq("e1"), Sq("b1")));
    EXPECT_EQ(7, Chessgame::LineStep(Sq("g1"), Sq("h2")));
    EXPECT_EQ(7, Chessgame::LineStep(Sq("b2"), Sq("a1")));
    EXPECT_EQ(9, Chessgame::LineStep(Sq("a2"), Sq("b1")));
    EXPECT_EQ(8, Chessgame::LineStep(Sq("e1"), Sq("e8")));
    EXPECT_EQ(0, Chessgame::LineStep(Sq("h1"), Sq("g3")));
}

TEST(LineStep, WalksFromOneEndToTheOtherForEveryPairOnALine) {
    for (int a = 0; a < kSquareCount; ++a) {
        for (int b = a + 1; b < kSquareCount; ++b) {
            if (!Chessgame::m_queenMoves[a][b]) continue;
            const int step = Chessgame::LineStep(a, b);
            ASSERT_GT(step, 0) << a << " " << b;
            ASSERT_EQ(0, (b - a) % step) << a << " " << b;
            for (int square = a; square != b; square += step) {
                ASSERT_TRUE(Chessgame::m_kingMoves[square][square + step]) << a << " " << b;
                ASSERT_TRUE(square == a || Chessgame::m_queenMoves[a][square]) << a << " " << b;
            }
        }
    }
}

using ScanLineTest = MoveValidation;

TEST_F(ScanLineTest, BetweenModeLooksOnlyStrictlyBetween) {
    Chessgame game = MakePosition({King(kWhite, "h1"), King(kBlack, "a8")});
    EXPECT_EQ(1, game.ScanLine(Sq("h1"), Sq("a8"), kWhite, kScanLineEmpty));
    EXPECT_EQ(1, game.ScanLine(Sq("a8"), Sq("h1"), kBlack, kScanLineEmpty));
    EXPECT_EQ(1, game.ScanLine(Sq("e4"), Sq("e5"), kWhite, kScanLineEmpty));  // neighbours
    for (const char* between : {"g2", "f3", "e4", "d5", "c6", "b7"}) {
        Chessgame blocked =
            MakePosition({King(kWhite, "h1"), King(kBlack, "a8"), Pawn(kBlack, 0, between)});
        EXPECT_EQ(0, blocked.ScanLine(Sq("h1"), Sq("a8"), kWhite, kScanLineEmpty)) << between;
        EXPECT_EQ(1, blocked.ScanLine(Sq("h1"), Sq("a8"), 0, kScanLineEmpty)) << between;
    }
    EXPECT_EQ(0, game.ScanLine(Sq("h1"), Sq("g3"), kWhite, kScanLineEmpty));  // no common line
    EXPECT_EQ(0, game.ScanLine(Sq("h1"), Sq("a8"), kWhite, 3));
}

TEST_F(ScanLineTest, XRayNamesTheOpposingPieceBehind) {
    const auto position = [](std::initializer_list<Placement> extra) {
        Chessgame game = MakePosition({King(kWhite, "h1"), Rook(kWhite, kARookId, "a1"),
                                       Knight(kBlack, kGKnightId, "a4"), King(kBlack, "a7")});
        for (const Placement& piece : extra) {
            game.m_board[piece.square] = static_cast<int16_t>(piece.side * piece.value);
        }
        return game;
    };
    EXPECT_EQ(Sq("a7"), position({}).ScanLine(Sq("a1"), Sq("a4"), kWhite, kScanLineXRay));
    EXPECT_EQ(
        kNoSquare,
        position({Pawn(kWhite, 0, "a6")}).ScanLine(Sq("a1"), Sq("a4"), kWhite, kScanLineXRay));
    EXPECT_EQ(
        kNoSquare,
        position({Pawn(kWhite, 0, "a2")}).ScanLine(Sq("a1"), Sq("a4"), kWhite, kScanLineXRay));
    // Nothing behind: the line ends at the edge.
    Chessgame empty = MakePosition({King(kWhite, "h1"), Rook(kWhite, kARookId, "a1"),
                                    Knight(kBlack, kGKnightId, "a4"), King(kBlack, "c7")});
    EXPECT_EQ(kNoSquare, empty.ScanLine(Sq("a1"), Sq("a4"), kWhite, kScanLineXRay));
    // A knight has no line to look along.
    Chessgame knight = MakePosition({King(kWhite, "h1"), Knight(kWhite, kBKnightId, "a1"),
                                     Knight(kBlack, kGKnightId, "a4"), King(kBlack, "a7")});
    EXPECT_EQ(kNoSquare, knight.ScanLine(Sq("a1"), Sq("a4"), kWhite, kScanLineXRay));
}

// The slider rules read the squares between from a table; it must agree with
// the walk of ScanLine for every pair on a line and every single blocker.
TEST_F(ScanLineTest, SliderRulesAgreeWithTheWalkForEveryBlocker) {
    Chessgame game;
    RemoveAllPieces(game);
    for (int blocker = 0; blocker < kSquareCount; ++blocker) {
        PlacePiece(game, blocker, kPawnValue, 0);
        for (int a = 0; a < kSquareCount; ++a) {
            for (int b = 0; b < kSquareCount; ++b) {
                const bool open = game.ScanLine(a, b, kWhite, kScanLineEmpty) != 0;
                if (Chessgame::m_rookMoves[a][b]) {
                    ASSERT_EQ(open, game.IsRookMoveValid(a, b, kBlack)) << a << " " << b;
                }
                if (Chessgame::m_bishopMoves[a][b]) {
                    ASSERT_EQ(open, game.IsBishopMoveValid(a, b, kWhite)) << a << " " << b;
                }
            }
        }
        RemoveAllPieces(game);
    }
}

// Walking on past the board's edge would reach the next rank's far end,
// which may lie in the slider's line set again (h2 is on the h1 rook's file).
TEST_F(ScanLineTest, XRayStopsAtTheEdgeOfARank) {
    Chessgame game =
        MakePosition({King(kWhite, "e8"), Rook(kWhite, kHRookId, "h1"),
                      Knight(kBlack, kGKnightId, "d1"), Pawn(kBlack, 0, "h2"), King(kBlack, "a8")});
    EXPECT_EQ(kNoSquare, game.ScanLine(Sq("h1"), Sq("d1"), kWhite, kScanLineXRay));
    // The same piece on the rank itself is found.
    Chessgame onRank =
        MakePosition({King(kWhite, "e8"), Rook(kWhite, kHRookId, "h1"),
                      Knight(kBlack, kGKnightId, "d1"), Pawn(kBlack, 0, "b1"), King(kBlack, "a8")});
    EXPECT_EQ(Sq("b1"), onRank.ScanLine(Sq("h1"), Sq("d1"), kWhite, kScanLineXRay));
}

// Past h8 the a1-h8 diagonal's step lands on a8, on the a1 queen's file.
TEST_F(ScanLineTest, XRayStopsAtTheEdgeOfADiagonal) {
    Chessgame game =
        MakePosition({King(kWhite, "e1"), Queen(kWhite, "a1"), Knight(kBlack, kGKnightId, "c3"),
                      Rook(kBlack, kARookId, "a8"), King(kBlack, "e8")});
    EXPECT_EQ(kNoSquare, game.ScanLine(Sq("a1"), Sq("c3"), kWhite, kScanLineXRay));
    game.m_board[Sq("h8")] = -kPawnValue;
    EXPECT_EQ(Sq("h8"), game.ScanLine(Sq("a1"), Sq("c3"), kWhite, kScanLineXRay));
}

}  // namespace
