#include "view/gamepanel.h"

#include <QPainter>
#include <algorithm>

#include "view/boardgeometry.h"
#include "view/boardpainter.h"
#include "view/boardwidget.h"
#include "view/browsebar.h"
#include "view/movelistpanel.h"

namespace {

// Between the move list and the window's right edge, in board units.
constexpr int kMoveListMargin = 5;
// The browsing buttons' height at the bottom of the move list's place.
constexpr int kBrowseBarHeight = 22;

// With room for the frame that marks the side to move's clock.
constexpr QMargins kClockFrameRoom(6, 3, 6, 3);

QRect ClockTimeRect(QPoint topLeft) {
    return QRect(topLeft, kClockTimeSize).marginsAdded(kClockFrameRoom);
}

}  // namespace

GamePanel::GamePanel(QWidget* parent)
    : QWidget(parent), m_board(new BoardWidget(this)), m_browseBar(new BrowseBar(this)) {
    m_browseBar->hide();
    setMinimumSize(QSizeF(QSizeF(kViewSize) * kSmallestScale).toSize());
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusProxy(m_board);
}

QSize GamePanel::sizeHint() const { return kViewSize; }

void GamePanel::SetSideToMove(int side) {
    if (side == m_sideToMove) return;
    m_sideToMove = side;
    update(ToWidget(QRect(kSideToMovePos, kClockTimeSize * 2)));
}

void GamePanel::SetViewingText(const QString& text) {
    if (text == m_viewingText) return;
    m_viewingText = text;
    update(ToWidget(kViewingTextRect.united(QRect(kSideToMovePos, kClockTimeSize * 2))));
}

void GamePanel::SetClocks(const ClockFace& white, const ClockFace& black) {
    if (white == m_whiteClock && black == m_blackClock) return;
    m_whiteClock = white;
    m_blackClock = black;
    update(ToWidget(ClockTimeRect(kWhiteTimePos)));
    update(ToWidget(ClockTimeRect(kBlackTimePos)));
}

void GamePanel::SetPlayerNames(const QString& white, const QString& black) {
    if (white == m_whiteName && black == m_blackName) return;
    m_whiteName = white;
    m_blackName = black;
    update();
}

void GamePanel::SetStatus(const QString& status) {
    m_status = status;
    update(ToWidget(kStatusBox));
}

void GamePanel::SetProgress(const SearchProgress& progress) {
    m_progress = progress;
    update(ToWidget(SearchProgress::Area()));
}

void GamePanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kPanelColour);
    painter.scale(m_scale, m_scale);
    const QList<QPixmap> noPieces;
    BoardPainter texts(painter, noPieces);
    if (m_viewingText.isEmpty()) {
        texts.DrawSideToMove(m_sideToMove);
    } else {
        texts.DrawViewingText(m_viewingText);
    }
    texts.DrawClockLabels(m_whiteName, m_blackName);
    texts.DrawClockTimes(m_whiteClock, m_blackClock);
    texts.DrawStatus(m_status);
    m_progress.Draw(painter);
}

void GamePanel::AdoptMoveList(MoveListPanel* moveList) {
    m_moveList = moveList;
    moveList->setParent(this);
    m_browseBar->setVisible(moveList->isVisibleTo(this));
}

void GamePanel::SetMoveListVisible(bool visible) {
    if (!m_moveList) return;
    m_moveList->setVisible(visible);
    m_browseBar->setVisible(visible);
}

// The largest layout that fits; the move list takes the width left over.
void GamePanel::resizeEvent(QResizeEvent*) {
    m_scale = std::min(qreal(width()) / kViewSize.width(), qreal(height()) / kViewSize.height());
    m_board->setGeometry(ToWidget(kBoardArea));
    if (!m_moveList) return;
    QRect list = ToWidget(kMoveListRect);
    list.setRight(width() - 1 - qRound(kMoveListMargin * m_scale));
    const int barHeight = qRound(kBrowseBarHeight * m_scale);
    m_browseBar->setGeometry(list.x(), list.bottom() + 1 - barHeight, list.width(), barHeight);
    list.setHeight(list.height() - barHeight);
    m_moveList->setGeometry(list);
    m_moveList->SetScale(m_scale);
}

QRect GamePanel::ToWidget(const QRect& area) const {
    const QRectF scaled(QPointF(area.topLeft()) * m_scale, QSizeF(area.size()) * m_scale);
    return scaled.toAlignedRect();
}
