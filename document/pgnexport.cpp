#include "document/pgnexport.h"

#include <algorithm>
#include <cstdlib>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "document/clockcomment.h"
#include "document/tesseldoc.h"
#include "engine/chessgame.h"
#include "engine/piecetable.h"
#include "engine/squarenames.h"

namespace {

// Export format keeps every line shorter than 80 characters.
constexpr std::size_t kMaxLineLength = 79;

const char* const kUnfinished = "*";

bool IsPawn(int16_t cell) { return std::abs(cell) == kPawnValue; }

bool IsCastling(int16_t cell, int from, int to) {
    return std::abs(cell) == kKingValue && std::abs(to - from) == kCastlingDistance;
}

bool IsPromotion(int16_t cell, int to) {
    return IsPawn(cell) && (RankOf(to) == kLastRank || RankOf(to) == 0);
}

bool HasAnyLegalMove(Chessgame& game, int side) {
    for (int from = 0; from < kSquareCount; ++from) {
        if (game.m_board[from] * side <= 0) continue;
        for (int to = 0; to < kSquareCount; ++to) {
            if (game.IsMoveLegal(from, to, side, 1)) return true;
        }
    }
    return false;
}

// The shortest origin hint that tells the mover apart from the other pieces
// of its kind that could legally go to the same square: file, else rank,
// else both.
std::string Disambiguation(Chessgame& game, int from, int to, int side) {
    bool rivalExists = false;
    bool rivalOnFile = false;
    bool rivalOnRank = false;
    for (int square = 0; square < kSquareCount; ++square) {
        if (square == from || game.m_board[square] != game.m_board[from]) continue;
        if (!game.IsMoveLegal(square, to, side, 1)) continue;
        rivalExists = true;
        rivalOnFile = rivalOnFile || FileOf(square) == FileOf(from);
        rivalOnRank = rivalOnRank || RankOf(square) == RankOf(from);
    }
    if (!rivalExists) return "";
    if (!rivalOnFile) return {FileLetter(from)};
    if (!rivalOnRank) return {RankDigit(from)};
    return SquareName(from);
}

// The move as SAN without its check suffix, read from the position before
// the move is made.
std::string SanBeforeMove(Chessgame& game, int from, int to, int side) {
    const int16_t mover = game.m_board[from];
    if (IsCastling(mover, from, to)) return to < from ? "O-O" : "O-O-O";

    const bool capture = game.m_board[to] != 0;
    std::string san;
    if (IsPawn(mover)) {
        if (capture) san += FileLetter(from);
    } else {
        san += PieceKindOf(mover)->letter;
        san += Disambiguation(game, from, to, side);
    }
    if (capture) san += 'x';
    san += SquareName(to);
    if (IsPromotion(mover, to)) san += "=Q";
    return san;
}

std::string CheckSuffix(Chessgame& game, int defender) {
    const int king = game.m_kingSquare[SideIndex(defender)];
    if (!game.IsKingAttacked(king, king, defender)) return "";
    return HasAnyLegalMove(game, defender) ? "+" : "#";
}

struct Movetext {
    std::vector<std::string> sanMoves;
    // False when the list holds a move that is not legal where it stands;
    // the moves before it are kept and the game counts as unfinished.
    bool complete = true;
};

// Replays the moves on a fresh position, without touching the process-wide
// side to move.
Movetext ReplayAsSan(std::span<const MoveEntry> moves) {
    Movetext text;
    Chessgame game;
    int side = kWhite;
    for (const MoveEntry& move : moves) {
        if (!game.IsMoveLegal(move.from, move.to, side, 1)) {
            text.complete = false;
            break;
        }
        std::string san = SanBeforeMove(game, move.from, move.to, side);
        game.MakeMoveForSide(move.from, move.to, side, 0);
        san += CheckSuffix(game, -side);
        text.sanMoves.push_back(std::move(san));
        side = -side;
    }
    return text;
}

std::string ResultOf(const CTesselDoc& doc) {
    if (doc.m_matedSide == kBlack || doc.m_resignedSide == kBlack) return "1-0";
    if (doc.m_matedSide == kWhite || doc.m_resignedSide == kWhite) return "0-1";
    if (doc.m_drawn) return "1/2-1/2";
    if (doc.m_flaggedSide == kWhite) return "0-1";
    if (doc.m_flaggedSide == kBlack) return "1-0";
    return kUnfinished;
}

// How the game ended, in the words of the standard's Termination tag.
std::string TerminationOf(const CTesselDoc& doc) {
    if (doc.m_flaggedSide != 0) return "time forfeit";
    return ResultOf(doc) == kUnfinished ? "unterminated" : "normal";
}

std::pair<std::string, std::string> PlayerNames(int playMode) {
    switch (playMode) {
        case kPlayWhite:
            return {"Player", "Quillon"};
        case kPlayBlack:
            return {"Quillon", "Player"};
        case kPlayComputerVsComputer:
            return {"Quillon", "Quillon"};
        case kUnknownPlayMode:
            return {"?", "?"};
        default:
            return {"Player 1", "Player 2"};
    }
}

std::string Tag(const std::string& name, const std::string& value) {
    return "[" + name + " \"" + value + "\"]\n";
}

// A timed game's control and its clocks after each move, [0] the start;
// no clocks for a game without a limit.
struct GameClocks {
    TimeControl control;
    std::vector<ClockTimes> history;
};

// A clock comment follows each move whose time is known, as a single token
// so that wrapping never splits it.
std::vector<std::string> MovetextTokens(const std::vector<std::string>& sanMoves,
                                        const GameClocks& clocks, const std::string& result) {
    std::vector<std::string> tokens;
    for (std::size_t ply = 0; ply < sanMoves.size(); ++ply) {
        if (ply % 2 == 0) tokens.push_back(std::to_string(ply / 2 + 1) + ".");
        tokens.push_back(sanMoves[ply]);
        if (clocks.control.IsTimed() && ply + 1 < clocks.history.size()) {
            const int mover = ply % 2 == 0 ? kWhite : kBlack;
            tokens.push_back("{" + FormatClockComment(clocks.history[ply + 1].Of(mover)) + "}");
        }
    }
    tokens.push_back(result);
    return tokens;
}

std::string WrapTokens(const std::vector<std::string>& tokens) {
    std::string text;
    std::size_t lineLength = 0;
    for (const std::string& token : tokens) {
        if (lineLength > 0 && lineLength + 1 + token.size() > kMaxLineLength) {
            text += '\n';
            lineLength = 0;
        } else if (lineLength > 0) {
            text += ' ';
            ++lineLength;
        }
        text += token;
        lineLength += token.size();
    }
    return text + '\n';
}

}  // namespace

