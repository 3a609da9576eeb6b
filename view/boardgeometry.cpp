#include "view/boardgeometry.h"

#include <array>
#include <cstdlib>

#include "engine/chessgame.h"

namespace {

constexpr int kLastSquare = kSquareCount - 1;

// Flipping the board turns it half a turn: each square takes the cell of
// its mirror through the centre.
int Oriented(int square, bool flipped) { return flipped ? kLastSquare - square : square; }

}  // namespace

std::optional<int> SquareAt(QPoint point, bool flipped) {
    const int dx = point.x() - kBoardOrigin;
    const int dy = point.y() - kBoardOrigin;
    if (dx < 0 || dy < 0) return std::nullopt;
    const int col = dx / kCellSize;
    const int row = dy / kCellSize;
    if (col >= kBoardCells || row >= kBoardCells) return std::nullopt;
    return Oriented((kBoardCells - 1 - col) + kBoardCells * (kBoardCells - 1 - row), flipped);
}

QPoint CellOrigin(int square, bool flipped) {
    square = Oriented(square, flipped);
    const int lastCell = kBoardOrigin + (kBoardCells - 1) * kCellSize;
    return {lastCell - kCellSize * (square % kBoardCells),
            lastCell - kCellSize * (square / kBoardCells)};
}

QPoint SquareCentre(int square, bool flipped) {
    return CellOrigin(square, flipped) + QPoint(kCellSize / 2, kCellSize / 2);
}

int PieceImageIndex(int16_t value) {
    static constexpr std::array<int16_t, 6> kKindValues = {kPawnValue, kKnightValue, kBishopValue,
                                                           kRookValue, kQueenValue,  kKingValue};
    const int magnitude = std::abs(value);
    for (int kind = 0; kind < static_cast<int>(kKindValues.size()); ++kind) {
        if (kKindValues[kind] == magnitude) return 2 * kind + (value > 0 ? 0 : 1);
    }
    return -1;
}
