#pragma once

#include <QTableWidget>
#include <optional>
#include <span>

#include "document/tesseldoc.h"

// The game in SAN beside the board, one row per move number, the move that
// led to the position shown selected and kept in view. A click on a move, or
// Left, Right, Up, Down, Home and End, asks for another position to be shown.
class MoveListPanel : public QTableWidget {
    Q_OBJECT
public:
    explicit MoveListPanel(QWidget* parent = nullptr);

    void ShowMoves(std::span<const MoveEntry> moves);
    // The position after ply moves is shown; 0 selects no move.
    void SelectPly(int ply);
    // The moves as shown, "1. e4 c6 2. d4 d5".
    QString MoveText() const;
    // Copying reads the document's game, which a running move owns.
    void SetCopyEnabled(bool enabled);
    void SetContinueEnabled(bool enabled);
    // The font grows with the board; the columns share the list's width.
    void SetScale(qreal scale);

signals:
    void CopyGameRequested();
    void PlyChosen(int ply);
    void ContinueRequested();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The ply a cell shows, none for an empty cell; a move number stands for
    // White's move.
    std::optional<int> PlyAt(int row, int column) const;

    QAction* m_copyAction;
    QAction* m_continueAction;
    int m_plies = 0;
    int m_shownPly = 0;
};
