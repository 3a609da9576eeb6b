#include "view/tesselview.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QVBoxLayout>

#include "view/boardgeometry.h"
#include "view/boardpainter.h"
#include "view/boardwidget.h"
#include "view/browsebar.h"
#include "view/gamepanel.h"
#include "view/moveworker.h"
#include "view/prompter.h"
#include "view/statustexts.h"

namespace {

constexpr int kClockPeriodMs = 200;
// A timed game's clocks show tenths under ten seconds.
constexpr int kCountdownPeriodMs = 100;
constexpr int64_t kLowTimeMs = 10'000;
// The least time between two moves of the computer playing both sides, so
// that a person can follow them.
constexpr int kComputerPaceMs = 500;

const QString kCheckmateStatus = QString::fromLatin1(kCheckmateText);
const QString kCheckmateMessage = QStringLiteral("Checkmate! Game over\n\r\n\r    %1 wins!");
const QString kGameOverCaption = QStringLiteral("Game Over");
const QString kDrawnStatus = QString::fromLatin1(kDrawnText);
const QString kUndoRefusal = QStringLiteral("Please undo only when it is your turn");
const QString kUndoRefusalCaption = QStringLiteral("Please co-operate");
const QString kLostOnTime = QStringLiteral("%1 lost on time");
const QString kLostOnTimeMessage = QStringLiteral("%1 lost on time\n\r\n\r    %2 wins!");
const QString kDrawnOnTimeReason = QStringLiteral("%1 ran out of time, but %2 has only its king");
const QString kStatusLineBreak = QStringLiteral("\n\r");
const QString kComputerName = QStringLiteral("Quillon");
const QString kWhiteKing = QStringLiteral("\u2654 ");
const QString kBlackKing = QStringLiteral("\u265A ");
const QString kResignCaption = QStringLiteral("Resign");
const QString kResignQuestion = QStringLiteral("Do you want to resign this game?");
const QString kResignedStatus = QStringLiteral("%1 resigns");
const QString kViewingText = QStringLiteral("Viewing move %1 of %2 - End returns to the game");
const QString kContinueCaption = QStringLiteral("Continue from Here");
const QString kContinueQuestion =
    QStringLiteral("Continue the game from here? The %1 moves after it are taken back.");

QString SideName(int side) {
    return side == kWhite ? QStringLiteral("White") : QStringLiteral("Black");
}

}  // namespace

CTesselView::CTesselView(CTesselDoc& doc, Prompter& prompter, QWidget* parent)
    : QWidget(parent),
      m_doc(doc),
      m_prompter(prompter),
      m_panel(new GamePanel(this)),
      m_board(&m_panel->Board()),
      m_shown(doc.Published()),
      m_hintWorker([this](std::optional<MoveEntry> hint) { ShowHint(hint); }),
      m_skillLevel(doc.m_skillLevel),
      m_searchDepth(doc.SearchDepth()),
      m_runner(doc, *this) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_panel);
    setFocusProxy(m_panel);
    connect(m_board, &BoardWidget::Pressed, this, &CTesselView::OnLButtonDown);
    connect(m_board, &BoardWidget::PointerMoved, this, &CTesselView::OnMouseMove);
    connect(m_board, &BoardWidget::Released, this, &CTesselView::OnLButtonUp);
    connect(m_board, &BoardWidget::SquareChosen, this, &CTesselView::ClickSquare);
    connect(m_board, &BoardWidget::EscapePressed, this, &CTesselView::OnEscape);
    m_board->installEventFilter(this);
    BrowseBar& browsing = m_panel->Browsing();
    connect(&browsing, &BrowseBar::FirstChosen, this, [this] { BrowseTo(0); });
    connect(&browsing, &BrowseBar::BackChosen, this, [this] { BrowseBy(-1); });
    connect(&browsing, &BrowseBar::ForwardChosen, this, [this] { BrowseBy(1); });
    connect(&browsing, &BrowseBar::LastChosen, this, &CTesselView::ReturnToGame);
    connect(this, &CTesselView::ShownMovesChanged, this, &CTesselView::BrowsingChanged);
    m_clockTimer.setInterval(kClockPeriodMs);
    connect(&m_clockTimer, &QTimer::timeout, this, &CTesselView::OnTimer);
    m_clockTimer.start();
    m_budgetTimer.setSingleShot(true);
    connect(&m_budgetTimer, &QTimer::timeout, this, &CTesselView::OnMoveNow);
    m_paceTimer.setSingleShot(true);
    m_paceTimer.setInterval(kComputerPaceMs);
    connect(&m_paceTimer, &QTimer::timeout, this, &CTesselView::ReplyIfComputersTurn);
    PaintView();
}

