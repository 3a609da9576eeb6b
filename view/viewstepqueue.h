#pragma once

#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <variant>

#include "document/tesseldoc.h"

// What the move worker hands to the user-interface thread, one step at a
// time and in the order of the move's processing. The worker itself touches
// no widget.
struct ShowStatusStep {
    std::string text;
};
struct ShowPositionStep {
    PublishedPosition position;
    std::optional<MoveEntry> lastMove;  // drawn as a line from square to square
};
struct CheckmateStep {
    int winner;  // kWhite or kBlack
};
struct DrawStep {};
// The computer begins or ends thinking about its reply.
struct ThinkingStep {
    bool thinking;
};
// How long the computer may think about the reply it has begun.
struct ReplyBudgetStep {
    int64_t ms;
};
struct WorkerFinishedStep {};

using ViewStep = std::variant<ShowStatusStep, ShowPositionStep, CheckmateStep, DrawStep,
                              ThinkingStep, ReplyBudgetStep, WorkerFinishedStep>;

// Carries the steps from the worker to the user-interface thread. A plain
// mutex-guarded queue: the user-interface thread collects the steps itself,
// so nothing but this queue is shared.
class ViewStepQueue {
public:
    void Push(ViewStep step);
    std::optional<ViewStep> Pop();

private:
    std::mutex m_mutex;
    std::deque<ViewStep> m_steps;
};
