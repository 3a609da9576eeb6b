// The move tables, the starting position, copying and creation by name.
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>

#include "engine/chessgame.h"
#include "tests/engine/testpositions.h"

namespace {

SquareSet Squares(std::initializer_list<const char*> names) {
    SquareSet squares;
    for (const char* name : names) squares.set(Sq(name));
    return squares;
}

TEST(MoveTables, RookBishopAndQueenFromACorner) {
    EXPECT_EQ(Squares({"g1", "f1", "e1", "d1", "c1", "b1", "a1", "h2", "h3", "h4", "h5", "h6", "h7",
                       "h8"}),
              Chessgame::m_rookMoves[Sq("h1")]);
    EXPECT_EQ(Squares({"g2", "f3", "e4", "d5", "c6", "b7", "a8"}),
              Chessgame::m_bishopMoves[Sq("h1")]);
    EXPECT_EQ(Chessgame::m_rookMoves[0] | Chessgame::m_bishopMoves[0], Chessgame::m_queenMoves[0]);
    EXPECT_EQ(21u, Chessgame::m_queenMoves[0].count());
}

TEST(MoveTables, SlidersDoNotWrapAroundTheEdge) {
    EXPECT_EQ(Squares({"e4", "f5", "g6", "h7", "c4", "b5", "a6", "e2", "f1", "c2", "b1"}),
              Chessgame::m_bishopMoves[Sq("d3")]);
    EXPECT_EQ(Squares({"b8", "b6", "c5", "d4", "e3", "f2", "g1"}),
              Chessgame::m_bishopMoves[Sq("a7")]);
    EXPECT_EQ(Squares({"h1", "h2", "h4", "h5", "h6", "h7", "h8", "g3", "f3", "e3", "d3", "c3", "b3",
                       "a3"}),
              Chessgame::m_rookMoves[Sq("h3")]);
}

TEST(MoveTables, KnightAndKing) {
    EXPECT_EQ(Squares({"f2", "g3"}), Chessgame::m_knightMoves[Sq("h1")]);
    EXPECT_EQ(8u, Chessgame::m_knightMoves[Sq("e4")].count());
    EXPECT_EQ(Squares({"b1", "a2", "b2"}), Chessgame::m_kingMoves[Sq("a1")]);
    EXPECT_EQ(Squares({"f1", "d1", "f2", "e2", "d2"}), Chessgame::m_kingMoves[Sq("e1")]);
}

TEST(MoveTables, PawnsPushAndCaptureTogether) {
    EXPECT_EQ(Squares({"g3", "g4", "h3", "f3"}), Chessgame::m_whitePawnMoves[Sq("g2")]);
    EXPECT_EQ(Squares({"h3", "h4", "g3"}), Chessgame::m_whitePawnMoves[Sq("h2")]);
    EXPECT_EQ(Squares({"b6", "b5", "c6", "a6"}), Chessgame::m_blackPawnMoves[Sq("b7")]);
    EXPECT_EQ(Squares({"a6", "a5", "b6"}), Chessgame::m_blackPawnMoves[Sq("a7")]);
    EXPECT_EQ(Squares({"e4", "f4", "d4"}), Chessgame::m_whitePawnMoves[Sq("e3")]);
    for (int square : {0, 7, 56, 63, 3, 60}) {
        EXPECT_TRUE(Chessgame::m_whitePawnMoves[square].none()) << square;
        EXPECT_TRUE(Chessgame::m_blackPawnMoves[square].none()) << square;
    }
}

TEST(StartingPosition, BoardIdsAndRecords) {
    const Chessgame game;
    EXPECT_EQ(kKingValue, game.m_board[Sq("e1")]);
    EXPECT_EQ(-kKingValue, game.m_board[Sq("e8")]);
    EXPECT_EQ(kQueenValue, game.m_board[Sq("d1")]);
    EXPECT_EQ(-kBishopValue, game.m_board[Sq("c8")]);
    EXPECT_EQ(kPawnValue, game.m_board[Sq("h2")]);
    EXPECT_EQ(-kPawnValue, game.m_board[Sq("h7")]);
    EXPECT_EQ(kKingId, game.m_pieceId[Sq("e8")]);
    EXPECT_EQ(0, game.m_pieceId[Sq("h7")]);
    EXPECT_EQ(7, game.m_pieceId[Sq("a7")]);
    EXPECT_EQ(kARookId, game.m_pieceId[Sq("a1")]);
    EXPECT_EQ(kBKnightId, game.m_pieceId[Sq("b8")]);
    const PieceRecord& pawn = game.m_pieces[SideIndex(kBlack)][7];
    EXPECT_EQ(1, pawn.onBoard);
    EXPECT_EQ(Sq("a7"), pawn.square);
    EXPECT_EQ(kPawnKind, pawn.kind);
    EXPECT_EQ(SquareSet().set(Sq("a7")), game.m_pieceSquare[PieceSquareIndex(kBlack, 7)]);
    EXPECT_EQ(kFBishopId, game.m_pieceId[Sq("f1")]);
    EXPECT_EQ(kBishopKind, game.m_pieces[SideIndex(kWhite)][kFBishopId].kind);
    EXPECT_EQ(Sq("e8"), game.m_kingSquare[SideIndex(kBlack)]);
    EXPECT_EQ(Sq("e1"), game.m_kingSquare[SideIndex(kWhite)]);
    EXPECT_EQ(0xFFFFu, game.m_whitePieces.to_ullong());
    EXPECT_EQ(0xFFFFull << 48, game.m_blackPieces.to_ullong());
    ExpectConsistent(game);
}

Chessgame PlayedGame() {
    Chessgame game;
    g_sideToMove = kWhite;
    // 1.e4 d5 2.exd5 Nf6 3.Nf3 Nxd5 4.Rg1 (a rook has moved, a capture each)
    for (auto [from, to] : {std::pair{"e2", "e4"},
                            {"d7", "d5"},
                            {"e4", "d5"},
                            {"g8", "f6"},
                            {"g1", "f3"},
                            {"f6", "d5"},
                            {"h1", "g1"}}) {
        game.MakeMove(Sq(from), Sq(to), 1);
    }
    return game;
}

TEST(Copying, CopyConstructorTakesTheWholePosition) {
    const Chessgame source = PlayedGame();
    PositionState expected;
    source.SavePosition(expected);
    const Chessgame copy(source);
    ExpectSamePosition(expected, copy);
    ExpectConsistent(copy);
}

TEST(Copying, AssignmentReplacesThePosition) {
    const Chessgame source = PlayedGame();
    Chessgame target;
    target = source;
    PositionState expected;
    source.SavePosition(expected);
    ExpectSamePosition(expected, target);
}

TEST(Copying, AssignmentLeavesTheUnusedMiddleRowAlone) {
    Chessgame source;
    source.m_hasMoved[1][0] = 1;
    Chessgame target;
    target = source;
    EXPECT_EQ(0, target.m_hasMoved[1][0]);
}

TEST(Copying, SaveAndRestoreRoundTrip) {
    Chessgame game = PlayedGame();
    PositionState saved;
    game.SavePosition(saved);
    game.MakeMove(Sq("d8"), Sq("d5"), 0);
    game.RestorePosition(saved);
    ExpectSamePosition(saved, game);
}

TEST(RuntimeClass, ChessgameIsCreatableByName) {
    const RuntimeClass* runtimeClass = FindRuntimeClass("Chessgame");
    ASSERT_NE(nullptr, runtimeClass);
    EXPECT_EQ(1, runtimeClass->schema);
    std::unique_ptr<CObject> object = CreateObject("Chessgame");
    ASSERT_NE(nullptr, object);
    EXPECT_EQ(&Chessgame::kRuntimeClass, object->GetRuntimeClass());
    const auto* game = dynamic_cast<const Chessgame*>(object.get());
    ASSERT_NE(nullptr, game);
    EXPECT_EQ(kKingValue, game->m_board[Sq("e1")]);
}

}  // namespace
