#include "view/tesselview.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>
#include <cmath>

#include "view/boardgeometry.h"
#include "view/boardpainter.h"
#include "view/dragimage.h"
#include "view/moveworker.h"
#include "view/pieceimages.h"
#include "view/prompter.h"
#include "view/statustexts.h"

namespace {

constexpr int kClockPeriodMs = 200;
// How often the view collects the worker's steps while a move is processed.
constexpr int kStepPollMs = 10;
// How often the view looks whether the hint's search has ended.
constexpr int kHintPollMs = 20;
// Where the keyboard's cursor first appears: the cell of e2 as White sees it.
constexpr int kCursorStartSquare = 11;
// The share of the page's width or height the printed board fills.
constexpr qreal kPrintedShare = 0.8;

const QString kCheckmateStatus = QString::fromLatin1(kCheckmateText);
const QString kCheckmateMessage = QStringLiteral("Checkmate! Game over\n\r\n\r    %1 wins!");
const QString kGameOverCaption = QStringLiteral("Game Over");
const QString kDrawnStatus = QString::fromLatin1(kDrawnText);
const QString kUndoRefusal = QStringLiteral("Please undo only when it is your turn");
const QString kUndoRefusalCaption = QStringLiteral("Please co-operate");

QString SideName(int side) {
    return side == kWhite ? QStringLiteral("White") : QStringLiteral("Black");
}

QRect ClockTimeRect(QPoint topLeft) { return QRect(topLeft, kClockTimeSize); }

}  // namespace

CTesselView::CTesselView(CTesselDoc& doc, Prompter& prompter, QWidget* parent)
    : QWidget(parent),
      m_doc(doc),
      m_prompter(prompter),
      m_pieceImages(LoadPieceImages(devicePixelRatioF())),
      m_dragImage(new DragImage(this)),
      m_shown(doc.Published()),
      m_skillLevel(doc.m_skillLevel),
      m_searchDepth(doc.SearchDepth()) {
    setMinimumSize(kViewSize);
    resize(kViewSize);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_clockTimer.setInterval(kClockPeriodMs);
    connect(&m_clockTimer, &QTimer::timeout, this, &CTesselView::OnTimer);
    m_stepTimer.setInterval(kStepPollMs);
    connect(&m_stepTimer, &QTimer::timeout, this, &CTesselView::DrainViewSteps);
    m_hintTimer.setInterval(kHintPollMs);
    connect(&m_hintTimer, &QTimer::timeout, this, &CTesselView::CollectHint);
}

CTesselView::~CTesselView() {
    // Nothing of the window may be told any more: just end the search.
    if (!m_worker.joinable()) return;
    m_doc.AbortComputerSearch();
    m_worker.join();
}

QSize CTesselView::sizeHint() const { return kViewSize; }

// ---- Painting ----

void CTesselView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    OnDraw(painter);
}

void CTesselView::OnDraw(QPainter& painter) {
    if (!m_clockTimer.isActive()) m_clockTimer.start();
    // The window may have moved to a screen of another pixel density.
    if (m_pieceImages.constFirst().devicePixelRatio() != m_scale * devicePixelRatioF()) {
        RenderPieceImages();
    }
    painter.fillRect(rect(), kPanelColour);
    painter.scale(m_scale, m_scale);
    PaintView(painter);
    BoardPainter board(painter, m_pieceImages);
    board.DrawClockTimes(m_clockReading.whiteSeconds, m_clockReading.blackSeconds);
    board.DrawStatus(m_strStatus);
    m_progress.Draw(painter);
    if (m_lastMoveLine) board.DrawLastMoveLine(*m_lastMoveLine, m_settings.flipBoard);
}

void CTesselView::PaintView(QPainter& painter) {
    const BoardMarks marks = Marks();
    PaintBoard(painter, m_pieceImages, m_settings.flipBoard, &marks);
}

// Rendered from the drawings at the cell's size in device pixels, so that
// the pieces stay sharp at every size and density.
void CTesselView::RenderPieceImages() {
    m_pieceImages = LoadPieceImages(m_scale * devicePixelRatioF());
}

