#include <random>

#include "computer/intelligence.h"

namespace {

struct BookMove {
    int from;
    int to;
};

// The book before shuffling; entry k of both sides is placed together.
constexpr std::array<BookMove, kBookSize> kWhiteBook{{{11, 19},
                                                      {13, 29},
                                                      {12, 28},
                                                      {11, 27},
                                                      {12, 20},
                                                      {13, 21},
                                                      {1, 18},
                                                      {1, 11},
                                                      {6, 21},
                                                      {6, 12},
                                                      {2, 29},
                                                      {2, 20},
                                                      {2, 11},
                                                      {5, 26},
                                                      {5, 19},
                                                      {5, 12}}};
constexpr std::array<BookMove, kBookSize> kBlackBook{{{51, 43},
                                                      {53, 37},
                                                      {52, 36},
                                                      {51, 35},
                                                      {52, 44},
                                                      {53, 45},
                                                      {57, 42},
                                                      {57, 51},
                                                      {62, 45},
                                                      {62, 52},
                                                      {58, 37},
                                                      {58, 44},
                                                      {58, 51},
                                                      {61, 34},
                                                      {61, 43},
                                                      {61, 52}}};

// Positions of the shuffled book that are used up together: each position
// names the first position of its group.
constexpr std::array<int, kBookSize> kGroupOf{0, 1, 2, 3, 4, 5, 6, 6, 8, 8, 10, 10, 10, 13, 13, 13};

constexpr int kBlackBookIndex = 0;
constexpr int kWhiteBookIndex = 1;

}  // namespace

void Intelligence::ShuffleBook(unsigned seed) {
    std::mt19937 random(seed);
    std::array<bool, kBookSize> placed{};
    for (int position = 0; position < kBookSize; ++position) {
        int entry = static_cast<int>(random() % kBookSize);
        while (placed[entry]) {
            entry = static_cast<int>(random() % kBookSize);
        }
        placed[entry] = true;
        m_book[kWhiteBookIndex][position] = {kWhiteBook[entry].from, kWhiteBook[entry].to, 0};
        m_book[kBlackBookIndex][position] = {kBlackBook[entry].from, kBlackBook[entry].to, 0};
    }
}

std::array<BookEntry, kBookSize>& Intelligence::BookOf(int side) {
    return m_book[side == kWhite ? kWhiteBookIndex : kBlackBookIndex];
}

// Tries from->to for side and tells whether the opponent, with its list
// brought up to date, could then win nothing.
bool Intelligence::IsSafeFromCaptures(int from, int to, int side, const CaptureList& opponent) {
    TrialUndo undo;
    MakeTrialMove(from, to, side, undo);
    CaptureList replies;
    const bool safe = !UpdateOpponentCaptures(from, to, -side, opponent, replies) ||
                      BestCaptureGain(-side, replies).value <= 0;
    TakeBackTrialMove(undo);
    return safe;
}

ScoredMove Intelligence::EndOpeningPhase() {
    m_outOfBook = true;
    return {kOutOfBookValue, 0, 0};
}

ScoredMove Intelligence::OpeningMove(const CaptureList& own, const CaptureList& opponent,
                                     int side) {
    // The capture lists only approximate: a listed capture may leave the king
    // in check, so it is asked once more before it is played.
    if (!own.empty()) {
        const ScoredMove capture = BestCaptureGain(side, own);
        if (capture.value > 0 && IsMoveLegal(capture.from, capture.to, side, 1)) {
            return capture;
        }
    }

    auto& book = BookOf(side);
    for (int position = 0; position < kBookSize; ++position) {
        const BookEntry& entry = book[position];
        if (entry.used || !IsMoveLegal(entry.from, entry.to, side, 1) ||
            !IsSafeFromCaptures(entry.from, entry.to, side, opponent)) {
            continue;
        }
        for (int other = 0; other < kBookSize; ++other) {
            if (kGroupOf[other] == kGroupOf[position]) {
                book[other].used = 1;
            }
        }
        return {0, entry.from, entry.to};
    }

    if (opponent.empty()) {
        return EndOpeningPhase();
    }
    const ScoredMove threat = BestCaptureGain(-side, opponent);
    if (threat.value <= 0) {
        return EndOpeningPhase();
    }
    // Move the threatened piece to the first square where it is safe.
    const int square = threat.to;
    DestinationList destinations;
    GenerateDestinations(square, side, destinations);
    for (int destination : destinations) {
        if (IsSafeFromCaptures(square, destination, side, opponent)) {
            return {0, square, destination};
        }
    }
    return EndOpeningPhase();
}

// The first legal move of side by piece id, then target square.
bool Intelligence::FindFirstLegalMove(int side, ScoredMove& move) {
    for (const PieceRecord& piece : m_pieces[SideIndex(side)]) {
        if (!piece.onBoard) {
            continue;
        }
        for (int target = 0; target < kSquareCount; ++target) {
            if (IsMoveLegal(piece.square, target, side, 1)) {
                move = {0, piece.square, target};
                return true;
            }
        }
    }
    return false;
}

ScoredMove Intelligence::ThinkMove(int humanSide, int lastFrom, int lastTo, int searchKind) {
    const int computerSide = -humanSide;
    // An aborted search leaves the player as it was before this call.
    const CaptureList humanCaptures = m_humanCaptures;
    const CaptureList computerCaptures = m_computerCaptures;
    const bool outOfBook = m_outOfBook;
    if (lastFrom != kNoSquare || lastTo != kNoSquare) {
        UpdateMoverCaptures(lastFrom, lastTo, humanSide, m_humanCaptures, m_humanCaptures);
        UpdateOpponentCaptures(lastFrom, lastTo, computerSide, m_computerCaptures,
                               m_computerCaptures);
    }

    ScoredMove move = kNoMove;
    if (!m_outOfBook) {
        move = OpeningMove(m_computerCaptures, m_humanCaptures, computerSide);
    }
    // The search also picks the move of the turn that ends the opening.
    if (m_outOfBook) {
        move = searchKind == kSearchKindNovice
                   ? SearchRootNovice(kRootAlpha, kRootBeta, humanSide, computerSide, 1,
                                      m_computerCaptures, m_humanCaptures)
                   : Search(kRootAlpha, kRootBeta, humanSide, computerSide, 1, m_computerCaptures,
                            m_humanCaptures);
    }
    if (m_control != nullptr && m_control->AbortRequested()) {
        m_humanCaptures = humanCaptures;
        m_computerCaptures = computerCaptures;
        m_outOfBook = outOfBook;
        return kNoMove;
    }
    // Generation misses some check evasions; never freeze while a legal
    // move exists.
    if (!IsMove(move) && !FindFirstLegalMove(computerSide, move)) {
        return kNoMove;
    }

    MakeMoveForSide(move.from, move.to, computerSide, 1);
    UpdateOpponentCaptures(move.from, move.to, humanSide, m_humanCaptures, m_humanCaptures);
    UpdateMoverCaptures(move.from, move.to, computerSide, m_computerCaptures, m_computerCaptures);
    return move;
}
