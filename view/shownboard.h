#pragma once

#include <optional>
#include <span>
#include <vector>

#include "document/tesseldoc.h"
#include "view/boardmarks.h"
#include "view/showngame.h"
#include "view/viewsettings.h"

// What the board shows: the position as the last step left it, the line of
// the move just made, the game so far, the player's selection and the hint.
class ShownBoard {
public:
    explicit ShownBoard(const PublishedPosition& position) : m_position(position) {}

    const PublishedPosition& Position() const { return m_position; }
    const std::optional<MoveEntry>& MoveLine() const { return m_moveLine; }
    const std::vector<MoveEntry>& Moves() const { return m_game.Moves(); }
    const std::optional<int>& Selected() const { return m_selected; }
    const std::vector<int>& Targets() const { return m_targets; }
    const std::optional<MoveEntry>& Hint() const { return m_hint; }

    // A position after a move, or afresh; true when the game gained the move.
    // The selection and the hint go.
    bool Show(const PublishedPosition& position, std::optional<MoveEntry> lastMove);
    void ResetMoves(std::span<const MoveEntry> moves);
    void SetHint(std::optional<MoveEntry> hint) { m_hint = hint; }

    bool IsOwnPiece(int square) const;
    // What a click on the square does: move the selected piece there (without
    // the targets on the screen any square but one's own tries the move),
    // select one's own piece, or clear the selection.
    enum class Click { Move, Select, Clear };
    Click ClickOn(int square, bool targetsShown) const;
    // The piece on the square and where the rules let it go.
    void Select(int square);
    // True when something was selected.
    bool ClearSelection();

    // The marks the settings ask for; the keyboard's square is the board's.
    BoardMarks Marks(const ViewSettings& settings) const;

private:
    PublishedPosition m_position;
    std::optional<MoveEntry> m_moveLine;
    ShownGame m_game;
    std::optional<int> m_checkedKing;
    std::optional<int> m_selected;
    std::vector<int> m_targets;
    std::optional<MoveEntry> m_hint;
};