void CTesselView::resizeEvent(QResizeEvent*) {
    m_scale = std::min(qreal(width()) / kViewSize.width(), qreal(height()) / kViewSize.height());
    RenderPieceImages();
}

QRect CTesselView::ToWidget(const QRect& area) const {
    const QRectF scaled(QPointF(area.topLeft()) * m_scale, QSizeF(area.size()) * m_scale);
    return scaled.toAlignedRect();
}

std::optional<int> CTesselView::SquareAtWidget(QPoint point) const {
    const QPoint board(static_cast<int>(std::floor(point.x() / m_scale)),
                       static_cast<int>(std::floor(point.y() / m_scale)));
    return SquareAt(board, m_settings.flipBoard);
}

QRect CTesselView::CellRect(int square) const {
    return ToWidget(QRect(CellOrigin(square, m_settings.flipBoard), QSize(kCellSize, kCellSize)));
}

BoardMarks CTesselView::Marks() const {
    BoardMarks marks;
    if (m_settings.lastMove) marks.lastMove = m_game.LastMove();
    marks.checkedKing = m_checkedKing;
    marks.selected = m_selected;
    if (m_settings.legalMoves) marks.targets = m_targets;
    marks.hint = m_hint;
    marks.cursor = m_cursor;
    marks.coordinates = m_settings.coordinates;
    return marks;
}

void CTesselView::SetSettings(const ViewSettings& settings) {
    m_settings = settings;
    update();
}

void CTesselView::PaintBoard(QPainter& painter, const QList<QPixmap>& pieceImages, bool flipped,
                             const BoardMarks* marks) {
    BoardPainter board(painter, pieceImages);
    board.FillPanel(kPrintedRect);
    board.DrawBoard(m_shown, flipped, marks);
    board.DrawSideToMove(m_shown.sideToMove);
    board.DrawClockLabels();
}

void CTesselView::PrintView(QPainter& painter, const QRect& page) {
    const qreal scale = kPrintedShare * std::min(qreal(page.width()) / kPrintedRect.width(),
                                                 qreal(page.height()) / kPrintedRect.height());
    const QSizeF printed = QSizeF(kPrintedRect.size()) * scale;
    painter.save();
    painter.translate(page.x() + (page.width() - printed.width()) / 2, page.y());
    painter.scale(scale, scale);
    // Pieces rendered for the page's resolution, not the screen's; the page
    // shows White at the bottom and none of the screen's marks.
    PaintBoard(painter, LoadPieceImages(scale), false, nullptr);
    BoardPainter(painter, m_pieceImages)
        .DrawClockTimes(m_clockReading.whiteSeconds, m_clockReading.blackSeconds);
    painter.restore();
}

void CTesselView::DrawStatus() { update(ToWidget(kStatusBox)); }

void CTesselView::OnTimer() {
    m_clockReading = g_chessClock.Tick(m_shown.sideToMove);
    if (m_clockReading.justStarted) {
        m_strStatus.clear();
        DrawStatus();
    }
    update(ToWidget(ClockTimeRect(kWhiteTimePos)));
    update(ToWidget(ClockTimeRect(kBlackTimePos)));
    if (m_progress.Poll(m_doc.m_searchControl)) update(ToWidget(SearchProgress::Area()));
}

void CTesselView::ShowPosition(const PublishedPosition& position,
                               std::optional<MoveEntry> lastMove) {
    m_shown = position;
    m_lastMoveLine = lastMove;
    // A step may show the same position again; a move is added only once.
    if (lastMove && !m_game.Shows(position)) {
        m_game.Append(*lastMove);
        emit ShownMovesChanged();
    }
    m_checkedKing = m_game.CheckedKing();
    m_hint.reset();
    ClearSelection();
    update();
}

void CTesselView::ShowGameMoves(std::span<const MoveEntry> moves) {
    m_game.Reset(moves);
    m_checkedKing = m_game.CheckedKing();
    emit ShownMovesChanged();
    update();
}

void CTesselView::ShowGameFromDocument() {
    ShowGameMoves(std::span(m_doc.m_moves.data(), static_cast<std::size_t>(m_doc.m_moveCount)));
    m_replyStopped = false;
    ShowPosition(m_doc.Published(), std::nullopt);
    OnTimer();
    if (m_doc.m_matedSide != 0 || m_doc.m_drawn) ReportGameAlreadyOver();
    emit GameStateChanged();
}

