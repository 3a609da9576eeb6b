#include "view/moveworker.h"

#include <string>

#include "document/tesseldoc.h"
#include "view/statustexts.h"
#include "view/viewstepqueue.h"

namespace {

class MoveProcess {
public:
    MoveProcess(CTesselDoc& doc, ViewStepQueue& steps) : m_doc(doc), m_steps(steps) {}

    void RunDroppedMove() {
        if (m_doc.m_playMode == kPlayHumanVsHuman) {
            RunTwoPlayerMove();
        } else {
            RunMoveAgainstComputer();
        }
        m_steps.Push(WorkerFinishedStep{});
    }

    void RunReply() {
        RunComputerReply();
        m_steps.Push(WorkerFinishedStep{});
    }

private:
    void RunTwoPlayerMove() {
        if (!m_doc.MakeNextMove(m_check, m_mate)) {
            RefuseMove();
            return;
        }
        m_status.clear();
        if (m_doc.m_drawn) ReportDraw();
        ShowStatus(m_status);
        CloseMove();
    }

    void RunMoveAgainstComputer() {
        if (!m_doc.MakeUserMove(m_check, m_mate)) {
            RefuseMove();
            return;
        }
        m_status.clear();
        if (m_doc.m_drawn) {
            ReportDraw();
            ShowStatus(m_status);
            ShowPosition(false);
            return;
        }
        ShowStatus(m_status);
        ShowPosition(true);
        if (m_check) {
            if (m_mate) {
                ReportCheckmate();
                return;
            }
            ReportCheck();
        }
        RunComputerReply();
    }

    void RunComputerReply() {
        m_steps.Push(ThinkingStep{true});
        if (const auto budget = m_doc.ComputerBudgetMs()) m_steps.Push(ReplyBudgetStep{*budget});
        // The reply's report starts empty; the box keeps the earlier text
        // until the reply is shown.
        m_status.clear();
        const bool replied = m_doc.MakeNextMove(m_check, m_mate);
        m_steps.Push(ThinkingStep{false});
        // A stopped search makes no move: the human's move stays shown.
        if (replied) CloseMove();
    }

    void CloseMove() {
        ShowPosition(true);
        if (m_check) {
            if (m_mate) {
                ReportCheckmate();
            } else {
                ReportCheck();
            }
            return;
        }
        m_status.clear();
        if (m_doc.m_drawn) ReportDraw();
        ShowStatus(m_status);
    }

    void ShowStatus(const std::string& text) { m_steps.Push(ShowStatusStep{text}); }

    // A move that came after its side's time ran out is no invalid move: the
    // window reports the game lost on time once the worker has ended.
    void RefuseMove() {
        if (m_doc.m_flaggedSide == 0) ShowStatus(kInvalidMoveText);
    }

    void ShowPosition(bool withLastMove) {
        ShowPositionStep step{m_doc.Published(), std::nullopt};
        if (withLastMove) step.lastMove = m_doc.m_moves[m_doc.m_moveCount - 1];
        m_steps.Push(step);
    }

    void ReportCheck() {
        m_status += kCheckText;
        ShowStatus(m_status);
    }

    void ReportDraw() {
        m_status = kDrawnText;
        m_steps.Push(DrawStep{});
    }

    // The side to move after the mating move is the side that lost.
    void ReportCheckmate() {
        const int winner = m_doc.Published().sideToMove == kBlack ? kWhite : kBlack;
        m_steps.Push(CheckmateStep{winner});
    }

    CTesselDoc& m_doc;
    ViewStepQueue& m_steps;
    bool m_check = false;
    bool m_mate = false;
    std::string m_status;
};

}  // namespace

void MoveWorker(CTesselDoc& doc, ViewStepQueue& steps) { MoveProcess(doc, steps).RunDroppedMove(); }

void ReplyWorker(CTesselDoc& doc, ViewStepQueue& steps) { MoveProcess(doc, steps).RunReply(); }
