#pragma once

#include "engine/chessgame.h"

// Takes every piece off the board; their records say captured.
void RemoveAllPieces(Chessgame& game);

// Puts a piece (signed board value) with the given id on a square, keeping
// every member of the position in step.
void PlacePiece(Chessgame& game, int square, int value, int id);