void CTesselView::ShowStatus(const QString& text) {
    m_strStatus = text;
    DrawStatus();
}

// A game opened after its end takes no moves and shows how it ended.
void CTesselView::ReportGameAlreadyOver() {
    m_doc.m_gameOver = true;
    m_strStatus =
        m_doc.m_matedSide != 0 ? kCheckmateStatus.arg(SideName(-m_doc.m_matedSide)) : kDrawnStatus;
    DrawStatus();
}

// ---- Move entry ----

void CTesselView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) OnLButtonDown(event->position().toPoint());
}

void CTesselView::mouseMoveEvent(QMouseEvent* event) {
    OnMouseMove(event->buttons(), event->position().toPoint());
}

void CTesselView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) OnLButtonUp(event->position().toPoint());
}

bool CTesselView::IsHumansTurn() const {
    return !(m_doc.m_playMode == kPlayWhite && m_shown.sideToMove == kBlack) &&
           !(m_doc.m_playMode == kPlayBlack && m_shown.sideToMove == kWhite);
}

bool CTesselView::AcceptsMoves() const { return !IsBusy() && !m_doc.m_gameOver && IsHumansTurn(); }

bool CTesselView::IsOwnPiece(int square) const {
    return m_shown.board[square] * m_shown.sideToMove > 0;
}

// Without the targets on the screen a click tries the move, so that an
// illegal one is answered as a drop is.
bool CTesselView::IsClickTarget(int square) const {
    if (!m_settings.legalMoves) return !IsOwnPiece(square);
    return std::find(m_targets.begin(), m_targets.end(), square) != m_targets.end();
}

void CTesselView::Select(int square) {
    m_selected = square;
    m_targets = m_game.LegalTargets(square);
    update();
}

void CTesselView::ClearSelection() {
    if (!m_selected && m_targets.empty()) return;
    m_selected.reset();
    m_targets.clear();
    update();
}

void CTesselView::OnLButtonDown(QPoint point) {
    m_bDragging = false;
    if (!AcceptsMoves()) return;
    const std::optional<int> square = SquareAtWidget(point);
    if (!square) {
        ClearSelection();
        return;
    }
    if (m_selected && *square != *m_selected && IsClickTarget(*square)) {
        MoveSelectedTo(*square);
        return;
    }
    m_doc.m_fromSquare = static_cast<int16_t>(*square);
    const int index = PieceImageIndex(m_shown.board[*square]);
    if (index < 0) {
        ClearSelection();
        return;
    }
    if (IsOwnPiece(*square)) {
        Select(*square);
    } else {
        ClearSelection();
    }
    // The image keeps the pixels of the cell's rendering at the screen's
    // density, so that it is as large as the cells.
    QPixmap image = m_pieceImages.value(index);
    image.setDevicePixelRatio(devicePixelRatioF());
    const QSize size = image.deviceIndependentSize().toSize();
    m_dragImage->Begin(image, QPoint(size.width() / 2, size.height() / 2));
    m_bDragging = true;
    m_dragImage->Enter(point);
}

void CTesselView::OnMouseMove(Qt::MouseButtons buttons, QPoint point) {
    if ((buttons & Qt::LeftButton) && m_bDragging) m_dragImage->Move(point);
}

void CTesselView::OnLButtonUp(QPoint point) {
    if (!m_bDragging) return;
    g_chessClock.StartAtDrop();
    // Tick now, so that a clock that has just started clears the status
    // before this move reports, not afterwards.
    OnTimer();
    m_bDragging = false;
    m_dragImage->End();
    const std::optional<int> square = SquareAtWidget(point);
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
    StartMoveWorker();
}

void CTesselView::MoveSelectedTo(int square) {
    m_doc.m_fromSquare = static_cast<int16_t>(*m_selected);
    g_chessClock.StartAtDrop();
    OnTimer();
    EnterMove(square);
}

