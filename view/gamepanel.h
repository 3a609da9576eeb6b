#pragma once

#include <QString>
#include <QWidget>
#include <cstdint>

#include "view/boardpainter.h"
#include "view/searchprogress.h"

class BoardWidget;
class BrowseBar;
class MoveListPanel;

// The face of the game: the board, the side to move, the two clocks and the
// status box with the computer's progress, laid out and scaled together.
class GamePanel : public QWidget {
    Q_OBJECT
public:
    explicit GamePanel(QWidget* parent = nullptr);

    BoardWidget& Board() const { return *m_board; }
    // Under the move list, shown with it.
    BrowseBar& Browsing() const { return *m_browseBar; }
    QSize sizeHint() const override;

    void SetSideToMove(int side);
    // While an earlier position is shown, this text takes the side to move's
    // place; empty shows the side to move again.
    void SetViewingText(const QString& text);
    void SetClocks(const ClockFace& white, const ClockFace& black);
    // The players named under the board, "White" and "Black" when empty.
    void SetPlayerNames(const QString& white, const QString& black);
    const ClockFace& WhiteClock() const { return m_whiteClock; }
    const ClockFace& BlackClock() const { return m_blackClock; }
    // Each "\n\r" ends a line of the status box.
    void SetStatus(const QString& status);
    void SetProgress(const SearchProgress& progress);
    // The move list goes in the column at the board's right.
    void AdoptMoveList(MoveListPanel* moveList);
    void SetMoveListVisible(bool visible);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QRect ToWidget(const QRect& area) const;

    BoardWidget* m_board;
    MoveListPanel* m_moveList = nullptr;
    BrowseBar* m_browseBar;
    int m_sideToMove = 0;
    QString m_viewingText;
    ClockFace m_whiteClock;
    ClockFace m_blackClock;
    QString m_whiteName;
    QString m_blackName;
    QString m_status;
    SearchProgress m_progress;
    // Board units to widget pixels: the panel grows in proportion.
    qreal m_scale = 1;
};
