#include "document/countdownclock.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <utility>

#include "engine/chessgame.h"

namespace {

constexpr int64_t kMsPerTenth = 100;
constexpr int64_t kTenthsShownBelowMs = 10 * kMsPerSecond;
constexpr int64_t kSecondsPerHour = 3600;
constexpr int64_t kSecondsPerMinute = 60;

int64_t SteadyMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

ClockTimes FullTime(const TimeControl& control) {
    return {control.PeriodMs(), control.PeriodMs()};
}

}  // namespace

int64_t& ClockTimes::Of(int side) { return side == kWhite ? whiteMs : blackMs; }

int64_t ClockTimes::Of(int side) const { return side == kWhite ? whiteMs : blackMs; }

CountdownClock::CountdownClock() : m_now(SteadyMs) { Reset({}); }

void CountdownClock::SetTimeSource(TimeSource source) {
    std::lock_guard lock(m_mutex);
    m_now = std::move(source);
}

void CountdownClock::Reset(const TimeControl& control) { Restore(control, {FullTime(control)}); }

void CountdownClock::Restore(const TimeControl& control, std::vector<ClockTimes> history) {
    std::lock_guard lock(m_mutex);
    m_control = control;
    m_history = std::move(history);
    if (m_history.empty()) m_history.push_back(FullTime(control));
    m_left = m_history.back();
    m_runningSide = 0;
    m_flaggedSide = 0;
    m_waiting = true;
}

void CountdownClock::Start(int sideToMove) {
    std::lock_guard lock(m_mutex);
    if (!m_waiting) return;
    m_waiting = false;
    m_runningSide = sideToMove;
    m_turnStart = m_now();
}

bool CountdownClock::CompleteMove(int side) {
    std::lock_guard lock(m_mutex);
    if (m_flaggedSide != 0) return false;
    const int64_t now = m_now();
    if (m_runningSide == side) {
        if (m_control.IsTimed() && RunningLeft(now) <= 0) {
            FlagRunningSide();
            return false;
        }
        ChargeRunningSide(now);
    }
    // The side's moves so far, this one included; the game alternates from
    // White's first move.
    const std::size_t moves = (m_history.size() - 1) / 2 + 1;
    m_left.Of(side) += m_control.IncrementMs();
    if (m_control.movesPerPeriod > 0 && moves % m_control.movesPerPeriod == 0) {
        m_left.Of(side) += m_control.PeriodMs();
    }
    m_history.push_back(m_left);
    // The first move completed starts a waiting game's clocks; a game that
    // is over keeps them standing.
    if (m_runningSide != 0 || m_waiting) {
        m_waiting = false;
        m_runningSide = -side;
        m_turnStart = now;
    }
    return true;
}

void CountdownClock::Stop() { Halt(false); }

void CountdownClock::Pause() { Halt(true); }

void CountdownClock::Halt(bool untilStart) {
    std::lock_guard lock(m_mutex);
    if (m_runningSide != 0) ChargeRunningSide(m_now());
    m_runningSide = 0;
    m_waiting = untilStart && m_flaggedSide == 0;
}

void CountdownClock::UndoTo(int plies, int sideToMove) {
    std::lock_guard lock(m_mutex);
    const std::size_t kept = std::min(m_history.size(), static_cast<std::size_t>(plies) + 1);
    m_history.resize(kept);
    m_left = m_history.back();
    m_flaggedSide = 0;
    m_waiting = false;
    m_runningSide = sideToMove;
    m_turnStart = m_now();
}

CountdownClock::Reading CountdownClock::Tick() {
    std::lock_guard lock(m_mutex);
    Reading reading;
    if (m_runningSide != 0) {
        const int64_t left = RunningLeft(m_now());
        if (left <= 0 && m_control.IsTimed()) {
            FlagRunningSide();
        } else {
            reading.left = m_left;
            reading.left.Of(m_runningSide) = left;
            reading.runningSide = m_runningSide;
            return reading;
        }
    }
    reading.left = m_left;
    reading.flaggedSide = m_flaggedSide;
    return reading;
}

std::vector<ClockTimes> CountdownClock::History() const {
    std::lock_guard lock(m_mutex);
    return m_history;
}

TimeControl CountdownClock::Control() const {
    std::lock_guard lock(m_mutex);
    return m_control;
}

int64_t CountdownClock::RunningLeft(int64_t now) const {
    return m_left.Of(m_runningSide) - (now - m_turnStart);
}

void CountdownClock::ChargeRunningSide(int64_t now) {
    m_left.Of(m_runningSide) = RunningLeft(now);
    m_turnStart = now;
}

void CountdownClock::FlagRunningSide() {
    m_left.Of(m_runningSide) = 0;
    m_flaggedSide = m_runningSide;
    m_runningSide = 0;
}

std::string FormatCountdown(int64_t ms) {
    ms = std::max<int64_t>(ms, 0);
    const long long seconds = ms / kMsPerSecond;
    char text[32];
    if (ms < kTenthsShownBelowMs) {
        std::snprintf(text, sizeof text, "0:%02lld.%lld", seconds,
                      static_cast<long long>(ms % kMsPerSecond / kMsPerTenth));
    } else if (seconds < kSecondsPerHour) {
        std::snprintf(text, sizeof text, "%lld:%02lld", seconds / kSecondsPerMinute,
                      seconds % kSecondsPerMinute);
    } else {
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", seconds / kSecondsPerHour,
                      seconds / kSecondsPerMinute % kSecondsPerMinute, seconds % kSecondsPerMinute);
    }
    return text;
}
