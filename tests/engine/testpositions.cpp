#include "tests/engine/testpositions.h"

#include <gtest/gtest.h>

#include "tests/support/boardsetup.h"

Chessgame MakePosition(const std::vector<Placement>& placements) {
    Chessgame game;
    RemoveAllPieces(game);
    for (const Placement& piece : placements) {
        PlacePiece(game, piece.square, piece.side * piece.value, piece.id);
    }
    return game;
}
