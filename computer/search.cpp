#include <algorithm>
#include <array>
#include <cassert>
#include <cstdlib>
#include <cstring>

#include "computer/intelligence.h"
#include "computer/searchpool.h"
#include "computer/splitpoint.h"
#include "engine/piecetable.h"

int32_t g_searchDepth = 1;

namespace {

// The sliding pieces whose lines a vacated square may open, in the order
// their captures are recorded, with the table of each one's lines.
struct Slider {
    int id;
    const SquareSetTable* lines;
};
// Each id's lines are its kind's move table, looked up when this is compiled.
constexpr Slider SliderOf(int id) { return {id, &MovesOf(PieceKindOfId(id), kWhite)}; }
constexpr std::array<Slider, 5> kSliders{{SliderOf(kCBishopId), SliderOf(kFBishopId),
                                          SliderOf(kARookId), SliderOf(kHRookId),
                                          SliderOf(kQueenId)}};
constexpr std::array<int, 2> kKnightIds{kGKnightId, kBKnightId};

const CaptureList kNoCaptures;

// The squares from which a pawn of side takes on each square, by its table.
constexpr movetables::Masks PawnCaptureSources(int side) {
    const movetables::Masks moves = movetables::Pawns(side);
    movetables::Masks sources{};
    for (int to = 0; to < kSquareCount; ++to) {
        for (int pawn : {to - 7 * side, to - 9 * side}) {
            if (pawn >= 0 && pawn < kSquareCount && ((moves[pawn] >> to) & 1) != 0) {
                sources[to] |= uint64_t{1} << pawn;
            }
        }
    }
    return sources;
}
constexpr movetables::Masks kWhitePawnSources = PawnCaptureSources(kWhite);
constexpr movetables::Masks kBlackPawnSources = PawnCaptureSources(kBlack);

}  // namespace

void Intelligence::SaveCell(int square, TrialUndo& undo) const {
    undo.cells[undo.cellCount++] = {square, m_board[square], m_pieceId[square]};
}

void Intelligence::SavePiece(int side, int id, TrialUndo& undo) const {
    undo.pieces[undo.pieceCount++] = {side, id, m_pieces[SideIndex(side)][id],
                                      m_pieceSquare[PieceSquareIndex(side, id)]};
}

// Saves what MakeMoveForSide will change: both occupancy sets, the mover's
// castling flags and king square, the two squares, the mover's and the
// captured piece's records, and for castling the rook's squares and record.
// Specialised rather than a whole SavePosition: the search makes so many
// trial moves that copying the position for each would slow it.
int Intelligence::MakeTrialMove(int from, int to, int side, TrialUndo& undo) {
    const bool castles =
        std::abs(m_board[from]) == kKingValue && std::abs(from - to) == kCastlingDistance;
    undo.plain = !castles;
    if (undo.plain) {
        return MakePlainMove(from, to, side, undo.move);
    }
    const int row = SideIndex(side);
    undo.side = side;
    undo.whitePieces = m_whitePieces;
    undo.blackPieces = m_blackPieces;
    std::memcpy(undo.hasMoved, m_hasMoved[row], sizeof undo.hasMoved);
    undo.kingSquare = m_kingSquare[row];
    undo.cellCount = 0;
    undo.pieceCount = 0;
    SaveCell(from, undo);
    SaveCell(to, undo);
    SavePiece(side, m_pieceId[from], undo);
    if (m_board[to] * side < 0) {
        SavePiece(-side, m_pieceId[to], undo);
    }
    const bool kingSide = to < from;
    const int corner = RookCorner(side, kingSide);
    SaveCell(corner, undo);
    SaveCell(corner + (kingSide ? kKingSideRookStep : kQueenSideRookStep), undo);
    if (m_board[corner] == side * kRookValue) {
        SavePiece(side, m_pieceId[corner], undo);
    }
    return MakeMoveForSide(from, to, side, 0);
}

