#include "tests/computer/computertest.h"

namespace {

using ThinkMoveTest = ComputerTest;

// The first legal move of the side to move, by square.
std::pair<int, int> AnyLegalMove(Chessgame& game) {
    const std::vector<LegalMove> moves = LegalMoves(game, g_sideToMove);
    if (moves.empty()) return {kNoSquare, kNoSquare};
    return {moves.front().from, moves.front().to};
}

// Plays a game of legal moves for the human against ThinkMove and checks
// every reply.
void PlayAgainstTheComputer(Intelligence& game, int humanSide, int searchKind, int turns) {
    const int computerSide = -humanSide;
    int lastFrom = kNoSquare;
    int lastTo = kNoSquare;
    for (int turn = 0; turn < turns; ++turn) {
        if (g_sideToMove == humanSide) {
            std::tie(lastFrom, lastTo) = AnyLegalMove(game);
            ASSERT_NE(kNoSquare, lastFrom);
            game.MakeMove(lastFrom, lastTo, 1);
        }
        Chessgame before(game);
        const ScoredMove move = game.ThinkMove(humanSide, lastFrom, lastTo, searchKind);
        ASSERT_TRUE(IsMove(move)) << turn;
        EXPECT_TRUE(before.IsMoveLegal(move.from, move.to, computerSide, 1)) << turn;
        EXPECT_EQ(humanSide, g_sideToMove) << turn;
        EXPECT_EQ("", PositionFault(game));
    }
}

TEST_F(ThinkMoveTest, ExpertAsWhiteKeepsThePositionConsistentAndPassesTheTurn) {
    PlayAgainstTheComputer(game, kBlack, kSearchKindExpert, 24);
    EXPECT_TRUE(game.m_outOfBook);
}

// After Re1xe8+ the only answer is Ra8xe8, which generation misses: the rook's
// first square on that line, b8, does not meet the check.
class OnlyAnUnlistedEvasion : public ComputerTest {
protected:
    void SetUp() override {
        ComputerTest::SetUp();
        Play(game, {"e2e4", "e7e6", "d2d4", "d7d5", "e4d5", "e6d5", "f1d3", "f8d6", "g1f3",
                    "g8f6", "e1g1", "e8g8", "c1g5", "c8g4", "g5f6", "d8f6", "b1c3", "g4f3",
                    "d1f3", "f6f3", "g2f3", "b8c6", "c3d5", "c6d4", "d5c7", "d6c7", "f1e1",
                    "d4f3", "g1g2", "f3e1", "a1e1", "f8e8", "e1e8"});
        game.m_outOfBook = true;
    }
};

TEST_F(OnlyAnUnlistedEvasion, ThinkMovePlaysTheFirstLegalMove) {
    for (int kind : {kSearchKindExpert, kSearchKindNovice}) {
        Intelligence copy(static_cast<const Chessgame&>(game));
        const ScoredMove move = copy.ThinkMove(kWhite, Sq("e1"), Sq("e8"), kind);
        EXPECT_EQ(Sq("a8"), move.from);
        EXPECT_EQ(Sq("e8"), move.to);
        EXPECT_EQ(-kRookValue, copy.m_board[Sq("e8")]);
        EXPECT_EQ(kWhite, g_sideToMove);
        EXPECT_EQ("", PositionFault(copy));
        g_sideToMove = kBlack;
    }
}

// The stalemate line: after 10.Qc8-e6 Black has pieces left but no legal
// move. The game is replayed as a document replays one, so the
// computer is still in its opening phase with empty capture lists, and is
// also asked once the phase is over.
class StalematedComputer : public ComputerTest {
protected:
    void SetUp() override {
        ComputerTest::SetUp();
        Play(game, kStalemate);
    }
};

TEST_F(StalematedComputer, ThinkMoveReturnsNoMoveAndChangesNothing) {
    ASSERT_EQ(kNoLegalMove, game.HasLegalMove());
    for (bool outOfBook : {false, true}) {
        for (int kind : {kSearchKindExpert, kSearchKindNovice}) {
            game.m_outOfBook = outOfBook;
            const PositionState before = Saved(game);
            const ScoredMove move = game.ThinkMove(kWhite, Sq("c8"), Sq("e6"), kind);
            EXPECT_FALSE(IsMove(move)) << outOfBook << kind;
            EXPECT_EQ(kNoMoveValue, move.value) << outOfBook << kind;
            EXPECT_EQ(kBlack, g_sideToMove) << outOfBook << kind;
            EXPECT_TRUE(before == Saved(game));
        }
    }
}

}  // namespace
