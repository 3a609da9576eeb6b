#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>

#include "document/chessclock.h"
#include "document/pgnexport.h"
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

TEST_F(TesselDocTest, RedoMakesTheTakenBackMovesAgainOneAtATime) {
    NewGame(kPlayHumanVsHuman);
    ASSERT_TRUE(PlayAll(doc, kFoolsMate));
    const auto mated = doc.m_pEngine->m_board;
    ASSERT_TRUE(doc.TakeBackTo(2));
    EXPECT_EQ(doc.m_matedSide, 0);
    EXPECT_EQ(g_sideToMove, kWhite);
    ASSERT_TRUE(doc.UndoAllMoves());
    EXPECT_EQ(doc.m_moveCount, 0);

    for (int16_t count = 1; count <= 4; ++count) {
        ASSERT_TRUE(doc.RedoMove());
        EXPECT_EQ(doc.m_moveCount, count);
        EXPECT_EQ(g_sideToMove, count % 2 ? kBlack : kWhite);
        EXPECT_EQ(doc.Published().sideToMove, g_sideToMove);
    }
    EXPECT_FALSE(doc.RedoMove());
    EXPECT_EQ(doc.m_pEngine->m_board, mated);
    EXPECT_EQ(doc.m_matedSide, kWhite);
    EXPECT_TRUE(doc.m_gameOver);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(TesselDocTest, NewMoveNewGameAndResignationForgetWhatCouldBeRedone) {
    const std::pair<const char*, std::function<void(CTesselDoc&)>> forgetting[] = {
        {"move", [](CTesselDoc& d) { ASSERT_TRUE(Play(d, Sq("d7"), Sq("d5")).ok); }},
        {"new game", [](CTesselDoc& d) { ASSERT_TRUE(d.OnNewDocument()); }},
        {"resign", [](CTesselDoc& d) { ASSERT_TRUE(d.Resign(kBlack)); }},
    };
    for (const auto& [name, forget] : forgetting) {
        NewGame(kPlayHumanVsHuman);
        ASSERT_TRUE(PlayAll(doc, {{Sq("e2"), Sq("e4")}, {Sq("e7"), Sq("e5")}}));
        ASSERT_TRUE(doc.UndoMove());
        ASSERT_TRUE(doc.CanRedo()) << name;
        forget(doc);
        EXPECT_FALSE(doc.CanRedo()) << name;
        EXPECT_FALSE(doc.RedoMove()) << name;
    }
}

// Against the computer a step is the human's move with the reply, also back
// from the new game that an undo to the start began.
TEST_F(TesselDocTest, RedoAgainstTheComputerReplaysEachMoveWithItsReply) {
    struct Game {
        int playMode;
        MoveList humanMoves;
        int undosToTheStart;
    };
    const Game games[] = {
        {kPlayWhite, {{Sq("b1"), Sq("c3")}, {Sq("g1"), Sq("f3")}}, 2},
        {kPlayBlack, {{Sq("b8"), Sq("c6")}, {Sq("g8"), Sq("f6")}}, 3},
    };
    for (const auto& [playMode, humanMoves, undosToTheStart] : games) {
        NewGame(playMode);
        for (const auto& [from, to] : humanMoves) {
            doc.m_fromSquare = static_cast<int16_t>(from);
            doc.m_toSquare = static_cast<int16_t>(to);
            bool check = false;
            bool mate = false;
            ASSERT_TRUE(doc.MakeUserMove(check, mate));
            ASSERT_TRUE(doc.MakeNextMove(check, mate));
        }
        const MoveEntry opening = doc.m_moves[0];
        const int16_t count = doc.m_moveCount;
        const auto board = doc.m_pEngine->m_board;
        const int16_t humanSide = g_sideToMove;

        ASSERT_TRUE(doc.UndoMove());
        ASSERT_TRUE(doc.RedoMove());
        EXPECT_EQ(doc.m_moveCount, count);
        EXPECT_EQ(doc.m_pEngine->m_board, board);
        EXPECT_EQ(g_sideToMove, humanSide);

        for (int undo = 0; undo < undosToTheStart; ++undo) ASSERT_TRUE(doc.UndoMove());
        // The computer may open the new game with another book move.
        if (!(doc.m_moves[0] == opening)) {
            EXPECT_FALSE(doc.CanRedo());
            continue;
        }
        while (doc.RedoMove()) {
        }
        EXPECT_EQ(doc.m_moveCount, count);
        EXPECT_EQ(doc.m_pEngine->m_board, board);
    }
}

TEST_F(TesselDocTest, ResignationEndsTheGameUntilAnUndoWithdrawsIt) {
    struct Case {
        MoveList before;
        int side;
        const char* result;
    };
    const Case cases[] = {
        {{}, kWhite, "0-1"},
        {{{Sq("e2"), Sq("e4")}}, kBlack, "1-0"},
    };
    for (const auto& [before, side, result] : cases) {
        NewGame(kPlayHumanVsHuman);
        ASSERT_TRUE(PlayAll(doc, before));
        doc.SetModifiedFlag(false);
        ASSERT_TRUE(doc.Resign(side));
        EXPECT_TRUE(doc.m_gameOver);
        EXPECT_TRUE(doc.IsModified());
        EXPECT_FALSE(doc.Resign(-side));
        EXPECT_NE(ExportPgn(doc, "2026.01.01").find(std::string("[Result \"") + result),
                  std::string::npos);

        ASSERT_TRUE(doc.CanUndo());
        ASSERT_TRUE(doc.UndoMove());
        EXPECT_FALSE(doc.m_gameOver);
        EXPECT_EQ(doc.m_moveCount, static_cast<int16_t>(before.size()));
        EXPECT_NE(ExportPgn(doc, "2026.01.01").find("[Result \"*"), std::string::npos);
    }
    NewGame(kPlayHumanVsHuman);
    ASSERT_TRUE(PlayAll(doc, kFoolsMate));
    EXPECT_FALSE(doc.Resign(kWhite));
}

}  // namespace
