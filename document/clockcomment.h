#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The standard PGN clock comment after a move, the mover's time left:
// "[%clk 0:04:57]", whole seconds rounded down, and tenths under ten
// seconds ("[%clk 0:00:09.7]"), where a whole second is much.
std::string FormatClockComment(int64_t ms);

// The time of the first %clk command in a comment's text, read as
// H:MM:SS with optional decimals; empty when there is none or it is
// malformed.
std::optional<int64_t> ParseClockComment(std::string_view comment);
