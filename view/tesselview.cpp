#include "view/tesselview.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>
#include <cstdlib>

#include "computer/intelligence.h"
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
      m_searchDepth(g_searchDepth) {
    setFixedSize(kViewSize);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_clockTimer.setInterval(kClockPeriodMs);
    connect(&m_clockTimer, &QTimer::timeout, this, &CTesselView::OnTimer);
    m_stepTimer.setInterval(kStepPollMs);
    connect(&m_stepTimer, &QTimer::timeout, this, &CTesselView::DrainViewSteps);
}

CTesselView::~CTesselView() {
    // Nothing of the window may be told any more: just end the search.
    if (!m_worker.joinable()) return;
    m_doc.m_searchControl.RequestAbort();
    m_worker.join();
}

// ---- Painting ----

void CTesselView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    OnDraw(painter);
}

void CTesselView::OnDraw(QPainter& painter) {
    if (!m_clockTimer.isActive()) m_clockTimer.start();
    // The window may have moved to a screen of another pixel density.
    if (m_pieceImages.constFirst().devicePixelRatio() != devicePixelRatioF()) {
        m_pieceImages = LoadPieceImages(devicePixelRatioF());
    }
    painter.fillRect(rect(), kPanelColour);
    PaintView(painter);
    BoardPainter board(painter, m_pieceImages);
    board.DrawClockTimes(m_clockReading.whiteSeconds, m_clockReading.blackSeconds);
    board.DrawStatus(m_strStatus);
    m_progress.Draw(painter);
    if (m_lastMoveLine) board.DrawLastMoveLine(*m_lastMoveLine);
}

void CTesselView::PaintView(QPainter& painter) { PaintBoard(painter, m_pieceImages); }

void CTesselView::PaintBoard(QPainter& painter, const QList<QPixmap>& pieceImages) {
    BoardPainter board(painter, pieceImages);
    board.FillPanel(kPrintedRect);
    board.DrawBoard(m_shown);
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
    // Pieces rendered for the page's resolution, not the screen's.
    PaintBoard(painter, LoadPieceImages(scale));
    painter.restore();
}

void CTesselView::DrawStatus() { update(kStatusBox); }

void CTesselView::OnTimer() {
    m_clockReading = g_chessClock.Tick(m_shown.sideToMove);
    if (m_clockReading.justStarted) {
        m_strStatus.clear();
        DrawStatus();
    }
    update(ClockTimeRect(kWhiteTimePos));
    update(ClockTimeRect(kBlackTimePos));
    if (m_progress.Poll(m_doc.m_searchControl)) update(SearchProgress::Area());
}

void CTesselView::ShowPosition(const PublishedPosition& position,
                               std::optional<MoveEntry> lastMove) {
    m_shown = position;
    m_lastMoveLine = lastMove;
    update();
}

void CTesselView::ShowGameFromDocument() {
    m_replyStopped = false;
    ShowPosition(m_doc.Published(), std::nullopt);
    OnTimer();
    if (m_doc.m_matedSide != 0 || m_doc.m_drawn) ReportGameAlreadyOver();
    emit GameStateChanged();
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

void CTesselView::OnLButtonDown(QPoint point) {
    m_bDragging = false;
    if (m_busy || m_doc.m_gameOver || !IsHumansTurn()) return;
    const std::optional<int> square = SquareAt(point);
    if (!square) return;
    m_doc.m_fromSquare = static_cast<int16_t>(*square);
    const int index = PieceImageIndex(m_shown.board[*square]);
    if (index < 0) return;
    m_dragImage->Begin(m_pieceImages.value(index), kPieceHotSpot);
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
    const std::optional<int> square = SquareAt(point);
    if (!square) return;
    m_doc.m_toSquare = static_cast<int16_t>(*square);
    if (m_doc.m_toSquare == m_doc.m_fromSquare) return;
    StartMoveWorker();
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
    if (!m_busy) return;
    m_doc.m_searchControl.RequestAbort();
    m_worker.join();
    // The worker's last steps show the game as it now stands.
    DrainViewSteps();
    m_replyStopped = m_doc.m_playMode != kPlayHumanVsHuman && !m_doc.m_gameOver && !m_doc.m_drawn &&
                     m_doc.m_matedSide == 0 && !IsHumansTurn();
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
    m_doc.SetModifiedFlag(false);
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
    // A request that came too late for the search must not reach the next.
    m_doc.m_searchControl.Reset();
    if (m_progress.IsThinking()) SetThinking(false);
    m_busy = false;
    ApplySettings();
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
    if (m_busy) return;
    m_doc.m_skillLevel = m_skillLevel;
    g_searchDepth = m_searchDepth;
}

bool CTesselView::ConfirmUndoTurn() {
    if (IsHumansTurn()) return true;
    m_prompter.ShowMessage(this, kUndoRefusalCaption, kUndoRefusal, Prompter::Icon::Information);
    return false;
}

void CTesselView::OnMoveUndo() {
    if (m_busy || m_doc.m_moveCount == 0 || !ConfirmUndoTurn()) return;
    m_doc.m_gameOver = false;
    m_doc.m_drawn = false;
    m_doc.m_moveCount -= 1;
    if (m_doc.m_playMode != kPlayHumanVsHuman) {
        // Against the computer its reply goes too.
        m_doc.m_moveCount -= 1;
        if (m_doc.m_moveCount <= 0) {
            m_doc.m_moveCount = 0;
            m_doc.OnNewDocument();
            if (m_doc.m_playMode == kPlayBlack) {
                ShowGameFromDocument();
                return;
            }
        }
    }
    m_doc.RebuildPosition();
    g_chessClock.Resume();
    ShowGameFromDocument();
}

void CTesselView::OnMoveUndoAll() {
    if (m_busy || m_doc.m_moveCount == 0 || !ConfirmUndoTurn()) return;
    m_doc.m_gameOver = false;
    m_doc.m_drawn = false;
    m_doc.m_moveCount = 0;
    m_doc.OnNewDocument();
    ShowGameFromDocument();
}

void CTesselView::OnMoveNow() {
    if (IsThinking()) m_doc.m_searchControl.RequestMoveNow();
}

void CTesselView::OnFilePrint() {
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    QPainter painter(&printer);
    PrintView(painter, printer.pageLayout().paintRectPixels(printer.resolution()));
}

void CTesselView::OnAppExit() { std::_Exit(EXIT_SUCCESS); }
