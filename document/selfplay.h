#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "document/tesseldoc.h"
#include "document/timecontrol.h"

struct SelfPlayOptions {
    TimeControl control;
    int depth = 1;
    int skillLevel = kSkillExpert;
    // The most moves of each side before the game is left unterminated; 0
    // for as many as the move list holds.
    int maxMoves = 0;
};

// One game the computer played against itself, and how it kept to its
// clock.
struct SelfPlayReport {
    std::string pgn;
    int plies = 0;
    // The least time a side had left after one of its moves; in a game
    // without a limit, none (-1).
    int64_t shortestLeftMs = -1;
    // Replies whose search the budget stopped, through Move Now.
    int repliesCut = 0;
    int64_t medianReplyMs = 0;
};

// The options as the command line writes them: a time control as "5+3"
// (empty for no limit), a depth of 1 to 5, "novice" or "expert", and the
// most moves of each side (0 for no limit). Empty when one is not valid.
std::optional<SelfPlayOptions> ReadSelfPlayOptions(const std::string& timeControl,
                                                   const std::string& depth,
                                                   const std::string& skill,
                                                   const std::string& maxMoves);

// Plays one game of the computer against itself at the given settings, each
// reply under the budget its clock allows, and writes it as PGN with the
// given date ("YYYY.MM.DD").
SelfPlayReport RunSelfPlay(const SelfPlayOptions& options, const std::string& date);

// Plays the game and prints it as PGN on standard output and the report's
// figures on standard error; the program's exit status.
int PrintSelfPlayGame(const SelfPlayOptions& options, const std::string& date);