void Intelligence::TakeBackTrialMove(const TrialUndo& undo) {
    if (undo.plain) {
        TakeBackPlainMove(undo.move);
        return;
    }
    for (int i = undo.pieceCount - 1; i >= 0; --i) {
        const TrialUndo::Piece& piece = undo.pieces[i];
        m_pieces[SideIndex(piece.side)][piece.id] = piece.record;
        m_pieceSquare[PieceSquareIndex(piece.side, piece.id)] = piece.square;
    }
    for (int i = undo.cellCount - 1; i >= 0; --i) {
        const TrialUndo::Cell& cell = undo.cells[i];
        m_board[cell.square] = cell.board;
        m_pieceId[cell.square] = cell.pieceId;
    }
    const int row = SideIndex(undo.side);
    std::memcpy(m_hasMoved[row], undo.hasMoved, sizeof undo.hasMoved);
    m_kingSquare[row] = undo.kingSquare;
    m_whitePieces = undo.whitePieces;
    m_blackPieces = undo.blackPieces;
    assert(OccupancyMatchesBoard());
}

// Most trial moves and every exchange capture are plain moves, which need
// less bookkeeping than castling.
void Intelligence::SavePlainMove(int from, int to, int side, PlainUndo& undo) const {
    const int row = SideIndex(side);
    undo.side = side;
    undo.from = from;
    undo.to = to;
    undo.mover = m_board[from];
    undo.victim = m_board[to];
    undo.moverId = m_pieceId[from];
    undo.victimId = m_pieceId[to];
    undo.moverKind = m_pieces[row][undo.moverId].kind;
    undo.kingSquare = m_kingSquare[row];
    assert(m_pieces[row][undo.moverId].square == from);
}

int Intelligence::MakePlainMove(int from, int to, int side, PlainUndo& undo) {
    SavePlainMove(from, to, side, undo);
    std::memcpy(undo.hasMoved, m_hasMoved[SideIndex(side)], sizeof undo.hasMoved);
    assert(undo.victim == 0 || m_pieces[SideIndex(-side)][undo.victimId].onBoard);
    return Chessgame::MakePlainMove(from, to, side);
}

void Intelligence::TakeBackPlainMove(const PlainUndo& undo) {
    TakeBackExchangeCapture(undo);
    const int row = SideIndex(undo.side);
    if (undo.victim != 0) {
        m_pieceSquare[PieceSquareIndex(-undo.side, undo.victimId)] =
            SquareSet(uint64_t{1} << undo.to);
    }
    m_pieceSquare[PieceSquareIndex(undo.side, undo.moverId)] = SquareSet(uint64_t{1} << undo.from);
    std::memcpy(m_hasMoved[row], undo.hasMoved, sizeof undo.hasMoved);
}

// An exchange capture leaves the castling flags and the per-piece square
// sets as they were, so only the rest is put back.
int Intelligence::MakeExchangeCapture(int from, int to, int side, PlainUndo& undo) {
    SavePlainMove(from, to, side, undo);
    assert(m_pieces[SideIndex(-side)][undo.victimId].onBoard);
    return Chessgame::MakeExchangeCapture(from, to, side);
}

void Intelligence::TakeBackExchangeCapture(const PlainUndo& undo) {
    const int row = SideIndex(undo.side);
    const SquareSet fromSquare(uint64_t{1} << undo.from);
    const SquareSet toSquare(uint64_t{1} << undo.to);
    SquareSet& own = undo.side == kWhite ? m_whitePieces : m_blackPieces;
    SquareSet& opponent = undo.side == kWhite ? m_blackPieces : m_whitePieces;
    own ^= fromSquare | toSquare;
    if (undo.victim != 0) {
        opponent |= toSquare;
        m_pieces[SideIndex(-undo.side)][undo.victimId].onBoard = 1;
    }
    m_board[undo.from] = undo.mover;
    m_board[undo.to] = undo.victim;
    m_pieceId[undo.from] = undo.moverId;
    m_pieceId[undo.to] = undo.victimId;
    PieceRecord& mover = m_pieces[row][undo.moverId];
    mover.square = undo.from;
    mover.kind = undo.moverKind;
    m_kingSquare[row] = undo.kingSquare;
    assert(OccupancyMatchesBoard());
}

