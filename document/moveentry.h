#pragma once

#include <cstdint>

// One move of a game: the origin and target squares.
struct MoveEntry {
    int16_t from;
    int16_t to;

    bool operator==(const MoveEntry&) const = default;
};
