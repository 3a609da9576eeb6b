#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/chessgame.h"

// Replaces the position by the pieces named, such as "Ke1 Rh1 ke8 pe7": a
// letter (upper case White, lower case Black) and a square each. Each piece
// gets a free id of its kind, that of its own wing first; pawns, and queens
// after the first (promoted pawns), take the first free pawn id. No piece
// counts as moved and the pieces not named are captured.
void SetUpBoard(Chessgame& game, std::string_view pieces);

// Adds one piece, such as "Pe4", to the position in the same way.
void AddPiece(Chessgame& game, std::string_view piece);

// The first way in which the members of the position disagree with each
// other (cells, occupancy sets, ids, piece records, piece sets, king
// squares), empty when they agree.
std::string PositionFault(const Chessgame& game);

struct LegalMove {
    int from;
    int to;
};

// Every legal move of side, by origin and then target square.
std::vector<LegalMove> LegalMoves(Chessgame& game, int side);

// A fresh position holding only the pieces named, White to move.
Chessgame Position(std::string_view pieces);