// IsMoveLegal with ownership, asked only when the move tables allow the move.
// Most pairs asked fail the first tests, so those are made in line.
inline bool Intelligence::IsLegal(int from, int to, int side, const SquareSet& reach) {
    return reach[to] && m_board[to] * side <= 0 && m_board[from] * side > 0 &&
           IsRuleMoveSafe(from, to, side);
}

bool Intelligence::IsRuleMoveSafe(int from, int to, int side) {
    return MeetsPieceRule(from, to, side) && IsMoveSafe(from, to, side);
}

int Intelligence::PlyLimit(int rootHumanSide) const {
    return 2 * g_searchDepth + (rootHumanSide == kWhite ? 1 : 0);
}

Intelligence::SearchFrame& Intelligence::FrameAt(int ply) {
    while (m_searchFrames.size() <= static_cast<size_t>(ply)) {
        m_searchFrames.emplace_back();
    }
    return m_searchFrames[ply];
}

// A record still stands while its attacker is the list side's piece, its
// target the other side's, and nothing stands between them.
bool Intelligence::IsCaptureCurrent(const ScoredMove& capture, int side) {
    const int attacker = m_board[capture.from];
    const int target = m_board[capture.to];
    return attacker * side > 0 && target * side < 0 &&
           (std::abs(attacker) == kKnightValue || IsPathEmpty(capture.from, capture.to, side));
}

// A record's squares are on a common line unless a knight made it and another
// piece has come to the knight's square since; that rare pair keeps ScanLine's
// own answer.
bool Intelligence::IsPathEmpty(int from, int to, int side) {
    return m_queenMoves[from][to] ? IsLineClear(from, to, side)
                                  : ScanLine(from, to, side, kScanLineEmpty) != 0;
}

void Intelligence::KeepCurrentCaptures(const CaptureList& list, int side, CaptureList& out) {
    if (&list == &out) {
        std::erase_if(out,
                      [&](const ScoredMove& capture) { return !IsCaptureCurrent(capture, side); });
        return;
    }
    out.clear();
    for (const ScoredMove& capture : list) {
        if (IsCaptureCurrent(capture, side)) {
            out.push_back(capture);
        }
    }
}

// The square of the first enemy piece beyond from on the lines of the slider
// on square, which the piece that left from has uncovered, or kNoSquare.
inline int Intelligence::DiscoveredTarget(int square, const SquareSet& lines, int from) const {
    return lines[from] ? PieceBeyond(square, from) : kNoSquare;
}

