#include "document/replybudget.h"

#include <algorithm>

namespace {

// Without periods, the moves a game is taken still to need: each reply
// spends its share of what is left, so the time shrinks but never runs out.
constexpr int64_t kSuddenDeathMovesToGo = 30;
// Kept back for the move's completion after the search stops.
constexpr int64_t kSafetyMarginMs = 500;
// The share of the increment spent on each reply, in quarters.
constexpr int64_t kIncrementQuartersSpent = 3;
constexpr int64_t kQuarters = 4;

int64_t MovesToGo(const TimeControl& control, int movesMade) {
    if (control.movesPerPeriod <= 0) return kSuddenDeathMovesToGo;
    return control.movesPerPeriod - movesMade % control.movesPerPeriod;
}

}  // namespace

int64_t ReplyBudgetMs(const TimeControl& control, int64_t leftMs, int movesMade) {
    if (leftMs <= 0) return 0;
    const int64_t usable = leftMs - std::min(kSafetyMarginMs, leftMs / 2);
    const int64_t share = usable / MovesToGo(control, std::max(movesMade, 0));
    const int64_t increment = control.IncrementMs() * kIncrementQuartersSpent / kQuarters;
    return std::min(share + increment, usable / 2);
}
