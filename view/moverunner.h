#pragma once

#include <QTimer>
#include <functional>
#include <thread>

#include "view/viewstepqueue.h"

class CTesselDoc;

// Runs one move's processing on a worker thread and hands its steps, in
// order, to the user-interface thread, which polls for them. The worker
// touches only the document and the queue.
class MoveRunner {
public:
    using Work = void (*)(CTesselDoc&, ViewStepQueue&);
    using StepHandler = std::function<void(const ViewStep&)>;

    MoveRunner(CTesselDoc& doc, StepHandler handler);
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

    CTesselDoc& m_doc;
    StepHandler m_handler;
    std::thread m_worker;
    ViewStepQueue m_steps;
    QTimer m_stepTimer;
    bool m_running = false;
    bool m_draining = false;
};
