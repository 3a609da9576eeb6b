// The rules engine: perft from the start, the move rules' edge cases, castling,
// check, mate and stalemate, and what making a move leaves behind.
#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>

#include "engine/chessgame.h"
#include "engine/perft.h"
#include "tests/support/boardsetup.h"
#include "tests/support/squarenames.h"

namespace {

struct PerftCase {
    int depth;
    uint64_t leaves;
};

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

// One question to IsMoveLegal about a set-up position.
struct MoveCase {
    const char* what;
    const char* pieces;
    int side;
    const char* move;
    bool legal;
};

class MoveRules : public ::testing::TestWithParam<MoveCase> {};

TEST_P(MoveRules, AnswerAsTheRulesSay) {
    const MoveCase& test = GetParam();
    Chessgame game = Position(test.pieces);
    const std::string_view move = test.move;
    EXPECT_EQ(test.legal,
              game.IsMoveLegal(Sq(move.substr(0, 2)), Sq(move.substr(2, 2)), test.side, 1))
        << test.what;
}

constexpr char kCastlingCorners[] = "Ke1 Rh1 Ra1 ke8 rh8 ra8";

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, MoveRules,
    ::testing::Values(
        MoveCase{"pawn double step", "Ke1 Pe2 ke8", kWhite, "e2e4", true},
        MoveCase{"pawn double step over a piece", "Ke1 Pe2 ne3 ke8", kWhite, "e2e4", false},
        MoveCase{"pawn double step onto a piece", "Ke1 Pe2 ne4 ke8", kWhite, "e2e4", false},
        MoveCase{"pawn double step off the second rank", "Ke1 Pe3 ke8", kWhite, "e3e5", false},
        MoveCase{"pawn straight onto an opponent", "Ke1 Pe2 ne3 ke8", kWhite, "e2e3", false},
        MoveCase{"pawn diagonal onto an empty square", "Ke1 Pe2 ke8", kWhite, "e2d3", false},
        MoveCase{"pawn backwards", "Ke1 pd4 ke8", kBlack, "d4d5", false},
        MoveCase{"no en passant", "Ke1 Pe5 pd5 ke8", kWhite, "e5d6", false},
        MoveCase{"pawn capture does not wrap round the edge", "Ke1 Ph4 pa4 ke8", kWhite, "h4a4",
                 false},
        MoveCase{"knight does not wrap round the edge", "Ke1 Nh3 ke8", kWhite, "h3a4", false},
        MoveCase{"rook stops at the first piece", "Ke1 Ra1 Pa3 ke8", kWhite, "a1a4", false},
        MoveCase{"bishop stops at the first piece", "Ke1 Bc1 pe3 ke8", kWhite, "c1f4", false},
        MoveCase{"queen does not wrap round the edge", "Ke1 Qh4 ke8", kWhite, "h4a3", false},
        MoveCase{"onto an own piece", "Ke1 Qd1 Pd2 ke8", kWhite, "d1d2", false},
        MoveCase{"pinned piece off its line", "Ke1 Be2 ke8 re7", kWhite, "e2d3", false},
        MoveCase{"pinned piece along its line", "Ke1 Re2 ke8 re7", kWhite, "e2e7", true},
        MoveCase{"king into a pawn's attack", "Ke1 ke8 pe3", kWhite, "e1d2", false},
        MoveCase{"king along the checking line", "Ke1 ke8 re7", kWhite, "e1e2", false},
        MoveCase{"a move that leaves the king in check", "Ke1 Nb1 ke8 re7", kWhite, "b1c3",
                 false}));