// Offers side's new captures after the opponent's move from -> to to the
// visitor, in the order the capture list records them: recaptures on to by
// pawns, knights and king, then by each slider followed by what the slider
// sees through from. The visitor's Wants(value) is asked before a capture's
// legality is tested, so that one it cannot use costs nothing; its Take
// returns false to stop. Returns false when stopped.
template <typename Visitor>
bool Intelligence::VisitNewCaptures(int from, int to, int side, Visitor& visitor) {
    const int value = std::abs(m_board[to]);
    // A visitor that does not want a recapture now never will: what it wants
    // only narrows as it takes.
    const bool recaptures = visitor.Wants(value);
    // Mostly no piece of side stands where a pawn of side could take from.
    const uint64_t own = (side == kWhite ? m_whitePieces : m_blackPieces).to_ullong();
    if (recaptures && ((side == kWhite ? kWhitePawnSources : kBlackPawnSources)[to] & own) != 0) {
        const SquareSetTable& pawnMoves = side == kWhite ? m_whitePawnMoves : m_blackPawnMoves;
        for (int pawn : {to - 7 * side, to - 9 * side}) {
            if (pawn >= 0 && pawn < kSquareCount && m_board[pawn] * side == kPawnValue &&
                pawnMoves[pawn][to] && visitor.Wants(value) && !visitor.Take({value, pawn, to})) {
                return false;
            }
        }
    }
    // The knights' recorded squares are asked even after a knight is taken.
    // Every piece's move runs along a queen's line or a knight's jump, so
    // only one standing on such a way from to can take there.
    const auto& pieces = m_pieces[SideIndex(side)];
    const uint64_t waysTo = kAnyPieceMoves[to].to_ullong();
    const auto takes = [&](int attacker) {
        return static_cast<unsigned>(attacker) < kSquareCount && ((waysTo >> attacker) & 1) != 0 &&
               visitor.Wants(value) && IsLegal(attacker, to, side, TableReach(attacker, side)) &&
               !visitor.Take({value, attacker, to});
    };
    if (recaptures && (takes(pieces[kKnightIds[0]].square) || takes(pieces[kKnightIds[1]].square) ||
                       takes(m_kingSquare[SideIndex(side)]))) {
        return false;
    }
    // A slider whose lines hold neither square can neither take on to nor
    // look through from. Most stand on no queen's line through either, which
    // one mask tells before the slider's own lines are looked up.
    const uint64_t nearLines = (m_queenMoves[to] | m_queenMoves[from]).to_ullong();
    for (const Slider& slider : kSliders) {
        const int square = pieces[slider.id].square;
        if (((nearLines >> square) & 1) == 0 || !pieces[slider.id].onBoard) {
            continue;
        }
        const SquareSet& lines = (*slider.lines)[square];
        if (!lines[to] && !lines[from]) {
            continue;
        }
        // The slider is side's and to holds the opponent's piece that just
        // moved, so only the line and the king are left to ask.
        if (visitor.Wants(value) && lines[to] && IsLineClear(square, to, side) &&
            IsMoveSafe(square, to, side) && !visitor.Take({value, square, to})) {
            return false;
        }
        const int target = DiscoveredTarget(square, lines, from);
        if (target != kNoSquare) {
            const int targetValue = std::abs(m_board[target]);
            if (visitor.Wants(targetValue) && !visitor.Take({targetValue, square, target})) {
                return false;
            }
        }
    }
    return true;
}

namespace {

// Collects every capture offered into a capture list.
struct CaptureAppender {
    CaptureList& out;
    bool Wants(int) const { return true; }
    bool Take(const ScoredMove& capture) {
        out.push_back(capture);
        return true;
    }
};

}  // namespace

bool Intelligence::UpdateOpponentCaptures(int from, int to, int side, const CaptureList& list,
                                          CaptureList& out) {
    KeepCurrentCaptures(list, side, out);
    CaptureAppender appender{out};
    VisitNewCaptures(from, to, side, appender);
    return !out.empty();
}

void Intelligence::UpdateMoverCaptures(int from, int to, int side, const CaptureList& list,
                                       CaptureList& out) {
    KeepCurrentCaptures(list, side, out);
    const SquareSet reach = TableReach(to, side);
    // Often the mover's table reaches no opponent at all.
    const SquareSet& opponents = side == kWhite ? m_blackPieces : m_whitePieces;
    if ((reach & opponents).any()) {
        for (const PieceRecord& victim : m_pieces[SideIndex(-side)]) {
            if (victim.onBoard && IsLegal(to, victim.square, side, reach)) {
                out.push_back({std::abs(m_board[victim.square]), to, victim.square});
            }
        }
    }
    for (const Slider& slider : kSliders) {
        const PieceRecord& piece = m_pieces[SideIndex(side)][slider.id];
        if (!piece.onBoard) {
            continue;
        }
        const int target = DiscoveredTarget(piece.square, (*slider.lines)[piece.square], from);
        if (target != kNoSquare) {
            out.push_back({std::abs(m_board[target]), piece.square, target});
        }
    }
}

