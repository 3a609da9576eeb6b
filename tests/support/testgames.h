#pragma once

// The named games the tests play: as square pairs and in PGN.
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/squarenames.h"

using MoveList = std::vector<std::pair<int, int>>;

// 1.f3 e5 2.g4 Qh4#
inline const MoveList kFoolsMate = {
    {Sq("f2"), Sq("f3")}, {Sq("e7"), Sq("e5")}, {Sq("g2"), Sq("g4")}, {Sq("d8"), Sq("h4")}};

// A ten-move stalemate: Black, to move, has no legal move and is not in check.
inline const MoveList kStalemate = {
    {Sq("e2"), Sq("e3")}, {Sq("a7"), Sq("a5")}, {Sq("d1"), Sq("h5")}, {Sq("a8"), Sq("a6")},
    {Sq("h5"), Sq("a5")}, {Sq("h7"), Sq("h5")}, {Sq("h2"), Sq("h4")}, {Sq("a6"), Sq("h6")},
    {Sq("a5"), Sq("c7")}, {Sq("f7"), Sq("f6")}, {Sq("c7"), Sq("d7")}, {Sq("e8"), Sq("f7")},
    {Sq("d7"), Sq("b7")}, {Sq("d8"), Sq("d3")}, {Sq("b7"), Sq("b8")}, {Sq("d3"), Sq("h7")},
    {Sq("b8"), Sq("c8")}, {Sq("f7"), Sq("g6")}, {Sq("c8"), Sq("e6")}};
// The move of kStalemate that gives check (6.Qxd7+).
constexpr std::size_t kStalemateCheckIndex = 10;

// A PGN game in which Black can move only its king from move 24 on, so that
// Quillon draws it at move 41, four moves before the file ends.
inline constexpr char kKingOnlyDrawPgn[] =
    "1. h4 Na6 2. a3 f6 3. Nf3 Nb4 4. axb4 e5 5. Nxe5 b5 6. Rxa7 fxe5 7. Rxc7 d5 8.\n"
    "Rxc8 Ke7 9. Rxd8 Rb8 10. Rxb8 h5 11. Rxb5 g6 12. Rxd5 Kf7 13. Rxe5 Bg7 14. Rxh5\n"
    "Kf8 15. Rxh8 Be5 16. Rxg8+ Kxg8 17. b3 Bd4 18. g3 Kf7 19. h5 Ke6 20. hxg6 Be5\n"
    "21. Rg1 Bd4 22. Ba3 Bf6 23. Nc3 Bh4 24. gxh4 Kd6 25. f4 Kc7 26. Rg4 Kc6 27. Rg5\n"
    "Kd6 28. Rg1 Kd7 29. d4 Kc6 30. Na4 Kd5 31. Qb1 Kc6 32. Kd2 Kd6 33. Rg4 Ke7 34.\n"
    "Nb2 Kf6 35. Rg1 Kf5 36. Kc3 Ke6 37. e3 Kf6 38. Kd2 Kf5 39. Ke1 Ke4 40. Be2 Kf5\n"
    "41. Bd3+ Kf6 42. f5 Ke7 43. c3 *\n";

// The saved-game bytes of a move list: the count, then from and to of each
// move, all little-endian 16-bit words.
inline std::string QlnBytes(const MoveList& moves) {
    std::string bytes;
    const auto append = [&bytes](int word) {
        bytes += static_cast<char>(word & 0xff);
        bytes += static_cast<char>((word >> 8) & 0xff);
    };
    append(static_cast<int>(moves.size()));
    for (const auto& [from, to] : moves) {
        append(from);
        append(to);
    }
    return bytes;
}
