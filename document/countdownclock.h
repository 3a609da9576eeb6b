#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "document/timecontrol.h"

// Both sides' times left, in milliseconds.
struct ClockTimes {
    int64_t whiteMs = 0;
    int64_t blackMs = 0;

    int64_t& Of(int side);
    int64_t Of(int side) const;
    bool operator==(const ClockTimes&) const = default;
};

// The clocks of a timed game: each side's time counts down while it is to
// move, and each move completed adds the increment (and a new period's time
// after the period's last move). The times after every move are kept with
// the game, so that an undo can put them back. Milliseconds are read from a
// replaceable source so tests control them. The move worker completes moves
// while the user-interface thread reads, so every operation takes a lock.
class CountdownClock {
public:
    using TimeSource = std::function<int64_t()>;

    struct Reading {
        ClockTimes left;
        // Whose time runs, 0 while the clocks stand.
        int runningSide = 0;
        // Whose time has run out, 0 while both have time.
        int flaggedSide = 0;
    };

    CountdownClock();

    void SetTimeSource(TimeSource source);

    // A new game: full time for both sides; the clocks stand until Start or
    // the first move completed.
    void Reset(const TimeControl& control);
    // A game under way: the times after each of its moves, [0] the start.
    void Restore(const TimeControl& control, std::vector<ClockTimes> history);
    // Lets the side to move's time run if the game's clocks wait to start.
    void Start(int sideToMove);
    // side has completed its move: its time is charged and its increment
    // added, and the other side's time runs. False, with the flag fallen,
    // when its time had run out before. A game without a limit never flags.
    bool CompleteMove(int side);
    // The game is over: the clocks stand and keep their times.
    void Stop();
    // The clocks stand until the next Start, as between the moves of a game
    // the computer plays against itself at a pace a person can follow.
    void Pause();
    // Back to the times after the first plies moves, running for the side to
    // move; a fallen flag is lifted.
    void UndoTo(int plies, int sideToMove);
    // The times now; the flag falls here when the running side's time is out.
    Reading Tick();
    // The times after each move of the game, [0] the start.
    std::vector<ClockTimes> History() const;
    TimeControl Control() const;

private:
    // Charges the running side and stops its time; untilStart lets the next
    // Start run it again.
    void Halt(bool untilStart);
    int64_t RunningLeft(int64_t now) const;
    void ChargeRunningSide(int64_t now);
    void FlagRunningSide();

    mutable std::mutex m_mutex;
    TimeSource m_now;
    TimeControl m_control;
    std::vector<ClockTimes> m_history;
    ClockTimes m_left;
    int m_runningSide = 0;
    int64_t m_turnStart = 0;
    // A new game whose clocks have not started yet.
    bool m_waiting = true;
    int m_flaggedSide = 0;
};

// The countdown's display: "m:ss", "h:mm:ss" from an hour, and "0:09.7"
// with tenths under ten seconds. Never negative.
std::string FormatCountdown(int64_t ms);
