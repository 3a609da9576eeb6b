#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "engine/chessgame.h"

// A chosen move with its score, and the element of the capture lists.
struct ScoredMove {
    int32_t value;
    int32_t from;
    int32_t to;
};

struct BookEntry {
    int32_t from;
    int32_t to;
    int32_t used;
};

using CaptureList = std::vector<ScoredMove>;
using DestinationList = std::vector<int>;

constexpr int kBookSize = 16;
constexpr int32_t kNoMoveValue = -65000;
constexpr ScoredMove kNoMove{kNoMoveValue, 0, 0};
constexpr int kSearchKindNovice = 1;
constexpr int kSearchKindExpert = 2;
constexpr int kRootAlpha = -600;
constexpr int kRootBeta = 600;

// The computer's search depth, 1 to 5.
extern int32_t g_searchDepth;

class Intelligence : public Chessgame {
public:
    // A new game with the book shuffled from the calendar time.
    Intelligence();
    // A new game with the book shuffled from the given seed.
    explicit Intelligence(unsigned seed);
    // A scratch object holding a copy of the given position.
    explicit Intelligence(const Chessgame& position);

    static const RuntimeClass kRuntimeClass;
    const RuntimeClass* GetRuntimeClass() const override;

    // Move evaluation.
    int GenerateDestinations(int square, int side, DestinationList& list);
    int ScoreMove(int from, int to, int captured, int side);

    // Capture lists and exchange evaluation. The lists are taken by value as
    // each call works on its own copy.
    bool UpdateOpponentCaptures(int from, int to, int side, const CaptureList& list,
                                CaptureList& out);
    void UpdateMoverCaptures(int from, int to, int side, const CaptureList& list,
                             CaptureList& out);
    ScoredMove BestCaptureGain(int side, const CaptureList& list);

    // Search.
    ScoredMove Search(int alpha, int beta, int rootHumanSide, int side, int ply,
                      const CaptureList& own, const CaptureList& opponent);
    ScoredMove SearchRootNovice(int alpha, int beta, int rootHumanSide, int side, int ply,
                                const CaptureList& own, const CaptureList& opponent);

    // The computer's move: chosen, made on the position, and returned.
    ScoredMove ThinkMove(int humanSide, int lastFrom, int lastTo, int searchKind);
    ScoredMove OpeningMove(const CaptureList& own, const CaptureList& opponent, int side);

    bool m_outOfBook;
    std::array<std::array<BookEntry, kBookSize>, 2> m_book;  // [0] Black, [1] White
    CaptureList m_humanCaptures;
    CaptureList m_computerCaptures;

    // Every destination tried by Search or SearchRootNovice, for measurement.
    uint64_t m_trialMoves = 0;
};
