#pragma once

#include <QList>
#include <QPixmap>
#include <QWidget>
#include <optional>

#include "document/tesseldoc.h"
#include "view/boardmarks.h"

class DragImage;

// The board on the screen: draws the position with its marks, scaled to the
// widget, and turns presses, drags and keys into events on squares. What a
// square event means is the owner's business.
class BoardWidget : public QWidget {
    Q_OBJECT
public:
    explicit BoardWidget(QWidget* parent = nullptr);

    // The position with the marks drawn over its cells (the keyboard's square
    // is the widget's own), turned when flipped, and a thin line from the
    // last move's origin to its target when given.
    void Show(const PublishedPosition& position, const BoardMarks& marks, bool flipped,
              std::optional<MoveEntry> moveLine);

    // The cell of a square in widget pixels.
    QRect CellRect(int square) const;
    std::optional<int> SquareAtWidget(QPoint point) const;
    // The keyboard's square, once a key has shown it; a new game hides it.
    const std::optional<int>& Cursor() const { return m_cursor; }
    void HideCursor();

    // The image of the piece on the square follows the pointer until
    // EndDrag; the piece itself stays drawn.
    void BeginDrag(int square, QPoint point);
    void MoveDrag(QPoint point);
    void EndDrag();

signals:
    void Pressed(std::optional<int> square, QPoint point);
    void PointerMoved(Qt::MouseButtons buttons, QPoint point);
    void Released(std::optional<int> square);
    // Enter or Space on the keyboard's square.
    void SquareChosen(int square);
    void EscapePressed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The cells and their margin, in board units: the margin is wider while
    // it holds the coordinates.
    QRectF Area() const;
    void Rescale();
    void RenderPieceImages();
    void MoveCursor(int colStep, int rowStep);

    QList<QPixmap> m_pieceImages;
    DragImage* m_dragImage;
    PublishedPosition m_position;
    BoardMarks m_marks;
    bool m_flipped = false;
    std::optional<MoveEntry> m_moveLine;
    std::optional<int> m_cursor;
    // Board units to widget pixels.
    qreal m_scale = 1;
};
