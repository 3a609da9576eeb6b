#pragma once

#include <optional>
#include <span>
#include <vector>

#include "document/tesseldoc.h"
#include "engine/chessgame.h"

// The game as the view shows it, replayed on a position of its own so that
// the rules engine can answer questions about it on the user-interface
// thread while the document's engine may be busy elsewhere.
class ShownGame {
public:
    ShownGame();

    void Reset(std::span<const MoveEntry> moves);
    void Append(const MoveEntry& move);

    const std::vector<MoveEntry>& Moves() const { return m_moves; }
    std::optional<MoveEntry> LastMove() const;
    PublishedPosition Position() const;
    // The position is the one published.
    bool Shows(const PublishedPosition& position) const;
    // The squares the piece on from may legally move to, by the rules
    // engine; none when it is not a piece of the side to move.
    std::vector<int> LegalTargets(int from);
    // The square of the side to move's king when it is in check.
    std::optional<int> CheckedKing();

private:
    std::vector<MoveEntry> m_moves;
    Chessgame m_position;
    int m_side = kWhite;
};
