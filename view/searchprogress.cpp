#include "view/searchprogress.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "computer/searchcontrol.h"
#include "document/pgnexport.h"
#include "view/boardgeometry.h"

namespace {

const QString kThinkingText = QStringLiteral("Thinking...");
constexpr int kFontPixelSize = 14;
constexpr int kTextHeight = 40;  // two lines
constexpr int kBarHeight = 5;
// Under the bar, the share of the root move being searched.
constexpr int kMoveBarHeight = 3;
constexpr int kBarGap = 2;
constexpr int kBarMargin = 20;  // left and right of the bar inside the box
constexpr int kSecondsPerMinute = 60;
// Before a root move is finished, the time one is taken to need: the first
// is searched with the widest window and takes the longest.
constexpr double kFirstMoveGuessMs = 10000;

QRect TextRect() {
    const QRect area = SearchProgress::Area();
    return QRect(area.left(), area.top(), area.width(), kTextHeight);
}

QRect BarRect() {
    const QRect area = SearchProgress::Area();
    return QRect(area.left() + kBarMargin, area.top() + kTextHeight, area.width() - 2 * kBarMargin,
                 kBarHeight);
}

QRect MoveBarRect() {
    const QRect bar = BarRect();
    return QRect(bar.left(), bar.bottom() + 1 + kBarGap, bar.width(), kMoveBarHeight);
}

void FillShare(QPainter& painter, const QRect& bar, double share) {
    painter.fillRect(bar, kLightCellColour);
    const int filled = static_cast<int>(std::lround(bar.width() * share));
    painter.fillRect(QRect(bar.topLeft(), QSize(filled, bar.height())), kDarkCellColour);
}

}  // namespace

QRect SearchProgress::Area() {
    constexpr int height = kTextHeight + kBarHeight + kBarGap + kMoveBarHeight + 2;
    return QRect(kStatusBox.left(), kStatusBox.bottom() - height + 1, kStatusBox.width(), height);
}

void SearchProgress::SetThinking(bool thinking) {
    *this = SearchProgress();
    m_thinking = thinking;
    if (thinking) m_clock.start();
}

bool SearchProgress::Poll(const SearchControl& control, const std::vector<MoveEntry>& game) {
    if (!m_thinking) return false;
    m_elapsedMs = m_clock.elapsed();
    const int done = control.RootMovesDone();
    if (done != m_done) m_doneAtMs = m_elapsedMs;
    m_done = done;
    m_total = control.RootMovesTotal();
    int from = 0;
    int to = 0;
    if (control.BestSoFar(from, to) && (from != m_bestFrom || to != m_bestTo)) {
        m_bestFrom = from;
        m_bestTo = to;
        std::vector<MoveEntry> moves = game;
        moves.push_back({static_cast<int16_t>(from), static_cast<int16_t>(to)});
        const std::vector<std::string> san = SanMoves(moves);
        if (san.size() == moves.size()) m_bestSan = QString::fromStdString(san.back());
    }
    // The time and the bar move at every poll.
    return true;
}

QString SearchProgress::Text() const {
    const qint64 seconds = m_elapsedMs / kMsPerSecond;
    QString text = kThinkingText + QStringLiteral(" %1:%2")
                                       .arg(seconds / kSecondsPerMinute)
                                       .arg(seconds % kSecondsPerMinute, 2, 10, QLatin1Char('0'));
    if (m_total == 0) return text;
    text += QStringLiteral("\n%1/%2").arg(m_done).arg(m_total);
    if (!m_bestSan.isEmpty()) text += QStringLiteral("  best ") + m_bestSan;
    return text;
}

// The move being searched fills its share the more, the longer it takes
// against the moves finished before it: half when it has taken as long as
// they took on average, never quite all.
double SearchProgress::MoveShare() const {
    if (m_total == 0 || m_done >= m_total) return 0;
    const double perMove = m_done > 0 ? double(m_doneAtMs) / m_done : kFirstMoveGuessMs;
    const double spent = double(m_elapsedMs - m_doneAtMs);
    return spent / (spent + perMove);
}

double SearchProgress::Share() const {
    if (m_total == 0) return 0;
    return std::min(1.0, (m_done + MoveShare()) / m_total);
}

void SearchProgress::Draw(QPainter& painter) const {
    if (!m_thinking) return;
    painter.save();
    QFont font = painter.font();
    font.setPixelSize(kFontPixelSize);
    painter.setFont(font);
    painter.setPen(kClockTimeColour);
    painter.drawText(TextRect(), Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip, Text());
    FillShare(painter, BarRect(), Share());
    FillShare(painter, MoveBarRect(), MoveShare());
    painter.restore();
}
