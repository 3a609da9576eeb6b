#include <gtest/gtest.h>

#include "document/chessclock.h"
#include "document/tesseldoc.h"
#include "tests/document/gametestsupport.h"

namespace {

class ComputerMoveTest : public ::testing::Test {
protected:
    CTesselDoc doc;
};

TEST_F(ComputerMoveTest, NewGameWithTheComputerAsWhiteOpensAtOnce) {
    doc.m_playMode = kPlayBlack;
    doc.m_skillLevel = kSkillNovice;
    ASSERT_TRUE(doc.OnNewDocument());
    ASSERT_EQ(doc.m_moveCount, 1);
    EXPECT_EQ(g_sideToMove, kBlack);
    EXPECT_EQ(doc.Published().sideToMove, kBlack);
    EXPECT_TRUE(g_chessClock.running);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_GT(doc.m_pEngine->m_board[doc.m_moves[0].to], 0);

    // The stored move is the one made: replaying it gives the same position.
    const auto board = doc.m_pEngine->m_board;
    ASSERT_TRUE(doc.RebuildPosition());
    EXPECT_EQ(doc.m_pEngine->m_board, board);
    EXPECT_EQ(g_sideToMove, kBlack);
}

TEST_F(ComputerMoveTest, ComputerRepliesToTheHumansMove) {
    for (int skill : {kSkillNovice, kSkillExpert}) {
        doc.m_playMode = kPlayWhite;
        doc.m_skillLevel = skill;
        ASSERT_TRUE(doc.OnNewDocument());
        doc.m_fromSquare = Sq("e2");
        doc.m_toSquare = Sq("e4");
        bool check = false;
        bool mate = false;
        ASSERT_TRUE(doc.MakeUserMove(check, mate));
        ASSERT_TRUE(doc.MakeNextMove(check, mate));
        ASSERT_EQ(doc.m_moveCount, 2);
        EXPECT_LT(doc.m_pEngine->m_board[doc.m_moves[1].to], 0);
        EXPECT_EQ(g_sideToMove, kWhite);
        EXPECT_EQ(doc.Published().sideToMove, kWhite);
        EXPECT_TRUE(doc.IsModified());

        const auto board = doc.m_pEngine->m_board;
        ASSERT_TRUE(doc.RebuildPosition());
        EXPECT_EQ(doc.m_pEngine->m_board, board);
    }
}

TEST_F(ComputerMoveTest, ComputerWithoutAMoveAddsNothing) {
    doc.m_playMode = kPlayHumanVsHuman;
    ASSERT_TRUE(doc.OnNewDocument());
    ASSERT_TRUE(PlayAll(doc, kStalemate));
    ASSERT_TRUE(doc.m_drawn);
    const auto board = doc.m_pEngine->m_board;
    const auto countdown = doc.m_kingOnlyCountdown;

    doc.m_playMode = kPlayWhite;
    bool check = true;
    bool mate = true;
    EXPECT_FALSE(doc.MakeNextMove(check, mate));
    EXPECT_FALSE(check);
    EXPECT_FALSE(mate);
    EXPECT_EQ(doc.m_moveCount, static_cast<int16_t>(kStalemate.size()));
    EXPECT_EQ(doc.m_pEngine->m_board, board);
    EXPECT_EQ(doc.m_kingOnlyCountdown, countdown);
    EXPECT_EQ(g_sideToMove, kBlack);
    EXPECT_EQ(doc.Published().sideToMove, kBlack);
}

// Only the three play modes make a move; any other makes none and says so.
TEST_F(ComputerMoveTest, UnknownPlayModeMakesNoMove) {
    ASSERT_TRUE(doc.OnNewDocument());
    doc.m_playMode = kPlayBlack + 1;
    bool check = false;
    bool mate = false;
    EXPECT_FALSE(doc.MakeNextMove(check, mate));
    EXPECT_EQ(doc.m_moveCount, 0);
    EXPECT_EQ(g_sideToMove, kWhite);
}

}  // namespace
