// The reference rules must be right before they can judge the engine: move
// counts from the start and hand-made positions for the rules most easily
// got wrong.
#include "tests/reliability/reference_board.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

namespace reference {
namespace {

int Sq(const char* name) { return SquareOf(name[0] - 'a', name[1] - '1'); }

Move M(const char* from, const char* to) { return {Sq(from), Sq(to)}; }

bool HasMove(const Board& board, int side, const Move& move) {
    const std::vector<Move> moves = board.LegalMoves(side);
    return std::find(moves.begin(), moves.end(), move) != moves.end();
}

uint64_t CountLeaves(const Board& board, int side, int depth) {
    if (depth == 0) {
        return 1;
    }
    uint64_t leaves = 0;
    for (const Move& move : board.LegalMoves(side)) {
        Board after = board;
        after.Apply(move);
        leaves += CountLeaves(after, -side, depth - 1);
    }
    return leaves;
}

Board KingsOnly() {
    Board board = Board::Empty();
    board.Put(Sq("e1"), Kind::kKing, kWhiteSide);
    board.Put(Sq("e8"), Kind::kKing, kBlackSide);
    return board;
}

TEST(ReferenceBoard, SquaresFollowTheGameNumbering) {
    EXPECT_EQ(Sq("h1"), 0);
    EXPECT_EQ(Sq("e1"), 3);
    EXPECT_EQ(Sq("a1"), 7);
    EXPECT_EQ(Sq("e8"), 59);
    EXPECT_EQ(Sq("a8"), 63);
    EXPECT_EQ(MoveName({11, 27}), "e2e4");
}

// No en passant or under-promotion can arise within four plies, so these are
// the well-known counts of chess.
TEST(ReferenceBoard, CountsMovesFromTheStartLikeChess) {
    const Board start = Board::StartPosition();
    EXPECT_EQ(CountLeaves(start, kWhiteSide, 1), 20u);
    EXPECT_EQ(CountLeaves(start, kWhiteSide, 2), 400u);
    EXPECT_EQ(CountLeaves(start, kWhiteSide, 3), 8902u);
    EXPECT_EQ(CountLeaves(start, kWhiteSide, 4), 197281u);
}

TEST(ReferenceBoard, CastlingNeedsUnmovedPiecesEmptyAndSafeSquares) {
    Board board = KingsOnly();
    board.Put(Sq("h1"), Kind::kRook, kWhiteSide);
    board.Put(Sq("a1"), Kind::kRook, kWhiteSide);
    EXPECT_TRUE(HasMove(board, kWhiteSide, M("e1", "g1")));
    EXPECT_TRUE(HasMove(board, kWhiteSide, M("e1", "c1")));

    Board throughCheck = board;
    throughCheck.Put(Sq("f5"), Kind::kRook, kBlackSide);
    EXPECT_FALSE(HasMove(throughCheck, kWhiteSide, M("e1", "g1")));
    EXPECT_TRUE(HasMove(throughCheck, kWhiteSide, M("e1", "c1")));

    Board bFileAttacked = board;
    bFileAttacked.Put(Sq("b5"), Kind::kRook, kBlackSide);
    EXPECT_TRUE(HasMove(bFileAttacked, kWhiteSide, M("e1", "c1")));

    Board blocked = board;
    blocked.Put(Sq("b1"), Kind::kKnight, kWhiteSide);
    EXPECT_FALSE(HasMove(blocked, kWhiteSide, M("e1", "c1")));

    Board inCheck = board;
    inCheck.Put(Sq("e5"), Kind::kRook, kBlackSide);
    EXPECT_FALSE(HasMove(inCheck, kWhiteSide, M("e1", "g1")));
    EXPECT_FALSE(HasMove(inCheck, kWhiteSide, M("e1", "c1")));
}

TEST(ReferenceBoard, CastlingMovesTheRookAndIsLostWhenTheRookHasMoved) {
    Board board = KingsOnly();
    board.Put(Sq("h1"), Kind::kRook, kWhiteSide);
    Board castled = board;
    castled.Apply(M("e1", "g1"));
    EXPECT_EQ(castled.At(Sq("f1")).kind, Kind::kRook);
    EXPECT_EQ(castled.At(Sq("h1")).kind, Kind::kNone);
    EXPECT_EQ(castled.KingSquare(kWhiteSide), Sq("g1"));

    board.Apply(M("h1", "h3"));
    board.Apply(M("h3", "h1"));
    EXPECT_FALSE(HasMove(board, kWhiteSide, M("e1", "g1")));
}

TEST(ReferenceBoard, PawnsPushCaptureAndPromoteToAQueenOnly) {
    Board board = KingsOnly();
    board.Put(Sq("d2"), Kind::kPawn, kWhiteSide);
    board.Put(Sq("d3"), Kind::kBishop, kBlackSide);
    EXPECT_FALSE(HasMove(board, kWhiteSide, M("d2", "d3")));
    EXPECT_FALSE(HasMove(board, kWhiteSide, M("d2", "d4")));

    board.Put(Sq("b7"), Kind::kPawn, kWhiteSide);
    board.Put(Sq("a8"), Kind::kRook, kBlackSide);
    EXPECT_TRUE(HasMove(board, kWhiteSide, M("b7", "b8")));
    EXPECT_TRUE(HasMove(board, kWhiteSide, M("b7", "a8")));
    EXPECT_FALSE(HasMove(board, kWhiteSide, M("b7", "c8")));
    board.Apply(M("b7", "a8"));
    EXPECT_EQ(board.At(Sq("a8")).kind, Kind::kQueen);
    EXPECT_EQ(board.At(Sq("a8")).side, kWhiteSide);
}

TEST(ReferenceBoard, HasNoEnPassant) {
    Board board = KingsOnly();
    board.Put(Sq("e5"), Kind::kPawn, kWhiteSide);
    board.Put(Sq("d7"), Kind::kPawn, kBlackSide);
    board.Apply(M("d7", "d5"));
    EXPECT_FALSE(HasMove(board, kWhiteSide, M("e5", "d6")));
}

TEST(ReferenceBoard, PinnedPiecesStayOnTheLine) {
    Board board = KingsOnly();
    board.Put(Sq("e4"), Kind::kRook, kWhiteSide);
    board.Put(Sq("e7"), Kind::kQueen, kBlackSide);
    EXPECT_TRUE(HasMove(board, kWhiteSide, M("e4", "e7")));
    EXPECT_FALSE(HasMove(board, kWhiteSide, M("e4", "d4")));
}

TEST(ReferenceBoard, PinnedPiecesStillGiveCheck) {
    Board board = Board::Empty();
    board.Put(Sq("a1"), Kind::kKing, kWhiteSide);
    board.Put(Sq("e8"), Kind::kKing, kBlackSide);
    board.Put(Sq("e6"), Kind::kKnight, kBlackSide);
    board.Put(Sq("e2"), Kind::kRook, kWhiteSide);
    EXPECT_TRUE(board.IsAttackedBy(Sq("d4"), kBlackSide));
    EXPECT_FALSE(HasMove(board, kBlackSide, M("e6", "d4")));
}

TEST(ReferenceBoard, FindsEveryAttacker) {
    Board board = KingsOnly();
    board.Put(Sq("e5"), Kind::kRook, kBlackSide);
    board.Put(Sq("c2"), Kind::kKnight, kBlackSide);
    board.Put(Sq("d2"), Kind::kPawn, kBlackSide);
    board.Put(Sq("h4"), Kind::kQueen, kBlackSide);
    board.Put(Sq("g3"), Kind::kPawn, kWhiteSide);
    const std::vector<int> attackers = board.Attackers(Sq("e1"), kBlackSide);
    EXPECT_EQ(attackers.size(), 3u);
    EXPECT_EQ(std::count(attackers.begin(), attackers.end(), Sq("h4")), 0);
}

TEST(ReferenceBoard, RecognisesMateAndStalemate) {
    Board mate = Board::Empty();
    mate.Put(Sq("h8"), Kind::kKing, kBlackSide);
    mate.Put(Sq("g6"), Kind::kKing, kWhiteSide);
    mate.Put(Sq("a8"), Kind::kRook, kWhiteSide);
    EXPECT_TRUE(mate.InCheck(kBlackSide));
    EXPECT_TRUE(mate.LegalMoves(kBlackSide).empty());

    Board stalemate = Board::Empty();
    stalemate.Put(Sq("h8"), Kind::kKing, kBlackSide);
    stalemate.Put(Sq("g6"), Kind::kKing, kWhiteSide);
    stalemate.Put(Sq("f7"), Kind::kQueen, kWhiteSide);
    EXPECT_FALSE(stalemate.InCheck(kBlackSide));
    EXPECT_TRUE(stalemate.LegalMoves(kBlackSide).empty());
}

}  // namespace
}  // namespace reference
