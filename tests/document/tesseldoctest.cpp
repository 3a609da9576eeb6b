#include <gtest/gtest.h>

#include <algorithm>

#include "document/chessclock.h"
#include "document/tesseldoc.h"
#include "tests/document/gametestsupport.h"

namespace {

constexpr int16_t kKingOnlyCountdownStart = 17;
constexpr int kKingOnlyTurnsToDraw = 18;

class TesselDocTest : public ::testing::Test {
protected:
    void NewGame(int playMode) {
        doc.m_playMode = playMode;
        ASSERT_TRUE(doc.OnNewDocument());
    }

    int16_t Countdown(int side) const { return doc.m_kingOnlyCountdown[SideIndex(side)]; }

    CTesselDoc doc;
};

TEST_F(TesselDocTest, NewGameWithAHumanAsWhiteWaitsForWhite) {
    for (int mode : {kPlayHumanVsHuman, kPlayWhite}) {
        NewGame(mode);
        EXPECT_EQ(doc.m_moveCount, 0);
        EXPECT_EQ(g_sideToMove, kWhite);
        EXPECT_FALSE(g_chessClock.running);
        EXPECT_TRUE(g_chessClock.armed);
        EXPECT_FALSE(doc.IsModified());
        EXPECT_EQ(doc.GetTitle(), "Untitled");
        EXPECT_EQ(doc.m_playMode, mode);
        EXPECT_EQ(doc.m_skillLevel, kSkillExpert);
        const PublishedPosition published = doc.Published();
        EXPECT_EQ(published.sideToMove, kWhite);
        EXPECT_EQ(published.board[Sq("e1")], kKingValue);
        EXPECT_EQ(published.board[Sq("d8")], -kQueenValue);
    }
}

TEST_F(TesselDocTest, NewGameClearsTheEndOfThePreviousGame) {
    NewGame(kPlayHumanVsHuman);
    ASSERT_TRUE(PlayAll(doc, kFoolsMate));
    doc.m_gameOver = true;
    doc.m_drawn = true;
    doc.m_kingOnlyCountdown = {3, 0, 5};

    NewGame(kPlayHumanVsHuman);
    EXPECT_FALSE(doc.m_gameOver);
    EXPECT_FALSE(doc.m_drawn);
    EXPECT_EQ(doc.m_matedSide, 0);
    EXPECT_EQ(Countdown(kBlack), 0);
    EXPECT_EQ(Countdown(kWhite), 0);
    EXPECT_EQ(doc.m_pEngine->m_board[Sq("h4")], 0);
}

TEST_F(TesselDocTest, RefusedMoveChangesOnlyTheModifiedFlag) {
    NewGame(kPlayHumanVsHuman);
    ASSERT_TRUE(Play(doc, Sq("e2"), Sq("e4")).ok);
    doc.SetModifiedFlag(false);
    const auto board = doc.m_pEngine->m_board;

    const std::pair<int, int> refused[] = {
        {Sq("e4"), Sq("e5")},  // White's pawn when Black is to move
        {Sq("e7"), Sq("e4")},  // not a pawn move
        {Sq("e5"), Sq("e6")},  // empty origin
        {Sq("e7"), 64},        // off the board
        {-1, Sq("e5")},
    };
    for (const auto& [from, to] : refused) {
        doc.SetModifiedFlag(false);
        EXPECT_FALSE(Play(doc, from, to).ok) << from << "-" << to;
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ(doc.m_moveCount, 1);
        EXPECT_EQ(g_sideToMove, kBlack);
        EXPECT_EQ(doc.m_pEngine->m_board, board);
        EXPECT_EQ(doc.Published().sideToMove, kBlack);
    }
}

TEST_F(TesselDocTest, MovesAreAppendedAndPublished) {
    NewGame(kPlayHumanVsHuman);
    ASSERT_TRUE(Play(doc, Sq("g1"), Sq("f3")).ok);
    ASSERT_TRUE(Play(doc, Sq("e7"), Sq("e5")).ok);
    ASSERT_EQ(doc.m_moveCount, 2);
    EXPECT_EQ(doc.m_moves[0].from, Sq("g1"));
    EXPECT_EQ(doc.m_moves[0].to, Sq("f3"));
    EXPECT_EQ(doc.m_moves[1].from, Sq("e7"));
    EXPECT_EQ(doc.m_moves[1].to, Sq("e5"));
    EXPECT_EQ(g_sideToMove, kWhite);
    const PublishedPosition published = doc.Published();
    EXPECT_EQ(published.sideToMove, kWhite);
    EXPECT_EQ(published.board[Sq("f3")], kKnightValue);
    EXPECT_EQ(published.board[Sq("e5")], -kPawnValue);
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

TEST_F(TesselDocTest, CheckWithoutMateStillRunsTheDrawTestsForTheSideInCheck) {
    NewGame(kPlayHumanVsHuman);
    const MoveList beforeCheck(kStalemate.begin(), kStalemate.begin() + kStalemateCheckIndex);
    ASSERT_TRUE(PlayAll(doc, beforeCheck));
    doc.m_kingOnlyCountdown[SideIndex(kBlack)] = 5;

    const auto [from, to] = kStalemate[kStalemateCheckIndex];
    const MoveResult result = Play(doc, from, to);
    EXPECT_TRUE(result.ok);
    EXPECT_TRUE(result.check);
    EXPECT_FALSE(result.mate);
    EXPECT_EQ(g_sideToMove, kBlack);
    EXPECT_EQ(Countdown(kBlack), 0);
    EXPECT_EQ(doc.m_matedSide, 0);
    EXPECT_FALSE(doc.m_drawn);
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

TEST_F(TesselDocTest, StalemateDrawsTheGame) {
    NewGame(kPlayHumanVsHuman);
    const MoveList beforeLast(kStalemate.begin(), kStalemate.end() - 1);
    ASSERT_TRUE(PlayAll(doc, beforeLast));
    EXPECT_FALSE(doc.m_drawn);

    const MoveResult result = Play(doc, kStalemate.back().first, kStalemate.back().second);
    EXPECT_TRUE(result.ok);
    EXPECT_FALSE(result.check);
    EXPECT_FALSE(result.mate);
    EXPECT_TRUE(doc.m_drawn);
    EXPECT_EQ(doc.m_matedSide, 0);
    EXPECT_EQ(g_sideToMove, kBlack);
}

// White: king e1, rook a6. Black: king e8 and a pawn a7 that the rook
// blocks, so Black can move only its king until the rook leaves the a-file.
class KingOnlyTest : public TesselDocTest {
protected:
    void SetUp() override {
        NewGame(kPlayHumanVsHuman);
        Intelligence& engine = *doc.m_pEngine;
        // Pieces are carried off by moving other pieces onto them; the
        // engine makes such moves without asking whether they are legal.
        auto hop = [&engine](int& square, int to, int side) {
            engine.MakeMoveForSide(square, to, side, 0);
            square = to;
        };
        int blackQueen = Sq("d8");
        for (int square = Sq("h1"); square <= Sq("a2"); ++square) {
            if (square != Sq("e1") && square != Sq("a1")) hop(blackQueen, square, kBlack);
        }
        int whiteRook = Sq("a1");
        for (int square = Sq("h7"); square <= Sq("a8"); ++square) {
            const bool kept = square == Sq("e8") || square == Sq("a7");
            if (!kept && engine.m_board[square] != 0) hop(whiteRook, square, kWhite);
        }
        hop(whiteRook, blackQueen, kWhite);
        hop(whiteRook, Sq("a6"), kWhite);
        g_sideToMove = kWhite;
        ASSERT_EQ(std::count_if(engine.m_board.begin(), engine.m_board.end(),
                                [](int16_t cell) { return cell != 0; }),
                  4);
    }

    // Moves the king of side to the other of its two squares.
    void ToggleKing(int side) {
        const int home = side == kWhite ? Sq("e1") : Sq("e8");
        const int away = side == kWhite ? Sq("f1") : Sq("d8");
        const int from = doc.m_pEngine->m_kingSquare[SideIndex(side)];
        ASSERT_TRUE(Play(doc, from, from == home ? away : home).ok);
    }

    // One full move: White's king, then, unless that drew, Black's.
    void ShuffleKings() {
        ToggleKing(kWhite);
        if (!doc.m_drawn) ToggleKing(kBlack);
    }
};

TEST_F(KingOnlyTest, EighteenKingOnlyTurnsInARowDraw) {
    ShuffleKings();
    EXPECT_EQ(Countdown(kBlack), kKingOnlyCountdownStart);
    EXPECT_EQ(Countdown(kWhite), 0);
    for (int turn = 2; turn < kKingOnlyTurnsToDraw; ++turn) ShuffleKings();
    EXPECT_EQ(Countdown(kBlack), 1);
    EXPECT_FALSE(doc.m_drawn);

    ShuffleKings();
    EXPECT_TRUE(doc.m_drawn);
    EXPECT_EQ(Countdown(kBlack), 1);
    EXPECT_EQ(g_sideToMove, kBlack);
}

TEST_F(KingOnlyTest, ATurnWithAnotherPieceFreeResetsTheCount) {
    for (int turn = 0; turn < 5; ++turn) ShuffleKings();
    EXPECT_EQ(Countdown(kBlack), kKingOnlyCountdownStart - 4);

    ASSERT_TRUE(Play(doc, Sq("a6"), Sq("b6")).ok);
    EXPECT_EQ(Countdown(kBlack), 0);
    ToggleKing(kBlack);
    ASSERT_TRUE(Play(doc, Sq("b6"), Sq("a6")).ok);
    EXPECT_EQ(Countdown(kBlack), kKingOnlyCountdownStart);
}

TEST_F(KingOnlyTest, DrawTestsAreSkippedOnceDrawn) {
    for (int turn = 0; turn < kKingOnlyTurnsToDraw; ++turn) ShuffleKings();
    ASSERT_TRUE(doc.m_drawn);

    ToggleKing(kBlack);
    ASSERT_TRUE(Play(doc, Sq("a6"), Sq("b6")).ok);
    EXPECT_EQ(Countdown(kBlack), 1);
    EXPECT_TRUE(doc.m_drawn);
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
    EXPECT_EQ(doc.m_pEngine->m_board[Sq("g4")], kPawnValue);
    EXPECT_EQ(doc.Published().sideToMove, kBlack);
}

}  // namespace
