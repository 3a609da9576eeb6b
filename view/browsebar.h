#pragma once

#include <QStyle>
#include <QWidget>

class QToolButton;

// The small buttons under the move list that step through the game's
// positions: to the start, back, forward, and to the game's own position.
class BrowseBar : public QWidget {
    Q_OBJECT
public:
    explicit BrowseBar(QWidget* parent = nullptr);

    // ply of plies moves are shown; a button that would not move is greyed.
    void SetShownPly(int ply, int plies);

signals:
    void FirstChosen();
    void BackChosen();
    void ForwardChosen();
    void LastChosen();

private:
    QToolButton* AddButton(QStyle::StandardPixmap icon, const QString& tip,
                           void (BrowseBar::*chosen)());

    QToolButton* m_first;
    QToolButton* m_back;
    QToolButton* m_forward;
    QToolButton* m_last;
};