ScoredMove Intelligence::BestCaptureGain(int side, const CaptureList& list) {
    return BestCaptureGainAt(side, list, kUnbounded);
}

// One step of the exchange search, shared by the list and the lazily made
// replies: an alpha-beta window over the gains. The result is exact while it
// lies between floor and bound; at or above bound it is only known to be at
// least bound, and at or below floor only to be at most floor: beyond these
// the caller cannot use it. A capture that takes no more than the best gain
// so far, or than floor, cannot lift the result above them, since the
// replies never gain less than nothing.
struct Intelligence::ExchangeStep {
    Intelligence& game;
    int side;
    int floor;
    int bound;
    ScoredMove best{0, 0, 0};

    int Least() const { return std::max(best.value, floor); }
    bool Wants(int taken) const { return best.value < bound && taken > Least(); }

    // Plays the capture, weighs the opponent's best answer and takes it back;
    // false once the bound is reached. The answer matters only where it
    // moves the gain between Least() and bound.
    bool Take(const ScoredMove& capture) {
        PlainUndo undo;
        const int gain = std::abs(game.MakeExchangeCapture(capture.from, capture.to, side, undo));
        const int reply =
            game.BestReplyGain(capture.from, capture.to, -side, gain - bound, gain - Least());
        game.TakeBackExchangeCapture(undo);
        if (gain - reply > best.value) {
            best = {gain - reply, capture.from, capture.to};
        }
        return best.value < bound;
    }
};

namespace {

// Weighs the listed captures from first to last until the step's bound is
// reached; a record whose target is no longer the opponent's takes nothing.
template <typename Step, typename Iterator>
void WeighCaptures(Step& step, Iterator first, Iterator last) {
    for (; first != last; ++first) {
        const int target = step.game.m_board[first->to];
        const int taken = target * step.side < 0 ? std::abs(target) : 0;
        if (step.Wants(taken) && !step.Take(*first)) {
            return;
        }
    }
}

}  // namespace

ScoredMove Intelligence::BestCaptureGainAt(int side, const CaptureList& list, int bound) {
    ExchangeStep step{*this, side, 0, bound};
    WeighCaptures(step, list.begin(), list.end());
    return step.best;
}

// BestCaptureGainAt's gain, for a search that needs no capture with it. The
// list is weighed from its end: the captures recorded last, those the move
// just made offers, most often gain the most, and a high gain found early
// spares the weighing of captures that cannot beat it.
int Intelligence::BestCaptureLossAt(int side, const CaptureList& list, int bound) {
    ExchangeStep step{*this, side, 0, bound};
    WeighCaptures(step, list.rbegin(), list.rend());
    return step.best.value;
}

// The best gain of side's recaptures and uncovered captures after the
// opponent's capture from -> to: what BestCaptureGain makes of that list,
// worked out as each capture is found, so that captures which cannot change
// the answer are never tested for legality.
int Intelligence::BestReplyGain(int from, int to, int side, int floor, int bound) {
    ExchangeStep step{*this, side, floor, bound};
    VisitNewCaptures(from, to, side, step);
    return step.best.value;
}

bool Intelligence::ExpertNode::Accept(int from, int to, const ExpertTrial& trial) {
    if (!trial.counted) {
        if (trial.score > best.value) {
            best = {trial.score, from, to};
        }
        // Before the first counted move the best may still fall.
        return counted == 0 || best.value < enough;
    }
    ++counted;
    alpha = std::max(alpha, trial.score);
    // The first counted move replaces whatever was best before it.
    if (counted == 1 || trial.score > best.value) {
        best = {trial.score, from, to};
    }
    return alpha <= beta && best.value < enough;
}

// Once a move is counted, a move scoring no more than alpha and the best
// changes neither, counted or not, and it can no longer be the first counted.
// Nor does one scoring no more than lower and beta: it cannot cut the node
// off, and whatever it makes of the best, the parent stops on it alike.
bool Intelligence::ExpertNode::CannotChange(int score) const {
    return Keeps(score) || (counted > 0 && score <= lower && score <= beta);
}

