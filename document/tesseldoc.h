#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "computer/intelligence.h"
#include "document/countdownclock.h"
#include "document/document.h"
#include "document/moveentry.h"
#include "document/pgnimport.h"
#include "document/timecontrol.h"

class Archive;

// What the user-interface thread may read while a move is processed: the
// position and side to move as they stand between moves.
struct PublishedPosition {
    std::array<int16_t, kSquareCount> board;
    int16_t sideToMove;
};

constexpr int kPlayHumanVsHuman = 0;
constexpr int kPlayWhite = 1;
constexpr int kPlayBlack = 2;
// The computer plays both sides.
constexpr int kPlayComputerVsComputer = 3;
constexpr int kSkillNovice = 1;
constexpr int kSkillExpert = 2;
// The most moves a 16-bit count can carry.
constexpr int kMaxMoves = 32767;

struct ReplayedGame;

// The game in progress: the engine, the moves played and how the game ended.
// Writes a move list as a saved game, replacing the file only once every
// byte is written.
FileResult SaveMoveList(std::span<const MoveEntry> moves, const std::string& path);

class CTesselDoc : public Document {
public:
    CTesselDoc();
    ~CTesselDoc() override;

    // A new game in the current play mode; in mode 2 the computer opens.
    bool OnNewDocument();
    // Replaces the game by the saved one only when the whole file is a valid
    // game; otherwise everything stays as it was. A PGN file is read by its
    // content whatever its name; choose picks one of its several games. A
    // cancelled choice fails with an empty message.
    FileResult OnOpenDocument(const std::string& path, const PgnGameChooser& choose = {});
    // Keeps the old file and the unsaved-changes state on failure.
    FileResult OnSaveDocument(const std::string& path);
    // Loading marks the archive with a format error, and changes nothing,
    // unless the data is a complete game of legal moves.
    void Serialize(Archive& archive) override;

    // The pending move m_fromSquare -> m_toSquare for the side to move. False,
    // with nothing but the unsaved-changes flag changed, when it is not legal
    // or the move list is full; false too, and the game over on time, when
    // the side's time ran out before the move.
    bool MakeUserMove(bool& check, bool& mate);
    // The human's move in mode 0, else the computer's reply (for the side to
    // move when it plays both). False when no move was made: an illegal move
    // in mode 0, a full move list, a computer without a move, a play mode
    // that is none of the four, or a move completed after its side's time
    // ran out (the game is then over on time).
    bool MakeNextMove(bool& check, bool& mate);
    // A fresh engine with the first m_moveCount moves replayed through the
    // after-move tests, so the draw state, countdowns and m_matedSide follow
    // from the moves. False, with nothing changed, if one of them is illegal.
    bool RebuildPosition();

    // The depth of the computer's searches that start from now on.
    int SearchDepth() const;
    void SetSearchDepth(int depth);
    // A resignation or a move to take back.
    bool CanUndo() const { return m_moveCount != 0 || m_resignedSide != 0; }
    // Takes back a resignation, else the last move, against the computer its
    // reply too; taking back the first moves starts a new game in the current
    // mode. The clock counts on from the times it shows. False, with nothing
    // changed, when there is nothing to take back.
    bool UndoMove();
    // Takes the game back to its first moveCount moves, as repeated undos
    // would. False, with nothing changed, when that keeps every move.
    bool TakeBackTo(int moveCount);
    // Takes back every move and a resignation: a new game in the current
    // mode. False, with nothing changed, when there is nothing to take back.
    bool UndoAllMoves();
    // Moves taken back by the undos can be made again until a new move, a
    // resignation, a new game or an open, while the game is not over (an
    // undo reopens a game lost on time).
    bool CanRedo() const { return !m_gameOver && KeepsRedo(); }
    // Makes again the next move taken back, against the computer its reply
    // too, as an undo takes them. False, with nothing changed, when there is
    // nothing to redo.
    bool RedoMove();
    // The side gives up the game in progress; the game ends as a win for the
    // other side. False, with nothing changed, when the game is already over
    // or side is not a side.
    bool Resign(int side);

