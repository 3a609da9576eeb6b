#include "document/clockcomment.h"

#include <algorithm>
#include <cstdio>

#include "document/timecontrol.h"

namespace {

constexpr std::string_view kClockCommand = "[%clk";
constexpr int64_t kMsPerTenth = 100;
constexpr int64_t kTenthsWrittenBelowMs = 10 * kMsPerSecond;
constexpr int64_t kSecondsPerMinute = 60;
constexpr int64_t kMinutesPerHour = 60;
// Digits of a fraction of a second that count: milliseconds.
constexpr int kFractionDigits = 3;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads digits at the front of text into value; false when there are none or
// too many for a clock.
bool TakeNumber(std::string_view& text, int64_t& value) {
    constexpr std::size_t kMaxDigits = 6;
    std::size_t length = 0;
    value = 0;
    while (length < text.size() && IsDigit(text[length])) {
        value = value * 10 + (text[length] - '0');
        if (++length > kMaxDigits) return false;
    }
    text.remove_prefix(length);
    return length > 0;
}

bool TakeChar(std::string_view& text, char c) {
    if (text.empty() || text.front() != c) return false;
    text.remove_prefix(1);
    return true;
}

// The fraction's milliseconds after a decimal point; the digits beyond are
// dropped.
int64_t TakeFractionMs(std::string_view& text) {
    int64_t ms = 0;
    int digits = 0;
    for (; !text.empty() && IsDigit(text.front()); text.remove_prefix(1)) {
        if (digits < kFractionDigits) {
            ms = ms * 10 + (text.front() - '0');
            ++digits;
        }
    }
    for (; digits < kFractionDigits; ++digits) ms *= 10;
    return ms;
}

}  // namespace

std::string FormatClockComment(int64_t ms) {
    ms = std::max<int64_t>(ms, 0);
    const long long seconds = ms / kMsPerSecond;
    char text[48];
    const int length =
        std::snprintf(text, sizeof text, "[%%clk %lld:%02lld:%02lld",
                      seconds / (kSecondsPerMinute * kMinutesPerHour),
                      seconds / kSecondsPerMinute % kMinutesPerHour, seconds % kSecondsPerMinute);
    std::string comment(text, static_cast<std::size_t>(length));
    if (ms < kTenthsWrittenBelowMs)
        comment += "." + std::to_string(ms % kMsPerSecond / kMsPerTenth);
    return comment + "]";
}

std::optional<int64_t> ParseClockComment(std::string_view comment) {
    const std::size_t start = comment.find(kClockCommand);
    if (start == std::string_view::npos) return std::nullopt;
    std::string_view text = comment.substr(start + kClockCommand.size());
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    int64_t hours = 0;
    int64_t minutes = 0;
    int64_t seconds = 0;
    if (!TakeNumber(text, hours) || !TakeChar(text, ':') || !TakeNumber(text, minutes) ||
        !TakeChar(text, ':') || !TakeNumber(text, seconds) || minutes >= kMinutesPerHour ||
        seconds >= kSecondsPerMinute) {
        return std::nullopt;
    }
    const int64_t fraction = TakeChar(text, '.') ? TakeFractionMs(text) : 0;
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    if (!TakeChar(text, ']')) return std::nullopt;
    return ((hours * kMinutesPerHour + minutes) * kSecondsPerMinute + seconds) * kMsPerSecond +
           fraction;
}