// A click, or Enter or Space on the keyboard's square, without a drag.
void CTesselView::ClickSquare(int square) {
    if (!AcceptsMoves()) return;
    if (m_selected && square != *m_selected && IsClickTarget(square)) {
        MoveSelectedTo(square);
    } else if (IsOwnPiece(square)) {
        m_doc.m_fromSquare = static_cast<int16_t>(square);
        Select(square);
    } else {
        ClearSelection();
    }
}

void CTesselView::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Left:
            MoveCursor(-1, 0);
            break;
        case Qt::Key_Right:
            MoveCursor(1, 0);
            break;
        case Qt::Key_Up:
            MoveCursor(0, -1);
            break;
        case Qt::Key_Down:
            MoveCursor(0, 1);
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            if (!m_cursor) {
                MoveCursor(0, 0);
            } else {
                ClickSquare(*m_cursor);
            }
            break;
        case Qt::Key_Escape:
            ClearSelection();
            break;
        default:
            QWidget::keyPressEvent(event);
    }
}

// Steps in cells as the screen shows them; the first key only shows the
// cursor.
void CTesselView::MoveCursor(int colStep, int rowStep) {
    if (!m_cursor) {
        m_cursor =
            m_settings.flipBoard ? kSquareCount - 1 - kCursorStartSquare : kCursorStartSquare;
    } else {
        const QPoint origin = CellOrigin(*m_cursor, m_settings.flipBoard);
        const QPoint lastCell(kBoardOrigin + (kBoardCells - 1) * kCellSize,
                              kBoardOrigin + (kBoardCells - 1) * kCellSize);
        const QPoint moved(
            std::clamp(origin.x() + colStep * kCellSize, kBoardOrigin, lastCell.x()),
            std::clamp(origin.y() + rowStep * kCellSize, kBoardOrigin, lastCell.y()));
        m_cursor = SquareAt(moved, m_settings.flipBoard);
    }
    update();
}

// ---- The move worker and its steps ----

void CTesselView::StartMoveWorker() { StartWorker(MoveWorker); }

void CTesselView::StartWorker(void (*work)(CTesselDoc&, ViewStepQueue&)) {
    ApplySettings();
    m_busy = true;
    emit GameStateChanged();
    m_worker = std::thread(work, std::ref(m_doc), std::ref(m_steps));
    m_stepTimer.start();
}

void CTesselView::StopMoveWorker() {
    // A hint's search reads the process-wide side to move and depth, which a
    // replaced game resets.
    m_hintWorker.Stop();
    if (!m_busy) return;
    m_doc.AbortComputerSearch();
    m_worker.join();
    // The worker's last steps show the game as it now stands.
    DrainViewSteps();
    m_replyStopped = IsComputersTurn();
}

// The computer is to move in a game that goes on.
bool CTesselView::IsComputersTurn() const {
    return m_doc.m_playMode != kPlayHumanVsHuman && !m_doc.m_gameOver && !m_doc.m_drawn &&
           m_doc.m_matedSide == 0 && !IsHumansTurn();
}

void CTesselView::ReplyIfComputersTurn() {
    if (!m_busy && IsComputersTurn()) StartWorker(ReplyWorker);
}

void CTesselView::ResumeStoppedReply() {
    if (!m_replyStopped || m_busy) return;
    m_replyStopped = false;
    StartWorker(ReplyWorker);
}

void CTesselView::DrainViewSteps() {
    // A message box shown by a step runs its own event loop; the steps after
    // it wait until it is closed.
    if (m_drainingSteps) return;
    m_drainingSteps = true;
    while (std::optional<ViewStep> step = m_steps.Pop()) RunStep(*step);
    m_drainingSteps = false;
}

void CTesselView::RunStep(const ViewStep& step) {
    if (const auto* status = std::get_if<ShowStatusStep>(&step)) {
        m_strStatus = QString::fromStdString(status->text);
        DrawStatus();
    } else if (const auto* position = std::get_if<ShowPositionStep>(&step)) {
        ShowPosition(position->position, position->lastMove);
    } else if (const auto* checkmate = std::get_if<CheckmateStep>(&step)) {
        ReportCheckmate(checkmate->winner);
    } else if (std::holds_alternative<DrawStep>(step)) {
        m_doc.m_gameOver = true;
    } else if (const auto* thinking = std::get_if<ThinkingStep>(&step)) {
        SetThinking(thinking->thinking);
    } else {
        FinishMoveWorker();
    }
}

