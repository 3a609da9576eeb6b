#include "document/selfplay.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <optional>
#include <vector>

#include "document/countdownclock.h"
#include "document/pgnexport.h"

namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::milliseconds;

// How often the clock is looked at for a fallen flag while the computer
// thinks past its budget, as the window's clock tick does.
constexpr Milliseconds kFlagPoll{10};

// Waits for the reply, playing it through Move Now when the budget is spent
// and ending the search without a move when the flag falls. True when the
// budget stopped the search.
bool WaitForReply(std::future<bool>& reply, CTesselDoc& doc, std::optional<int64_t> budgetMs) {
    bool cut = false;
    if (budgetMs && reply.wait_for(Milliseconds(*budgetMs)) == std::future_status::timeout) {
        doc.PlayComputerMoveNow();
        cut = true;
    }
    while (reply.wait_for(kFlagPoll) == std::future_status::timeout) {
        if (doc.m_countdown.Tick().flaggedSide != 0) doc.AbortComputerSearch();
    }
    return cut;
}

class SelfPlay {
public:
    explicit SelfPlay(const SelfPlayOptions& options) {
        m_doc.m_playMode = kPlayComputerVsComputer;
        m_doc.m_skillLevel = options.skillLevel;
        m_doc.m_timeControl = options.control;
        m_doc.SetSearchDepth(options.depth);
        m_doc.OnNewDocument();
        const int maxPlies = options.maxMoves > 0 ? 2 * options.maxMoves : kMaxMoves;
        m_maxPlies = std::min(maxPlies, static_cast<int>(kMaxMoves));
    }

    SelfPlayReport Play(const std::string& date) {
        while (!m_doc.m_gameOver && m_doc.m_moveCount < m_maxPlies && PlayReply()) {
        }
        m_report.pgn = ExportPgn(m_doc, date);
        m_report.plies = m_doc.m_moveCount;
        if (!m_replyMs.empty()) {
            auto middle = m_replyMs.begin() + static_cast<std::ptrdiff_t>(m_replyMs.size() / 2);
            std::nth_element(m_replyMs.begin(), middle, m_replyMs.end());
            m_report.medianReplyMs = *middle;
        }
        return m_report;
    }

private:
    // False when the game cannot go on: no move came, and not for the clock.
    bool PlayReply() {
        const int mover = g_sideToMove;
        const std::optional<int64_t> budget = m_doc.ComputerBudgetMs();
        const Clock::time_point start = Clock::now();
        bool check = false;
        bool mate = false;
        std::future<bool> reply =
            std::async(std::launch::async, [&] { return m_doc.MakeNextMove(check, mate); });
        if (WaitForReply(reply, m_doc, budget)) ++m_report.repliesCut;
        const bool moved = reply.get();
        m_doc.ClearSearchRequests();
        m_replyMs.push_back(std::chrono::duration_cast<Milliseconds>(Clock::now() - start).count());
        if (!moved) {
            m_doc.EndOnTime();
            NoteTimeLeft(mover);
            return m_doc.m_gameOver;
        }
        NoteTimeLeft(mover);
        if (mate || m_doc.m_drawn) m_doc.m_gameOver = true;
        return true;
    }

    void NoteTimeLeft(int side) {
        if (!m_doc.m_countdown.Control().IsTimed()) return;
        const int64_t left =
            m_doc.m_flaggedSide == side ? 0 : m_doc.m_countdown.History().back().Of(side);
        if (m_report.shortestLeftMs < 0 || left < m_report.shortestLeftMs) {
            m_report.shortestLeftMs = left;
        }
    }

    CTesselDoc m_doc;
    int m_maxPlies = kMaxMoves;
    SelfPlayReport m_report;
    std::vector<int64_t> m_replyMs;
};

}  // namespace

SelfPlayReport RunSelfPlay(const SelfPlayOptions& options, const std::string& date) {
    return SelfPlay(options).Play(date);
}

namespace {

std::optional<int> ReadNumber(const std::string& text, int low, int high) {
    const auto value = ParseWholeNumber(text);
    if (!value || *value < low || *value > high) return std::nullopt;
    return static_cast<int>(*value);
}

std::string SelfPlaySummary(const SelfPlayReport& report) {
    std::string summary = "moves " + std::to_string(report.plies) + " (plies)";
    summary += ", shortest time left ";
    summary += report.shortestLeftMs < 0 ? "-" : FormatCountdown(report.shortestLeftMs);
    summary += ", replies cut by the budget " + std::to_string(report.repliesCut);
    char median[32];
    std::snprintf(median, sizeof median, "%.2f s",
                  static_cast<double>(report.medianReplyMs) / kMsPerSecond);
    return summary + ", median reply " + median;
}

}  // namespace

std::optional<SelfPlayOptions> ReadSelfPlayOptions(const std::string& timeControl,
                                                   const std::string& depth,
                                                   const std::string& skill,
                                                   const std::string& maxMoves) {
    SelfPlayOptions options;
    if (!timeControl.empty()) {
        const auto control = ParseTimeControl(timeControl);
        if (!control) return std::nullopt;
        options.control = *control;
    }
    const auto depthRead = ReadNumber(depth, kMinSearchDepth, kMaxSearchDepth);
    const auto movesRead = ReadNumber(maxMoves, 0, kMaxMoves);
    if (!depthRead || !movesRead || (skill != "novice" && skill != "expert")) return std::nullopt;
    options.depth = *depthRead;
    options.maxMoves = *movesRead;
    options.skillLevel = skill == "novice" ? kSkillNovice : kSkillExpert;
    return options;
}

int PrintSelfPlayGame(const SelfPlayOptions& options, const std::string& date) {
    const SelfPlayReport report = RunSelfPlay(options, date);
    std::fputs(report.pgn.c_str(), stdout);
    std::fprintf(stderr, "%s\n", SelfPlaySummary(report).c_str());
    return EXIT_SUCCESS;
}
