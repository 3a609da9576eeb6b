#pragma once

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

// A deliberately plain second implementation of the rules, working on the
// board cells alone, to check the engine against.
namespace reference {

using Move = std::pair<int, int>;

struct Position {
    std::array<int16_t, 64> board{};
    // [side index][0 = king side, 1 = queen side]: the right still exists.
    bool castling[3][2] = {{true, true}, {false, false}, {true, true}};
};

Position FromBoard(const std::array<int16_t, 64>& board);
bool IsAttacked(const Position& position, int square, int bySide);
int CountAttackers(const Position& position, int square, int bySide);
int KingSquare(const Position& position, int side);
std::vector<Move> LegalMoves(const Position& position, int side);
void Play(Position& position, const Move& move);

}  // namespace reference