void CTesselView::AdoptMoveList(MoveListPanel* moveList) { m_panel->AdoptMoveList(moveList); }

QRect CTesselView::CellRect(int square) const { return m_board->CellRect(square); }

BoardMarks CTesselView::Marks() const {
    BoardMarks marks = m_browsedPly ? m_browsedMarks : m_shown.Marks(m_settings);
    marks.cursor = m_board->Cursor();
    return marks;
}

// The board and the texts around it show the game as it stands now.
void CTesselView::PaintView() {
    if (m_browsedPly) {
        ShowBrowsedPosition();
        return;
    }
    m_panel->SetViewingText({});
    m_panel->SetSideToMove(m_shown.Position().sideToMove);
    m_panel->SetStatus(m_strStatus);
    m_board->Show(m_shown.Position(), m_shown.Marks(m_settings), m_settings.flipBoard,
                  m_settings.lastMove ? m_shown.MoveLine() : std::nullopt);
}

void CTesselView::SetSettings(const ViewSettings& settings) {
    m_settings = settings;
    m_panel->SetMoveListVisible(settings.moveList);
    if (m_browsedPly) m_browsedMarks = BrowsedMarks();
    PaintView();
}

PublishedPosition CTesselView::BoardPosition() const {
    return m_browsedPly ? m_browsed.Position() : m_shown.Position();
}

int CTesselView::ShownPly() const { return m_browsedPly.value_or(GamePlies()); }

// Moves are counted as the move list numbers them, White's and Black's
// together.
QString CTesselView::ViewingText() const {
    if (!m_browsedPly) return {};
    return kViewingText.arg((*m_browsedPly + 1) / 2).arg((GamePlies() + 1) / 2);
}

void CTesselView::BrowseTo(int ply) {
    ply = std::clamp(ply, 0, GamePlies());
    if (ply == GamePlies()) {
        ReturnToGame();
        return;
    }
    if (m_browsedPly == ply) return;
    m_browsedPly = ply;
    m_browsed.Reset(std::span(m_shown.Moves()).first(static_cast<std::size_t>(ply)));
    m_browsedMarks = BrowsedMarks();
    // A piece picked up in the game's position is put down.
    m_shown.ClearSelection();
    PaintView();
    BrowsingChanged();
}

void CTesselView::BrowseBy(int plies) { BrowseTo(ShownPly() + plies); }

bool CTesselView::ReturnToGame() {
    if (!m_browsedPly) return false;
    m_browsedPly.reset();
    PaintView();
    BrowsingChanged();
    return true;
}

void CTesselView::BrowsingChanged() {
    m_panel->Browsing().SetShownPly(ShownPly(), GamePlies());
    emit ShownPlyChanged(ShownPly());
    emit GameStateChanged();
}

// The move that led to the position shown, and check, as the game shows its own.
BoardMarks CTesselView::BrowsedMarks() {
    BoardMarks marks;
    if (m_settings.lastMove) marks.lastMove = m_browsed.LastMove();
    marks.checkedKing = m_browsed.CheckedKing();
    marks.coordinates = m_settings.coordinates;
    return marks;
}

void CTesselView::ShowBrowsedPosition() {
    m_panel->SetViewingText(ViewingText());
    m_panel->SetStatus(m_strStatus);
    m_board->Show(m_browsed.Position(), m_browsedMarks, m_settings.flipBoard,
                  m_browsedMarks.lastMove);
}

bool CTesselView::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_board || event->type() != QEvent::KeyPress) return false;
    switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Home:
            BrowseTo(0);
            return true;
        case Qt::Key_End:
            ReturnToGame();
            return true;
        case Qt::Key_Left:
        case Qt::Key_Right:
            if (!m_browsedPly) return false;
            BrowseBy(static_cast<QKeyEvent*>(event)->key() == Qt::Key_Left ? -1 : 1);
            return true;
        default:
            return false;
    }
}

void CTesselView::PrintView(QPainter& painter, const QRect& page) {
    PrintPosition(painter, page, m_shown.Position(), m_whiteClock, m_blackClock);
}

void CTesselView::DrawStatus() { m_panel->SetStatus(m_strStatus); }

