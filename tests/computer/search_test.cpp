#include "tests/computer/board_setup.h"

namespace {

constexpr int kWide = 1000000;

class SearchTest : public ComputerTest {
protected:
    // Kings in the corners, nothing else.
    void Empty() {
        ClearBoard(game);
        Place(game, "h1", kKingValue, kKingId);
        Place(game, "h8", -kKingValue, kKingId);
    }

    // A search at the last ply: every move is scored without looking further.
    ScoredMove Leaf(int alpha, int beta, int side) {
        game.m_trialMoves = 0;
        // Depth 1 with the human as Black searches two plies.
        return game.Search(alpha, beta, kBlack, side, 2, {}, {});
    }
};

TEST_F(SearchTest, PlyLimitDependsOnTheHumansSide) {
    // At depth 1 the limit is ply 2 with the human as Black, 3 as White.
    const ScoredMove beyond = game.Search(kRootAlpha, kRootBeta, kBlack, kWhite, 3, {}, {});
    EXPECT_FALSE(IsMove(beyond));
    EXPECT_EQ(kNoMoveValue, beyond.value);
    EXPECT_EQ(0u, game.m_trialMoves);
    const ScoredMove last = game.Search(kRootAlpha, kRootBeta, kWhite, kWhite, 3, {}, {});
    EXPECT_TRUE(IsMove(last));
    EXPECT_EQ(20u, game.m_trialMoves);
}

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

TEST_F(SearchTest, ExpertRootPlaysAMoveWorthMoreThanTheWindowAtOnce) {
    Empty();
    Place(game, "a1", kRookValue, kARookId);
    Place(game, "a5", -kQueenValue, kQueenId);
    Place(game, "c2", kPawnValue, 5);
    const ScoredMove windowed = game.Search(kRootAlpha, kRootBeta, kBlack, kWhite, 1, {}, {});
    const uint64_t windowedTrials = game.m_trialMoves;
    game.m_trialMoves = 0;
    const ScoredMove wide = game.Search(-kWide, kWide, kBlack, kWhite, 1, {}, {});
    EXPECT_EQ(Sq("a1"), windowed.from);
    EXPECT_EQ(Sq("a5"), windowed.to);
    EXPECT_GT(windowed.value, kRootBeta);
    EXPECT_EQ(wide.to, windowed.to);
    EXPECT_LT(windowedTrials, game.m_trialMoves);
}

TEST_F(SearchTest, FirstCountedMoveReplacesAPrunedMoveScoredHigher) {
    Empty();
    game.MakeMoveForSide(Sq("h8"), Sq("a8"), kBlack, 0);
    Place(game, "f3", kKnightValue, kGKnightId);
    Place(game, "g5", -kRookValue, kHRookId);
    Place(game, "h6", -kPawnValue, 0);
    // The knight's first destination takes the rook and loses itself to h6xg5.
    ASSERT_EQ(Sq("g5"), Destinations("f3", kWhite).front());

    const ScoredMove result = Leaf(kRootAlpha, kRootBeta, kWhite);
    EXPECT_NE(Sq("g5"), result.to);
    EXPECT_TRUE(IsMove(result));

    // Nxg5 alone, pruned, would have scored more than the move chosen.
    CaptureList replies;
    const int captured = game.MakeMoveForSide(Sq("f3"), Sq("g5"), kWhite, 0);
    game.UpdateOpponentCaptures(Sq("f3"), Sq("g5"), kBlack, {}, replies);
    const int pruned = std::abs(captured) - game.BestCaptureGain(kBlack, replies).value;
    EXPECT_GT(pruned, result.value);
}

TEST_F(SearchTest, NoviceTakesAKnightForAPawnAtOnce) {
    Empty();
    Place(game, "e4", kPawnValue, 3);
    Place(game, "d5", -kKnightValue, kGKnightId);
    Place(game, "c6", -kPawnValue, 5);
    // A free rook that a full look would prefer.
    Place(game, "d1", kQueenValue, kQueenId);
    Place(game, "a4", -kRookValue, kARookId);
    const ScoredMove result =
        game.SearchRootNovice(kRootAlpha, kRootBeta, kBlack, kWhite, 1, {}, {});
    EXPECT_EQ(Sq("e4"), result.from);
    EXPECT_EQ(Sq("d5"), result.to);
    EXPECT_EQ(1u, game.m_trialMoves);
}

TEST_F(SearchTest, NoviceTakesAFreePawnAtOnce) {
    Empty();
    Place(game, "e4", kPawnValue, 3);
    Place(game, "d5", -kPawnValue, 4);
    Place(game, "d1", kQueenValue, kQueenId);
    Place(game, "a4", -kRookValue, kARookId);
    const ScoredMove result =
        game.SearchRootNovice(kRootAlpha, kRootBeta, kBlack, kWhite, 1, {}, {});
    EXPECT_EQ(Sq("e4"), result.from);
    EXPECT_EQ(Sq("d5"), result.to);
    EXPECT_EQ(1u, game.m_trialMoves);
}

TEST_F(SearchTest, NoviceLooksFurtherAfterAnEvenCapture) {
    Empty();
    Place(game, "e4", kPawnValue, 3);
    Place(game, "d5", -kPawnValue, 4);
    Place(game, "c6", -kPawnValue, 5);
    const ScoredMove result =
        game.SearchRootNovice(kRootAlpha, kRootBeta, kBlack, kWhite, 1, {}, {});
    EXPECT_TRUE(IsMove(result));
    EXPECT_GT(game.m_trialMoves, 1u);
}

// Both wings may castle and pawns are about to promote, with captures.
class SharpPosition : public SearchTest {
protected:
    void SetUp() override {
        SearchTest::SetUp();
        ClearBoard(game);
        Place(game, "e1", kKingValue, kKingId);
        Place(game, "h1", kRookValue, kHRookId);
        Place(game, "a1", kRookValue, kARookId);
        Place(game, "b7", kPawnValue, 6);
        Place(game, "e4", kPawnValue, 3);
        Place(game, "c3", kKnightValue, kBKnightId);
        Place(game, "e8", -kKingValue, kKingId);
        Place(game, "h8", -kRookValue, kHRookId);
        Place(game, "a8", -kRookValue, kARookId);
        Place(game, "g2", -kPawnValue, 1);
        Place(game, "d5", -kPawnValue, 4);
        Place(game, "f6", -kKnightValue, kGKnightId);
        std::memset(game.m_hasMoved[SideIndex(kWhite)], 0, 3);
        std::memset(game.m_hasMoved[SideIndex(kBlack)], 0, 3);
        ExpectConsistent(game);
    }
};

TEST_F(SharpPosition, SearchesLeaveThePositionAsTheyFoundIt) {
    g_searchDepth = 2;
    const PositionState before = Saved(game);
    for (int side : {kWhite, kBlack}) {
        g_sideToMove = static_cast<int16_t>(side);
        const ScoredMove expert = game.Search(kRootAlpha, kRootBeta, -side, side, 1, {}, {});
        ExpectSamePosition(before, game);
        const ScoredMove novice =
            game.SearchRootNovice(kRootAlpha, kRootBeta, -side, side, 1, {}, {});
        ExpectSamePosition(before, game);
        EXPECT_TRUE(IsMove(expert));
        EXPECT_TRUE(IsMove(novice));
        EXPECT_EQ(side, g_sideToMove);
    }
    EXPECT_GT(game.m_trialMoves, 1000u);
}

}  // namespace