    // Requests to the computer's search, from the user-interface thread: end
    // it without a move, or play the best move it has found so far.
    void AbortComputerSearch();
    void PlayComputerMoveNow();
    // After a move is processed: a request that came too late for its
    // search must not reach the next one.
    void ClearSearchRequests();

    // How long the computer may think about the reply it is to make now: the
    // timed game's budget, and the time per move when one is set, whichever
    // is shorter. None when it may think as long as its search takes.
    std::optional<int64_t> ComputerBudgetMs();
    // After the running side's flag has fallen and no move is being
    // processed: the game is over, lost on time, or drawn when the other side
    // has nothing but its king. Does nothing while no flag has fallen.
    void EndOnTime();

    // Copies the position and side to move for the user-interface thread.
    void Publish();
    PublishedPosition Published() const;

    std::unique_ptr<Intelligence> m_pEngine;
    int32_t m_playMode = kPlayWhite;
    // Entries beyond m_moveCount are left over from undone moves.
    std::vector<MoveEntry> m_moves;
    int16_t m_moveCount = 0;
    int32_t m_skillLevel = kSkillExpert;
    bool m_gameOver = false;
    bool m_drawn = false;
    int16_t m_toSquare = 0;
    int16_t m_fromSquare = 0;
    std::array<int16_t, 3> m_kingOnlyCountdown{};
    // The side that was checkmated by the last move, 0 if none.
    int16_t m_matedSide = 0;
    // The side that resigned the game, 0 if none.
    int16_t m_resignedSide = 0;
    // Set by the open of a PGN game that Quillon's rules end before the
    // file's last move: what was left out. Empty otherwise.
    std::string m_importNote;
    // The time control of new games and of opened games that bring none.
    TimeControl m_timeControl;
    // The game's clocks when it is timed; with no limit they only keep the
    // order of the moves, and the clocks that count up are g_chessClock.
    CountdownClock m_countdown;
    // Time per Move: the longest the computer thinks about a reply, 0 for no
    // limit.
    int64_t m_moveTimeLimitMs = 0;
    // The side whose time ran out, 0 if none; it lost, unless m_drawn.
    int16_t m_flaggedSide = 0;
    // Interrupts and follows the computer's search from the user-interface
    // thread. A request applies to the search running or about to run; it is
    // cleared when that search ends.
    SearchControl m_searchControl;

private:
    void AfterMoveTests(const MoveEntry& move, int side, bool& check, bool& mate);
    void AppendMove(const MoveEntry& move);
    // The computer's move, already made on the engine; none when it had none.
    std::optional<MoveEntry> ThinkComputerMove(int humanSide, int lastFrom, int lastTo,
                                               int searchKind);
    void AdoptGame(ReplayedGame&& game);
    FileResult OpenPgn(const std::vector<uint8_t>& bytes, const std::string& path,
                       const PgnGameChooser& choose);

    bool KeepsRedo() const { return m_redoEnd > m_moveCount; }
    // The moves one undo or redo takes: against the computer, its reply too.
    int MovesPerStep() const { return m_playMode == kPlayHumanVsHuman ? 1 : 2; }
    void ForgetRedo() { m_redoEnd = m_moveCount; }
    // A new game after the undos took back every move; what they took back
    // up to redoEnd stays redoable unless the computer opens it differently.
    void StartOverKeepingRedo(int16_t redoEnd);
    bool WithdrawResignation();

    // The entries of m_moves from m_moveCount up to here can be redone, and
    // the clocks after each move up to it, [0] the start.
    int16_t m_redoEnd = 0;
    std::vector<ClockTimes> m_redoClocks;

    mutable std::mutex m_publishedMutex;
    PublishedPosition m_published{};
};
