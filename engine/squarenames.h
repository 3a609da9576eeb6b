#pragma once

#include <string>
#include <string_view>

#include "engine/chessgame.h"

// Files and ranks as players name them: file 0 is the a-file, rank 0 is
// rank 1. The board counts its columns the other way, from the h-file
// (square = 8 * rank + column, column 0 = h), so file = 7 - column.
constexpr int kLastFile = kRankSize - 1;
constexpr int kLastRank = kRankSize - 1;

constexpr int SquareAt(int file, int rank) { return kRankSize * rank + (kLastFile - file); }
constexpr int FileOf(int square) { return kLastFile - square % kRankSize; }
constexpr int RankOf(int square) { return square / kRankSize; }

constexpr bool IsFileLetter(char c) { return c >= 'a' && c <= 'h'; }
constexpr bool IsRankDigit(char c) { return c >= '1' && c <= '8'; }
constexpr char FileLetter(int square) { return static_cast<char>('a' + FileOf(square)); }
constexpr char RankDigit(int square) { return static_cast<char>('1' + RankOf(square)); }

// "e4" for square 27.
inline std::string SquareName(int square) { return {FileLetter(square), RankDigit(square)}; }

// The square a name such as "e4" names, or kNoSquare when it names none.
constexpr int ParseSquare(std::string_view name) {
    if (name.size() != 2 || !IsFileLetter(name[0]) || !IsRankDigit(name[1])) return kNoSquare;
    return SquareAt(name[0] - 'a', name[1] - '1');
}
