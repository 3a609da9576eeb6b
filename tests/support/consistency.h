#pragma once

#include <gtest/gtest.h>

#include "tests/support/positioninvariants.h"

// The members of the position agree with each other.
inline void ExpectConsistent(const Chessgame& game) {
    const std::vector<std::string> faults = PositionFaults(game);
    EXPECT_TRUE(faults.empty()) << JoinFaults(faults);
}