INSTANTIATE_TEST_SUITE_P(
    Castling, MoveRules,
    ::testing::Values(
        MoveCase{"king side", kCastlingCorners, kWhite, "e1g1", true},
        MoveCase{"queen side", kCastlingCorners, kWhite, "e1c1", true},
        MoveCase{"black king side", kCastlingCorners, kBlack, "e8g8", true},
        MoveCase{"black queen side", kCastlingCorners, kBlack, "e8c8", true},
        MoveCase{"out of check", "Ke1 Rh1 Ra1 ke8 qe4", kWhite, "e1g1", false},
        MoveCase{"through an attacked square", "Ke1 Rh1 Ra1 ke8 qf4", kWhite, "e1g1", false},
        MoveCase{"into an attacked square", "Ke1 Rh1 Ra1 ke8 qg4", kWhite, "e1g1", false},
        MoveCase{"through a square a pawn guards", "Ke1 Rh1 ke8 pg2", kWhite, "e1g1", false},
        MoveCase{"through a square a knight guards", "Ke1 Rh1 ke8 ne3", kWhite, "e1g1", false},
        MoveCase{"queen side through d1 attacked", "Ke1 Ra1 ke8 nb2", kWhite, "e1c1", false},
        MoveCase{"queen side with b1 attacked", "Ke1 Ra1 ke8 na3", kWhite, "e1c1", true},
        MoveCase{"queen side with b1 occupied", "Ke1 Ra1 Nb1 ke8", kWhite, "e1c1", false},
        MoveCase{"a piece on f1", "Ke1 Rh1 Nf1 ke8", kWhite, "e1g1", false},
        MoveCase{"a piece on g1", "Ke1 Rh1 ng1 ke8", kWhite, "e1g1", false},
        MoveCase{"without a rook in the corner", "Ke1 Ra1 ke8", kWhite, "e1g1", false},
        MoveCase{"not from a king off its home square", "Kd1 Rh1 ke8", kWhite, "d1f1", false},
        MoveCase{"black through a square a knight guards", "Ke1 ke8 rh8 Nh7", kBlack, "e8g8",
                 false}));

TEST(CastlingRights, LostWhenTheKingOrThatRookHasMovedOrTheRookIsTaken) {
    g_sideToMove = kWhite;
    Chessgame rook = Position(kCastlingCorners);
    rook.MakeMove(Sq("h1"), Sq("h2"), 0);
    rook.MakeMove(Sq("h2"), Sq("h1"), 0);
    EXPECT_FALSE(rook.IsMoveLegal(Sq("e1"), Sq("g1"), kWhite, 1));
    EXPECT_TRUE(rook.IsMoveLegal(Sq("e1"), Sq("c1"), kWhite, 1));

    Chessgame king = Position(kCastlingCorners);
    king.MakeMove(Sq("e1"), Sq("e2"), 0);
    king.MakeMove(Sq("e2"), Sq("e1"), 0);
    EXPECT_FALSE(king.IsMoveLegal(Sq("e1"), Sq("g1"), kWhite, 1));
    EXPECT_FALSE(king.IsMoveLegal(Sq("e1"), Sq("c1"), kWhite, 1));

    // The rook taken in its corner, and the corner left empty again.
    Chessgame taken = Position("Ke1 Rh1 Ra1 ke8 nf2");
    taken.MakeMoveForSide(Sq("f2"), Sq("h1"), kBlack, 0);
    EXPECT_FALSE(taken.IsMoveLegal(Sq("e1"), Sq("g1"), kWhite, 1));
    EXPECT_TRUE(taken.IsMoveLegal(Sq("e1"), Sq("c1"), kWhite, 1));
    taken.MakeMoveForSide(Sq("h1"), Sq("f2"), kBlack, 0);
    EXPECT_FALSE(taken.IsMoveLegal(Sq("e1"), Sq("g1"), kWhite, 1));
}

// A move made the way the document makes it, then its check and mate.
struct EndCase {
    const char* what;
    const char* pieces;
    int side;
    const char* move;
    bool check;
    bool mate;
};

class CheckAndMate : public ::testing::TestWithParam<EndCase> {};

TEST_P(CheckAndMate, FollowTheMoveMade) {
    const EndCase& test = GetParam();
    Chessgame game = Position(test.pieces);
    const int from = Sq(std::string_view(test.move).substr(0, 2));
    const int to = Sq(std::string_view(test.move).substr(2, 2));
    ASSERT_TRUE(game.IsMoveLegal(from, to, test.side, 1)) << test.what;
    game.MakeMoveForSide(from, to, test.side, 0);
    g_sideToMove = static_cast<int16_t>(test.side);
    int checker = kNoSquare;
    int count = 0;
    int step = 0;
    const bool check = game.FindCheck(from, to, checker, count, step);
    EXPECT_EQ(test.check, check) << test.what;
    g_sideToMove = static_cast<int16_t>(-test.side);
    const int moved = std::abs(game.m_board[to]);
    const bool noBlock = moved == kPawnValue || moved == kKnightValue;
    EXPECT_EQ(test.mate, check && game.IsCheckmate(checker, count, step, noBlock)) << test.what;
}