std::vector<std::string> SanMoves(std::span<const MoveEntry> moves) {
    return ReplayAsSan(moves).sanMoves;
}

namespace {

// finishedResult is the result when every move is legal; termination, when
// not empty, goes into the Termination tag.
std::string ComposePgn(std::span<const MoveEntry> moves, int playMode, const std::string& date,
                       const std::string& finishedResult, const GameClocks& clocks = {},
                       const std::string& termination = {}) {
    const Movetext movetext = ReplayAsSan(moves);
    const std::string result = movetext.complete ? finishedResult : kUnfinished;
    const auto [white, black] = PlayerNames(playMode);

    std::string pgn;
    pgn += Tag("Event", "Quillon game");
    pgn += Tag("Site", "?");
    pgn += Tag("Date", date);
    pgn += Tag("Round", "-");
    pgn += Tag("White", white);
    pgn += Tag("Black", black);
    pgn += Tag("Result", result);
    if (clocks.control.IsTimed()) pgn += Tag("TimeControl", PgnTimeControl(clocks.control));
    if (!termination.empty())
        pgn += Tag("Termination", movetext.complete ? termination : "unterminated");
    pgn += '\n';
    pgn += WrapTokens(MovetextTokens(movetext.sanMoves, clocks, result));
    return pgn;
}

}  // namespace

std::string ExportPgn(const CTesselDoc& doc, const std::string& date) {
    return ExportPgn(doc, doc.m_playMode, date);
}

std::string ExportPgn(const CTesselDoc& doc, int playMode, const std::string& date) {
    const std::size_t count =
        std::min(static_cast<std::size_t>(std::max<int>(doc.m_moveCount, 0)), doc.m_moves.size());
    const GameClocks clocks{doc.m_countdown.Control(), doc.m_countdown.History()};
    // Timed games and the computer's games against itself say how they ended,
    // which a loss on time needs.
    const bool saysHow = clocks.control.IsTimed() || playMode == kPlayComputerVsComputer;
    return ComposePgn(std::span(doc.m_moves.data(), count), playMode, date, ResultOf(doc), clocks,
                      saysHow ? TerminationOf(doc) : std::string());
}
