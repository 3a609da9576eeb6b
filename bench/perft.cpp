// Counts the leaf positions of the move tree from the starting position by
// asking IsMoveLegal about every from/to pair, and reports how fast it went.
#include "engine/perft.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "engine/chessgame.h"

namespace {

constexpr int kDefaultDepth = 5;

}  // namespace

int main(int argc, char** argv) {
    const int depth = argc > 1 ? std::atoi(argv[1]) : kDefaultDepth;
    Chessgame game;
    g_sideToMove = kWhite;
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t processorStart = std::clock();
    uint64_t legalityCalls = 0;
    const uint64_t leaves = Perft(game, depth, &legalityCalls);
    const double processor = static_cast<double>(std::clock() - processorStart) / CLOCKS_PER_SEC;
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    // Processor time as well as wall time: on a shared machine the wall
    // clock also counts the time other processes had the processor.
    std::printf("perft(%d) = %llu\n", depth, static_cast<unsigned long long>(leaves));
    std::printf("time: %.3f s wall, %.3f s processor\n", elapsed.count(), processor);
    std::printf("IsMoveLegal calls: %llu (%.1f million per processor second)\n",
                static_cast<unsigned long long>(legalityCalls), legalityCalls / processor / 1e6);
    return 0;
}
