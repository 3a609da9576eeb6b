#pragma once

#include <string_view>
#include <utility>
#include <vector>

#include "document/tesseldoc.h"
#include "engine/chessgame.h"
#include "tests/support/squarenames.h"


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

using MoveList = std::vector<std::pair<int, int>>;

// 1.f3 e5 2.g4 Qh4#
inline const MoveList kFoolsMate = {
    {Sq("f2"), Sq("f3")}, {Sq("e7"), Sq("e5")}, {Sq("g2"), Sq("g4")}, {Sq("d8"), Sq("h4")}};

// A ten-move stalemate: Black, to move, has no legal move and is not in check.
inline const MoveList kStalemate = {
    {Sq("e2"), Sq("e3")}, {Sq("a7"), Sq("a5")}, {Sq("d1"), Sq("h5")}, {Sq("a8"), Sq("a6")},
    {Sq("h5"), Sq("a5")}, {Sq("h7"), Sq("h5")}, {Sq("h2"), Sq("h4")}, {Sq("a6"), Sq("h6")},
    {Sq("a5"), Sq("c7")}, {Sq("f7"), Sq("f6")}, {Sq("c7"), Sq("d7")}, {Sq("e8"), Sq("f7")},
    {Sq("d7"), Sq("b7")}, {Sq("d8"), Sq("d3")}, {Sq("b7"), Sq("b8")}, {Sq("d3"), Sq("h7")},
    {Sq("b8"), Sq("c8")}, {Sq("f7"), Sq("g6")}, {Sq("c8"), Sq("e6")}};
// The move of kStalemate that gives check (6.Qxd7+).
constexpr std::size_t kStalemateCheckIndex = 10;

// Plays the moves in the two-player mode; false at the first refused one.
inline bool PlayAll(CTesselDoc& doc, const MoveList& moves) {
    for (const auto& [from, to] : moves) {
        if (!Play(doc, from, to).ok) return false;
    }
    return true;
}
