#include "tests/computer/computertest.h"

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

// White king e1 in check from a rook on e8.
class InCheck : public ComputerTest {
protected:
    void SetUp() override {
        ComputerTest::SetUp();
        SetUpBoard(game, "Ke1 re8 ka8");
    }
};

TEST_F(InCheck, KingSkipsRefusedStepsAndTriesTheRest) {
    int mobility = 0;
    EXPECT_EQ((Squares{Sq("f2"), Sq("f1"), Sq("d1"), Sq("d2")}),
              Destinations("e1", kWhite, &mobility));
    EXPECT_EQ(4, mobility);
}

TEST_F(Evaluation, PinnedBishopKeepsToThePinLine) {
    SetUpBoard(game, "Ke1 Bd2 bb4 pf4 kh8");
    EXPECT_EQ((Squares{Sq("c3"), Sq("b4")}), Destinations("d2", kWhite));
}

// A queen's diagonal step off the h- or a-file lands on the other end of its
// own rank, which its reach set holds; that step has left the board.
TEST_F(Evaluation, PawnFacingAnEnemyPawnLosesPoints) {
    Play(game, {"a2a3", "e7e5"});
    // e2-e4 would be 75 with the square in front free.
    EXPECT_EQ(75 - 20, ScoreTrial("e2", "e4", kWhite));
}

TEST_F(Evaluation, CastlingEarnsItsBonus) {
    SetUpBoard(game, "Ke1 Rh1 ke8");
    // After castling no right is left: 150 - 30.
    EXPECT_EQ(120, ScoreTrial("e1", "g1", kWhite));
    // A king step gives up the right as well: -30.
    EXPECT_EQ(-30, ScoreTrial("e1", "d1", kWhite));
}

}  // namespace
