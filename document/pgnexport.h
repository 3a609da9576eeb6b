#pragma once

#include <span>
#include <string>
#include <vector>

#include "document/moveentry.h"

class CTesselDoc;

// Each move of the list in SAN with its check or mate mark, up to the first
// move that is not legal where it stands.
std::vector<std::string> SanMoves(std::span<const MoveEntry> moves);

// A play mode for a game whose players are not known, as in a saved game
// read without a window: both are named "?".
constexpr int kUnknownPlayMode = -1;

// The game of the document in standard PGN: the seven-tag roster with the
// given date ("YYYY.MM.DD"), the players named after the play mode, the
// moves in SAN and the result.
std::string ExportPgn(const CTesselDoc& doc, const std::string& date);
std::string ExportPgn(const CTesselDoc& doc, int playMode, const std::string& date);
