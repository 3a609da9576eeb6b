#pragma once

#include <cstdint>

#include "engine/chessgame.h"

// The number of leaf positions of the move tree below the position, to the
// given depth, for the side to move, asking IsMoveLegal about every pair of
// an own piece's square and a target square. Leaves the position and the
// side to move as they were. legalityCalls, when given, counts the questions.
uint64_t Perft(Chessgame& game, int depth, uint64_t* legalityCalls = nullptr);
