#pragma once

#include <cstdint>

#include "document/timecontrol.h"

// How long the computer may think about its reply in a timed game, given
// the time its side has left and how many moves the side has made. A share
// of the time left, so that the moves still to come (until the next period
// when the control has periods) keep theirs, plus most of the increment;
// never more than half of what is left once a safety margin is put aside
// for the time between the end of the search and the move's completion.
int64_t ReplyBudgetMs(const TimeControl& control, int64_t leftMs, int movesMade);
