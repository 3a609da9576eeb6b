#include "view/viewstepqueue.h"

#include <utility>

void ViewStepQueue::Push(ViewStep step) {
    std::lock_guard lock(m_mutex);
    m_steps.push_back(std::move(step));
}

std::optional<ViewStep> ViewStepQueue::Pop() {
    std::lock_guard lock(m_mutex);
    if (m_steps.empty()) return std::nullopt;
    ViewStep step = std::move(m_steps.front());
    m_steps.pop_front();
    return step;
}
