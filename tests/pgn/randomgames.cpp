// Plays the named test games and seeded games of random legal moves
// (QUILLON_RULES_GAMES in all, 40 by default) through the document, as the
// window does, and writes for each game N, for readers we did not write:
// - game-N.pgn, the PGN export;
// - game-N.rules, one line per position: the board (FEN placement and side
//   to move), whether the side to move is in check, and every move the
//   engine allows there; then, unless the game has ended, the move played
//   and the document's check, mate and draw answers after it.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "document/pgnexport.h"
#include "document/tesseldoc.h"
#include "tests/support/boardsetup.h"
#include "tests/support/squarenames.h"
#include "tests/support/testgames.h"

namespace {

constexpr int kDefaultGameCount = 40;
constexpr unsigned kFirstSeed = 2026;
constexpr std::size_t kMaxPlies = 400;
constexpr int kCastlingKingStep = 2;
const std::string kDate = "2026.12.06";

bool GivesCheck(const Chessgame& game, LegalMove move, int side) {
    Chessgame trial(game);
    trial.MakeMoveForSide(move.from, move.to, side, 0);
    const int king = trial.m_kingSquare[SideIndex(-side)];
    return trial.IsKingAttacked(king, king, -side);
}

bool IsSpecial(const Chessgame& game, LegalMove move) {
    const int magnitude = std::abs(game.m_board[move.from]);
    const bool lastRank = move.to / kRankSize == 0 || move.to / kRankSize == kRankSize - 1;
    return (magnitude == kKingValue && std::abs(move.to - move.from) == kCastlingKingStep) ||
           (magnitude == kPawnValue && lastRank);
}

// Purely random play seldom castles, promotes, checks or ends a game;
// preferring those moves, and captures half the time, makes the games reach
// every kind of move and ending.
LegalMove ChooseMove(const Chessgame& game, const std::vector<LegalMove>& moves, int side,
                     std::mt19937& random) {
    std::vector<LegalMove> captures;
    for (const LegalMove move : moves) {
        if (IsSpecial(game, move)) return move;
        if (game.m_board[move.to] != 0) captures.push_back(move);
    }
    for (const LegalMove move : moves) {
        if (random() % 4 == 0 && GivesCheck(game, move, side)) return move;
    }
    const std::vector<LegalMove>& pool = !captures.empty() && random() % 2 == 0 ? captures : moves;
    return pool[std::uniform_int_distribution<std::size_t>(0, pool.size() - 1)(random)];
}

char FenLetter(int16_t cell) {
    constexpr int16_t kValues[] = {kPawnValue, kKnightValue, kBishopValue,
                                   kRookValue, kQueenValue,  kKingValue};
    const int16_t* value = std::find(std::begin(kValues), std::end(kValues), std::abs(cell));
    const char letter = "pnbrqk"[value - std::begin(kValues)];
    return cell > 0 ? static_cast<char>(std::toupper(letter)) : letter;
}

std::string FenPosition(const Chessgame& game, int sideToMove) {
    std::string fen;
    for (int rank = kRankSize - 1; rank >= 0; --rank) {
        int empty = 0;
        for (int file = 0; file < kRankSize; ++file) {
            const int16_t cell = game.m_board[kRankSize * rank + kRankSize - 1 - file];
            if (cell == 0) {
                ++empty;
                continue;
            }
            if (empty > 0) fen += std::to_string(empty);
            empty = 0;
            fen += FenLetter(cell);
        }
        if (empty > 0) fen += std::to_string(empty);
        if (rank > 0) fen += '/';
    }
    return fen + (sideToMove == kWhite ? " w" : " b");
}

std::string PositionLine(Chessgame& game, int side, const std::vector<LegalMove>& moves) {
    const int king = game.m_kingSquare[SideIndex(side)];
    std::string line =
        FenPosition(game, side) + (game.IsKingAttacked(king, king, side) ? " +" : " -");
    for (const LegalMove move : moves) line += " " + SquareName(move.from) + SquareName(move.to);
    return line;
}

// Plays one game into the document, the given moves first and then random
// ones, and answers its rules lines.
std::string PlayGame(CTesselDoc& doc, unsigned seed, const MoveList& opening) {
    std::mt19937 random(seed);
    std::ostringstream lines;
    for (std::size_t ply = 0; ply < kMaxPlies; ++ply) {
        Chessgame& game = *doc.m_pEngine;
        const int side = g_sideToMove;
        const std::vector<LegalMove> moves = LegalMoves(game, side);
        lines << PositionLine(game, side, moves) << "\n";
        if (moves.empty() || doc.m_drawn || doc.m_matedSide != 0) break;
        const LegalMove move = ply < opening.size()
                                   ? LegalMove{opening[ply].first, opening[ply].second}
                                   : ChooseMove(game, moves, side, random);
        doc.m_fromSquare = static_cast<int16_t>(move.from);
        doc.m_toSquare = static_cast<int16_t>(move.to);
        bool check = false;
        bool mate = false;
        if (!doc.MakeUserMove(check, mate)) {
            lines << "refused\n";
            break;
        }
        lines << "played " << SquareName(move.from) << SquareName(move.to) << " " << check << mate
              << doc.m_drawn << "\n";
    }
    return lines.str();
}

bool WriteFile(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary);
    file << text;
    return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: " << argv[0] << " OUTPUT-DIRECTORY\n";
        return 2;
    }
    const std::string directory = argv[1];
    const char* wanted = std::getenv("QUILLON_RULES_GAMES");
    const int games = wanted != nullptr ? std::atoi(wanted) : kDefaultGameCount;
    const MoveList named[] = {kFoolsMate, kStalemate};
    for (int i = 0; i < games; ++i) {
        CTesselDoc doc;
        doc.m_playMode = kPlayHumanVsHuman;
        doc.OnNewDocument();
        const std::string rules =
            PlayGame(doc, kFirstSeed + i, i < std::ssize(named) ? named[i] : MoveList{});
        doc.m_playMode = i % 3;
        const std::string stem = directory + "/game-" + std::to_string(i + 1);
        if (!WriteFile(stem + ".pgn", ExportPgn(doc, kDate)) ||
            !WriteFile(stem + ".rules", rules)) {
            std::cerr << "cannot write " << stem << "\n";
            return 1;
        }
    }
    return 0;
}