INSTANTIATE_TEST_SUITE_P(
    SetUpPositions, CheckAndMate,
    ::testing::Values(
        EndCase{"quiet move", "Ke1 Ra1 ke8", kWhite, "a1a2", false, false},
        EndCase{"rook check", "Ke1 Ra1 ke8", kWhite, "a1a8", true, false},
        EndCase{"knight check", "Ke1 Ng4 ke8", kWhite, "g4f6", true, false},
        EndCase{"pawn check", "Ke1 Pe6 kf8", kWhite, "e6e7", true, false},
        EndCase{"pawn check sideways is none", "Ke1 Pd6 kf7", kWhite, "d6d7", false, false},
        EndCase{"back-rank mate", "Kg1 Ra1 kg8 pf7 pg7 ph7", kWhite, "a1a8", true, true},
        EndCase{"a block saves the king", "Kg1 Ra1 kg8 pf7 pg7 ph7 nc6", kWhite, "a1a8", true,
                false},
        EndCase{"the checker can be taken", "Kg1 Ra1 kg8 pf7 pg7 ph7 bd5", kWhite, "a1a8", true,
                false},
        EndCase{"smothered mate", "Kg1 Ng5 kh8 rg8 pg7 ph7", kWhite, "g5f7", true, true},
        EndCase{"discovered check", "Kh2 Rd1 Rd4 kd8", kWhite, "d4h4", true, false},
        EndCase{"pinned piece still checks", "Ke1 Re3 ka5 re8", kWhite, "e3e5", true, false},
        EndCase{"rook checks after castling", "Ke1 Rh1 kf8", kWhite, "e1g1", true, false},
        EndCase{"double check needs a king move", "Ka1 Re1 Ne4 ke8 qd8 bf8 pd7 pf7 pg7", kWhite,
                "e4f6", true, true},
        EndCase{"fool's mate shape", "Ke1 Pf3 Pg4 Pe2 Pd2 Bf1 Qd1 Ng1 ke8 qd8", kBlack, "d8h4",
                true, true}));

struct LegalMoveCase {
    const char* what;
    const char* pieces;
    int side;
    int16_t answer;
};

class HasLegalMove : public ::testing::TestWithParam<LegalMoveCase> {};

TEST_P(HasLegalMove, TellsStalemateAndKingOnlyMoves) {
    Chessgame game = Position(GetParam().pieces);
    g_sideToMove = static_cast<int16_t>(GetParam().side);
    EXPECT_EQ(GetParam().answer, game.HasLegalMove()) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    SetUpPositions, HasLegalMove,
    ::testing::Values(LegalMoveCase{"stalemate", "kh8 Qf7 Kg6", kBlack, kNoLegalMove},
                      LegalMoveCase{"a pawn can move", "kh8 pa7 Qf7 Kg6", kBlack, kPieceCanMove},
                      LegalMoveCase{"stuck pawn and pinned bishop", "ke8 ph5 Ph4 be6 Re1 Ka1",
                                    kBlack, kOnlyKingCanMove},
                      LegalMoveCase{"only the king", "ke8 Ka1", kBlack, kOnlyKingCanMove}));

TEST(MakeMove, PawnsPromoteToAQueenAndKeepTheirId) {
    Chessgame game = Position("Ke1 Pg7 ke8 pb2 Ra1");
    const int pawnId = game.m_pieceId[Sq("g7")];
    EXPECT_EQ(0, game.MakeMove(Sq("g7"), Sq("g8"), 1));
    EXPECT_EQ(kQueenValue, game.m_board[Sq("g8")]);
    EXPECT_EQ(pawnId, game.m_pieceId[Sq("g8")]);
    EXPECT_EQ(kQueenKind, game.m_pieces[SideIndex(kWhite)][pawnId].kind);
    EXPECT_EQ(kRookValue, game.MakeMove(Sq("b2"), Sq("a1"), 1));
    EXPECT_EQ(-kQueenValue, game.m_board[Sq("a1")]);
    EXPECT_EQ(0, game.m_pieces[SideIndex(kWhite)][kARookId].onBoard);
}

}  // namespace
