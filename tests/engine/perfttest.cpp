// Whole-tree checks: perft counts through IsMoveLegal, and trial moves that
// leave the position as it was.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>
#include <utility>
#include <vector>

#include "engine/chessgame.h"
#include "tests/engine/testpositions.h"

namespace {

using Move = std::pair<int, int>;

// Every from/to pair the engine accepts for the side to move; checks on the
// way that asking changed nothing.
std::vector<Move> EngineMoves(Chessgame& game) {
    const int side = g_sideToMove;
    PositionState before;
    game.SavePosition(before);
    const SquareSet own = side == kWhite ? game.m_whitePieces : game.m_blackPieces;
    std::vector<Move> moves;
    for (int from = 0; from < kSquareCount; ++from) {
        if (!own[from]) continue;
        for (int to = 0; to < kSquareCount; ++to) {
            if (game.IsMoveLegal(from, to, side, 1)) moves.emplace_back(from, to);
        }
    }
    PositionState after;
    game.SavePosition(after);
    EXPECT_TRUE(before == after);
    EXPECT_EQ(side, g_sideToMove);
    return moves;
}

uint64_t Perft(Chessgame& game, int depth) {
    const int side = g_sideToMove;
    const std::vector<Move> moves = EngineMoves(game);
    if (depth == 1) return moves.size();
    uint64_t leaves = 0;
    for (const auto& [from, to] : moves) {
        Chessgame child(game);
        child.MakeMove(from, to, 1);
        leaves += Perft(child, depth - 1);
        g_sideToMove = static_cast<int16_t>(side);
    }
    return leaves;
}

struct PerftCase {
    int depth;
    uint64_t leaves;
};

void PrintTo(const PerftCase& perft, std::ostream* out) { *out << "depth " << perft.depth; }

class PerftFromTheStart : public ::testing::TestWithParam<PerftCase> {};

TEST_P(PerftFromTheStart, CountsTheStandardLeaves) {
    Chessgame game;
    g_sideToMove = kWhite;
    EXPECT_EQ(GetParam().leaves, Perft(game, GetParam().depth));
    EXPECT_EQ(kWhite, g_sideToMove);
}

INSTANTIATE_TEST_SUITE_P(Depths, PerftFromTheStart,
                         ::testing::Values(PerftCase{1, 20}, PerftCase{2, 400}, PerftCase{3, 8902},
                                           PerftCase{4, 197281}));

class TrialMoves : public ::testing::Test {
protected:
    void SetUp() override { g_sideToMove = kWhite; }

    // Asks about a move and checks that the position is exactly as before.
    static bool AskUnchanged(Chessgame& game, const char* from, const char* to, int side,
                             int checkOwnership = 1) {
        PositionState before;
        game.SavePosition(before);
        const bool legal = game.IsMoveLegal(Sq(from), Sq(to), side, checkOwnership);
        ExpectSamePosition(before, game);
        const bool safe = game.IsMoveSafe(Sq(from), Sq(to), side);
        ExpectSamePosition(before, game);
        EXPECT_TRUE(!legal || safe);
        return legal;
    }
};

TEST_F(TrialMoves, LeaveEveryMemberAsItWas) {
    Chessgame game = MakePosition({King(kWhite, "e1"), Rook(kWhite, kHRookId, "h1"),
                                   Rook(kWhite, kARookId, "a1"), Pawn(kWhite, 1, "g7"),
                                   Bishop(kWhite, kFBishopId, "b5"), King(kBlack, "e8"),
                                   Rook(kBlack, kHRookId, "h8"), Knight(kBlack, kBKnightId, "c6"),
                                   Pawn(kBlack, 6, "b2"), Knight(kBlack, kGKnightId, "f8")});
    game.m_pieces[SideIndex(kWhite)][3].reserved = 7;
    EXPECT_TRUE(AskUnchanged(game, "b5", "c6", kWhite));  // capture
    EXPECT_TRUE(AskUnchanged(game, "g7", "g8", kWhite));  // promotion
    EXPECT_TRUE(AskUnchanged(game, "g7", "h8", kWhite));  // promotion with capture
    EXPECT_TRUE(AskUnchanged(game, "g7", "f8", kWhite));
    EXPECT_TRUE(AskUnchanged(game, "e1", "g1", kWhite));   // castling
    EXPECT_FALSE(AskUnchanged(game, "e1", "c1", kWhite));  // the b2 pawn guards c1
    EXPECT_TRUE(AskUnchanged(game, "h1", "h8", kWhite));   // rook takes rook
    EXPECT_TRUE(AskUnchanged(game, "b2", "a1", kBlack));   // Black promotes by capture
    EXPECT_TRUE(AskUnchanged(game, "b5", "e2", kWhite, 0));
    EXPECT_TRUE(AskUnchanged(game, "h1", "e1", kWhite, 0));  // onto its own king, unchecked
}

}  // namespace