void CTesselView::OnTimer() {
    m_clockReading = g_chessClock.Tick(m_shown.Position().sideToMove);
    if (m_clockReading.justStarted) ShowStatus({});
    int flaggedSide = 0;
    if (m_doc.m_countdown.Control().IsTimed()) {
        flaggedSide = ShowCountdown();
    } else {
        m_whiteClock = UsedTimeFace(m_clockReading.whiteSeconds);
        m_blackClock = UsedTimeFace(m_clockReading.blackSeconds);
    }
    m_panel->SetClocks(m_whiteClock, m_blackClock);
    const SearchControl& search =
        m_hintWorker.IsRunning() ? m_hintWorker.Control() : m_doc.m_searchControl;
    if (m_progress.Poll(search, m_shown.Moves())) m_panel->SetProgress(m_progress);
    // Last: the report's message box waits for the user.
    if (flaggedSide != 0 && !m_timeReported) EndGameOnTime();
}

// The time each side has left; the side whose flag has fallen, 0 if none.
int CTesselView::ShowCountdown() {
    const CountdownClock::Reading reading = m_doc.m_countdown.Tick();
    const int marked = reading.flaggedSide == 0 ? m_shown.Position().sideToMove : 0;
    const auto face = [marked](int side, int64_t ms) {
        return ClockFace{QString::fromStdString(FormatCountdown(ms)), side == marked,
                         ms < kLowTimeMs};
    };
    m_whiteClock = face(kWhite, reading.left.whiteMs);
    m_blackClock = face(kBlack, reading.left.blackMs);
    return reading.flaggedSide;
}

// The search of a side out of time is ended without a move.
void CTesselView::EndGameOnTime() {
    m_timeReported = true;
    m_runner.Stop();
    m_doc.EndOnTime();
    ReportTimeForfeit();
}

void CTesselView::ReportTimeForfeit() {
    m_timeReported = true;
    const int loser = m_doc.m_flaggedSide;
    const QString text = m_doc.m_drawn
                             ? kDrawnStatus + kStatusLineBreak +
                                   kDrawnOnTimeReason.arg(SideName(loser), SideName(-loser))
                             : kLostOnTime.arg(SideName(loser));
    ShowStatus(text);
    emit GameStateChanged();
    const QString message =
        m_doc.m_drawn ? text : kLostOnTimeMessage.arg(SideName(loser), SideName(-loser));
    m_prompter.ShowMessage(this, kGameOverCaption, message, Prompter::Icon::Information);
}

// The game's own position, after a move or afresh, ends browsing.
void CTesselView::ShowPosition(const PublishedPosition& position,
                               std::optional<MoveEntry> lastMove) {
    const bool wasBrowsing = m_browsedPly.has_value();
    m_browsedPly.reset();
    if (m_shown.Show(position, lastMove)) {
        emit ShownMovesChanged();
    } else if (wasBrowsing) {
        BrowsingChanged();
    }
    PaintView();
    // The mark follows the side to move at once; a fallen flag waits for
    // the tick.
    if (m_doc.m_countdown.Control().IsTimed()) {
        ShowCountdown();
        m_panel->SetClocks(m_whiteClock, m_blackClock);
    }
}

void CTesselView::ShowGameMoves(std::span<const MoveEntry> moves) {
    m_browsedPly.reset();
    m_shown.ResetMoves(moves);
    emit ShownMovesChanged();
    PaintView();
}

// A new game starts without the keyboard's square shown.
void CTesselView::ShowGameFromDocument() {
    m_board->HideCursor();
    ShowDocumentGame();
}

void CTesselView::ShowDocumentGame() {
    ShowGameMoves(std::span(m_doc.m_moves.data(), static_cast<std::size_t>(m_doc.m_moveCount)));
    m_replyStopped = false;
    ShowPosition(m_doc.Published(), std::nullopt);
    m_timeReported = false;
    m_clockTimer.setInterval(m_doc.m_countdown.Control().IsTimed() ? kCountdownPeriodMs
                                                                   : kClockPeriodMs);
    ShowPlayerNames();
    OnTimer();
    if (m_doc.m_matedSide != 0 || m_doc.m_drawn) ReportGameAlreadyOver();
    if (m_doc.m_playMode == kPlayComputerVsComputer) m_paceTimer.start();
    emit GameStateChanged();
}

void CTesselView::ShowStatus(const QString& text) {
    m_strStatus = text;
    DrawStatus();
}

