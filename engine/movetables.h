#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <utility>

// Square s = 8 * rank + (7 - file): 0 = h1, 3 = e1, 7 = a1, 56 = h8, 63 = a8.
using SquareSet = std::bitset<64>;
using SquareSetTable = std::array<SquareSet, 64>;

// The move tables of every piece kind, worked out at compile time: they are
// the same for every position and never change.
namespace movetables {

using Masks = std::array<uint64_t, 64>;

constexpr int Rank(int square) { return square / 8; }
// Column 0 is the h-file, column 7 the a-file, so that square = 8 * rank + column.
// For a square on the board; a mask rather than a remainder, since the
// generation asks it for every square it steps on.
constexpr int Column(int square) { return square & 7; }

constexpr bool OnBoard(int rank, int column) {
    return rank >= 0 && rank < 8 && column >= 0 && column < 8;
}

constexpr uint64_t Bit(int rank, int column) { return uint64_t{1} << (8 * rank + column); }

struct Offset {
    int rank;
    int column;
};

// Single steps by each offset, as far as the board allows.
template <std::size_t N>
constexpr Masks Steps(const std::array<Offset, N>& offsets) {
    Masks masks{};
    for (int square = 0; square < 64; ++square) {
        for (const Offset& offset : offsets) {
            const int rank = Rank(square) + offset.rank;
            const int column = Column(square) + offset.column;
            if (OnBoard(rank, column)) masks[square] |= Bit(rank, column);
        }
    }
    return masks;
}

// Repeated steps by each offset up to the edge of the board.
template <std::size_t N>
constexpr Masks Rays(const std::array<Offset, N>& offsets) {
    Masks masks{};
    for (int square = 0; square < 64; ++square) {
        for (const Offset& offset : offsets) {
            int rank = Rank(square) + offset.rank;
            int column = Column(square) + offset.column;
            for (; OnBoard(rank, column); rank += offset.rank, column += offset.column) {
                masks[square] |= Bit(rank, column);
            }
        }
    }
    return masks;
}

// Pawn targets, pushes and captures together; rank direction +1 for White.
constexpr Masks Pawns(int forward) {
    const int startRank = forward > 0 ? 1 : 6;
    Masks masks{};
    for (int square = 0; square < 64; ++square) {
        const int rank = Rank(square);
        const int column = Column(square);
        if (rank == 0 || rank == 7) continue;
        masks[square] |= Bit(rank + forward, column);
        if (rank == startRank) masks[square] |= Bit(rank + 2 * forward, column);
        if (column > 0) masks[square] |= Bit(rank + forward, column - 1);
        if (column < 7) masks[square] |= Bit(rank + forward, column + 1);
    }
    return masks;
}

constexpr std::array<Offset, 4> kStraight{{{1, 0}, {-1, 0}, {0, 1}, {0, -1}}};
constexpr std::array<Offset, 4> kDiagonal{{{1, 1}, {1, -1}, {-1, 1}, {-1, -1}}};
constexpr std::array<Offset, 8> kKnightJumps{
    {{2, 1}, {2, -1}, {-2, 1}, {-2, -1}, {1, 2}, {1, -2}, {-1, 2}, {-1, -2}}};
constexpr std::array<Offset, 8> kNeighbours{
    {{1, 0}, {-1, 0}, {0, 1}, {0, -1}, {1, 1}, {1, -1}, {-1, 1}, {-1, -1}}};

constexpr Masks Union(const Masks& a, const Masks& b) {
    Masks masks{};
    for (int square = 0; square < 64; ++square) masks[square] = a[square] | b[square];
    return masks;
}

template <std::size_t... I>
constexpr SquareSetTable ToTable(const Masks& masks, std::index_sequence<I...>) {
    return {{SquareSet(masks[I])...}};
}

constexpr SquareSetTable ToTable(const Masks& masks) {
    return ToTable(masks, std::make_index_sequence<64>{});
}

constexpr SquareSetTable WhitePawnMoves() { return ToTable(Pawns(+1)); }
constexpr SquareSetTable BlackPawnMoves() { return ToTable(Pawns(-1)); }
constexpr SquareSetTable RookMoves() { return ToTable(Rays(kStraight)); }
constexpr SquareSetTable KnightMoves() { return ToTable(Steps(kKnightJumps)); }
constexpr SquareSetTable BishopMoves() { return ToTable(Rays(kDiagonal)); }
constexpr SquareSetTable QueenMoves() { return ToTable(Union(Rays(kStraight), Rays(kDiagonal))); }
constexpr SquareSetTable KingMoves() { return ToTable(Steps(kNeighbours)); }
// Every square some piece could ever reach from s in one move: the queen's
// lines (which hold pawn moves, king steps and castling too) and the knight's.
constexpr SquareSetTable AnyPieceMoves() {
    return ToTable(Union(Union(Rays(kStraight), Rays(kDiagonal)), Steps(kKnightJumps)));
}

// The squares strictly between two squares on a common rank, file or
// diagonal; empty for any other pair.
using BetweenTable = std::array<Masks, 64>;

template <std::size_t N>
constexpr void AddBetween(BetweenTable& between, const std::array<Offset, N>& offsets) {
    for (int square = 0; square < 64; ++square) {
        for (const Offset& offset : offsets) {
            uint64_t passed = 0;
            int rank = Rank(square) + offset.rank;
            int column = Column(square) + offset.column;
            for (; OnBoard(rank, column); rank += offset.rank, column += offset.column) {
                between[square][8 * rank + column] = passed;
                passed |= Bit(rank, column);
            }
        }
    }
}

constexpr BetweenTable Between() {
    BetweenTable between{};
    AddBetween(between, kStraight);
    AddBetween(between, kDiagonal);
    return between;
}

// The squares on the line from one square through another that lie beyond
// the second, up to the edge of the board; empty for a pair on no common line.
template <std::size_t N>
constexpr void AddBeyond(BetweenTable& beyond, const std::array<Offset, N>& offsets) {
    for (int square = 0; square < 64; ++square) {
        for (const Offset& offset : offsets) {
            uint64_t ray = 0;
            int rank = Rank(square) + offset.rank;
            int column = Column(square) + offset.column;
            for (; OnBoard(rank, column); rank += offset.rank, column += offset.column) {
                ray |= Bit(rank, column);
            }
            rank = Rank(square) + offset.rank;
            column = Column(square) + offset.column;
            for (; OnBoard(rank, column); rank += offset.rank, column += offset.column) {
                ray &= ~Bit(rank, column);
                beyond[square][8 * rank + column] = ray;
            }
        }
    }
}

constexpr BetweenTable Beyond() {
    BetweenTable beyond{};
    AddBeyond(beyond, kStraight);
    AddBeyond(beyond, kDiagonal);
    return beyond;
}

}  // namespace movetables
