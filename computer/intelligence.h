#pragma once

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <deque>
#include <limits>
#include <vector>

#include "computer/searchcontrol.h"
#include "engine/chessgame.h"

// A chosen move with its score, and the element of the capture lists.
struct ScoredMove {
    int32_t value;
    int32_t from;
    int32_t to;

    bool operator==(const ScoredMove&) const = default;
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
// The value OpeningMove returns once the opening phase is over.
constexpr int32_t kOutOfBookValue = -1;
constexpr int kRootPly = 1;

// Expert visits the queen first and the king last; Novice goes by id.
constexpr int ExpertOrderId(int i) { return (i + kQueenId) % kPieceCount; }

// The computer's search depth, kMinSearchDepth to kMaxSearchDepth.
constexpr int kMinSearchDepth = 1;
constexpr int kMaxSearchDepth = 5;
extern int32_t g_searchDepth;

class SearchPool;
struct SplitSlot;

// True when a search or ThinkMove result names a move rather than kNoMove.
constexpr bool IsMove(const ScoredMove& move) { return move.from != move.to; }

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
    // A made move's score: ScorePlacement plus CastlingRightsTerm.
    int ScoreMove(int from, int to, int captured, int side);
    // What the move took and where its piece now stands.
    int ScorePlacement(int from, int to, int captured, int side);
    // The castling rights of the side to move, as they stand after side's move.
    int CastlingRightsTerm(int side);
    // The most ScorePlacement can give the move from -> to, found without
    // making it.
    int ScoreCeiling(int from, int to) const;
    // The most CastlingRightsTerm can give any move from here.
    int CastlingRightsCeiling() const;

    // Capture lists and exchange evaluation. Each call works on its own copy
    // of the list it is given; out may be the same object as list.
    bool UpdateOpponentCaptures(int from, int to, int side, const CaptureList& list,
                                CaptureList& out);
    void UpdateMoverCaptures(int from, int to, int side, const CaptureList& list, CaptureList& out);
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
    // Follows and interrupts ThinkMove's search from another thread; none
    // when nobody watches.
    SearchControl* m_control = nullptr;
    // How many threads the Expert search runs on: every core by default.
    unsigned m_searchThreads = DefaultSearchThreads();
    // Whether a node stops once its parent can use no more of its value.
    // The decisions are the same either way; only the work differs.
    bool m_nodeLimits = true;

    static unsigned DefaultSearchThreads();

    // What one trial move of an Expert node came to: its score, and whether
    // it was searched on (counted) or pruned for the material it loses.
    struct ExpertTrial {
        int score;
        bool counted;
    };
    // The running state of an Expert node: the window, the best move and how
    // many moves were counted. Accept takes the next trial's outcome and
    // answers false at a cut-off, or once the parent can use no more.
    struct ExpertNode {
        static constexpr int kNoLimit = std::numeric_limits<int>::max();
        static constexpr int kNoFloor = std::numeric_limits<int>::min();

        int alpha;
        int beta;
        // What the parent can use of this node's value. Once a move is
        // counted the best never falls again, and a best at or above enough
        // changes nothing in the parent, so the node stops there. A value at
        // or below lower stops the parent in turn, so a last-ply move scoring
        // no more than lower needs no exact loss. The root has neither.
        int enough = kNoLimit;
        int lower = kNoFloor;
        ScoredMove best = kNoMove;
        int counted = 0;
        // At a split point, where a move is tried on its own, the floor of
        // the node when the move was started; it only rises until the move
        // settles.
        int startFloor = kNoFloor;

        bool Accept(int from, int to, const ExpertTrial& trial);
        // Whether a trial scoring at most score, counted or not, can change
        // nothing Accept keeps.
        bool CannotChange(int score) const;
        // Whether a trial scoring at most score, counted or not, leaves
        // everything Accept keeps exactly as it is.
        bool Keeps(int score) const;
        // The score at or below which a move changes nothing but the count.
        int Floor() const { return counted > 0 ? std::min(alpha, best.value) : startFloor; }
        // The window and limits of the reply searched below a move of static
        // score score.
        ExpertNode Child(int score, bool limited) const;
    };

private:
    friend class SplitPoint;
    friend class SearchPool;
    friend class NoviceSplit;