// A game opened after its end takes no moves and shows how it ended.
void CTesselView::ReportGameAlreadyOver() {
    m_doc.m_gameOver = true;
    ShowStatus(m_doc.m_matedSide != 0 ? kCheckmateStatus.arg(SideName(-m_doc.m_matedSide))
                                      : kDrawnStatus);
}

// The computer playing both sides names both players after itself, each
// with its colour's king.
void CTesselView::ShowPlayerNames() {
    const bool computerOnly = m_doc.m_playMode == kPlayComputerVsComputer;
    m_panel->SetPlayerNames(computerOnly ? kWhiteKing + kComputerName : QString(),
                            computerOnly ? kBlackKing + kComputerName : QString());
}

bool CTesselView::IsHumansTurn() const {
    return m_doc.m_playMode != kPlayComputerVsComputer &&
           !(m_doc.m_playMode == kPlayWhite && m_shown.Position().sideToMove == kBlack) &&
           !(m_doc.m_playMode == kPlayBlack && m_shown.Position().sideToMove == kWhite);
}

bool CTesselView::AcceptsMoves() const { return !IsBusy() && !m_doc.m_gameOver && IsHumansTurn(); }

void CTesselView::Select(int square) {
    m_shown.Select(square);
    PaintView();
}

void CTesselView::ClearSelection() {
    if (m_shown.ClearSelection()) PaintView();
}

// While browsing, a press only returns to the game's position.
void CTesselView::OnLButtonDown(std::optional<int> square, QPoint point) {
    m_bDragging = false;
    if (ReturnToGame() || !AcceptsMoves()) return;
    CancelHint();
    if (!square) {
        ClearSelection();
        return;
    }
    const ShownBoard::Click click = m_shown.ClickOn(*square, m_settings.legalMoves);
    if (click == ShownBoard::Click::Move) {
        MoveSelectedTo(*square);
        return;
    }
    m_doc.m_fromSquare = static_cast<int16_t>(*square);
    click == ShownBoard::Click::Select ? Select(*square) : ClearSelection();
    // Either side's piece is taken up; the document refuses the move later.
    if (PieceImageIndex(m_shown.Position().board[*square]) < 0) return;
    m_board->BeginDrag(*square, point);
    m_bDragging = true;
}

void CTesselView::OnMouseMove(Qt::MouseButtons buttons, QPoint point) {
    if ((buttons & Qt::LeftButton) && m_bDragging) m_board->MoveDrag(point);
}

void CTesselView::OnLButtonUp(std::optional<int> square) {
    if (!m_bDragging) return;
    StartClockAtDrop();
    m_bDragging = false;
    m_board->EndDrag();
    if (!square) {
        ClearSelection();
        return;
    }
    EnterMove(*square);
}

// The end of every way of entering a move: a drop, a click on a target and
// the keyboard. Back on its own square the piece stays selected.
void CTesselView::EnterMove(int toSquare) {
    m_doc.m_toSquare = static_cast<int16_t>(toSquare);
    if (m_doc.m_toSquare == m_doc.m_fromSquare) return;
    ClearSelection();
    StartWorker(MoveWorker);
}

void CTesselView::MoveSelectedTo(int square) {
    m_doc.m_fromSquare = static_cast<int16_t>(*m_shown.Selected());
    StartClockAtDrop();
    EnterMove(square);
}

// Ticks at once, so that a clock that has just started clears the status
// before the move reports, not afterwards.
void CTesselView::StartClockAtDrop() {
    g_chessClock.StartAtDrop();
    m_doc.m_countdown.Start(m_shown.Position().sideToMove);
    OnTimer();
}

// A click, or Enter or Space on the keyboard's square, without a drag.
void CTesselView::ClickSquare(int square) {
    if (ReturnToGame() || !AcceptsMoves()) return;
    CancelHint();
    switch (m_shown.ClickOn(square, m_settings.legalMoves)) {
        case ShownBoard::Click::Move:
            MoveSelectedTo(square);
            break;
        case ShownBoard::Click::Select:
            m_doc.m_fromSquare = static_cast<int16_t>(square);
            Select(square);
            break;
        case ShownBoard::Click::Clear:
            ClearSelection();
    }
}

void CTesselView::StartWorker(MoveRunner::Work work) {
    ApplySettings();
    m_runner.Start(work);
    emit GameStateChanged();
}

