#include "document/tesseldoc.h"

#include <algorithm>
#include <cstdlib>
#include <span>
#include <utility>

#include "document/archive.h"
#include "document/chessclock.h"
#include "document/fileio.h"
#include "document/replybudget.h"

namespace {

constexpr int kCheckOwnership = 1;
constexpr int kSwitchSide = 1;

// The first of 18 king-only turns in a row sets the count, the 18th finds 1.
constexpr int16_t kKingOnlyCountdownStart = 17;

constexpr std::size_t kCountBytes = 2;
constexpr std::size_t kMoveBytes = 4;
constexpr std::size_t kMaxFileBytes = kCountBytes + kMoveBytes * kMaxMoves;

bool IsSquare(int value) { return value >= 0 && value < kSquareCount; }

// What the after-move tests carry from one move to the next.
struct GameEnd {
    bool drawn = false;
    std::array<int16_t, 3> kingOnlyCountdown{};
    int16_t matedSide = 0;
};

// The draw tests for the side to move, g_sideToMove.
void UpdateDrawState(Chessgame& engine, GameEnd& end) {
    int16_t& countdown = end.kingOnlyCountdown[SideIndex(g_sideToMove)];
    switch (engine.HasLegalMove()) {
        case kNoLegalMove:
            end.drawn = true;
            break;
        case kPieceCanMove:
            countdown = 0;
            break;
        case kOnlyKingCanMove:
            if (countdown == 0) {
                countdown = kKingOnlyCountdownStart;
            } else if (countdown == 1) {
                end.drawn = true;
            } else {
                --countdown;
            }
            break;
        default:
            break;
    }
}

// Check, checkmate and the draws after side has made move. The engine's
// tests take their side from g_sideToMove, so it passes through side and
// -side here; on return it is -side, the side to move next.
void RunAfterMoveTests(Chessgame& engine, const MoveEntry& move, int side, GameEnd& end,
                       bool& check, bool& mate) {
    g_sideToMove = static_cast<int16_t>(side);
    int checker = 0;
    int count = 0;
    int step = 0;
    bool mated = false;
    if (engine.FindCheck(move.from, move.to, checker, count, step)) {
        check = true;
        const int moved = std::abs(engine.m_board[move.to]);
        const bool noBlock = moved == kPawnValue || moved == kKnightValue;
        g_sideToMove = static_cast<int16_t>(-side);
        mated = engine.IsCheckmate(checker, count, step, noBlock);
    }
    g_sideToMove = static_cast<int16_t>(-side);
    if (mated) {
        mate = true;
        end.matedSide = static_cast<int16_t>(-side);
        return;
    }
    if (!end.drawn) UpdateDrawState(engine, end);
}

// Reads the count and the squares, accepting only a file of exactly the
// length its count announces, with every square on the board.
bool ReadMoveList(Archive& archive, std::vector<MoveEntry>& moves) {
    int16_t count = 0;
    if (!archive.ReadInt16(count) || count < 0) return false;
    if (archive.BytesLeft() != kMoveBytes * static_cast<std::size_t>(count)) return false;
    moves.resize(static_cast<std::size_t>(count));
    for (MoveEntry& move : moves) {
        archive.ReadInt16(move.from);
        archive.ReadInt16(move.to);
        if (!IsSquare(move.from) || !IsSquare(move.to)) return false;
    }
    return true;
}

// Whether side has nothing on the board but its king.
bool HasOnlyKing(const Chessgame& engine, int side) {
    return std::none_of(engine.m_board.begin(), engine.m_board.end(), [side](int16_t cell) {
        return cell * side > 0 && std::abs(cell) != kKingValue;
    });
}

// The clocks after each move of an opened game: full time at the start, and
// each mover's time as the file's clock comments give it.
std::vector<ClockTimes> ClockHistory(const TimeControl& control,
                                     std::span<const std::optional<int64_t>> clocksMs,
                                     std::size_t plies) {
    const int64_t full = control.PeriodMs();
    std::vector<ClockTimes> history{{full, full}};
    for (std::size_t ply = 0; ply < plies; ++ply) {
        ClockTimes times = history.back();
        const int mover = ply % 2 == 0 ? kWhite : kBlack;
        if (ply < clocksMs.size() && clocksMs[ply]) times.Of(mover) = *clocksMs[ply];
        history.push_back(times);
    }
    return history;
}

void WriteMoveList(Archive& archive, std::span<const MoveEntry> moves) {
    archive.WriteInt16(static_cast<int16_t>(moves.size()));
    for (const MoveEntry& move : moves) {
        archive.WriteInt16(move.from);
        archive.WriteInt16(move.to);
    }
}

}  // namespace

