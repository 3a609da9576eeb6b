#pragma once

#include <QList>
#include <QPixmap>
#include <QString>
#include <cstdint>

#include "document/chessclock.h"
#include "document/tesseldoc.h"

class QPainter;
struct BoardMarks;

// The one font of the view's texts: a bold sans-serif face at a size at
// which every text fits its place.
QFont ViewFont();

// The board with the side to move and the clock times on a printer's page,
// scaled to fill most of it: White at the bottom, none of the screen's marks.
void PrintPosition(QPainter& painter, const QRect& page, const PublishedPosition& position,
                   const ChessClock::Reading& clocks);

// Draws the parts of the view on a surface, the window's or a printer's, in
// board units.
class BoardPainter {
public:
    BoardPainter(QPainter& painter, const QList<QPixmap>& pieceImages);

    void FillPanel(const QRect& area);
    // The 64 cells and the pieces standing on them, with the screen's marks
    // when given.
    void DrawBoard(const PublishedPosition& position, bool flipped = false,
                   const BoardMarks* marks = nullptr);
    void DrawSideToMove(int side);
    void DrawClockLabels();
    void DrawClockTimes(int64_t whiteSeconds, int64_t blackSeconds);
    // Each "\n\r" ends a line; lines are centred in the box and wrapped at
    // its width.
    void DrawStatus(const QString& status);
    // A thin black line between the centres of the move's two squares.
    void DrawLastMoveLine(const MoveEntry& move, bool flipped = false);

private:
    void DrawCells();
    void DrawText(QPoint topLeft, const QString& text, const QColor& colour);

    QPainter& m_painter;
    const QList<QPixmap>& m_pieceImages;
};
