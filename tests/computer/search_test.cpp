#include "tests/computer/computertest.h"

namespace {

// Both sides may castle both ways and pawns are about to promote, with captures.
class SharpPosition : public ComputerTest {
protected:
    void SetUp() override {
        ComputerTest::SetUp();
        SetUpBoard(game, "Ke1 Rh1 Ra1 Pb7 Pe4 Nc3 ke8 rh8 ra8 pg2 pd5 nf6");
        EXPECT_EQ("", PositionFault(game));
    }
};

TEST_F(SharpPosition, SearchesLeaveThePositionAsTheyFoundIt) {
    g_searchDepth = 2;
    const PositionState before = Saved(game);
    for (int side : {kWhite, kBlack}) {
        g_sideToMove = static_cast<int16_t>(side);
        const ScoredMove expert = game.Search(kRootAlpha, kRootBeta, -side, side, 1, {}, {});
        EXPECT_TRUE(before == Saved(game));
        const ScoredMove novice =
            game.SearchRootNovice(kRootAlpha, kRootBeta, -side, side, 1, {}, {});
        EXPECT_TRUE(before == Saved(game));
        EXPECT_TRUE(IsMove(expert));
        EXPECT_TRUE(IsMove(novice));
        EXPECT_EQ(side, g_sideToMove);
    }
    EXPECT_GT(game.m_trialMoves, 1000u);
}

}  // namespace