// A game replayed from the start with every move tested as in play.
struct ReplayedGame {
    std::unique_ptr<Intelligence> engine;
    GameEnd end;
    // How many moves had been made when the game ended, the whole list if it
    // did not end before its last move.
    std::size_t endPly = 0;
};

namespace {

// Empty, with g_sideToMove as it was, when a move is off the board or not
// legal in turn.
std::optional<ReplayedGame> Replay(std::span<const MoveEntry> moves) {
    const int16_t sideBefore = g_sideToMove;
    ReplayedGame game{std::make_unique<Intelligence>(), {}};
    for (const MoveEntry& move : moves) {
        const int side = g_sideToMove;
        if (!IsSquare(move.from) || !IsSquare(move.to) ||
            !game.engine->IsMoveLegal(move.from, move.to, side, kCheckOwnership)) {
            g_sideToMove = sideBefore;
            return std::nullopt;
        }
        game.engine->MakeMoveForSide(move.from, move.to, side, kSwitchSide);
        bool check = false;
        bool mate = false;
        const bool overBefore = game.end.drawn || game.end.matedSide != 0;
        RunAfterMoveTests(*game.engine, move, side, game.end, check, mate);
        if (!overBefore) ++game.endPly;
    }
    return game;
}

}  // namespace

CTesselDoc::CTesselDoc() {
    // Entries never move, so reads of earlier moves stay valid while a move
    // is appended.
    m_moves.reserve(kMaxMoves);
    g_chessClock.Reset();
}

CTesselDoc::~CTesselDoc() = default;

bool CTesselDoc::OnNewDocument() {
    DeleteContents();
    g_chessClock.Reset();
    m_gameOver = false;
    m_drawn = false;
    m_kingOnlyCountdown = {};
    m_matedSide = 0;
    m_resignedSide = 0;
    m_flaggedSide = 0;
    m_importNote.clear();
    m_pEngine.reset();
    m_pEngine = std::make_unique<Intelligence>();
    m_moveCount = 0;
    ForgetRedo();
    g_sideToMove = kWhite;
    m_countdown.Reset(m_timeControl);
    if (m_playMode == kPlayBlack) {
        g_chessClock.running = true;
        m_countdown.Start(kWhite);
        if (auto move = ThinkComputerMove(kBlack, kNoSquare, kNoSquare, kSearchKindExpert)) {
            // A book move: the time it takes cannot run out a period.
            m_countdown.CompleteMove(kWhite);
            AppendMove(*move);
        }
    }
    Publish();
    return true;
}

FileResult CTesselDoc::OnOpenDocument(const std::string& path, const PgnGameChooser& choose) {
    std::vector<uint8_t> bytes;
    FileResult result = ReadFileBytes(path, std::max(kMaxFileBytes, kMaxPgnFileBytes), bytes);
    if (!result.ok) return result;
    if (IsPgnText(bytes, path)) return OpenPgn(bytes, path, choose);
    Archive archive = Archive::ForLoading(std::move(bytes));
    Serialize(archive);
    if (archive.HasFormatError()) return {false, kUnexpectedFileFormat};
    SetPathName(path);
    SetModifiedFlag(false);
    m_importNote.clear();
    g_chessClock.Reset();
    m_flaggedSide = 0;
    m_countdown.Restore(m_timeControl,
                        ClockHistory(m_timeControl, {}, static_cast<std::size_t>(m_moveCount)));
    Publish();
    return result;
}

