#pragma once

#include <string_view>

#include "engine/squarenames.h"

// The tests' short name for the square of a name such as "e2".
constexpr int Sq(std::string_view name) { return ParseSquare(name); }
