#pragma once

#include <string>
#include <vector>

#include "engine/chessgame.h"

// Every way in which the members of a position disagree with each other:
// cells, occupancy sets, piece ids, piece records, piece sets and king
// squares. Empty when the position is consistent.
std::vector<std::string> PositionFaults(const Chessgame& game);

// The first member in which two positions differ, empty when they agree.
std::string PositionDifference(const Chessgame& expected, const Chessgame& actual);

// The faults joined into one message, for test output.
std::string JoinFaults(const std::vector<std::string>& faults);