    // The bound of an exchange whose gain is wanted exactly, however high.
    static constexpr int kUnbounded = std::numeric_limits<int>::max();
    // A capture that nets this much is played at once at the Novice root.
    static constexpr int kNoviceWinningCapture = 200;
    // A node is split among threads only with at least this many plies
    // searched beneath it.
    static constexpr int kPliesBelowSplit = 3;

    // What a move that is not castling changes that cannot be told from the
    // move itself. The position it is made in is consistent, so its two
    // pieces' records, piece sets and occupancy are put back by undoing the
    // move; only the cells, the mover's kind (a pawn may become a queen) and
    // the mover's king square and flags are saved.
    struct PlainUndo {
        int side;
        int from;
        int to;
        int16_t mover;
        int16_t victim;
        int16_t moverId;
        int16_t victimId;
        int32_t moverKind;
        int32_t kingSquare;
        uint8_t hasMoved[3];
    };

    // What one trial move changes, so that it can be taken back exactly
    // without copying the whole position: a plain move by its PlainUndo,
    // castling, which moves a rook too, by the cells and records it changes.
    struct TrialUndo {
        struct Cell {
            int square;
            int16_t board;
            int16_t pieceId;
        };
        struct Piece {
            int side;
            int id;
            PieceRecord record;
            SquareSet square;
        };
        int side;
        SquareSet whitePieces;
        SquareSet blackPieces;
        uint8_t hasMoved[3];
        int32_t kingSquare;
        std::array<Cell, 4> cells;
        int cellCount;
        std::array<Piece, 3> pieces;
        int pieceCount;
        bool plain;
        PlainUndo move;
    };

    // A move with the mobility of its piece, listed before any is tried: at
    // the root so that the progress knows how many there are, and at a node
    // that may be split so that the moves left can be handed on.
    struct ListedMove {
        int from;
        int to;
        int mobility;
    };
    using MoveList = std::vector<ListedMove>;

    // Scratch storage of one search ply, reused from move to move so that a
    // trial move allocates nothing once the lists have grown.
    struct SearchFrame {
        TrialUndo undo;
        DestinationList destinations;
        CaptureList replies;
        CaptureList ownNext;
        MoveList moves;
    };
    struct ExchangeStep;

    // Whether side's king is attacked in the position of one search node,
    // found out when first needed and kept while the position is the same.
    struct KingCheck {
        bool known = false;
        bool attacked = false;
    };
    int GenerateDestinations(int square, int side, DestinationList& list, KingCheck& check);
    // Whether each move of side's piece on square leaves its king
    // unattacked. Whether every move does is the same for all of them, so it
    // is found out once, at the first asked: many pieces have no move.
    class MoveSafety {
    public:
        MoveSafety(Intelligence& game, int square, int side, KingCheck& check)
            : m_game(game), m_square(square), m_side(side), m_check(check) {}
        bool operator()(int target) {
            if (m_every == Every::kUnknown) {
                m_every =
                    m_game.MovesSafely(m_square, m_side, m_check) ? Every::kSafe : Every::kTried;
            }
            return m_every == Every::kSafe || m_game.IsMoveSafe(m_square, target, m_side);
        }

    private:
        enum class Every { kUnknown, kSafe, kTried };
        Intelligence& m_game;
        int m_square;
        int m_side;
        KingCheck& m_check;
        Every m_every = Every::kUnknown;
    };
    bool MovesSafely(int square, int side, KingCheck& check);
    bool MayUncoverKing(int square, int side) const;

    void ShuffleBook(unsigned seed);
    std::array<BookEntry, kBookSize>& BookOf(int side);
    bool IsSafeFromCaptures(int from, int to, int side, const CaptureList& opponent);
    ScoredMove EndOpeningPhase();
    bool FindFirstLegalMove(int side, ScoredMove& move);

    int MakeTrialMove(int from, int to, int side, TrialUndo& undo);
    void TakeBackTrialMove(const TrialUndo& undo);
    void SavePlainMove(int from, int to, int side, PlainUndo& undo) const;
    int MakePlainMove(int from, int to, int side, PlainUndo& undo);
    void TakeBackPlainMove(const PlainUndo& undo);
    int MakeExchangeCapture(int from, int to, int side, PlainUndo& undo);
    void TakeBackExchangeCapture(const PlainUndo& undo);
    void SaveCell(int square, TrialUndo& undo) const;
    void SavePiece(int side, int id, TrialUndo& undo) const;

