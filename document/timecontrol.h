#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

inline constexpr int64_t kMsPerSecond = 1000;

// How long each side may think: the time of a period, given again after
// every movesPerPeriod moves of the side when that is set, and an increment
// added after each of its moves. A period of zero is no limit: the clocks
// count the time used upwards instead.
struct TimeControl {
    int64_t periodSeconds = 0;
    int64_t incrementSeconds = 0;
    // 0: the whole game is one period.
    int movesPerPeriod = 0;

    bool IsTimed() const { return periodSeconds > 0; }
    int64_t PeriodMs() const { return periodSeconds * kMsPerSecond; }
    int64_t IncrementMs() const { return incrementSeconds * kMsPerSecond; }
    bool operator==(const TimeControl&) const = default;
};

// What the player may choose, in the dialog and on the command line.
inline constexpr int kMinPeriodMinutes = 1;
inline constexpr int kMaxPeriodMinutes = 180;
inline constexpr int kMaxIncrementSeconds = 60;
inline constexpr int kMaxMovesPerPeriod = 99;

// The command line's form in minutes and seconds: "5+3", "5" (no
// increment), "40/90+30" (40 moves in 90 minutes, 30 seconds a move).
// Empty when the text is not of this form or outside the choosable range.
std::optional<TimeControl> ParseTimeControl(std::string_view text);

// A whole number made of digits only, the whole of the text.
std::optional<int64_t> ParseWholeNumber(std::string_view text);

// The PGN TimeControl tag's form in seconds: "300+3", "40/5400+30", and
// "-" for no limit. Empty for any other form, such as several periods.
std::optional<TimeControl> ParsePgnTimeControl(std::string_view text);
std::string PgnTimeControl(const TimeControl& control);

// How the menu names it: "No Limit", "5 min", "3 min + 2 s",
// "40 moves in 90 min + 30 s".
std::string TimeControlLabel(const TimeControl& control);
