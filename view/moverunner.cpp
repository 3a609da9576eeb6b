#include "view/moverunner.h"

#include "document/tesseldoc.h"

namespace {

// How often the steps are collected while a move is processed.
constexpr int kStepPollMs = 10;

}  // namespace

MoveRunner::MoveRunner(CTesselDoc& doc, StepView& view) : m_doc(doc), m_view(view) {
    m_stepTimer.setInterval(kStepPollMs);
    QObject::connect(&m_stepTimer, &QTimer::timeout, [this] { DrainSteps(); });
}

MoveRunner::~MoveRunner() {
    if (!m_worker.joinable()) return;
    m_doc.AbortComputerSearch();
    m_worker.join();
}

void MoveRunner::Start(Work work) {
    m_running = true;
    m_worker = std::thread(work, std::ref(m_doc), std::ref(m_steps));
    m_stepTimer.start();
}

void MoveRunner::Stop() {
    if (!m_running) return;
    m_doc.AbortComputerSearch();
    m_worker.join();
    DrainSteps();
}

void MoveRunner::DrainSteps() {
    // A message box shown by a step runs its own event loop; the steps after
    // it wait until it is closed.
    if (m_draining) return;
    m_draining = true;
    while (std::optional<ViewStep> step = m_steps.Pop()) {
        if (std::holds_alternative<WorkerFinishedStep>(*step)) {
            m_stepTimer.stop();
            if (m_worker.joinable()) m_worker.join();
            m_running = false;
        }
        RunStep(*step);
    }
    m_draining = false;
}

void MoveRunner::RunStep(const ViewStep& step) {
    if (const auto* status = std::get_if<ShowStatusStep>(&step)) {
        m_view.ShowStatus(QString::fromStdString(status->text));
    } else if (const auto* position = std::get_if<ShowPositionStep>(&step)) {
        m_view.ShowPosition(position->position, position->lastMove);
    } else if (const auto* checkmate = std::get_if<CheckmateStep>(&step)) {
        m_view.ReportCheckmate(checkmate->winner);
    } else if (std::holds_alternative<DrawStep>(step)) {
        m_view.ReportDraw();
    } else if (const auto* thinking = std::get_if<ThinkingStep>(&step)) {
        m_view.SetThinking(thinking->thinking);
    } else if (const auto* budget = std::get_if<ReplyBudgetStep>(&step)) {
        m_view.StartReplyBudget(budget->ms);
    } else {
        m_view.FinishMoveWorker();
    }
}
