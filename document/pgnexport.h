#pragma once

#include <span>
#include <string>
#include <vector>

#include "document/moveentry.h"

class CTesselDoc;

// Each move of the list in SAN with its check or mate mark, up to the first
// move that is not legal where it stands.
std::vector<std::string> SanMoves(std::span<const MoveEntry> moves);

// The game of the document in standard PGN: the seven-tag roster with the
// given date ("YYYY.MM.DD"), the moves in SAN and the result.
std::string ExportPgn(const CTesselDoc& doc, const std::string& date);

// A game still in progress, given by its moves, in the same form.
std::string ExportUnfinishedPgn(std::span<const MoveEntry> moves, int playMode,
                                const std::string& date);
