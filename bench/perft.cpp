// Counts the leaf positions of the move tree from the starting position by
// asking IsMoveLegal about every from/to pair, and reports how fast it went.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "engine/chessgame.h"

namespace {

constexpr int kDefaultDepth = 5;

uint64_t g_legalityCalls = 0;

uint64_t Perft(Chessgame& game, int depth) {
    const int side = g_sideToMove;
    const SquareSet own = side == kWhite ? game.m_whitePieces : game.m_blackPieces;
    uint64_t leaves = 0;
    for (int from = 0; from < kSquareCount; ++from) {
        if (!own[from]) continue;
        for (int to = 0; to < kSquareCount; ++to) {
            ++g_legalityCalls;
            if (!game.IsMoveLegal(from, to, side, 1)) continue;
            if (depth == 1) {
                ++leaves;
                continue;
            }
            PositionState saved;
            game.SavePosition(saved);
            game.MakeMove(from, to, 1);
            leaves += Perft(game, depth - 1);
            game.RestorePosition(saved);
            g_sideToMove = static_cast<int16_t>(side);
        }
    }
    return leaves;
}

}  // namespace

int main(int argc, char** argv) {
    const int depth = argc > 1 ? std::atoi(argv[1]) : kDefaultDepth;
    Chessgame game;
    g_sideToMove = kWhite;
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t processorStart = std::clock();
    const uint64_t leaves = Perft(game, depth);
    const double processor = static_cast<double>(std::clock() - processorStart) / CLOCKS_PER_SEC;
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    // Processor time as well as wall time: on a shared machine the wall
    // clock also counts the time other processes had the processor.
    std::printf("perft(%d) = %llu\n", depth, static_cast<unsigned long long>(leaves));
    std::printf("time: %.3f s wall, %.3f s processor\n", elapsed.count(), processor);
    std::printf("IsMoveLegal calls: %llu (%.1f million per processor second)\n",
                static_cast<unsigned long long>(g_legalityCalls),
                g_legalityCalls / processor / 1e6);
    return 0;
}
