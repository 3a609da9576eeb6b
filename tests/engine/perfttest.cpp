// Whole-tree checks: perft counts through IsMoveLegal, and random games in
// which every answer of the engine is compared with a plain second
// implementation of the rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ostream>
#include <random>

#include "engine/chessgame.h"
#include "tests/engine/referencerules.h"
#include "tests/engine/testpositions.h"

namespace {

bool SamePosition(const PositionState& a, const PositionState& b) {
    for (int row = 0; row < 3; ++row) {
        for (int k = 0; k < 3; ++k) {
            if (a.hasMoved[row][k] != b.hasMoved[row][k]) return false;
        }
        if (a.kingSquare[row] != b.kingSquare[row]) return false;
        for (int id = 0; id < kPieceCount; ++id) {
            const PieceRecord& x = a.pieces[row][id];
            const PieceRecord& y = b.pieces[row][id];
            if (x.onBoard != y.onBoard || x.square != y.square || x.kind != y.kind ||
                x.reserved != y.reserved) {
                return false;
            }
        }
    }
    return a.whitePieces == b.whitePieces && a.blackPieces == b.blackPieces &&
           a.pieceSquare == b.pieceSquare && a.pieceId == b.pieceId && a.board == b.board;
}

// Every from/to pair the engine accepts for the side to move; checks on the
// way that asking changed nothing.
std::vector<reference::Move> EngineMoves(Chessgame& game) {
    const int side = g_sideToMove;
    PositionState before;
    game.SavePosition(before);
    const SquareSet own = side == kWhite ? game.m_whitePieces : game.m_blackPieces;
    std::vector<reference::Move> moves;
    for (int from = 0; from < kSquareCount; ++from) {
        if (!own[from]) continue;
        for (int to = 0; to < kSquareCount; ++to) {
            if (game.IsMoveLegal(from, to, side, 1)) moves.emplace_back(from, to);
        }
    }
    PositionState after;
    game.SavePosition(after);
    EXPECT_TRUE(SamePosition(before, after));
    EXPECT_EQ(side, g_sideToMove);
    return moves;
}

uint64_t Perft(Chessgame& game, int depth) {
    const int side = g_sideToMove;
    const std::vector<reference::Move> moves = EngineMoves(game);
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

// Random games played by the reference rules; at every position the engine
// must agree on the legal moves, on check, mate and stalemate, on the board
// and on castling rights.
class AgreesWithReference : public ::testing::Test {
protected:
    void SetUp() override { g_sideToMove = kWhite; }

    static bool EngineCastlingRight(const Chessgame& game, int side, int wing) {
        const uint8_t* moved = game.m_hasMoved[SideIndex(side)];
        const int rookId = wing == 0 ? kHRookId : kARookId;
        return !moved[kKingMoved] && !moved[wing == 0 ? kHRookMoved : kARookMoved] &&
               game.m_pieces[SideIndex(side)][rookId].onBoard;
    }

    // The reported checker is a piece of the mover, and for a slider the
    // step walks from it to the king over empty squares only.
    static void ExpectChecksKing(const Chessgame& game, int checker, int step, int mover) {
        ASSERT_GE(checker, 0);
        ASSERT_LT(checker, kSquareCount);
        ASSERT_GT(game.m_board[checker] * mover, 0);
        const int magnitude = std::abs(game.m_board[checker]);
        if (magnitude != kBishopValue && magnitude != kRookValue && magnitude != kQueenValue) {
            return;
        }
        const int king = game.m_kingSquare[SideIndex(-mover)];
        ASSERT_EQ(Chessgame::LineStep(checker, king), step);
        for (int square = std::min(checker, king) + step; square < std::max(checker, king);
             square += step) {
            EXPECT_EQ(0, game.m_board[square]) << checker << " " << king;
        }
    }

    // A random move, but castling whenever it is allowed: random play would
    // seldom leave the way clear for it.
    static reference::Move ChooseMove(const reference::Position& position,
                                      const std::vector<reference::Move>& moves,
                                      std::mt19937& random) {
        for (const reference::Move& move : moves) {
            if (std::abs(position.board[move.first]) == kKingValue &&
                std::abs(move.first - move.second) == kCastlingDistance) {
                return move;
            }
        }
        return moves[std::uniform_int_distribution<std::size_t>(0, moves.size() - 1)(random)];
    }

    static void CheckAfterMove(Chessgame& game, const reference::Position& position,
                               const reference::Move& move, int mover) {
        const auto [from, to] = move;
        const std::vector<reference::Move> replies = reference::LegalMoves(position, -mover);
        const int checkers =
            reference::CountAttackers(position, reference::KingSquare(position, -mover), mover);

        g_sideToMove = static_cast<int16_t>(mover);
        int checker = kNoSquare;
        int count = -1;
        int step = 0;
        ASSERT_EQ(checkers > 0, game.FindCheck(from, to, checker, count, step))
            << from << "-" << to;
        EXPECT_EQ(checkers, count);
        if (checkers > 0) ExpectChecksKing(game, checker, step, mover);
        g_sideToMove = static_cast<int16_t>(-mover);
        if (checkers > 0) {
            const int moved = std::abs(game.m_board[to]);
            const int noBlock = moved == kPawnValue || moved == kKnightValue;
            EXPECT_EQ(replies.empty(), game.IsCheckmate(checker, count, step, noBlock));
            return;
        }
        const bool pieceMoves = std::any_of(replies.begin(), replies.end(), [&](const auto& m) {
            return std::abs(position.board[m.first]) != kKingValue;
        });
        const int16_t expected =
            pieceMoves ? kPieceCanMove : (replies.empty() ? kNoLegalMove : kOnlyKingCanMove);
        EXPECT_EQ(expected, game.HasLegalMove());
    }
};

TEST_F(AgreesWithReference, ThroughoutRandomGames) {
    constexpr int kGames = 120;
    constexpr int kMaxPlies = 250;
    std::mt19937 random(20240611);
    int positions = 0;
    for (int gameNumber = 0; gameNumber < kGames; ++gameNumber) {
        Chessgame game;
        reference::Position position = reference::FromBoard(game.m_board);
        g_sideToMove = kWhite;
        for (int ply = 0; ply < kMaxPlies; ++ply) {
            const int side = g_sideToMove;
            std::vector<reference::Move> expected = reference::LegalMoves(position, side);
            std::vector<reference::Move> actual = EngineMoves(game);
            std::sort(expected.begin(), expected.end());
            ASSERT_EQ(expected, actual) << "game " << gameNumber << " ply " << ply;
            ++positions;
            if (expected.empty()) break;

            const reference::Move move = ChooseMove(position, expected, random);
            game.MakeMoveForSide(move.first, move.second, side, 1);
            reference::Play(position, move);
            ASSERT_EQ(position.board, game.m_board) << "game " << gameNumber << " ply " << ply;
            ExpectConsistent(game);
            for (int owner : {kWhite, kBlack}) {
                for (int wing = 0; wing < 2; ++wing) {
                    EXPECT_EQ(position.castling[owner + 1][wing],
                              EngineCastlingRight(game, owner, wing));
                }
            }
            CheckAfterMove(game, position, move, side);
            if (HasFailure()) return;
        }
    }
    EXPECT_GT(positions, kGames * 50);
}

}  // namespace
