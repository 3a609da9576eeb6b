// Plays games of random legal moves with fixed seeds and writes, for each,
// the PGN export (game-N.pgn) and the final position as the engine has it
// (game-N.position: FEN piece placement and side to move), so that a PGN
// reader we did not write can read the games back and compare.

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "document/pgnexport.h"
#include "document/tesseldoc.h"
#include "engine/chessgame.h"

namespace {

constexpr int kGameCount = 12;
constexpr unsigned kFirstSeed = 2026;
constexpr int kMaxPlies = 360;
constexpr int kCastlingKingStep = 2;
const std::string kDate = "2026.12.06";

struct Move {
    int from;
    int to;
};

std::vector<Move> LegalMoves(Chessgame& game, int side) {
    std::vector<Move> moves;
    for (int from = 0; from < kSquareCount; ++from) {
        if (game.m_board[from] * side <= 0) continue;
        for (int to = 0; to < kSquareCount; ++to) {
            if (game.IsMoveLegal(from, to, side, 1)) moves.push_back({from, to});
        }
    }
    return moves;
}

bool InCheck(Chessgame& game, int side) {
    const int king = game.m_kingSquare[SideIndex(side)];
    return game.IsKingAttacked(king, king, side);
}

bool GivesMate(const Chessgame& game, Move move, int side) {
    Chessgame trial(game);
    trial.MakeMoveForSide(move.from, move.to, side, 0);
    return InCheck(trial, -side) && LegalMoves(trial, -side).empty();
}

bool IsCastling(const Chessgame& game, Move move) {
    return std::abs(game.m_board[move.from]) == kKingValue &&
           std::abs(move.to - move.from) == kCastlingKingStep;
}

bool IsPromotion(const Chessgame& game, Move move) {
    const int lastRankOfMover = game.m_board[move.from] > 0 ? 7 : 0;
    return std::abs(game.m_board[move.from]) == kPawnValue && move.to / 8 == lastRankOfMover;
}

// Purely random play seldom castles, promotes or mates; taking those moves
// whenever they are on offer makes the games exercise every kind of SAN.
Move ChooseMove(const Chessgame& game, const std::vector<Move>& moves, int side,
                std::mt19937& random) {
    for (const Move move : moves) {
        if (GivesMate(game, move, side)) return move;
    }
    for (const Move move : moves) {
        if (IsCastling(game, move) || IsPromotion(game, move)) return move;
    }
    std::uniform_int_distribution<std::size_t> pick(0, moves.size() - 1);
    return moves[pick(random)];
}

char FenLetter(int16_t cell) {
    char letter = 'p';
    switch (std::abs(cell)) {
        case kKnightValue:
            letter = 'n';
            break;
        case kBishopValue:
            letter = 'b';
            break;
        case kRookValue:
            letter = 'r';
            break;
        case kQueenValue:
            letter = 'q';
            break;
        case kKingValue:
            letter = 'k';
            break;
    }
    return cell > 0 ? static_cast<char>(letter - 'a' + 'A') : letter;
}

std::string FenPosition(const Chessgame& game, int sideToMove) {
    std::string fen;
    for (int rank = 7; rank >= 0; --rank) {
        int empty = 0;
        for (int file = 0; file < 8; ++file) {
            const int16_t cell = game.m_board[8 * rank + 7 - file];
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

// Plays one game into the document and answers the final position.
std::string PlayGame(CTesselDoc& doc, unsigned seed) {
    std::mt19937 random(seed);
    Chessgame game;
    int side = kWhite;
    doc.m_moves.clear();
    for (int ply = 0; ply < kMaxPlies; ++ply) {
        const std::vector<Move> moves = LegalMoves(game, side);
        if (moves.empty()) {
            if (InCheck(game, side)) {
                doc.m_matedSide = static_cast<int16_t>(side);
            } else {
                doc.m_drawn = true;
            }
            break;
        }
        const Move move = ChooseMove(game, moves, side, random);
        game.MakeMoveForSide(move.from, move.to, side, 0);
        doc.m_moves.push_back({static_cast<int16_t>(move.from), static_cast<int16_t>(move.to)});
        side = -side;
    }
    doc.m_moveCount = static_cast<int16_t>(doc.m_moves.size());
    return FenPosition(game, side);
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
    for (int i = 0; i < kGameCount; ++i) {
        CTesselDoc doc;
        doc.m_playMode = i % 3;
        const std::string position = PlayGame(doc, kFirstSeed + i);
        const std::string stem = directory + "/game-" + std::to_string(i + 1);
        if (!WriteFile(stem + ".pgn", ExportPgn(doc, kDate)) ||
            !WriteFile(stem + ".position", position + "\n")) {
            std::cerr << "cannot write " << stem << "\n";
            return 1;
        }
    }
    return 0;
}