    SquareSet TableReach(int from, int side) const;
    bool IsLegal(int from, int to, int side, const SquareSet& reach);
    bool IsRuleMoveSafe(int from, int to, int side);

    int PlyLimit(int rootHumanSide) const;
    bool IsCaptureCurrent(const ScoredMove& capture, int side);
    bool IsPathEmpty(int from, int to, int side);
    void KeepCurrentCaptures(const CaptureList& list, int side, CaptureList& out);
    int DiscoveredTarget(int square, const SquareSet& lines, int from) const;
    template <typename Visitor>
    bool VisitNewCaptures(int from, int to, int side, Visitor& visitor);
    ScoredMove BestCaptureGainAt(int side, const CaptureList& list, int bound);
    int BestCaptureLossAt(int side, const CaptureList& list, int bound);
    int BestReplyGain(int from, int to, int side, int floor, int bound);
    int BestCaptureGainAfter(int from, int to, int side, const CaptureList& list, int bound);
    SearchFrame& FrameAt(int ply);

    ExpertTrial TryExpertMove(int from, int to, int mobility, const ExpertNode& node,
                              int rootHumanSide, int side, int ply, const CaptureList& own,
                              const CaptureList& opponent, SearchFrame& frame);
    ScoredMove SearchRootExpert(int alpha, int beta, int rootHumanSide, int side,
                                const CaptureList& own, const CaptureList& opponent);
    void ListMoves(int side, bool expertOrder, int ply, MoveList& moves);
    void ListRootMoves(int side, bool expertOrder, MoveList& moves);
    bool MaySplit(int ply, int rootHumanSide) const;
    ScoredMove SearchNode(ExpertNode node, int rootHumanSide, int side, int ply,
                          const CaptureList& own, const CaptureList& opponent);
    ScoredMove SearchSplittable(ExpertNode node, int rootHumanSide, int side, int ply,
                                const CaptureList& own, const CaptureList& opponent);
    bool IsStopRequested() const;
    // A stop, or the move of a split point this search serves is searched
    // in vain.
    bool IsSearchCalledOff() const;
    void CountRootMoveDone();
    // The root's best move so far, for the window's progress.
    void PublishBestSoFar(const ScoredMove& best);
    ScoredMove MoveNowChoice(const ScoredMove& best, const MoveList& moves) const;

    // The threads this search shares its work with, when it has any; this
    // object's place among them; and the split point's slot whose move it
    // searches, through which it learns that the move is searched in vain
    // and unwinds as for a stop.
    SearchPool* m_pool = nullptr;
    unsigned m_threadIndex = 0;
    const SplitSlot* m_slot = nullptr;
    std::deque<SearchFrame> m_searchFrames;  // [ply]
    MoveList m_rootMoves;
};

// The squares the move table of side's piece on from reaches, castling
// included: IsMoveLegal(from, to, side, 1) can only hold for these. In line,
// because the exchange asks it of many pieces that reach nowhere near.
inline SquareSet Intelligence::TableReach(int from, int side) const {
    if (from < 0 || from >= kSquareCount || m_board[from] * side <= 0) {
        return {};
    }
    // A switch on the cell rather than the piece table's lookup: this is the
    // exchange's hottest question, and the lookup costs it more instructions.
    switch (std::abs(m_board[from])) {
        case kPawnValue:
            return (side == kWhite ? m_whitePawnMoves : m_blackPawnMoves)[from];
        case kKnightValue:
            return m_knightMoves[from];
        case kBishopValue:
            return m_bishopMoves[from];
        case kRookValue:
            return m_rookMoves[from];
        case kQueenValue:
            return m_queenMoves[from];
        default: {
            SquareSet reach = m_kingMoves[from];
            for (int castled : {from - kCastlingDistance, from + kCastlingDistance}) {
                if (castled >= 0 && castled < kSquareCount) {
                    reach.set(castled);
                }
            }
            return reach;
        }
    }
}
