#include <chrono>
#include <thread>

#include "tests/computer/computertest.h"

namespace {

// A middle game out of book, searched at depth 5: far longer than any of
// these tests waits, so every search here ends only by the request.
class InterruptedSearch : public ComputerTest {
protected:
    void SetUp() override {
        ComputerTest::SetUp();
        Play(game, {"d2d4", "g8f6", "c2c4", "g7g6", "b1c3", "f8g7", "e2e4", "d7d6", "g1f3", "e8g8",
                    "f1e2", "e7e5", "e1g1", "b8c6", "d4d5"});
        game.m_outOfBook = true;
        game.m_control = &control;
        g_searchDepth = 5;
    }

    // Runs ThinkMove for Black on a worker thread and makes the request from
    // this one once the first root move is finished.
    ScoredMove ThinkAndInterrupt(void (SearchControl::*request)()) {
        ScoredMove move = kNoMove;
        std::thread worker(
            [&] { move = game.ThinkMove(kWhite, Sq("d4"), Sq("d5"), kSearchKindExpert); });
        while (control.RootMovesDone() == 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        (control.*request)();
        worker.join();
        return move;
    }

    SearchControl control;
};

TEST_F(InterruptedSearch, MoveNowPlaysAFinishedRootMoveAndPassesTheTurn) {
    const Chessgame before(game);
    const ScoredMove move = ThinkAndInterrupt(&SearchControl::RequestMoveNow);
    EXPECT_LT(control.RootMovesDone(), control.RootMovesTotal());
    ASSERT_TRUE(IsMove(move));
    EXPECT_NE(kNoMoveValue, move.value);
    EXPECT_TRUE(Chessgame(before).IsMoveLegal(move.from, move.to, kBlack, 1));
    EXPECT_EQ(before.m_board[move.from], game.m_board[move.to]);
    EXPECT_EQ(kWhite, g_sideToMove);
    EXPECT_EQ("", PositionFault(game));
}

TEST_F(InterruptedSearch, AbortMakesNoMoveAndChangesNothing) {
    const PositionState before = Saved(game);
    const CaptureList humanCaptures = game.m_humanCaptures;
    const CaptureList computerCaptures = game.m_computerCaptures;
    const ScoredMove move = ThinkAndInterrupt(&SearchControl::RequestAbort);
    EXPECT_FALSE(IsMove(move));
    EXPECT_EQ(kBlack, g_sideToMove);
    EXPECT_TRUE(before == Saved(game));
    EXPECT_EQ(humanCaptures, game.m_humanCaptures);
    EXPECT_EQ(computerCaptures, game.m_computerCaptures);
}

// Asked before the search has finished any move, it plays the first one it
// would try: the queen's first destination.
}  // namespace
