#pragma once

#include <string_view>
#include <vector>

#include "engine/chessgame.h"
#include "tests/support/consistency.h"
#include "tests/support/squarenames.h"

// One piece to place: its side, id, square and unsigned board value.
struct Placement {
    int side;
    int id;
    int square;
    int value;
};

constexpr Placement King(int side, std::string_view square) {
    return {side, kKingId, Sq(square), kKingValue};
}
constexpr Placement Queen(int side, std::string_view square) {
    return {side, kQueenId, Sq(square), kQueenValue};
}
constexpr Placement Rook(int side, int id, std::string_view square) {
    return {side, id, Sq(square), kRookValue};
}
constexpr Placement Bishop(int side, int id, std::string_view square) {
    return {side, id, Sq(square), kBishopValue};
}
constexpr Placement Knight(int side, int id, std::string_view square) {
    return {side, id, Sq(square), kKnightValue};
}
constexpr Placement Pawn(int side, int id, std::string_view square) {
    return {side, id, Sq(square), kPawnValue};
}
// A pawn that has already been promoted.
constexpr Placement PromotedQueen(int side, int id, std::string_view square) {
    return {side, id, Sq(square), kQueenValue};
}

// A position holding only the given pieces, with no piece marked as moved;
// every other piece is recorded as captured.
Chessgame MakePosition(const std::vector<Placement>& placements);
