#include "engine/perft.h"

uint64_t Perft(Chessgame& game, int depth, uint64_t* legalityCalls) {
    const int side = g_sideToMove;
    const SquareSet own = side == kWhite ? game.m_whitePieces : game.m_blackPieces;
    uint64_t leaves = 0;
    for (int from = 0; from < kSquareCount; ++from) {
        if (!own[from]) continue;
        for (int to = 0; to < kSquareCount; ++to) {
            if (legalityCalls != nullptr) ++*legalityCalls;
            if (!game.IsMoveLegal(from, to, side, 1)) continue;
            if (depth == 1) {
                ++leaves;
                continue;
            }
            PositionState saved;
            game.SavePosition(saved);
            game.MakeMove(from, to, 1);
            leaves += Perft(game, depth - 1, legalityCalls);
            game.RestorePosition(saved);
            g_sideToMove = static_cast<int16_t>(side);
        }
    }
    return leaves;
}
