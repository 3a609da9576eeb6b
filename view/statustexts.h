#pragma once

// The texts of the status box; "\n\r" ends a line.
inline constexpr char kInvalidMoveText[] = "Invalid Move";
inline constexpr char kCheckText[] = "\n\rKing in Check!";
inline constexpr char kDrawnText[] = "Game Drawn";
// %1 is the winner, "White" or "Black".
inline constexpr char kCheckmateText[] = "Checkmate!\n\rGame over\n\r\n\r%1 wins!";
