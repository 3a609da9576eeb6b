#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <cstdint>
#include <optional>

// Where everything sits in the view, in board units: view pixels at the
// view's smallest size. A larger view draws the same layout scaled.
constexpr int kBoardOrigin = 10;  // x and y of the board's top-left corner
constexpr int kCellSize = 40;
constexpr int kBoardCells = 8;
constexpr int kPieceImageSize = 40;
constexpr QPoint kPieceHotSpot(kPieceImageSize / 2, kPieceImageSize / 2);

// Wide enough for the status box at the right of the board.
constexpr QSize kViewSize(570, 440);
// What a printed page shows: the board, the side to move and the clocks.
constexpr QRect kPrintedRect(0, 0, 350, 430);

constexpr QPoint kSideToMovePos(110, 340);
constexpr QPoint kWhiteLabelPos(70, 370);
constexpr QPoint kBlackLabelPos(220, 370);
constexpr QPoint kWhiteTimePos(70, 400);
constexpr QPoint kBlackTimePos(220, 400);
constexpr QSize kClockTimeSize(100, 30);
constexpr QRect kStatusBox(370, 170, 190, 130);

inline const QColor kPanelColour(225, 225, 225);
inline const QColor kLightCellColour(255, 255, 255);
inline const QColor kDarkCellColour(139, 185, 254);
inline const QColor kTextColour(192, 0, 0);
inline const QColor kClockTimeColour(0, 0, 0);

// The square under a point in board units, or none off the board. Flipped,
// Black is at the bottom.
std::optional<int> SquareAt(QPoint point, bool flipped = false);
// Top-left corner of the cell that shows a square; White is at the bottom
// unless flipped.
QPoint CellOrigin(int square, bool flipped = false);
QPoint SquareCentre(int square, bool flipped = false);
// Index into the twelve piece images: 2 * kind + colour, kinds pawn to king,
// colour 0 for White. Negative for a value that is not a piece.
int PieceImageIndex(int16_t value);
