#include "document/timecontrol.h"

#include <charconv>

namespace {

constexpr int64_t kSecondsPerMinute = 60;
constexpr std::string_view kPgnNoLimit = "-";
// The longest period and increment read from a PGN file: its own games may
// use any, but beyond these they are no timed game Quillon can show.
constexpr int64_t kMaxPgnPeriodSeconds = kMaxPeriodMinutes * kSecondsPerMinute;
constexpr int64_t kMaxPgnIncrementSeconds = 3600;

// "[moves/]period[+increment]" with the numbers as written.
struct Parts {
    int64_t moves = 0;
    int64_t period = 0;
    int64_t increment = 0;
};

std::optional<Parts> Split(std::string_view text) {
    Parts parts;
    if (const std::size_t slash = text.find('/'); slash != std::string_view::npos) {
        const auto moves = ParseWholeNumber(text.substr(0, slash));
        if (!moves || *moves < 1 || *moves > kMaxMovesPerPeriod) return std::nullopt;
        parts.moves = *moves;
        text.remove_prefix(slash + 1);
    }
    const std::size_t plus = text.find('+');
    const auto period = ParseWholeNumber(text.substr(0, plus));
    if (!period) return std::nullopt;
    parts.period = *period;
    if (plus != std::string_view::npos) {
        const auto increment = ParseWholeNumber(text.substr(plus + 1));
        if (!increment) return std::nullopt;
        parts.increment = *increment;
    }
    return parts;
}

TimeControl FromParts(const Parts& parts, int64_t periodUnit) {
    return {parts.period * periodUnit, parts.increment, static_cast<int>(parts.moves)};
}

std::string Minutes(int64_t seconds) {
    if (seconds % kSecondsPerMinute == 0)
        return std::to_string(seconds / kSecondsPerMinute) + " min";
    return std::to_string(seconds) + " s";
}

}  // namespace

std::optional<int64_t> ParseWholeNumber(std::string_view text) {
    int64_t value = 0;
    const char* end = text.data() + text.size();
    if (text.empty() || text.front() == '-' || text.front() == '+') return std::nullopt;
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end) return std::nullopt;
    return value;
}

std::optional<TimeControl> ParseTimeControl(std::string_view text) {
    const auto parts = Split(text);
    if (!parts || parts->period < kMinPeriodMinutes || parts->period > kMaxPeriodMinutes ||
        parts->increment > kMaxIncrementSeconds) {
        return std::nullopt;
    }
    return FromParts(*parts, kSecondsPerMinute);
}

std::optional<TimeControl> ParsePgnTimeControl(std::string_view text) {
    if (text == kPgnNoLimit) return TimeControl{};
    const auto parts = Split(text);
    if (!parts || parts->period < 1 || parts->period > kMaxPgnPeriodSeconds ||
        parts->increment > kMaxPgnIncrementSeconds) {
        return std::nullopt;
    }
    return FromParts(*parts, 1);
}

std::string PgnTimeControl(const TimeControl& control) {
    if (!control.IsTimed()) return std::string(kPgnNoLimit);
    std::string text;
    if (control.movesPerPeriod > 0) text = std::to_string(control.movesPerPeriod) + "/";
    text += std::to_string(control.periodSeconds);
    if (control.incrementSeconds > 0) text += "+" + std::to_string(control.incrementSeconds);
    return text;
}

std::string TimeControlLabel(const TimeControl& control) {
    if (!control.IsTimed()) return "No Limit";
    std::string label;
    if (control.movesPerPeriod > 0) label = std::to_string(control.movesPerPeriod) + " moves in ";
    label += Minutes(control.periodSeconds);
    if (control.incrementSeconds > 0)
        label += " + " + std::to_string(control.incrementSeconds) + " s";
    return label;
}
