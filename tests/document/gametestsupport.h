#pragma once

#include <string_view>
#include <utility>
#include <vector>

#include "document/tesseldoc.h"
#include "engine/chessgame.h"
#include "tests/support/testgames.h"

struct MoveResult {
    bool ok;
    bool check;
    bool mate;
};

// Enters and plays a move through the document as the move worker does in
// the two-player mode.
inline MoveResult Play(CTesselDoc& doc, int from, int to) {
    doc.m_fromSquare = static_cast<int16_t>(from);
    doc.m_toSquare = static_cast<int16_t>(to);
    MoveResult result{false, false, false};
    result.ok = doc.MakeNextMove(result.check, result.mate);
    return result;
}

// Plays the moves in the two-player mode; false at the first refused one.
inline bool PlayAll(CTesselDoc& doc, const MoveList& moves) {
    for (const auto& [from, to] : moves) {
        if (!Play(doc, from, to).ok) return false;
    }
    return true;
}