void CTesselView::StopMoveWorker() {
    // A hint's search reads the process-wide side to move and depth, which a
    // replaced game resets.
    CancelHint();
    // Playing both sides, the computer's next move may be waiting for its
    // turn rather than searched.
    const bool replyPending = m_runner.IsRunning() || m_paceTimer.isActive();
    // The worker's last steps show the game as it now stands.
    m_runner.Stop();
    m_paceTimer.stop();
    if (replyPending) m_replyStopped = IsComputersTurn();
}

// The computer is to move in a game that goes on.
bool CTesselView::IsComputersTurn() const {
    return m_doc.m_playMode != kPlayHumanVsHuman && !m_doc.m_gameOver && !m_doc.m_drawn &&
           m_doc.m_matedSide == 0 && !IsHumansTurn();
}

void CTesselView::ReplyIfComputersTurn() {
    if (!m_runner.IsRunning() && IsComputersTurn()) StartWorker(ReplyWorker);
}

void CTesselView::ResumeStoppedReply() {
    if (!m_replyStopped || m_runner.IsRunning()) return;
    m_replyStopped = false;
    StartWorker(ReplyWorker);
}

void CTesselView::ReportDraw() { m_doc.m_gameOver = true; }

void CTesselView::ReportCheckmate(int winner) {
    m_doc.m_gameOver = true;
    g_chessClock.Stop();
    ShowStatus(kCheckmateStatus.arg(SideName(winner)));
    emit GameStateChanged();
    m_prompter.ShowMessage(this, kGameOverCaption, kCheckmateMessage.arg(SideName(winner)),
                           Prompter::Icon::Information);
}

void CTesselView::SetThinking(bool thinking) {
    // The busy cursor shows while the computer thinks, once.
    if (thinking != m_progress.IsThinking()) {
        if (thinking) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
        } else {
            QApplication::restoreOverrideCursor();
        }
    }
    m_progress.SetThinking(thinking);
    m_panel->SetProgress(m_progress);
    if (!thinking) m_budgetTimer.stop();
    emit GameStateChanged();
}

void CTesselView::StartReplyBudget(int64_t ms) { m_budgetTimer.start(static_cast<int>(ms)); }

void CTesselView::FinishMoveWorker() {
    m_doc.ClearSearchRequests();
    if (m_progress.IsThinking()) SetThinking(false);
    // The steps may not have shown every move, a draw's for one.
    ShowGameMoves(std::span(m_doc.m_moves.data(), static_cast<std::size_t>(m_doc.m_moveCount)));
    ApplySettings();
    if (m_doc.m_flaggedSide != 0 && !m_timeReported) ReportTimeForfeit();
    if (m_doc.m_playMode == kPlayComputerVsComputer) m_paceTimer.start();
    emit GameStateChanged();
}

bool CTesselView::CanHint() const {
    return m_doc.m_playMode != kPlayHumanVsHuman && !m_hintWorker.IsRunning() && AcceptsMoves();
}

void CTesselView::OnMoveHint() {
    if (!CanHint()) return;
    // The hint is for the game's position, shown with it.
    ReturnToGame();
    ApplySettings();
    const int searchKind = m_skillLevel == kSkillNovice ? kSearchKindNovice : kSearchKindExpert;
    m_hintWorker.Start(*m_doc.m_pEngine, m_shown.Position().sideToMove, searchKind);
    SetThinking(true);
}

// A piece taken up, a move, an undo or a new game ends the hint at once.
void CTesselView::CancelHint() {
    if (!m_hintWorker.IsRunning()) return;
    m_hintWorker.Stop();
    SetThinking(false);
    ApplySettings();
}

// Escape ends a hint as Move Now does, and otherwise drops the selection.
void CTesselView::OnEscape() { m_hintWorker.IsRunning() ? OnMoveNow() : ClearSelection(); }

void CTesselView::ShowHint(std::optional<MoveEntry> hint) {
    m_shown.SetHint(hint);
    SetThinking(false);
    ApplySettings();
    PaintView();
}

void CTesselView::SetPlayMode(int playMode) {
    if (m_doc.m_playMode == playMode) return;
    StopMoveWorker();
    m_doc.m_playMode = playMode;
    m_doc.OnNewDocument();
    ShowGameFromDocument();
}

void CTesselView::OnPlayHumanVsHuman() { SetPlayMode(kPlayHumanVsHuman); }

void CTesselView::OnPlayBlack() { SetPlayMode(kPlayBlack); }

void CTesselView::OnPlayWhite() { SetPlayMode(kPlayWhite); }

