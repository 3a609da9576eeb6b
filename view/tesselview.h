#pragma once

#include <QList>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <optional>
#include <span>
#include <thread>

#include "document/chessclock.h"
#include "document/tesseldoc.h"
#include "view/boardmarks.h"
#include "view/hintworker.h"
#include "view/searchprogress.h"
#include "view/showngame.h"
#include "view/viewsettings.h"
#include "view/viewstepqueue.h"

class DragImage;
class Prompter;
class QPainter;

// The board view: draws the game, turns drags, clicks and keys into moves,
// runs each move on a worker thread and carries out the game commands of
// the menu.
class CTesselView : public QWidget {
    Q_OBJECT
public:
    CTesselView(CTesselDoc& doc, Prompter& prompter, QWidget* parent = nullptr);
    ~CTesselView() override;

    CTesselDoc& GetDocument() const { return m_doc; }
    // The board is drawn for this size; larger views draw it larger.
    QSize sizeHint() const override;

    // A move or a hint is being processed: the game must not be replaced
    // meanwhile.
    bool IsBusy() const { return m_busy || m_hintWorker.IsRunning(); }
    // The computer is searching for its reply.
    bool IsThinking() const { return m_progress.IsThinking(); }
    int SkillLevel() const { return m_skillLevel; }
    int SearchDepth() const { return m_searchDepth; }
    const QString& StatusText() const { return m_strStatus; }
    const PublishedPosition& ShownPosition() const { return m_shown; }
    const std::optional<MoveEntry>& LastMoveLine() const { return m_lastMoveLine; }
    // The game as shown, move by move as it is processed.
    const std::vector<MoveEntry>& ShownMoves() const { return m_game.Moves(); }
    // The selected piece and where it may go, by the rules.
    const std::optional<int>& SelectedSquare() const { return m_selected; }
    const std::vector<int>& Targets() const { return m_targets; }
    const std::optional<MoveEntry>& HintMove() const { return m_hint; }
    // What the screen draws over the board now.
    BoardMarks Marks() const;

    const ViewSettings& Settings() const { return m_settings; }
    void SetSettings(const ViewSettings& settings);
    // The cell of a square in widget pixels, as the board is scaled and
    // turned now.
    QRect CellRect(int square) const;
    // Hint is offered in the human's turn against the computer, while the
    // game is open and nothing is being processed.
    bool CanHint() const;

    const SearchProgress& Progress() const { return m_progress; }

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
    // Puts the text in the status box.
    void ShowStatus(const QString& text);

    // Draws the board, the side to move and the clock labels.
    void PaintView(QPainter& painter);
    // The board on a printer's page, scaled to fill most of the page.
    void PrintView(QPainter& painter, const QRect& page);

    // The view's commands.
    void OnPlayHumanVsHuman();
    void OnPlayBlack();
    void OnPlayWhite();
    void OnSkillNovice();
    void OnSkillExpert();
    void OnSetDepth(int depth);
    void OnMoveUndo();
    void OnMoveUndoAll();
    void OnMoveHint();
    // Plays at once the best move the computer has found so far.
    void OnMoveNow();
    void OnFilePrint();
    void OnAppExit();

signals:
    // The game, its settings or the busy state changed: menus and title follow.
    void GameStateChanged();
    // The shown game gained or lost moves.
    void ShownMovesChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void OnDraw(QPainter& painter);
    void PaintBoard(QPainter& painter, const QList<QPixmap>& pieceImages, bool flipped,
                    const BoardMarks* marks);
    QRect ToWidget(const QRect& area) const;
    std::optional<int> SquareAtWidget(QPoint point) const;
    void RenderPieceImages();
    void DrawStatus();
    void OnTimer();
    void OnLButtonDown(QPoint point);
    void OnMouseMove(Qt::MouseButtons buttons, QPoint point);
    void OnLButtonUp(QPoint point);

    bool IsHumansTurn() const;
    bool IsComputersTurn() const;
    bool AcceptsMoves() const;
    bool IsOwnPiece(int square) const;
    bool IsClickTarget(int square) const;
    void Select(int square);
    void ClearSelection();
    void ClickSquare(int square);
    void MoveSelectedTo(int square);
    void EnterMove(int toSquare);
    void MoveCursor(int colStep, int rowStep);
    void CollectHint();
    void ShowGameMoves(std::span<const MoveEntry> moves);
    bool ConfirmUndoTurn();
    void ClearFinishedReport();
    void SetPlayMode(int playMode);
    void ApplySettings();
    void ShowPosition(const PublishedPosition& position, std::optional<MoveEntry> lastMove);
    void ReportGameAlreadyOver();

    void StartMoveWorker();
    void StartWorker(void (*work)(CTesselDoc&, ViewStepQueue&));
    void DrainViewSteps();
    void RunStep(const ViewStep& step);
    void ReportCheckmate(int winner);
    void SetThinking(bool thinking);
    void SetBusyCursor(bool on);
    void FinishMoveWorker();

    CTesselDoc& m_doc;
    Prompter& m_prompter;
    QList<QPixmap> m_pieceImages;
    DragImage* m_dragImage;
    bool m_bDragging = false;
    QString m_strStatus;
    PublishedPosition m_shown;
    std::optional<MoveEntry> m_lastMoveLine;
    ChessClock::Reading m_clockReading{0, 0, false};
    QTimer m_clockTimer;

    ViewSettings m_settings;
    // Board units to widget pixels: the view grows in proportion.
    qreal m_scale = 1;
    ShownGame m_game;
    std::optional<int> m_selected;
    std::vector<int> m_targets;
    std::optional<int> m_cursor;
    std::optional<int> m_checkedKing;
    std::optional<MoveEntry> m_hint;
    HintWorker m_hintWorker;
    QTimer m_hintTimer;

    // Settings chosen from the menu; passed to the game when no move is
    // being processed, so the search never sees them change under it.
    int m_skillLevel;
    int m_searchDepth;

    bool m_busy = false;
    bool m_busyCursor = false;
    bool m_drainingSteps = false;
    std::thread m_worker;
    ViewStepQueue m_steps;
    QTimer m_stepTimer;
    SearchProgress m_progress;
    // The last stop cut off the computer's reply in a game that goes on.
    bool m_replyStopped = false;
};
