#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/moveentry.h"

// The largest PGN file read.
inline constexpr std::size_t kMaxPgnFileBytes = 10 * 1024 * 1024;

// What the list of a file's games shows of each.
struct PgnGameSummary {
    std::string white;
    std::string black;
    std::string result;
    std::string event;
    std::string eco;
    // The Opening tag with the Variation and SubVariation tags that refine it.
    std::string opening;
    // The start of the movetext, "1. e4 e5 2. Nf3", with " ..." when it goes
    // on.
    std::string firstMoves;
};

// Picks one of a file's games by its index; empty cancels the open.
using PgnGameChooser =
    std::function<std::optional<std::size_t>(const std::vector<PgnGameSummary>&)>;

// PGN is text; a saved game is binary and always holds a zero byte, or a
// control character when it is damaged. An empty file is told by its name.
bool IsPgnText(const std::vector<uint8_t>& bytes, const std::string& path);

struct PgnImport {
    // The moves read, in Quillon's terms; up to the move that stopped the
    // reading when there is an error.
    std::vector<MoveEntry> moves;
    // Each move's %clk time in milliseconds, as far as the file gives them.
    std::vector<std::optional<int64_t>> clocksMs;
    // The TimeControl tag as the file writes it, empty without one.
    std::string timeControl;
    // Empty when the whole game was read, else why reading stopped.
    std::string error;
    bool cancelled = false;
};

// Reads one game of a PGN file, the one that choose picks when there are
// several (the first when choose is empty), and checks its every move
// against Quillon's rules.
PgnImport ImportPgn(std::string_view text, const PgnGameChooser& choose);
