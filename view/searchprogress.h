#pragma once

#include <QRect>
#include <QString>

class QPainter;
class SearchControl;

// What the window shows while the computer thinks: how many of the root
// moves its search has finished. The view reads the search's counters on its
// own timer, so the search pays nothing for being watched.
class SearchProgress {
public:
    // The computer begins or ends thinking.
    void SetThinking(bool thinking);
    bool IsThinking() const { return m_thinking; }
    // Takes the counters as they stand; true when what is shown changes.
    bool Poll(const SearchControl& control);

    // "Thinking... 12/31", or "Thinking..." until the root moves are counted.
    QString Text() const;
    // Drawn at the foot of the status box, over the box's background.
    void Draw(QPainter& painter) const;
    // The part of the view that Draw paints.
    static QRect Area();

private:
    bool m_thinking = false;
    int m_done = 0;
    int m_total = 0;
};
