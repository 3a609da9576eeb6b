// The occupancy and piece sets stay in step with the board through random
// games: after every move made, after every trial of the search, and in the
// safety test that reads the occupancy after a move without making it.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "computer/intelligence.h"
#include "tests/support/boardsetup.h"

namespace {

constexpr unsigned kSeeds[] = {1, 2, 3};
constexpr int kMaxPlies = 120;

// The piece rules without the king's safety, to try moves that leave the
// king attacked as well as legal ones.
class Game : public Intelligence {
public:
    using Chessgame::MeetsPieceRule;
    using Intelligence::Intelligence;
};

// The safety test, which does not make the move, must agree with the king's
// attack test after the move is really made, for every move the piece rules
// allow side.
void ExpectSafetyAsAfterTheMove(Game& game, int side) {
    for (int from = 0; from < kSquareCount; ++from) {
        if (game.m_board[from] * side <= 0) continue;
        for (int to = 0; to < kSquareCount; ++to) {
            if (game.m_board[to] * side > 0 || !game.MeetsPieceRule(from, to, side)) continue;
            Chessgame after(game);
            after.MakeMoveForSide(from, to, side, 0);
            const int king = after.m_kingSquare[SideIndex(side)];
            EXPECT_EQ(!after.IsKingAttacked(king, king, side), game.IsMoveSafe(from, to, side))
                << from << "->" << to;
        }
    }
}

TEST(Masks, StayInStepWithTheBoardThroughRandomGames) {
    for (unsigned seed : kSeeds) {
        std::mt19937 random(seed);
        Game game(seed);
        int side = kWhite;
        for (int ply = 0; ply < kMaxPlies; ++ply) {
            const std::vector<LegalMove> moves = LegalMoves(game, side);
            if (moves.empty()) break;
            ExpectSafetyAsAfterTheMove(game, side);

            // A shallow search makes and takes back trials and exchanges.
            PositionState before;
            game.SavePosition(before);
            g_searchDepth = 1;
            game.Search(kRootAlpha, kRootBeta, -side, side, kRootPly, {}, {});
            PositionState after;
            game.SavePosition(after);
            EXPECT_TRUE(after == before) << "the search changed the position";

            const LegalMove move = moves[random() % moves.size()];
            game.MakeMoveForSide(move.from, move.to, side, 0);
            EXPECT_EQ(PositionFault(game), "");
            if (::testing::Test::HasFailure()) {
                FAIL() << "seed " << seed << ", ply " << ply;
            }
            side = -side;
        }
    }
}

}  // namespace