void CTesselView::ReportCheckmate(int winner) {
    m_doc.m_gameOver = true;
    g_chessClock.Stop();
    m_strStatus = kCheckmateStatus.arg(SideName(winner));
    DrawStatus();
    emit GameStateChanged();
    m_prompter.ShowMessage(this, kGameOverCaption, kCheckmateMessage.arg(SideName(winner)),
                           Prompter::Icon::Information);
}

void CTesselView::SetThinking(bool thinking) {
    m_progress.SetThinking(thinking);
    SetBusyCursor(thinking);
    update(SearchProgress::Area());
    emit GameStateChanged();
}

void CTesselView::SetBusyCursor(bool on) {
    if (on == m_busyCursor) return;
    m_busyCursor = on;
    if (on) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void CTesselView::FinishMoveWorker() {
    m_stepTimer.stop();
    if (m_worker.joinable()) m_worker.join();
    m_doc.ClearSearchRequests();
    if (m_progress.IsThinking()) SetThinking(false);
    m_busy = false;
    // The steps may not have shown every move, a draw's for one.
    ShowGameMoves(std::span(m_doc.m_moves.data(), static_cast<std::size_t>(m_doc.m_moveCount)));
    ApplySettings();
    emit GameStateChanged();
}

bool CTesselView::CanHint() const {
    return m_doc.m_playMode != kPlayHumanVsHuman && AcceptsMoves();
}

void CTesselView::OnMoveHint() {
    if (!CanHint()) return;
    ApplySettings();
    const int searchKind = m_skillLevel == kSkillNovice ? kSearchKindNovice : kSearchKindExpert;
    m_hintWorker.Start(*m_doc.m_pEngine, m_shown.sideToMove, searchKind);
    SetBusyCursor(true);
    m_hintTimer.start();
    emit GameStateChanged();
}

void CTesselView::CollectHint() {
    if (!m_hintWorker.IsFinished()) return;
    m_hintTimer.stop();
    m_hint = m_hintWorker.TakeResult();
    SetBusyCursor(false);
    ApplySettings();
    update();
    emit GameStateChanged();
}

// ---- Commands ----

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

void CTesselView::OnSkillNovice() {
    m_skillLevel = kSkillNovice;
    ApplySettings();
}

void CTesselView::OnSkillExpert() {
    m_skillLevel = kSkillExpert;
    ApplySettings();
}

void CTesselView::OnSetDepth(int depth) {
    m_searchDepth = depth;
    ApplySettings();
}

void CTesselView::ApplySettings() {
    if (IsBusy()) return;
    m_doc.m_skillLevel = m_skillLevel;
    m_doc.SetSearchDepth(m_searchDepth);
}

bool CTesselView::ConfirmUndoTurn() {
    if (IsHumansTurn()) return true;
    m_prompter.ShowMessage(this, kUndoRefusalCaption, kUndoRefusal, Prompter::Icon::Information);
    return false;
}

// A finished game taken back is open again: its end is no longer reported.
void CTesselView::ClearFinishedReport() {
    if (!m_doc.m_gameOver) return;
    m_strStatus.clear();
    DrawStatus();
}

void CTesselView::OnMoveUndo() {
    if (IsBusy() || m_doc.m_moveCount == 0 || !ConfirmUndoTurn()) return;
    ClearFinishedReport();
    m_doc.UndoMove();
    ShowGameFromDocument();
}

void CTesselView::OnMoveUndoAll() {
    if (IsBusy() || m_doc.m_moveCount == 0 || !ConfirmUndoTurn()) return;
    ClearFinishedReport();
    m_doc.UndoAllMoves();
    ShowGameFromDocument();
}

void CTesselView::OnMoveNow() {
    if (IsThinking()) m_doc.PlayComputerMoveNow();
}

void CTesselView::OnFilePrint() {
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    QPainter painter(&printer);
    PrintView(painter, printer.pageLayout().paintRectPixels(printer.resolution()));
}

// Closes the window as its close box does, so that unsaved moves are asked
// about first.
void CTesselView::OnAppExit() { window()->close(); }
