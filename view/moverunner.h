#pragma once

#include <QString>
#include <QTimer>
#include <thread>

#include "view/viewstepqueue.h"

class CTesselDoc;

// What the worker's steps ask of the window, in the order they come.
class StepView {
public:
    virtual void ShowStatus(const QString& text) = 0;
    virtual void ShowPosition(const PublishedPosition& position,
                              std::optional<MoveEntry> lastMove) = 0;
    virtual void ReportCheckmate(int winner) = 0;
    virtual void ReportDraw() = 0;
    virtual void SetThinking(bool thinking) = 0;
    // The reply begun is to be played through Move Now after ms.
    virtual void StartReplyBudget(int64_t ms) = 0;
    // The worker has ended.
    virtual void FinishMoveWorker() = 0;

protected:
    ~StepView() = default;
};

// Runs one move's processing on a worker thread and hands its steps, in
// order, to the user-interface thread, which polls for them. The worker
// touches only the document and the queue.
class MoveRunner {
public:
    using Work = void (*)(CTesselDoc&, ViewStepQueue&);

    MoveRunner(CTesselDoc& doc, StepView& view);
    MoveRunner(const MoveRunner&) = delete;
    MoveRunner& operator=(const MoveRunner&) = delete;
    // Nothing of the window may be told any more: just ends the search.
    ~MoveRunner();

    bool IsRunning() const { return m_running; }
    void Start(Work work);
    // Ends the computer's search and waits for the worker; its last steps
    // are handled before this returns.
    void Stop();

private:
    void DrainSteps();
    void RunStep(const ViewStep& step);

    CTesselDoc& m_doc;
    StepView& m_view;
    std::thread m_worker;
    ViewStepQueue m_steps;
    QTimer m_stepTimer;
    bool m_running = false;
    bool m_draining = false;
};