// The moves read are legal by Quillon's rules; a game that those rules end
// early opens up to its end, even when a later move would be refused.
FileResult CTesselDoc::OpenPgn(const std::vector<uint8_t>& bytes, const std::string& path,
                               const PgnGameChooser& choose) {
    const PgnImport import = ImportPgn(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), choose);
    if (import.cancelled) return {false, {}};
    const int16_t sideBefore = g_sideToMove;
    std::span<const MoveEntry> moves(import.moves);
    std::optional<ReplayedGame> game = Replay(moves);
    if (!game) return {false, kUnexpectedFileFormat};
    const bool endsEarly = game->endPly < moves.size() ||
                           (!import.error.empty() && (game->end.drawn || game->end.matedSide));
    if (!import.error.empty() && !endsEarly) {
        g_sideToMove = sideBefore;
        return {false, import.error};
    }
    if (game->endPly < moves.size()) {
        moves = moves.first(game->endPly);
        game = Replay(moves);
    }
    m_moves.assign(moves.begin(), moves.end());
    m_moveCount = static_cast<int16_t>(moves.size());
    ForgetRedo();
    AdoptGame(std::move(*game));
    m_importNote = endsEarly ? "The game ends at move " + std::to_string((moves.size() + 1) / 2) +
                                   "; the file's later moves are left out."
                             : "";
    SetImportedPathName(path);
    SetModifiedFlag(false);
    g_chessClock.Reset();
    // A tag that names no control Quillon keeps ("?", several periods)
    // leaves the current one.
    if (const auto control = ParsePgnTimeControl(import.timeControl)) m_timeControl = *control;
    m_flaggedSide = 0;
    m_countdown.Restore(m_timeControl, ClockHistory(m_timeControl, import.clocksMs, moves.size()));
    Publish();
    return {true, {}};
}

FileResult SaveMoveList(std::span<const MoveEntry> moves, const std::string& path) {
    Archive archive = Archive::ForStoring();
    WriteMoveList(archive, moves);
    return ReplaceFileContents(path, archive.Bytes());
}

FileResult CTesselDoc::OnSaveDocument(const std::string& path) {
    FileResult result =
        SaveMoveList(std::span(m_moves.data(), static_cast<std::size_t>(m_moveCount)), path);
    if (!result.ok) return result;
    SetPathName(path);
    SetModifiedFlag(false);
    return result;
}

void CTesselDoc::Serialize(Archive& archive) {
    if (archive.IsStoring()) {
        WriteMoveList(archive, std::span(m_moves.data(), static_cast<std::size_t>(m_moveCount)));
        return;
    }
    std::vector<MoveEntry> moves;
    std::optional<ReplayedGame> game;
    if (ReadMoveList(archive, moves)) game = Replay(moves);
    if (!game) {
        archive.SetFormatError();
        return;
    }
    m_moves.assign(moves.begin(), moves.end());
    m_moveCount = static_cast<int16_t>(moves.size());
    ForgetRedo();
    AdoptGame(std::move(*game));
}

bool CTesselDoc::MakeUserMove(bool& check, bool& mate) {
    SetModifiedFlag(true);
    if (m_moveCount >= kMaxMoves || !IsSquare(m_fromSquare) || !IsSquare(m_toSquare)) {
        return false;
    }
    const int side = g_sideToMove;
    if (!m_pEngine->IsMoveLegal(m_fromSquare, m_toSquare, side, kCheckOwnership)) return false;
    if (!m_countdown.CompleteMove(side)) {
        EndOnTime();
        return false;
    }
    m_pEngine->MakeMoveForSide(m_fromSquare, m_toSquare, side, kSwitchSide);
    const MoveEntry move{m_fromSquare, m_toSquare};
    AppendMove(move);
    AfterMoveTests(move, side, check, mate);
    Publish();
    return true;
}

