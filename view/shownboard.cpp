#include "view/shownboard.h"

#include <algorithm>

bool ShownBoard::Show(const PublishedPosition& position, std::optional<MoveEntry> lastMove) {
    m_position = position;
    m_moveLine = lastMove;
    // A step may show the same position again; a move is added only once.
    const bool grew = lastMove && !m_game.Shows(position);
    if (grew) m_game.Append(*lastMove);
    m_checkedKing = m_game.CheckedKing();
    m_hint.reset();
    ClearSelection();
    return grew;
}

void ShownBoard::ResetMoves(std::span<const MoveEntry> moves) {
    m_game.Reset(moves);
    m_checkedKing = m_game.CheckedKing();
}

bool ShownBoard::IsOwnPiece(int square) const {
    return m_position.board[square] * m_position.sideToMove > 0;
}

ShownBoard::Click ShownBoard::ClickOn(int square, bool targetsShown) const {
    const bool target =
        targetsShown ? std::find(m_targets.begin(), m_targets.end(), square) != m_targets.end()
                     : !IsOwnPiece(square);
    if (m_selected && square != *m_selected && target) return Click::Move;
    return IsOwnPiece(square) ? Click::Select : Click::Clear;
}

void ShownBoard::Select(int square) {
    m_selected = square;
    m_targets = m_game.LegalTargets(square);
}

bool ShownBoard::ClearSelection() {
    if (!m_selected && m_targets.empty()) return false;
    m_selected.reset();
    m_targets.clear();
    return true;
}

BoardMarks ShownBoard::Marks(const ViewSettings& settings) const {
    BoardMarks marks;
    if (settings.lastMove) marks.lastMove = m_game.LastMove();
    marks.checkedKing = m_checkedKing;
    marks.selected = m_selected;
    if (settings.legalMoves) marks.targets = m_targets;
    marks.hint = m_hint;
    marks.coordinates = settings.coordinates;
    return marks;
}
