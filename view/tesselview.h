#pragma once

#include <QTimer>
#include <QWidget>
#include <optional>
#include <span>

#include "document/chessclock.h"
#include "document/tesseldoc.h"
#include "view/boardmarks.h"
#include "view/boardpainter.h"
#include "view/hintworker.h"
#include "view/moverunner.h"
#include "view/searchprogress.h"
#include "view/shownboard.h"
#include "view/viewsettings.h"

class BoardWidget;
class GamePanel;
class MoveListPanel;
class Prompter;
class QPainter;

// The board view: shows the game on its board widget with the side to move,
// the clocks and the status box, turns the board's square events into
// moves, runs each move on a worker thread and carries out the game
// commands of the menu.
class CTesselView : public QWidget, private StepView {
    Q_OBJECT
public:
    CTesselView(CTesselDoc& doc, Prompter& prompter, QWidget* parent = nullptr);

    CTesselDoc& GetDocument() const { return m_doc; }
    BoardWidget& Board() const { return *m_board; }
    // The move list is shown beside the board, scaled with it.
    void AdoptMoveList(MoveListPanel* moveList);

    // A move is being processed: the game must not be replaced meanwhile. A
    // hint is not: whatever changes the game ends it first.
    bool IsBusy() const { return m_runner.IsRunning(); }
    // The computer is searching for its reply or for a hint.
    bool IsThinking() const { return m_progress.IsThinking(); }
    int SkillLevel() const { return m_skillLevel; }
    int SearchDepth() const { return m_searchDepth; }
    // Time per Move: the longest the computer thinks about a reply, 0 for no
    // limit.
    int64_t MoveTimeMs() const { return m_moveTimeMs; }
    // The clocks as the window shows them now.
    const ClockFace& WhiteClock() const { return m_whiteClock; }
    const ClockFace& BlackClock() const { return m_blackClock; }
    const QString& StatusText() const { return m_strStatus; }
    const PublishedPosition& ShownPosition() const { return m_shown.Position(); }
    const std::optional<MoveEntry>& LastMoveLine() const { return m_shown.MoveLine(); }
    // The game as shown, move by move as it is processed.
    const std::vector<MoveEntry>& ShownMoves() const { return m_shown.Moves(); }
    // The position on the board: the game's, or an earlier one while browsing.
    PublishedPosition BoardPosition() const;
    // The selected piece and where it may go, by the rules.
    const std::optional<int>& SelectedSquare() const { return m_shown.Selected(); }
    const std::vector<int>& Targets() const { return m_shown.Targets(); }
    const std::optional<MoveEntry>& HintMove() const { return m_shown.Hint(); }
    // What the screen draws over the board now.
    BoardMarks Marks() const;

    const ViewSettings& Settings() const { return m_settings; }
    void SetSettings(const ViewSettings& settings);
    // The cell of a square in the board widget's pixels.
    QRect CellRect(int square) const;
    // Hint is offered in the human's turn against the computer, while the
    // game is open and nothing is being processed or searched.
    bool CanHint() const;

    const SearchProgress& Progress() const { return m_progress; }

    // Browsing: the board shows the position after the game's first ply
    // moves, with that move's marks, and takes no move; the game, its clocks
    // and the computer's thinking go on as they were. The game's own
    // position ends it.
    void BrowseTo(int ply);
    void BrowseBy(int plies);
    // False when the game's position is shown already.
    bool ReturnToGame();
    bool IsBrowsing() const { return m_browsedPly.has_value(); }
    // How many of the game's moves lead to the position shown.
    int ShownPly() const;
    // "Viewing move 12 of 40 - End returns to the game"; empty when not
    // browsing.
    QString ViewingText() const;
    // Takes the game back to the position shown, as repeated undos would,
    // after asking.
    bool CanContinueFromHere() const;
    void OnContinueFromHere();

    // Stops the computer's search and waits for the move being processed to
    // settle, so that the game may be saved or replaced; the game keeps every
    // move made, and a stopped search makes no move.
    void StopMoveWorker();
    // After a stop that left the game in place, the computer thinks about its
    // reply again.
    void ResumeStoppedReply();
    // An opened game in which the computer is to move gets its reply at once.
    void ReplyIfComputersTurn();

    // Shows the document's game afresh after it has been replaced (new game,
    // open, play mode); an opened game that is already over says why.
    void ShowGameFromDocument();
    void ShowStatus(const QString& text) override;

    // Shows the game as it stands now, on the board and around it.
    void PaintView();
    // The board on a printer's page, scaled to fill most of the page.
    void PrintView(QPainter& painter, const QRect& page);

