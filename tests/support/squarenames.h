#pragma once

#include <string>
#include <string_view>

// The square of a name such as "e2": 8 * rank + (7 - file).
constexpr int Sq(std::string_view name) {
    const int file = name[0] - 'a';
    const int rank = name[1] - '1';
    return 8 * rank + (7 - file);
}

// The name of a square, such as "e2".
inline std::string SquareName(int square) {
    return {static_cast<char>('a' + 7 - square % 8), static_cast<char>('1' + square / 8)};
}