bool CTesselDoc::MakeNextMove(bool& check, bool& mate) {
    SetModifiedFlag(true);
    check = false;
    mate = false;
    if (m_playMode == kPlayHumanVsHuman) return MakeUserMove(check, mate);
    if (m_playMode != kPlayWhite && m_playMode != kPlayBlack &&
        m_playMode != kPlayComputerVsComputer) {
        return false;
    }
    if (m_moveCount >= kMaxMoves) return false;

    const bool bothSides = m_playMode == kPlayComputerVsComputer;
    const int humanSide = bothSides ? -g_sideToMove : m_playMode == kPlayWhite ? kWhite : kBlack;
    const int searchKind = m_skillLevel == kSkillNovice ? kSearchKindNovice : kSearchKindExpert;
    // Playing both sides, each reply starts from its own side's capture list,
    // which the other side's reply left up to date as its opponent's; there
    // is no human move to bring into them.
    auto& engine = *m_pEngine;
    if (bothSides) std::swap(engine.m_humanCaptures, engine.m_computerCaptures);
    m_countdown.Start(-humanSide);
    const auto move = bothSides
                          ? ThinkComputerMove(humanSide, kNoSquare, kNoSquare, searchKind)
                          : ThinkComputerMove(humanSide, m_fromSquare, m_toSquare, searchKind);
    if (!move) {
        if (bothSides) std::swap(engine.m_humanCaptures, engine.m_computerCaptures);
        return false;
    }
    if (!m_countdown.CompleteMove(-humanSide)) {
        // The search has made its move on the engine.
        RebuildPosition();
        EndOnTime();
        return false;
    }
    // Playing both sides, each side's time runs only while it thinks: the
    // pause a person needs to follow the game is nobody's.
    if (bothSides) m_countdown.Pause();
    AppendMove(*move);
    AfterMoveTests(*move, -humanSide, check, mate);
    Publish();
    return true;
}

bool CTesselDoc::RebuildPosition() {
    auto game = Replay(std::span(m_moves.data(), static_cast<std::size_t>(m_moveCount)));
    if (!game) return false;
    AdoptGame(std::move(*game));
    return true;
}

int CTesselDoc::SearchDepth() const { return g_searchDepth; }

void CTesselDoc::SetSearchDepth(int depth) { g_searchDepth = depth; }

bool CTesselDoc::UndoMove() {
    if (m_resignedSide != 0) return WithdrawResignation();
    return TakeBackTo(m_moveCount - MovesPerStep());
}

bool CTesselDoc::TakeBackTo(int moveCount) {
    if (m_moveCount == 0 || moveCount >= m_moveCount) return false;
    // The clocks after every move up to the last one made, for a redo.
    if (!KeepsRedo()) m_redoClocks = m_countdown.History();
    const int16_t redoEnd = m_redoEnd;
    m_gameOver = false;
    m_drawn = false;
    m_resignedSide = 0;
    m_moveCount = static_cast<int16_t>(std::max(moveCount, 0));
    if (m_moveCount == 0 && m_playMode != kPlayHumanVsHuman) {
        StartOverKeepingRedo(redoEnd);
        // The computer has opened the new game; its clock runs already.
        if (m_playMode == kPlayBlack) return true;
    }
    RebuildPosition();
    g_chessClock.Resume();
    m_flaggedSide = 0;
    m_countdown.UndoTo(m_moveCount, g_sideToMove);
    return true;
}

bool CTesselDoc::UndoAllMoves() {
    if (!CanUndo()) return false;
    StartOverKeepingRedo(m_redoEnd);
    return true;
}

bool CTesselDoc::RedoMove() {
    if (!CanRedo()) return false;
    const int16_t redoEnd = m_redoEnd;
    m_moveCount =
        static_cast<int16_t>(std::min(m_moveCount + MovesPerStep(), static_cast<int>(redoEnd)));
    RebuildPosition();
    SetModifiedFlag(true);
    const std::size_t kept =
        std::min(m_redoClocks.size(), static_cast<std::size_t>(m_moveCount) + 1);
    m_countdown.Restore(m_countdown.Control(),
                        std::vector(m_redoClocks.begin(), m_redoClocks.begin() + kept));
    if (m_gameOver) {
        g_chessClock.Stop();
    } else {
        g_chessClock.Resume();
        m_countdown.UndoTo(m_moveCount, g_sideToMove);
    }
    return true;
}

bool CTesselDoc::Resign(int side) {
    // The view marks a finished game over only once it has reported the end.
    const bool over = m_gameOver || m_drawn || m_matedSide != 0;
    if (over || (side != kWhite && side != kBlack)) return false;
    m_resignedSide = static_cast<int16_t>(side);
    m_gameOver = true;
    ForgetRedo();
    g_chessClock.Stop();
    m_countdown.Stop();
    SetModifiedFlag(true);
    return true;
}

