#include "view/boardwidget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "view/boardgeometry.h"
#include "view/boardpainter.h"
#include "view/dragimage.h"
#include "view/pieceimages.h"

namespace {

// Where the keyboard's cursor first appears: the cell of e2 as White sees it.
constexpr int kCursorStartSquare = 11;

}  // namespace

BoardWidget::BoardWidget(QWidget* parent)
    : QWidget(parent),
      m_pieceImages(LoadPieceImages(devicePixelRatioF())),
      m_dragImage(new DragImage(this)) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BoardWidget::Show(const PublishedPosition& position, const BoardMarks& marks, bool flipped,
                       std::optional<MoveEntry> moveLine) {
    const bool resized = marks.coordinates != m_marks.coordinates;
    m_position = position;
    m_marks = marks;
    m_flipped = flipped;
    m_moveLine = moveLine;
    if (resized) Rescale();
    update();
}

QRectF BoardWidget::Area() const {
    const int margin = m_marks.coordinates ? kCoordinateMargin : kBoardOrigin;
    const int side = kBoardCells * kCellSize + 2 * margin;
    return QRectF(kBoardOrigin - margin, kBoardOrigin - margin, side, side);
}

void BoardWidget::HideCursor() {
    m_cursor.reset();
    update();
}

void BoardWidget::paintEvent(QPaintEvent*) {
    // The window may have moved to a screen of another pixel density.
    if (m_pieceImages.constFirst().devicePixelRatio() != m_scale * devicePixelRatioF()) {
        RenderPieceImages();
    }
    QPainter painter(this);
    painter.fillRect(rect(), kPanelColour);
    painter.scale(m_scale, m_scale);
    painter.translate(-Area().topLeft());
    BoardMarks marks = m_marks;
    marks.cursor = m_cursor;
    BoardPainter board(painter, m_pieceImages);
    board.DrawBoard(m_position, m_flipped, &marks);
    if (m_moveLine) board.DrawLastMoveLine(*m_moveLine, m_flipped);
}

// Rendered from the drawings at the cell's size in device pixels, so that
// the pieces stay sharp at every size and density.
void BoardWidget::RenderPieceImages() {
    m_pieceImages = LoadPieceImages(m_scale * devicePixelRatioF());
}

void BoardWidget::resizeEvent(QResizeEvent*) { Rescale(); }

void BoardWidget::Rescale() {
    m_scale = std::min(width(), height()) / Area().width();
    RenderPieceImages();
}

QRect BoardWidget::CellRect(int square) const {
    const QRectF cell((CellOrigin(square, m_flipped) - Area().topLeft()) * m_scale,
                      QSizeF(kCellSize, kCellSize) * m_scale);
    return cell.toAlignedRect();
}

std::optional<int> BoardWidget::SquareAtWidget(QPoint point) const {
    const QPointF origin = Area().topLeft();
    const QPoint board(static_cast<int>(std::floor(point.x() / m_scale + origin.x())),
                       static_cast<int>(std::floor(point.y() / m_scale + origin.y())));
    return SquareAt(board, m_flipped);
}

void BoardWidget::BeginDrag(int square, QPoint point) {
    // The image keeps the pixels of the cell's rendering at the screen's
    // density, so that it is as large as the cells.
    QPixmap image = m_pieceImages.value(PieceImageIndex(m_position.board[square]));
    image.setDevicePixelRatio(devicePixelRatioF());
    const QSize size = image.deviceIndependentSize().toSize();
    m_dragImage->Begin(image, QPoint(size.width() / 2, size.height() / 2));
    m_dragImage->Enter(point);
}

void BoardWidget::MoveDrag(QPoint point) { m_dragImage->Move(point); }

void BoardWidget::EndDrag() { m_dragImage->End(); }

void BoardWidget::mousePressEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::LeftButton) emit Pressed(SquareAtWidget(point), point);
}

void BoardWidget::mouseMoveEvent(QMouseEvent* event) {
    emit PointerMoved(event->buttons(), event->position().toPoint());
}

void BoardWidget::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::LeftButton) emit Released(SquareAtWidget(point));
}

void BoardWidget::keyPressEvent(QKeyEvent* event) {
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
                emit SquareChosen(*m_cursor);
            }
            break;
        case Qt::Key_Escape:
            emit EscapePressed();
            break;
        default:
            QWidget::keyPressEvent(event);
    }
}

// Steps in cells as the screen shows them; the first key only shows the
// cursor.
void BoardWidget::MoveCursor(int colStep, int rowStep) {
    if (!m_cursor) {
        m_cursor = m_flipped ? kSquareCount - 1 - kCursorStartSquare : kCursorStartSquare;
    } else {
        const QPoint origin = CellOrigin(*m_cursor, m_flipped);
        const int last = kBoardOrigin + (kBoardCells - 1) * kCellSize;
        const QPoint moved(std::clamp(origin.x() + colStep * kCellSize, kBoardOrigin, last),
                           std::clamp(origin.y() + rowStep * kCellSize, kBoardOrigin, last));
        m_cursor = SquareAt(moved, m_flipped);
    }
    update();
}
