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
// The margin round the cells that holds the coordinates when they are shown.
constexpr int kCoordinateMargin = 18;
constexpr QPoint kPieceHotSpot(kPieceImageSize / 2, kPieceImageSize / 2);

// The board with its margin, drawn by the board widget.
constexpr QRect kBoardArea(0, 0, 2 * kBoardOrigin + kBoardCells * kCellSize,
                           2 * kBoardOrigin + kBoardCells * kCellSize);
// The whole layout: the board with the side to move and the clocks below
// it, the move list and the status box in a column at its right. A larger
// view draws it scaled, down to three quarters of this size.
constexpr QSize kViewSize(530, 440);
constexpr qreal kSmallestScale = 0.75;
constexpr QRect kMoveListRect(345, 10, 180, 280);
constexpr QRect kStatusBox(340, 300, 190, 130);
// What a printed page shows: the board, the side to move and the clocks.
constexpr QRect kPrintedRect(0, 0, 350, 430);

constexpr QPoint kSideToMovePos(110, 340);
constexpr QPoint kWhiteLabelPos(70, 370);
// Where the text that an earlier position is shown stands instead: between
// the board widget, which would hide its top, and the clock labels.
constexpr QRect kViewingTextRect(kBoardOrigin, kBoardArea.height(), kBoardCells* kCellSize,
                                 kWhiteLabelPos.y() - kBoardArea.height());
constexpr QPoint kBlackLabelPos(220, 370);
constexpr QPoint kWhiteTimePos(70, 400);
constexpr QPoint kBlackTimePos(220, 400);
constexpr QSize kClockTimeSize(100, 30);

inline const QColor kPanelColour(225, 225, 225);
inline const QColor kLightCellColour(255, 255, 255);
inline const QColor kDarkCellColour(139, 185, 254);
inline const QColor kTextColour(192, 0, 0);
inline const QColor kClockTimeColour(0, 0, 0);
inline const QColor kLowClockTimeColour(220, 0, 0);

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