bool Intelligence::ExpertNode::Keeps(int score) const {
    return counted > 0 && score <= alpha && score <= best.value;
}

// A reply of value v leaves the move at score - v: at or below the floor it
// changes nothing here, and at or above enough it stops this node.
Intelligence::ExpertNode Intelligence::ExpertNode::Child(int score, bool limited) const {
    ExpertNode child{-beta, -alpha};
    if (!limited) {
        return child;
    }
    const int floor = Floor();
    if (floor != kNoFloor) {
        child.enough = score - floor;
    }
    if (enough != kNoLimit) {
        child.lower = score - enough;
    }
    return child;
}

Intelligence::ExpertTrial Intelligence::TryExpertMove(int from, int to, int mobility,
                                                      const ExpertNode& node, int rootHumanSide,
                                                      int side, int ply, const CaptureList& own,
                                                      const CaptureList& opponent,
                                                      SearchFrame& frame) {
    ++m_trialMoves;
    const int captured = MakeTrialMove(from, to, side, frame.undo);
    int score = ScorePlacement(from, to, captured, side) + mobility;
    const bool last = ply >= PlyLimit(rootHumanSide);
    // Searched no deeper, such a move leaves the node as it was, whatever it
    // loses: its loss need not be weighed. Nor need its castling rights, the
    // dearest part of its score, when their ceiling already tells: whatever
    // it scores up to a ceiling that changes nothing changes nothing either,
    // so the ceiling stands in for its score.
    if (last) {
        const int ceiling = score + CastlingRightsCeiling();
        if (node.CannotChange(ceiling)) {
            TakeBackTrialMove(frame.undo);
            return {ceiling, false};
        }
    }
    score += CastlingRightsTerm(side);
    if (last && node.CannotChange(score)) {
        TakeBackTrialMove(frame.undo);
        return {score, false};
    }
    // Beyond this bound the loss neither changes the pruning nor makes the
    // move best, so it need not be exact.
    const int bound = std::max(1, score - node.best.value);
    // The last ply reads no list of its own side's captures, so the replies
    // list is made only for a node that searches on below the next.
    const bool repliesListed = ply + 1 < PlyLimit(rootHumanSide);
    const int loss = !repliesListed ? BestCaptureGainAfter(from, to, -side, opponent, bound)
                     : UpdateOpponentCaptures(from, to, -side, opponent, frame.replies)
                         ? BestCaptureLossAt(-side, frame.replies, bound)
                         : 0;
    if (loss > 0) {
        // Losing material: scored by the loss, not searched on.
        TakeBackTrialMove(frame.undo);
        return {score - loss, false};
    }
    if (!last) {
        UpdateMoverCaptures(from, to, side, own, frame.ownNext);
        const ScoredMove reply =
            SearchNode(node.Child(score, m_nodeLimits), rootHumanSide, -side, ply + 1,
                       repliesListed ? frame.replies : kNoCaptures, frame.ownNext);
        score -= reply.value;
    }
    TakeBackTrialMove(frame.undo);
    return {score, true};
}

// BestCaptureLossAt of the list UpdateOpponentCaptures would make after the
// opponent's move from -> to, without making it: the last ply needs nothing
// else of the list, and a capture that cannot change the gain is then never
// tested for legality. The captures are weighed in the order BestCaptureLossAt
// weighs that list: the move's new captures first, then the others from the
// list's end. Any order gives the same gain below the bound, but a loss at or
// above it is found sooner this way.
int Intelligence::BestCaptureGainAfter(int from, int to, int side, const CaptureList& list,
                                       int bound) {
    ExchangeStep step{*this, side, 0, bound};
    if (!VisitNewCaptures(from, to, side, step)) {
        return step.best.value;
    }
    for (auto capture = list.rbegin(); capture != list.rend(); ++capture) {
        // Whether the step wants the capture is asked first: it is the
        // cheaper question, and neither has an effect.
        if (step.Wants(std::abs(m_board[capture->to])) && IsCaptureCurrent(*capture, side) &&
            !step.Take(*capture)) {
            return step.best.value;
        }
    }
    return step.best.value;
}