void CTesselView::OnPlayComputerVsComputer() { SetPlayMode(kPlayComputerVsComputer); }

void CTesselView::OnSetTimeControl(const TimeControl& control) {
    StopMoveWorker();
    m_doc.m_timeControl = control;
    m_doc.OnNewDocument();
    ShowGameFromDocument();
}

void CTesselView::OnSetMoveTime(int64_t ms) {
    m_moveTimeMs = ms;
    ApplySettings();
}

void CTesselView::OnSkillNovice() { ChooseSettings(kSkillNovice, m_searchDepth); }

void CTesselView::OnSkillExpert() { ChooseSettings(kSkillExpert, m_searchDepth); }

void CTesselView::OnSetDepth(int depth) { ChooseSettings(m_skillLevel, depth); }

void CTesselView::ChooseSettings(int skillLevel, int searchDepth) {
    m_skillLevel = skillLevel;
    m_searchDepth = searchDepth;
    ApplySettings();
}

void CTesselView::ApplySettings() {
    if (IsSearching()) return;
    m_doc.m_skillLevel = m_skillLevel;
    m_doc.SetSearchDepth(m_searchDepth);
    m_doc.m_moveTimeLimitMs = m_moveTimeMs;
}

bool CTesselView::ConfirmUndoTurn() {
    if (IsHumansTurn()) return true;
    m_prompter.ShowMessage(this, kUndoRefusalCaption, kUndoRefusal, Prompter::Icon::Information);
    return false;
}

// A finished game taken back is open again: its end is no longer reported.
void CTesselView::ClearFinishedReport() {
    if (m_doc.m_gameOver) ShowStatus({});
}

void CTesselView::OnMoveUndo() {
    if (m_doc.CanUndo()) RunUndoCommand(&CTesselDoc::UndoMove);
}

void CTesselView::OnMoveUndoAll() {
    if (m_doc.CanUndo()) RunUndoCommand(&CTesselDoc::UndoAllMoves);
}

// A redo may leave the computer to move.
void CTesselView::OnMoveRedo() {
    if (m_doc.CanRedo() && RunUndoCommand(&CTesselDoc::RedoMove)) ReplyIfComputersTurn();
}

bool CTesselView::RunUndoCommand(bool (CTesselDoc::*command)()) {
    if (IsBusy() || !ConfirmUndoTurn()) return false;
    CancelHint();
    ClearFinishedReport();
    (m_doc.*command)();
    ShowDocumentGame();
    return true;
}

bool CTesselView::CanResign() const {
    // The move worker writes the game's end: read it only while none runs.
    if (IsBusy()) return false;
    const bool open = !m_doc.m_gameOver && !m_doc.m_drawn && m_doc.m_matedSide == 0;
    return open && IsHumansTurn();
}

void CTesselView::OnMoveResign() {
    if (!CanResign()) return;
    if (m_prompter.AskYesNoCancel(this, kResignCaption, kResignQuestion) != Prompter::Answer::Yes)
        return;
    CancelHint();
    const int side = m_shown.Position().sideToMove;
    m_doc.Resign(side);
    ShowStatus(kResignedStatus.arg(SideName(side)));
    emit GameStateChanged();
}

bool CTesselView::CanContinueFromHere() const { return m_browsedPly && !IsBusy(); }

void CTesselView::OnContinueFromHere() {
    if (!CanContinueFromHere() || !ConfirmUndoTurn()) return;
    const int ply = *m_browsedPly;
    const QString question = kContinueQuestion.arg(GamePlies() - ply);
    if (m_prompter.AskYesNoCancel(this, kContinueCaption, question) != Prompter::Answer::Yes)
        return;
    CancelHint();
    ClearFinishedReport();
    m_doc.TakeBackTo(ply);
    ShowDocumentGame();
    ReplyIfComputersTurn();
}

void CTesselView::OnMoveNow() {
    if (m_hintWorker.IsRunning()) {
        m_hintWorker.MoveNow();
    } else if (IsThinking()) {
        m_doc.PlayComputerMoveNow();
    }
}

void CTesselView::OnFilePrint() {
    QPrinter printer;
    if (QPrintDialog(&printer, this).exec() != QDialog::Accepted) return;
    QPainter painter(&printer);
    PrintView(painter, printer.pageLayout().paintRectPixels(printer.resolution()));
}

// Closes the window as its close box does, so that unsaved moves are asked
// about first.
void CTesselView::OnAppExit() { window()->close(); }
