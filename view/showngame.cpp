#include "view/showngame.h"

namespace {

constexpr int kCheckOwnership = 1;
constexpr int kKeepSide = 0;

}  // namespace

ShownGame::ShownGame() = default;

void ShownGame::Reset(std::span<const MoveEntry> moves) {
    m_moves.clear();
    m_position = Chessgame();
    m_side = kWhite;
    for (const MoveEntry& move : moves) Append(move);
}

// The process-wide side to move is not touched: the side is kept here.
void ShownGame::Append(const MoveEntry& move) {
    m_position.MakeMoveForSide(move.from, move.to, m_side, kKeepSide);
    m_moves.push_back(move);
    m_side = -m_side;
}

std::optional<MoveEntry> ShownGame::LastMove() const {
    if (m_moves.empty()) return std::nullopt;
    return m_moves.back();
}

PublishedPosition ShownGame::Position() const {
    return {m_position.m_board, static_cast<int16_t>(m_side)};
}

bool ShownGame::Shows(const PublishedPosition& position) const {
    return m_position.m_board == position.board && m_side == position.sideToMove;
}

std::vector<int> ShownGame::LegalTargets(int from) {
    std::vector<int> targets;
    if (from < 0 || from >= kSquareCount || m_position.m_board[from] * m_side <= 0) return targets;
    for (int to = 0; to < kSquareCount; ++to) {
        if (to != from && m_position.IsMoveLegal(from, to, m_side, kCheckOwnership)) {
            targets.push_back(to);
        }
    }
    return targets;
}

std::optional<int> ShownGame::CheckedKing() {
    const int king = m_position.m_kingSquare[SideIndex(m_side)];
    if (!m_position.IsKingAttacked(king, king, m_side)) return std::nullopt;
    return king;
}
