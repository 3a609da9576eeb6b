#pragma once

#include <QList>
#include <QPixmap>
#include <QString>
#include <cstdint>

#include "document/chessclock.h"
#include "document/tesseldoc.h"

class QPainter;
struct BoardMarks;

// One clock as the window shows it.
struct ClockFace {
    QString text;
    // The clock of the side to move in a timed game: framed.
    bool marked = false;
    // Under ten seconds in a timed game: red.
    bool low = false;

    bool operator==(const ClockFace&) const = default;
};

// The clocks of a game without a limit: the time each side has used.
ClockFace UsedTimeFace(int64_t seconds);

// The one font of the view's texts: a bold sans-serif face at a size at
// which every text fits its place.
QFont ViewFont();

// The board with the side to move and the clock times on a printer's page,
// scaled to fill most of it: White at the bottom, none of the screen's marks.
void PrintPosition(QPainter& painter, const QRect& page, const PublishedPosition& position,
                   const ClockFace& whiteClock, const ClockFace& blackClock);

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
    // "Viewing move 12 of 40 - End returns to the game", in two lines split
    // at the dash.
    void DrawViewingText(const QString& text);
    // "White" and "Black" unless the players are named.
    void DrawClockLabels(const QString& white = {}, const QString& black = {});
    void DrawClockTimes(const ClockFace& white, const ClockFace& black);
    // Each "\n\r" ends a line; lines are centred in the box and wrapped at
    // its width.
    void DrawStatus(const QString& status);
    // A thin black line between the centres of the move's two squares.
    void DrawLastMoveLine(const MoveEntry& move, bool flipped = false);

private:
    void DrawCells();
    // The text's bounds.
    QRect DrawText(QPoint topLeft, const QString& text, const QColor& colour);
    void DrawClockTime(QPoint topLeft, const ClockFace& face);

    QPainter& m_painter;
    const QList<QPixmap>& m_pieceImages;
};
