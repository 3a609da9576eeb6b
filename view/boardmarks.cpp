#include "view/boardmarks.h"

#include <QFont>
#include <QPainter>

#include "view/boardgeometry.h"

namespace {

// Translucent, so that light and dark cells stay told apart under a tint.
const QColor kLastMoveTint(255, 200, 0, 110);
const QColor kCheckTint(230, 20, 20, 150);
const QColor kSelectedFrame(30, 150, 60);
const QColor kHintFrame(150, 40, 200);
const QColor kTargetColour(20, 60, 20, 110);
const QColor kCursorColour(255, 120, 0);
// Dark on the panel's grey round the board.
const QColor kCoordinateColour(40, 40, 40);

constexpr qreal kDotShare = 0.28;  // diameter of a target dot, of the cell
constexpr qreal kRingWidth = 4;    // board units
constexpr qreal kHintWidth = 4;
constexpr qreal kCursorWidth = 3;
constexpr qreal kSelectedWidth = 3;
constexpr int kCoordinatePixelSize = 13;

QRectF CellRect(int square, bool flipped) {
    return QRectF(CellOrigin(square, flipped), QSizeF(kCellSize, kCellSize));
}

void Tint(QPainter& painter, int square, bool flipped, const QColor& colour) {
    painter.fillRect(CellRect(square, flipped), colour);
}

// A frame drawn just inside the cell.
void Frame(QPainter& painter, int square, bool flipped, const QColor& colour, qreal width) {
    painter.setPen(QPen(colour, width));
    painter.setBrush(Qt::NoBrush);
    const qreal inset = width / 2;
    painter.drawRect(CellRect(square, flipped).adjusted(inset, inset, -inset, -inset));
}

void DrawTarget(QPainter& painter, int square, bool occupied, bool flipped) {
    const QRectF cell = CellRect(square, flipped);
    if (occupied) {
        painter.setPen(QPen(kTargetColour, kRingWidth));
        painter.setBrush(Qt::NoBrush);
        const qreal inset = kRingWidth / 2;
        painter.drawEllipse(cell.adjusted(inset, inset, -inset, -inset));
        return;
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(kTargetColour);
    const qreal radius = kDotShare * kCellSize / 2;
    painter.drawEllipse(cell.center(), radius, radius);
}

// Ranks in the margin left of the cells, files in the margin below them,
// where no piece can cover them.
void DrawCoordinates(QPainter& painter, bool flipped) {
    QFont font = painter.font();
    font.setPixelSize(kCoordinatePixelSize);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(kCoordinateColour);
    painter.setBackgroundMode(Qt::TransparentMode);
    const int bottomRow = kBoardCells - 1;
    const int marginStart = kBoardOrigin - kCoordinateMargin;
    const int boardEnd = kBoardOrigin + kBoardCells * kCellSize;
    for (int cell = 0; cell < kBoardCells; ++cell) {
        const int rank = flipped ? cell : bottomRow - cell;
        const int file = flipped ? bottomRow - cell : cell;
        const int along = kBoardOrigin + kCellSize * cell;
        painter.drawText(QRect(marginStart, along, kCoordinateMargin, kCellSize), Qt::AlignCenter,
                         QString(QChar('1' + rank)));
        painter.drawText(QRect(along, boardEnd, kCellSize, kCoordinateMargin), Qt::AlignCenter,
                         QString(QChar('a' + file)));
    }
}

}  // namespace

void DrawMarksUnderPieces(QPainter& painter, const BoardMarks& marks, bool flipped) {
    painter.save();
    if (marks.lastMove) {
        Tint(painter, marks.lastMove->from, flipped, kLastMoveTint);
        Tint(painter, marks.lastMove->to, flipped, kLastMoveTint);
    }
    if (marks.checkedKing) Tint(painter, *marks.checkedKing, flipped, kCheckTint);
    if (marks.selected) Frame(painter, *marks.selected, flipped, kSelectedFrame, kSelectedWidth);
    painter.restore();
}

void DrawMarksOverPieces(QPainter& painter, const BoardMarks& marks,
                         const PublishedPosition& position, bool flipped) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (marks.hint) {
        Frame(painter, marks.hint->from, flipped, kHintFrame, kHintWidth);
        Frame(painter, marks.hint->to, flipped, kHintFrame, kHintWidth);
    }
    for (int square : marks.targets) {
        DrawTarget(painter, square, position.board[square] != 0, flipped);
    }
    if (marks.cursor) Frame(painter, *marks.cursor, flipped, kCursorColour, kCursorWidth);
    if (marks.coordinates) DrawCoordinates(painter, flipped);
    painter.restore();
}
