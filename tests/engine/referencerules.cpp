#include "tests/engine/referencerules.h"

#include <cstdlib>

#include "engine/chessgame.h"

namespace reference {
namespace {

struct Direction {
    int rank;
    int column;
};

constexpr Direction kStraight[] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
constexpr Direction kDiagonal[] = {{1, 1}, {1, -1}, {-1, 1}, {-1, -1}};
constexpr Direction kKnight[] = {{2, 1}, {2, -1}, {-2, 1}, {-2, -1},
                                 {1, 2}, {1, -2}, {-1, 2}, {-1, -2}};
constexpr Direction kAround[] = {{1, 0}, {-1, 0}, {0, 1},  {0, -1},
                                 {1, 1}, {1, -1}, {-1, 1}, {-1, -1}};

// Columns count from the h-file, as squares do.
constexpr int kKingColumn = 3;
constexpr int kKingSideCorner = 0;
constexpr int kQueenSideCorner = 7;

int Rank(int square) { return square / 8; }
int Column(int square) { return square % 8; }
bool Inside(int rank, int column) { return rank >= 0 && rank < 8 && column >= 0 && column < 8; }
int At(int rank, int column) { return 8 * rank + column; }
int BackRank(int side) { return side == kWhite ? 0 : 7; }

// The squares one step or a whole ray away in each direction.
template <std::size_t N>
std::vector<int> Reach(const Position& position, int square, const Direction (&directions)[N],
                       bool slide) {
    std::vector<int> squares;
    for (const Direction& d : directions) {
        int rank = Rank(square) + d.rank;
        int column = Column(square) + d.column;
        while (Inside(rank, column)) {
            squares.push_back(At(rank, column));
            if (!slide || position.board[At(rank, column)] != 0) break;
            rank += d.rank;
            column += d.column;
        }
    }
    return squares;
}

bool Holds(const Position& position, int square, int side, int value) {
    return position.board[square] == side * value;
}

std::vector<Move> PieceMoves(const Position& position, int from, int side) {
    std::vector<int> targets;
    const int rank = Rank(from);
    const int column = Column(from);
    switch (std::abs(position.board[from])) {
        case kPawnValue: {
            const int ahead = rank + side;
            if (!Inside(ahead, column)) break;
            if (position.board[At(ahead, column)] == 0) {
                targets.push_back(At(ahead, column));
                const int startRank = side == kWhite ? 1 : 6;
                if (rank == startRank && position.board[At(ahead + side, column)] == 0) {
                    targets.push_back(At(ahead + side, column));
                }
            }
            for (int side_column : {column - 1, column + 1}) {
                if (Inside(ahead, side_column) &&
                    position.board[At(ahead, side_column)] * side < 0) {
                    targets.push_back(At(ahead, side_column));
                }
            }
            break;
        }
        case kKnightValue:
            targets = Reach(position, from, kKnight, false);
            break;
        case kBishopValue:
            targets = Reach(position, from, kDiagonal, true);
            break;
        case kRookValue:
            targets = Reach(position, from, kStraight, true);
            break;
        case kQueenValue:
            targets = Reach(position, from, kStraight, true);
            for (int square : Reach(position, from, kDiagonal, true)) targets.push_back(square);
            break;
        case kKingValue:
            targets = Reach(position, from, kAround, false);
            break;
    }
    std::vector<Move> moves;
    for (int to : targets) {
        if (position.board[to] * side <= 0) moves.emplace_back(from, to);
    }
    return moves;
}

void AddCastling(const Position& position, int side, std::vector<Move>& moves) {
    const int back = BackRank(side);
    const int king = At(back, kKingColumn);
    if (!Holds(position, king, side, kKingValue) || IsAttacked(position, king, -side)) return;
    const auto empty = [&](int column) { return position.board[At(back, column)] == 0; };
    const auto safe = [&](int column) { return !IsAttacked(position, At(back, column), -side); };
    const bool* rights = position.castling[side + 1];
    if (rights[0] && Holds(position, At(back, kKingSideCorner), side, kRookValue) && empty(1) &&
        empty(2) && safe(1) && safe(2)) {
        moves.emplace_back(king, At(back, 1));
    }
    if (rights[1] && Holds(position, At(back, kQueenSideCorner), side, kRookValue) && empty(4) &&
        empty(5) && empty(6) && safe(4) && safe(5)) {
        moves.emplace_back(king, At(back, 5));
    }
}

}  // namespace

Position FromBoard(const std::array<int16_t, 64>& board) {
    Position position;
    position.board = board;
    return position;
}

int CountAttackers(const Position& position, int square, int bySide) {
    int count = 0;
    const int rank = Rank(square);
    const int column = Column(square);
    for (int pawnColumn : {column - 1, column + 1}) {
        if (Inside(rank - bySide, pawnColumn) &&
            Holds(position, At(rank - bySide, pawnColumn), bySide, kPawnValue)) {
            ++count;
        }
    }
    for (int from : Reach(position, square, kKnight, false)) {
        count += Holds(position, from, bySide, kKnightValue);
    }
    for (int from : Reach(position, square, kAround, false)) {
        count += Holds(position, from, bySide, kKingValue);
    }
    for (int from : Reach(position, square, kStraight, true)) {
        count +=
            Holds(position, from, bySide, kRookValue) || Holds(position, from, bySide, kQueenValue);
    }
    for (int from : Reach(position, square, kDiagonal, true)) {
        count += Holds(position, from, bySide, kBishopValue) ||
                 Holds(position, from, bySide, kQueenValue);
    }
    return count;
}

bool IsAttacked(const Position& position, int square, int bySide) {
    return CountAttackers(position, square, bySide) > 0;
}

int KingSquare(const Position& position, int side) {
    for (int square = 0; square < 64; ++square) {
        if (Holds(position, square, side, kKingValue)) return square;
    }
    return -1;
}

std::vector<Move> LegalMoves(const Position& position, int side) {
    std::vector<Move> candidates;
    for (int from = 0; from < 64; ++from) {
        if (position.board[from] * side <= 0) continue;
        for (const Move& move : PieceMoves(position, from, side)) candidates.push_back(move);
    }
    AddCastling(position, side, candidates);
    std::vector<Move> legal;
    for (const Move& move : candidates) {
        Position after = position;
        Play(after, move);
        if (!IsAttacked(after, KingSquare(after, side), -side)) legal.push_back(move);
    }
    return legal;
}

void Play(Position& position, const Move& move) {
    const auto [from, to] = move;
    int16_t piece = position.board[from];
    const int side = piece > 0 ? kWhite : kBlack;
    const int magnitude = std::abs(piece);
    if (magnitude == kPawnValue && (Rank(to) == 0 || Rank(to) == 7)) {
        piece = static_cast<int16_t>(side * kQueenValue);
    }
    position.board[to] = piece;
    position.board[from] = 0;
    if (magnitude == kKingValue && std::abs(from - to) == 2) {
        const int back = BackRank(side);
        const bool kingSide = to < from;
        const int corner = At(back, kingSide ? kKingSideCorner : kQueenSideCorner);
        const int target = At(back, kingSide ? 2 : 4);
        position.board[target] = position.board[corner];
        position.board[corner] = 0;
    }
    if (magnitude == kKingValue) {
        position.castling[side + 1][0] = position.castling[side + 1][1] = false;
    }
    // Anything leaving or landing on a corner ends that corner's right.
    for (int owner : {kWhite, kBlack}) {
        for (int wing = 0; wing < 2; ++wing) {
            const int corner = At(BackRank(owner), wing == 0 ? kKingSideCorner : kQueenSideCorner);
            if (from == corner || to == corner) position.castling[owner + 1][wing] = false;
        }
    }
}

}  // namespace reference
