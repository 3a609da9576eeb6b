#include <gtest/gtest.h>

#include <array>

#include "document/chessclock.h"
#include "document/tesseldoc.h"
#include "tests/document/gametestsupport.h"

namespace {

class TesselDocTest : public ::testing::Test {
protected:
    void NewGame(int playMode) {
        doc.m_playMode = playMode;
        ASSERT_TRUE(doc.OnNewDocument());
    }

    CTesselDoc doc;
};

TEST_F(TesselDocTest, RefusedMoveChangesOnlyTheModifiedFlag) {
    NewGame(kPlayHumanVsHuman);
    ASSERT_TRUE(Play(doc, Sq("e2"), Sq("e4")).ok);
    doc.SetModifiedFlag(false);
    const auto board = doc.m_pEngine->m_board;

    const std::pair<int, int> refused[] = {
        {Sq("e4"), Sq("e5")},  // White's pawn when Black is to move
        {Sq("e5"), Sq("e6")},  // empty origin
        {Sq("e7"), 64},        // off the board
    };
    for (const auto& [from, to] : refused) {
        doc.SetModifiedFlag(false);
        EXPECT_FALSE(Play(doc, from, to).ok) << from << "-" << to;
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ(doc.m_moveCount, 1);
        EXPECT_EQ(g_sideToMove, kBlack);
        EXPECT_EQ(doc.m_pEngine->m_board, board);
    }
}

TEST_F(TesselDocTest, MoveAfterAnUndoOverwritesTheLeftOverEntry) {
    NewGame(kPlayHumanVsHuman);
    ASSERT_TRUE(PlayAll(doc, {{Sq("e2"), Sq("e4")}, {Sq("e7"), Sq("e5")}}));
    doc.m_moveCount = 1;
    ASSERT_TRUE(doc.RebuildPosition());
    ASSERT_TRUE(Play(doc, Sq("c7"), Sq("c5")).ok);
    EXPECT_EQ(doc.m_moveCount, 2);
    EXPECT_EQ(doc.m_moves[1].from, Sq("c7"));
    EXPECT_EQ(doc.m_pEngine->m_board[Sq("e5")], 0);
}

TEST_F(TesselDocTest, CheckmateIsReportedWithTheMatedSide) {
    NewGame(kPlayHumanVsHuman);
    const MoveList beforeMate(kFoolsMate.begin(), kFoolsMate.end() - 1);
    ASSERT_TRUE(PlayAll(doc, beforeMate));
    EXPECT_EQ(doc.m_matedSide, 0);

    const MoveResult result = Play(doc, kFoolsMate.back().first, kFoolsMate.back().second);
    EXPECT_TRUE(result.ok);
    EXPECT_TRUE(result.check);
    EXPECT_TRUE(result.mate);
    EXPECT_EQ(doc.m_matedSide, kWhite);
    EXPECT_FALSE(doc.m_drawn);
    EXPECT_EQ(g_sideToMove, kWhite);
    EXPECT_EQ(doc.Published().sideToMove, kWhite);
}

TEST_F(TesselDocTest, UnknownPlayModeMakesNoMove) {
    NewGame(kPlayHumanVsHuman);
    doc.m_playMode = kPlayComputerVsComputer + 1;
    bool check = false;
    bool mate = false;
    EXPECT_FALSE(doc.MakeNextMove(check, mate));
    EXPECT_EQ(doc.m_moveCount, 0);
    EXPECT_EQ(g_sideToMove, kWhite);
}

TEST_F(TesselDocTest, FullMoveListRefusesTheNextMove) {
    NewGame(kPlayHumanVsHuman);
    doc.m_moves.assign(kMaxMoves, MoveEntry{0, 0});
    doc.m_moveCount = kMaxMoves;
    const auto board = doc.m_pEngine->m_board;

    EXPECT_FALSE(Play(doc, Sq("e2"), Sq("e4")).ok);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.m_moveCount, kMaxMoves);
    EXPECT_EQ(doc.m_pEngine->m_board, board);
    EXPECT_EQ(g_sideToMove, kWhite);

    doc.m_playMode = kPlayWhite;
    bool check = false;
    bool mate = false;
    EXPECT_FALSE(doc.MakeNextMove(check, mate));
    EXPECT_EQ(doc.m_pEngine->m_board, board);
    EXPECT_EQ(g_sideToMove, kWhite);
}

TEST_F(TesselDocTest, RebuildPositionReplaysTheKeptMoves) {
    NewGame(kPlayHumanVsHuman);
    ASSERT_TRUE(PlayAll(doc, kFoolsMate));
    doc.m_moveCount = 3;
    doc.m_gameOver = false;

    ASSERT_TRUE(doc.RebuildPosition());
    EXPECT_EQ(doc.m_matedSide, 0);
    EXPECT_FALSE(doc.m_gameOver);
    EXPECT_EQ(g_sideToMove, kBlack);
    EXPECT_EQ(doc.m_pEngine->m_board[Sq("d8")], -kQueenValue);
    EXPECT_EQ(doc.Published().sideToMove, kBlack);
}

}  // namespace
