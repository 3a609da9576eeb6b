#pragma once

#include <optional>
#include <vector>

#include "document/tesseldoc.h"

class QPainter;

// What the screen shows on the board besides the pieces. Print shows none
// of it.
struct BoardMarks {
    std::optional<MoveEntry> lastMove;
    std::optional<int> checkedKing;
    std::optional<int> selected;
    // Where the selected or dragged piece may go.
    std::vector<int> targets;
    std::optional<MoveEntry> hint;
    // The keyboard's square, once a key has been used.
    std::optional<int> cursor;
    bool coordinates = false;
};

// Both draw in board units. The tints go under the pieces, so that a piece
// stays fully visible on its square.
void DrawMarksUnderPieces(QPainter& painter, const BoardMarks& marks, bool flipped);
// Target dots on empty squares and rings round pieces that may be taken,
// the keyboard's square and the coordinates.
void DrawMarksOverPieces(QPainter& painter, const BoardMarks& marks,
                         const PublishedPosition& position, bool flipped);
