#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "document/moveentry.h"
#include "engine/chessgame.h"

// Plays a game given in SAN on a position of its own: each move is matched
// against the moves the rules engine finds legal, so the game is held to
// Quillon's rules (no en-passant capture, promotion to a queen only).
class SanReader {
public:
    SanReader();

    // The move that san names for the side to move, made on the position;
    // empty, with the position unchanged and Refusal() saying why, when san
    // names no move Quillon plays here.
    std::optional<MoveEntry> Play(const std::string& san);
    const std::string& Refusal() const { return m_refusal; }

private:
    struct Wanted;
    // False when the token is not SAN.
    static bool Parse(std::string_view san, Wanted& wanted);
    std::optional<MoveEntry> Find(const Wanted& wanted);
    std::optional<MoveEntry> FindCastling(bool kingSide);
    bool IsEnPassant(const Wanted& wanted);
    void Refuse(const std::string& why);

    Chessgame m_game;
    int m_side = kWhite;
    std::optional<MoveEntry> m_lastMove;
    std::string m_refusal;
};
