#include "view/searchprogress.h"

#include <QPainter>

#include "computer/searchcontrol.h"
#include "view/boardgeometry.h"

namespace {

const QString kThinkingText = QStringLiteral("Thinking...");
constexpr int kTextHeight = 24;
constexpr int kBarHeight = 5;
constexpr int kBarMargin = 20;  // left and right of the bar inside the box

QRect TextRect() {
    const QRect area = SearchProgress::Area();
    return QRect(area.left(), area.top(), area.width(), kTextHeight);
}

QRect BarRect() {
    const QRect area = SearchProgress::Area();
    return QRect(area.left() + kBarMargin, area.bottom() - kBarHeight + 1,
                 area.width() - 2 * kBarMargin, kBarHeight);
}

}  // namespace

QRect SearchProgress::Area() {
    constexpr int height = kTextHeight + kBarHeight + 2;
    return QRect(kStatusBox.left(), kStatusBox.bottom() - height + 1, kStatusBox.width(), height);
}

void SearchProgress::SetThinking(bool thinking) {
    m_thinking = thinking;
    m_done = 0;
    m_total = 0;
}

bool SearchProgress::Poll(const SearchControl& control) {
    if (!m_thinking) return false;
    const int done = control.RootMovesDone();
    const int total = control.RootMovesTotal();
    if (done == m_done && total == m_total) return false;
    m_done = done;
    m_total = total;
    return true;
}

QString SearchProgress::Text() const {
    if (m_total == 0) return kThinkingText;
    return kThinkingText + QStringLiteral(" %1/%2").arg(m_done).arg(m_total);
}

void SearchProgress::Draw(QPainter& painter) const {
    if (!m_thinking) return;
    painter.setPen(kClockTimeColour);
    painter.drawText(TextRect(), Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip, Text());
    const QRect bar = BarRect();
    painter.fillRect(bar, kLightCellColour);
    if (m_total > 0) {
        painter.fillRect(QRect(bar.topLeft(), QSize(bar.width() * m_done / m_total, bar.height())),
                         kDarkCellColour);
    }
}
