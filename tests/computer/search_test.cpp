#include "tests/computer/computertest.h"

namespace {

constexpr int kWide = 1000000;

class SearchTest : public ComputerTest {
protected:
    // Kings in the corners, nothing else.
    void Empty() { SetUpBoard(game, "Kh1 kh8"); }

    // A search at the last ply: every move is scored without looking further.
    ScoredMove Leaf(int alpha, int beta, int side) {
        game.m_trialMoves = 0;
        // Depth 1 with the human as Black searches two plies.
        return game.Search(alpha, beta, kBlack, side, 2, {}, {});
    }
};

TEST_F(SearchTest, CutOffOnlyWhenAlphaExceedsBeta) {
    Play(game, {"e2e4", "e7e5", "g1f3", "b8c6"});
    const ScoredMove all = Leaf(-kWide, kWide, kWhite);
    const uint64_t allTrials = game.m_trialMoves;

    // Any beta below the first counted move's score stops right after it.
    const ScoredMove first = Leaf(-kWide, -kWide + 1, kWhite);
    const uint64_t firstTrials = game.m_trialMoves;
    ASSERT_LT(firstTrials, allTrials);

    Leaf(-kWide, first.value - 1, kWhite);
    EXPECT_EQ(firstTrials, game.m_trialMoves);
    // Alpha equal to beta searches on.
    const ScoredMove equal = Leaf(-kWide, first.value, kWhite);
    EXPECT_GT(game.m_trialMoves, firstTrials);
    EXPECT_EQ(all.value, std::max(equal.value, all.value));
}

// Both sides may castle both ways and pawns are about to promote, with captures.
class SharpPosition : public SearchTest {
protected:
    void SetUp() override {
        SearchTest::SetUp();
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
