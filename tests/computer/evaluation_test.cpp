#include "tests/computer/board_setup.h"

namespace {

using Evaluation = ComputerTest;
using Squares = DestinationList;

TEST_F(Evaluation, ScoresOpeningMovesFromTheStart) {
    EXPECT_EQ(75, ScoreTrial("e2", "e4", kWhite));
    EXPECT_EQ(110, ScoreTrial("e2", "e3", kWhite));
    EXPECT_EQ(14, ScoreTrial("g1", "f3", kWhite));
}

TEST_F(Evaluation, ListsOpeningDestinationsInStepOrder) {
    int mobility = 0;
    EXPECT_EQ((Squares{Sq("h3"), Sq("f3")}), Destinations("g1", kWhite, &mobility));
    EXPECT_EQ(20, mobility);
    EXPECT_EQ((Squares{Sq("e3"), Sq("e4")}), Destinations("e2", kWhite, &mobility));
    EXPECT_EQ(2, mobility);
    EXPECT_EQ((Squares{Sq("h6"), Sq("f6")}), Destinations("g8", kBlack, &mobility));
    EXPECT_TRUE(Destinations("d1", kWhite).empty());
}

TEST_F(Evaluation, GenerationLeavesThePositionAlone) {
    Play(game, {"e2e4", "d7d5", "g1f3", "b8c6", "f1b5", "c8g4"});
    const PositionState before = Saved(game);
    for (const char* square : {"e4", "f3", "b5", "e1", "d1", "h1"}) {
        Destinations(square, kWhite);
    }
    ExpectSamePosition(before, game);
}

// White king e1 in check from a rook on e8.
class InCheck : public ComputerTest {
protected:
    void SetUp() override {
        ComputerTest::SetUp();
        ClearBoard(game);
        Place(game, "e1", kKingValue, kKingId);
        Place(game, "e8", -kRookValue, kHRookId);
        Place(game, "a8", -kKingValue, kKingId);
    }
};

TEST_F(InCheck, KnightStopsAtItsFirstRefusedSquare) {
    Place(game, "c3", kKnightValue, kGKnightId);
    ASSERT_TRUE(game.IsMoveLegal(Sq("c3"), Sq("e2"), kWhite, 1));
    int mobility = -1;
    EXPECT_TRUE(Destinations("c3", kWhite, &mobility).empty());
    EXPECT_EQ(0, mobility);
}

TEST_F(InCheck, SliderGivesUpALineWhoseFirstSquareIsRefused) {
    Place(game, "a2", kRookValue, kARookId);
    ASSERT_TRUE(game.IsMoveLegal(Sq("a2"), Sq("e2"), kWhite, 1));
    EXPECT_TRUE(Destinations("a2", kWhite).empty());
}

TEST_F(InCheck, KingSkipsRefusedStepsAndTriesTheRest) {
    int mobility = 0;
    EXPECT_EQ((Squares{Sq("f2"), Sq("f1"), Sq("d1"), Sq("d2")}),
              Destinations("e1", kWhite, &mobility));
    EXPECT_EQ(4, mobility);
}

TEST_F(Evaluation, PinnedBishopKeepsToThePinLine) {
    ClearBoard(game);
    Place(game, "e1", kKingValue, kKingId);
    Place(game, "d2", kBishopValue, kFBishopId);
    Place(game, "b4", -kBishopValue, kFBishopId);
    Place(game, "f4", -kPawnValue, 0);
    Place(game, "h8", -kKingValue, kKingId);
    EXPECT_EQ((Squares{Sq("c3"), Sq("b4")}), Destinations("d2", kWhite));
}

TEST_F(Evaluation, SliderListsTheCaptureThatEndsALine) {
    ClearBoard(game);
    Place(game, "h1", kKingValue, kKingId);
    Place(game, "a1", kRookValue, kARookId);
    Place(game, "a3", -kPawnValue, 0);
    Place(game, "c1", -kKnightValue, kGKnightId);
    Place(game, "h8", -kKingValue, kKingId);
    // Up the file to the pawn, along the rank to the knight.
    int mobility = 0;
    EXPECT_EQ((Squares{Sq("a2"), Sq("a3"), Sq("b1"), Sq("c1")}),
              Destinations("a1", kWhite, &mobility));
    EXPECT_EQ(4 * 8, mobility);
}

// A queen's diagonal step off the h- or a-file lands on the other end of its
// own rank, which its reach set holds; that step has left the board.
TEST_F(Evaluation, QueenStepsDoNotWrapAroundTheBoardEdge) {
    ClearBoard(game);
    Place(game, "e1", kKingValue, kKingId);
    Place(game, "h7", kQueenValue, kQueenId);
    Place(game, "g7", kPawnValue, 1);
    Place(game, "a2", -kQueenValue, kQueenId);
    Place(game, "b2", -kPawnValue, 6);
    Place(game, "e8", -kKingValue, kKingId);
    Place(game, "a7", -kKnightValue, kGKnightId);
    Place(game, "h8", -kRookValue, kHRookId);
    Place(game, "h6", -kPawnValue, 0);
    Place(game, "g6", -kRookValue, kARookId);
    Place(game, "g8", -kBishopValue, kFBishopId);
    // Hemmed in: the captures around it, not the knight on a7.
    EXPECT_EQ((Squares{Sq("h8"), Sq("h6"), Sq("g6"), Sq("g8")}), Destinations("h7", kWhite));
    // Black's queen on a2 reaches h2 only by stepping off the a-file.
    for (int target : Destinations("a2", kBlack)) {
        EXPECT_NE(Sq("h2"), target);
    }
}

TEST_F(Evaluation, KingThatMayCastleBothWaysListsOnlyTheQueensWing) {
    ClearBoard(game);
    Place(game, "e1", kKingValue, kKingId);
    Place(game, "h1", kRookValue, kHRookId);
    Place(game, "a1", kRookValue, kARookId);
    Place(game, "e8", -kKingValue, kKingId);
    std::memset(game.m_hasMoved[SideIndex(kWhite)], 0, 3);
    ASSERT_TRUE(game.CanCastle(Sq("e1"), Sq("g1"), kWhite));
    const Squares list = Destinations("e1", kWhite);
    ASSERT_FALSE(list.empty());
    EXPECT_EQ(Sq("c1"), list.front());
    EXPECT_EQ(0, std::count(list.begin(), list.end(), Sq("g1")));
}

TEST_F(Evaluation, PinnedPawnWithRefusedPushListsNoDoubleStep) {
    ClearBoard(game);
    Place(game, "d1", kKingValue, kKingId);
    Place(game, "e2", kPawnValue, 3);
    Place(game, "f3", -kBishopValue, kFBishopId);
    Place(game, "h8", -kKingValue, kKingId);
    EXPECT_EQ((Squares{Sq("f3")}), Destinations("e2", kWhite));
}

TEST_F(Evaluation, PawnBlockedTwoAheadListsOnlyTheSingleStep) {
    Play(game, {"a2a3", "e7e5", "a3a4", "e5e4"});
    EXPECT_EQ((Squares{Sq("e3")}), Destinations("e2", kWhite));
}

TEST_F(Evaluation, PawnOnACentreSquareCountsItsSquare) {
    Play(game, {"e2e4", "a7a6"});
    int mobility = 0;
    EXPECT_EQ((Squares{Sq("e5")}), Destinations("e4", kWhite, &mobility));
    // A pawn's destinations never count as centre squares; its own square does.
    EXPECT_EQ(1 + 1, mobility);
}

TEST_F(Evaluation, PawnChainDoesNotWrapAcrossTheBoard) {
    ClearBoard(game);
    Place(game, "e1", kKingValue, kKingId);
    Place(game, "h2", kPawnValue, 0);
    Place(game, "e8", -kKingValue, kKingId);
    const int alone = ScoreTrial("h2", "h3", kWhite);
    Place(game, "a3", kPawnValue, 7);
    EXPECT_EQ(alone, ScoreTrial("h2", "h3", kWhite));
    Place(game, "g2", kPawnValue, 1);
    EXPECT_EQ(alone + 35, ScoreTrial("h2", "h3", kWhite));
}

TEST_F(Evaluation, PawnFacingAnEnemyPawnLosesPoints) {
    Play(game, {"a2a3", "e7e5"});
    // e2-e4 would be 75 with the square in front free.
    EXPECT_EQ(75 - 20, ScoreTrial("e2", "e4", kWhite));
}

TEST_F(Evaluation, CastlingEarnsItsBonus) {
    ClearBoard(game);
    Place(game, "e1", kKingValue, kKingId);
    Place(game, "h1", kRookValue, kHRookId);
    Place(game, "e8", -kKingValue, kKingId);
    std::memset(game.m_hasMoved[SideIndex(kWhite)], 0, 3);
    // After castling no right is left: 150 - 30.
    EXPECT_EQ(120, ScoreTrial("e1", "g1", kWhite));
    // A king step gives up the right as well: -30.
    EXPECT_EQ(-30, ScoreTrial("e1", "d1", kWhite));
}

TEST_F(Evaluation, CastlingTermFollowsTheSideToMoveOfTheGame) {
    ClearBoard(game);
    Place(game, "e1", kKingValue, kKingId);
    Place(game, "h1", kRookValue, kHRookId);
    Place(game, "e8", -kKingValue, kKingId);
    Place(game, "a7", -kPawnValue, 7);
    std::memset(game.m_hasMoved[SideIndex(kWhite)], 0, 3);
    g_sideToMove = kWhite;
    const int whileWhiteToMove = ScoreTrial("a7", "a6", kBlack);
    g_sideToMove = kBlack;
    const int whileBlackToMove = ScoreTrial("a7", "a6", kBlack);
    EXPECT_EQ(whileBlackToMove + 60, whileWhiteToMove);
}

TEST_F(Evaluation, PieceScoresTheCentreSquaresItCouldMoveTo) {
    Play(game, {"e2e4", "e7e5", "g1f3", "b8c6"});
    // The bishop on c4 reaches d5, and clears the way to castle.
    EXPECT_EQ(20 + 30, ScoreTrial("f1", "c4", kWhite));
    // A knight on g5 reaches no free centre square; f1 still blocks castling.
    EXPECT_EQ(-30, ScoreTrial("f3", "g5", kWhite));
}

}  // namespace
