#include "document/chessclock.h"

#include <chrono>
#include <cstdio>
#include <utility>

#include "engine/chessgame.h"

namespace {

int64_t CalendarSeconds() {
    using namespace std::chrono;
    return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

}  // namespace

ChessClock g_chessClock;

ChessClock::ChessClock() : m_now(CalendarSeconds) { Reset(); }

void ChessClock::SetTimeSource(TimeSource source) { m_now = std::move(source); }

int64_t ChessClock::Now() const { return m_now(); }

void ChessClock::Reset() {
    turnStart = Now();
    m_stoppedAt = turnStart;
    elapsed[0] = elapsed[1] = elapsed[2] = 0;
    running = false;
    armed = true;
    currentSide = kWhite;
}

void ChessClock::StartAtDrop() {
    if (!running && armed) {
        turnStart = Now();
        running = true;
    }
}

void ChessClock::Stop() {
    if (!running) return;
    m_stoppedAt = Now();
    running = false;
}

void ChessClock::Resume() {
    if (running) return;
    turnStart += Now() - m_stoppedAt;
    running = true;
}

ChessClock::Reading ChessClock::Tick(int sideToMove) {
    Reading reading{0, 0, false};
    if (!running) return reading;

    if (armed) {
        reading.justStarted = true;
        currentSide = sideToMove;
        armed = false;
    }
    const int64_t now = Now();
    if (currentSide != sideToMove) {
        elapsed[SideIndex(currentSide)] += now - turnStart;
        currentSide = sideToMove;
        turnStart = now;
    }
    const int64_t current = elapsed[SideIndex(currentSide)] + (now - turnStart);
    if (currentSide == kWhite) {
        reading.whiteSeconds = current;
        reading.blackSeconds = elapsed[SideIndex(kBlack)];
    } else {
        reading.whiteSeconds = elapsed[SideIndex(kWhite)];
        reading.blackSeconds = current;
    }
    return reading;
}

std::string FormatClockTime(int64_t seconds) {
    // A calendar clock set back must not show a negative time.
    if (seconds < 0) seconds = 0;
    const long long minutes = (seconds / 60) % 60;
    const long long secs = seconds % 60;
    char text[16];
    std::snprintf(text, sizeof text, "%02lld:%02lld", minutes, secs);
    return text;
}
