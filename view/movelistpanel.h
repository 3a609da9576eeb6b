#pragma once

#include <QTableWidget>
#include <span>

#include "document/tesseldoc.h"

// The game in SAN beside the board, one row per move number, the last move
// selected and kept in view. Selecting another move only selects it.
class MoveListPanel : public QTableWidget {
    Q_OBJECT
public:
    explicit MoveListPanel(QWidget* parent = nullptr);

    void ShowMoves(std::span<const MoveEntry> moves);
    // The moves as shown, "1. e4 c6 2. d4 d5".
    QString MoveText() const;
    // Copying reads the document's game, which a running move owns.
    void SetCopyEnabled(bool enabled);
    // The font grows with the board; the columns share the list's width.
    void SetScale(qreal scale);

signals:
    void CopyGameRequested();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QAction* m_copyAction;
};
