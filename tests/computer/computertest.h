#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string_view>

#include "computer/intelligence.h"
#include "tests/support/boardsetup.h"
#include "tests/support/squarenames.h"
#include "tests/support/testgames.h"

// Plays moves given as "e2e4" strings from the position, passing the turn.
inline void Play(Chessgame& game, std::initializer_list<std::string_view> moves) {
    for (std::string_view move : moves) {
        const int from = Sq(move.substr(0, 2));
        const int to = Sq(move.substr(2, 2));
        ASSERT_TRUE(game.IsMoveLegal(from, to, g_sideToMove, 1)) << move;
        game.MakeMove(from, to, 1);
    }
}

// Plays a named game from the position, passing the turn.
inline void Play(Chessgame& game, const MoveList& moves) {
    for (const auto& [from, to] : moves) {
        ASSERT_TRUE(game.IsMoveLegal(from, to, g_sideToMove, 1)) << from << "-" << to;
        game.MakeMove(from, to, 1);
    }
}

inline PositionState Saved(const Chessgame& game) {
    PositionState state;
    game.SavePosition(state);
    return state;
}

// Each test starts a fresh game with a fixed book and the process-wide
// state as at program start.
class ComputerTest : public ::testing::Test {
protected:
    static constexpr unsigned kSeed = 20261206;

    void SetUp() override {
        g_sideToMove = kWhite;
        g_searchDepth = 1;
    }

    Intelligence game{kSeed};
};