bool CTesselDoc::WithdrawResignation() {
    m_resignedSide = 0;
    m_gameOver = false;
    g_chessClock.Resume();
    m_countdown.UndoTo(m_moveCount, g_sideToMove);
    return true;
}

void CTesselDoc::StartOverKeepingRedo(int16_t redoEnd) {
    const std::optional<MoveEntry> opening =
        m_moves.empty() ? std::nullopt : std::optional(m_moves.front());
    OnNewDocument();
    if (m_moveCount == 0 || m_moves.front() == opening) m_redoEnd = redoEnd;
}

void CTesselDoc::AbortComputerSearch() { m_searchControl.RequestAbort(); }

void CTesselDoc::PlayComputerMoveNow() { m_searchControl.RequestMoveNow(); }

void CTesselDoc::ClearSearchRequests() { m_searchControl.Reset(); }

std::optional<int64_t> CTesselDoc::ComputerBudgetMs() {
    std::optional<int64_t> budget;
    const TimeControl control = m_countdown.Control();
    if (control.IsTimed()) {
        // Each side has made half the moves when it is to move again.
        const int64_t left = m_countdown.Tick().left.Of(g_sideToMove);
        budget = ReplyBudgetMs(control, left, m_moveCount / 2);
    }
    if (m_moveTimeLimitMs > 0)
        budget = std::min(budget.value_or(m_moveTimeLimitMs), m_moveTimeLimitMs);
    return budget;
}

void CTesselDoc::EndOnTime() {
    const int side = m_countdown.Tick().flaggedSide;
    if (side == 0) return;
    m_flaggedSide = static_cast<int16_t>(side);
    // A side with nothing but its king cannot win, on time or otherwise.
    m_drawn = HasOnlyKing(*m_pEngine, -side);
    m_gameOver = true;
    SetModifiedFlag(true);
}

void CTesselDoc::Publish() {
    std::lock_guard lock(m_publishedMutex);
    m_published.board = m_pEngine->m_board;
    m_published.sideToMove = g_sideToMove;
}

PublishedPosition CTesselDoc::Published() const {
    std::lock_guard lock(m_publishedMutex);
    return m_published;
}

void CTesselDoc::AfterMoveTests(const MoveEntry& move, int side, bool& check, bool& mate) {
    GameEnd end{m_drawn, m_kingOnlyCountdown, m_matedSide};
    RunAfterMoveTests(*m_pEngine, move, side, end, check, mate);
    m_drawn = end.drawn;
    m_kingOnlyCountdown = end.kingOnlyCountdown;
    m_matedSide = end.matedSide;
    // A finished game cannot be lost on time.
    if (m_drawn || mate) m_countdown.Stop();
}

void CTesselDoc::AppendMove(const MoveEntry& move) {
    if (static_cast<std::size_t>(m_moveCount) < m_moves.size()) {
        m_moves[m_moveCount] = move;
    } else {
        m_moves.push_back(move);
    }
    ++m_moveCount;
    ForgetRedo();
}

std::optional<MoveEntry> CTesselDoc::ThinkComputerMove(int humanSide, int lastFrom, int lastTo,
                                                       int searchKind) {
    // A search in a position without a legal move could only come back with
    // one that leaves the computer's king in check.
    if (m_pEngine->HasLegalMove() == kNoLegalMove) return std::nullopt;
    m_pEngine->m_control = &m_searchControl;
    const ScoredMove reply = m_pEngine->ThinkMove(humanSide, lastFrom, lastTo, searchKind);
    m_pEngine->m_control = nullptr;
    m_searchControl.Reset();
    if (!IsMove(reply)) return std::nullopt;
    return MoveEntry{static_cast<int16_t>(reply.from), static_cast<int16_t>(reply.to)};
}

void CTesselDoc::AdoptGame(ReplayedGame&& game) {
    m_pEngine = std::move(game.engine);
    m_drawn = game.end.drawn;
    m_kingOnlyCountdown = game.end.kingOnlyCountdown;
    m_matedSide = game.end.matedSide;
    m_resignedSide = 0;
    m_gameOver = m_drawn || m_matedSide != 0;
    Publish();
}