// A node is split only where the moves left may take long enough to be
// worth a thread's time: handing them over costs a copy of the position and
// the wake-up of another thread.
bool Intelligence::MaySplit(int ply, int rootHumanSide) const {
    return m_pool != nullptr && ply + kPliesBelowSplit <= PlyLimit(rootHumanSide);
}

ScoredMove Intelligence::Search(int alpha, int beta, int rootHumanSide, int side, int ply,
                                const CaptureList& own, const CaptureList& opponent) {
    if (ply == kRootPly) {
        return SearchRootExpert(alpha, beta, rootHumanSide, side, own, opponent);
    }
    return SearchNode({alpha, beta}, rootHumanSide, side, ply, own, opponent);
}

ScoredMove Intelligence::SearchNode(ExpertNode node, int rootHumanSide, int side, int ply,
                                    const CaptureList& own, const CaptureList& opponent) {
    // A stopped search unwinds at once; its root discards what it brings.
    if (ply > PlyLimit(rootHumanSide) || IsSearchCalledOff()) {
        return node.best;
    }
    if (MaySplit(ply, rootHumanSide)) {
        return SearchSplittable(node, rootHumanSide, side, ply, own, opponent);
    }
    SearchFrame& frame = FrameAt(ply);
    const bool last = ply == PlyLimit(rootHumanSide);
    // Only the last ply reads it.
    const int rightsCeiling = last ? CastlingRightsCeiling() : 0;
    // Every trial is taken back before the next piece's destinations are made.
    KingCheck check;
    for (int i = 0; i < kPieceCount; ++i) {
        const PieceRecord& piece = m_pieces[SideIndex(side)][ExpertOrderId(i)];
        if (!piece.onBoard) {
            continue;
        }
        const int from = piece.square;
        const int mobility = GenerateDestinations(from, side, frame.destinations, check);
        for (int to : frame.destinations) {
            // A last-ply move is only scored: one that cannot score above
            // what the node keeps need not even be made.
            if (last && node.Keeps(ScoreCeiling(from, to) + rightsCeiling + mobility)) {
                continue;
            }
            const ExpertTrial trial = TryExpertMove(from, to, mobility, node, rootHumanSide, side,
                                                    ply, own, opponent, frame);
            if (!node.Accept(from, to, trial)) {
                return node.best;
            }
        }
    }
    return node.best;
}

// Search's node with its moves listed first, so that once a move is counted
// and a thread waits for work, the moves left can be handed to the pool.
ScoredMove Intelligence::SearchSplittable(ExpertNode node, int rootHumanSide, int side, int ply,
                                          const CaptureList& own, const CaptureList& opponent) {
    SearchFrame& frame = FrameAt(ply);
    ListMoves(side, true, ply, frame.moves);
    const ListedMove* const end = frame.moves.data() + frame.moves.size();
    bool alphaSteady = true;
    for (const ListedMove* move = frame.moves.data(); move != end; ++move) {
        if (node.counted > 0 && end - move > 1 && m_pool->HasWaiting()) {
            SplitPoint point(*this, rootHumanSide, side, ply, own, opponent, node, alphaSteady,
                             move, end);
            m_pool->Run(point, *this);
            return point.Node().best;
        }
        const int alphaBefore = node.alpha;
        const ExpertTrial trial = TryExpertMove(move->from, move->to, move->mobility, node,
                                                rootHumanSide, side, ply, own, opponent, frame);
        if (!node.Accept(move->from, move->to, trial)) {
            break;
        }
        if (trial.counted) {
            alphaSteady = node.alpha == alphaBefore;
        }
    }
    return node.best;
}
