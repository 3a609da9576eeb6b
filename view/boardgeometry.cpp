#include "view/boardgeometry.h"

#include "engine/chessgame.h"
#include "engine/piecetable.h"
#include "engine/squarenames.h"

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
    // Files run left to right from a, ranks bottom to top from 1.
    return Oriented(SquareAt(col, kLastRank - row), flipped);
}

QPoint CellOrigin(int square, bool flipped) {
    square = Oriented(square, flipped);
    return {kBoardOrigin + kCellSize * FileOf(square),
            kBoardOrigin + kCellSize * (kLastRank - RankOf(square))};
}

QPoint SquareCentre(int square, bool flipped) {
    return CellOrigin(square, flipped) + QPoint(kCellSize / 2, kCellSize / 2);
}

int PieceImageIndex(int16_t value) {
    const int kind = KindIndexOf(value);
    if (kind == kNoKind) return -1;
    return 2 * kind + (value > 0 ? 0 : 1);
}
