#include "view/boardpainter.h"

#include <QFont>
#include <QPainter>
#include <algorithm>

#include "document/chessclock.h"
#include "view/boardgeometry.h"
#include "view/boardmarks.h"
#include "view/pieceimages.h"

namespace {

constexpr int kFontPixelSize = 18;
constexpr int kViewingFontPixelSize = 13;
// The share of the page's width or height the printed board fills.
constexpr qreal kPrintedShare = 0.8;
const QString kLineBreak = QStringLiteral("\n\r");
// The frame round the side to move's clock, outside the text's bounds.
constexpr QMargins kClockFrameMargins(4, 1, 4, 1);
constexpr int kClockFrameWidth = 2;

}  // namespace

QFont ViewFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(kFontPixelSize);
    font.setBold(true);
    return font;
}

ClockFace UsedTimeFace(int64_t seconds) {
    return {QString::fromStdString(FormatClockTime(seconds))};
}

void PrintPosition(QPainter& painter, const QRect& page, const PublishedPosition& position,
                   const ClockFace& whiteClock, const ClockFace& blackClock) {
    const qreal scale = kPrintedShare * std::min(qreal(page.width()) / kPrintedRect.width(),
                                                 qreal(page.height()) / kPrintedRect.height());
    const QSizeF printed = QSizeF(kPrintedRect.size()) * scale;
    painter.save();
    painter.translate(page.x() + (page.width() - printed.width()) / 2, page.y());
    painter.scale(scale, scale);
    // Pieces rendered for the page's resolution, not the screen's.
    const QList<QPixmap> pieceImages = LoadPieceImages(scale);
    BoardPainter board(painter, pieceImages);
    board.FillPanel(kPrintedRect);
    board.DrawBoard(position);
    board.DrawSideToMove(position.sideToMove);
    board.DrawClockLabels();
    board.DrawClockTimes(whiteClock, blackClock);
    painter.restore();
}

BoardPainter::BoardPainter(QPainter& painter, const QList<QPixmap>& pieceImages)
    : m_painter(painter), m_pieceImages(pieceImages) {
    m_painter.setFont(ViewFont());
    m_painter.setBackground(kPanelColour);
    m_painter.setBackgroundMode(Qt::OpaqueMode);
}

void BoardPainter::FillPanel(const QRect& area) { m_painter.fillRect(area, kPanelColour); }

void BoardPainter::DrawBoard(const PublishedPosition& position, bool flipped,
                             const BoardMarks* marks) {
    DrawCells();
    if (marks) DrawMarksUnderPieces(m_painter, *marks, flipped);
    for (int square = 0; square < kSquareCount; ++square) {
        const int index = PieceImageIndex(position.board[square]);
        if (index >= 0 && index < m_pieceImages.size()) {
            m_painter.drawPixmap(CellOrigin(square, flipped), m_pieceImages[index]);
        }
    }
    if (marks) DrawMarksOverPieces(m_painter, *marks, position, flipped);
}

void BoardPainter::DrawCells() {
    for (int row = 0; row < kBoardCells; ++row) {
        for (int col = 0; col < kBoardCells; ++col) {
            const QRect cell(kBoardOrigin + kCellSize * col, kBoardOrigin + kCellSize * row,
                             kCellSize, kCellSize);
            m_painter.fillRect(cell, (col + row) % 2 == 0 ? kLightCellColour : kDarkCellColour);
        }
    }
}

void BoardPainter::DrawSideToMove(int side) {
    DrawText(kSideToMovePos,
             side == kWhite ? QStringLiteral("White to play") : QStringLiteral("Black to play"),
             kTextColour);
}

void BoardPainter::DrawViewingText(const QString& text) {
    m_painter.save();
    QFont font = ViewFont();
    font.setPixelSize(kViewingFontPixelSize);
    m_painter.setFont(font);
    m_painter.setPen(kTextColour);
    m_painter.drawText(kViewingTextRect, Qt::AlignCenter | Qt::TextWordWrap,
                       QString(text).replace(QStringLiteral(" - "), QStringLiteral("\n")));
    m_painter.restore();
}

void BoardPainter::DrawClockLabels(const QString& white, const QString& black) {
    DrawText(kWhiteLabelPos, white.isEmpty() ? QStringLiteral("White") : white, kTextColour);
    DrawText(kBlackLabelPos, black.isEmpty() ? QStringLiteral("Black") : black, kTextColour);
}

void BoardPainter::DrawClockTimes(const ClockFace& white, const ClockFace& black) {
    DrawClockTime(kWhiteTimePos, white);
    DrawClockTime(kBlackTimePos, black);
}

void BoardPainter::DrawClockTime(QPoint topLeft, const ClockFace& face) {
    const QRect bounds =
        DrawText(topLeft, face.text, face.low ? kLowClockTimeColour : kClockTimeColour);
    if (!face.marked) return;
    m_painter.save();
    m_painter.setPen(QPen(kClockTimeColour, kClockFrameWidth));
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawRect(bounds.marginsAdded(kClockFrameMargins));
    m_painter.restore();
}

void BoardPainter::DrawStatus(const QString& status) {
    m_painter.fillRect(kStatusBox, kPanelColour);
    m_painter.setPen(kTextColour);
    QString lines = status;
    lines.replace(kLineBreak, QStringLiteral("\n"));
    m_painter.drawText(
        kStatusBox, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap | Qt::TextDontClip, lines);
}

void BoardPainter::DrawLastMoveLine(const MoveEntry& move, bool flipped) {
    m_painter.setPen(QPen(Qt::black, 1));
    m_painter.drawLine(SquareCentre(move.from, flipped), SquareCentre(move.to, flipped));
}

QRect BoardPainter::DrawText(QPoint topLeft, const QString& text, const QColor& colour) {
    m_painter.setPen(colour);
    const QRect bounds(topLeft, m_painter.fontMetrics().boundingRect(text).size());
    m_painter.drawText(bounds, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
    return bounds;
}