    // The view's commands.
    void OnPlayHumanVsHuman();
    void OnPlayBlack();
    void OnPlayWhite();
    void OnPlayComputerVsComputer();
    // A new game under the time control.
    void OnSetTimeControl(const TimeControl& control);
    void OnSetMoveTime(int64_t ms);
    void OnSkillNovice();
    void OnSkillExpert();
    void OnSetDepth(int depth);
    void OnMoveUndo();
    void OnMoveUndoAll();
    void OnMoveRedo();
    // Resign is offered in a human's turn while the game is open and no move
    // is being processed.
    bool CanResign() const;
    void OnMoveResign();
    void OnMoveHint();
    // Plays at once the best move the computer has found so far, or shows it
    // as the hint.
    void OnMoveNow();
    void OnFilePrint();
    void OnAppExit();

signals:
    // The game, its settings or the busy state changed: menus and title follow.
    void GameStateChanged();
    // The shown game gained or lost moves.
    void ShownMovesChanged();
    // The board shows the position after ply moves of the game.
    void ShownPlyChanged(int ply);

protected:
    // The board's keys for browsing: Home and End always, Left and Right
    // while an earlier position is shown (else they move the keyboard's
    // square).
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void DrawStatus();
    void OnTimer();
    int ShowCountdown();
    void EndGameOnTime();
    void ReportTimeForfeit();
    void ShowPlayerNames();
    void OnLButtonDown(std::optional<int> square, QPoint point);
    void OnMouseMove(Qt::MouseButtons buttons, QPoint point);
    void OnLButtonUp(std::optional<int> square);

    bool IsHumansTurn() const;
    bool IsComputersTurn() const;
    bool AcceptsMoves() const;
    void Select(int square);
    void ClearSelection();
    void ClickSquare(int square);
    void MoveSelectedTo(int square);
    void EnterMove(int toSquare);
    void StartClockAtDrop();
    void ShowHint(std::optional<MoveEntry> hint);
    void CancelHint();
    void OnEscape();
    // A reply or a hint is being searched.
    bool IsSearching() const { return m_runner.IsRunning() || m_hintWorker.IsRunning(); }
    void ShowGameMoves(std::span<const MoveEntry> moves);
    void ShowDocumentGame();
    bool ConfirmUndoTurn();
    // Undo, Undo All and Redo, in a human's turn while no move is processed;
    // false when refused.
    bool RunUndoCommand(bool (CTesselDoc::*command)());
    void ClearFinishedReport();
    void SetPlayMode(int playMode);
    void ChooseSettings(int skillLevel, int searchDepth);
    void ApplySettings();
    void ShowPosition(const PublishedPosition& position,
                      std::optional<MoveEntry> lastMove) override;
    void ReportGameAlreadyOver();
    int GamePlies() const { return static_cast<int>(m_shown.Moves().size()); }
    void ShowBrowsedPosition();
    BoardMarks BrowsedMarks();
    // After the shown ply changed.
    void BrowsingChanged();

    void StartWorker(MoveRunner::Work work);
    void ReportCheckmate(int winner) override;
    void ReportDraw() override;
    void SetThinking(bool thinking) override;
    void StartReplyBudget(int64_t ms) override;
    void FinishMoveWorker() override;

    CTesselDoc& m_doc;
    Prompter& m_prompter;
    GamePanel* m_panel;
    BoardWidget* m_board;
    bool m_bDragging = false;
    QString m_strStatus;
    ShownBoard m_shown;
    // The ply browsed to, none while the game's position is shown, and the
    // position there with its marks.
    std::optional<int> m_browsedPly;
    ShownGame m_browsed;
    BoardMarks m_browsedMarks;
    ChessClock::Reading m_clockReading{0, 0, false};
    QTimer m_clockTimer;
    ClockFace m_whiteClock;
    ClockFace m_blackClock;
    // The game's loss or draw on time has been reported.
    bool m_timeReported = false;
    // Plays the computer's reply through Move Now when its budget is spent.
    QTimer m_budgetTimer;
    // Keeps the computer's moves apart when it plays both sides.
    QTimer m_paceTimer;

    ViewSettings m_settings;
    HintWorker m_hintWorker;

    // Settings chosen from the menu; passed to the game when no move is
    // being processed, so the search never sees them change under it.
    int m_skillLevel;
    int m_searchDepth;
    int64_t m_moveTimeMs = 0;

    MoveRunner m_runner;
    SearchProgress m_progress;
    // The last stop cut off the computer's reply in a game that goes on.
    bool m_replyStopped = false;
};
