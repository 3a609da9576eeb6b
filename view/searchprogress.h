#pragma once

#include <QElapsedTimer>
#include <QRect>
#include <QString>
#include <vector>

#include "document/tesseldoc.h"

class QPainter;
class SearchControl;

// What the window shows while the computer thinks: the time spent, how
// many of the root moves its search has finished, the best move so far and
// a bar. The view reads the search's counters on its own timer, so the
// search pays nothing for being watched.
class SearchProgress {
public:
    // The computer begins or ends thinking.
    void SetThinking(bool thinking);
    bool IsThinking() const { return m_thinking; }
    // Takes the counters as they stand; the game is the one the search
    // starts from, for naming the best move. True when what is shown changes.
    bool Poll(const SearchControl& control, const std::vector<MoveEntry>& game);

    // "Thinking... 0:07" over "12/31  best Nf3", the count once the root
    // moves are listed and the move once one is finished.
    QString Text() const;
    // Between 0 and 1: the root moves finished with the share of the one
    // being searched, which grows with its time against the others'.
    double Share() const;
    double MoveShare() const;
    // Drawn at the foot of the status box, over the box's background.
    void Draw(QPainter& painter) const;
    // The part of the view that Draw paints.
    static QRect Area();

private:
    bool m_thinking = false;
    QElapsedTimer m_clock;
    qint64 m_elapsedMs = 0;
    // When the last root move was finished.
    qint64 m_doneAtMs = 0;
    int m_done = 0;
    int m_total = 0;
    int m_bestFrom = -1;
    int m_bestTo = -1;
    QString m_bestSan;
};
