#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

// The two clocks of the game in progress. Times are whole seconds of the
// calendar clock, read through a replaceable source so tests control them.
class ChessClock {
public:
    using TimeSource = std::function<int64_t()>;

    struct Reading {
        int64_t whiteSeconds;
        int64_t blackSeconds;
        bool justStarted;
    };

    ChessClock();

    void SetTimeSource(TimeSource source);

    void Reset();
    // The first drop of a game starts the clock.
    void StartAtDrop();
    // Checkmate; only touches the atomic members, so the move worker may
    // call it while the user-interface thread ticks.
    void Stop();
    // After an undo: counts on from the times shown when it stopped; the
    // time the clock stood still is charged to neither side.
    void Resume();
    // One timer tick; sideToMove is the side to move between moves.
    Reading Tick(int sideToMove);

    bool armed;
    std::atomic<bool> running;
    int64_t elapsed[3];  // [side + 1]
    int64_t turnStart;
    int32_t currentSide;

private:
    int64_t Now() const;

    std::atomic<int64_t> m_stoppedAt;

    TimeSource m_now;
};

// "mm:ss" of a time, hours not shown.
std::string FormatClockTime(int64_t seconds);

// The clock of the one game of the process.
extern ChessClock g_chessClock;
