#pragma once

class CTesselDoc;
class ViewStepQueue;

// Makes the dropped move (m_fromSquare to m_toSquare) and, against the
// computer, the computer's reply, and reports each as steps for the view.
// Runs on its own thread: it calls only the document and the queue, and its
// last step is always WorkerFinishedStep.
void MoveWorker(CTesselDoc& doc, ViewStepQueue& steps);

// The computer's reply alone, for a reply whose search was stopped while the
// game went on. Runs and reports like MoveWorker.
void ReplyWorker(CTesselDoc& doc, ViewStepQueue& steps);
