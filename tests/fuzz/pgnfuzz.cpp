// Feeds arbitrary text to the PGN reader. It must never crash or hang; a
// game it accepts is made of legal moves, and what Quillon writes of it
// reads back as the same moves.
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "document/pgnexport.h"
#include "document/pgnimport.h"
#include "document/tesseldoc.h"
#include "engine/chessgame.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

bool AllLegal(const std::vector<MoveEntry>& moves) {
    Chessgame game;
    int side = kWhite;
    for (const MoveEntry& move : moves) {
        if (!game.IsMoveLegal(move.from, move.to, side, 1)) return false;
        game.MakeMoveForSide(move.from, move.to, side, 0);
        side = -side;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const int16_t sideBefore = g_sideToMove;
    // The last game of the file, so that every game is reachable.
    const PgnImport import = ImportPgn(text, [](const std::vector<PgnGameSummary>& games) {
        return std::optional<std::size_t>(games.size() - 1);
    });
    Require(g_sideToMove == sideBefore);
    Require(!import.cancelled);
    Require(AllLegal(import.moves));
    if (!import.error.empty()) return 0;

    CTesselDoc doc;
    doc.m_moves = import.moves;
    doc.m_moveCount = static_cast<int16_t>(import.moves.size());
    const PgnImport again = ImportPgn(ExportPgn(doc, "2026.12.06"), {});
    Require(again.error.empty());
    Require(again.moves == import.moves);
    return 0;
}
