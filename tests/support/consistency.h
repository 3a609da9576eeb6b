#pragma once

#include <gtest/gtest.h>

#include "engine/chessgame.h"
#include "tests/support/positioninvariants.h"

// The members of the position agree with each other.
void ExpectConsistent(const Chessgame& game);

// Every member of the position is as saved, each compared on its own so a
// failure names it.
void ExpectSamePosition(const PositionState& expected, const Chessgame& actual);
