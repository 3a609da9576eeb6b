#include "view/movelistpanel.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <algorithm>
#include <string>
#include <vector>

#include "document/pgnexport.h"

namespace {

constexpr int kNumberColumn = 0;
constexpr int kPlyColumns = 2;  // White's move, Black's move
constexpr int kFontPixelSize = 13;
// A row's height, of the font's.
constexpr qreal kRowShare = 1.4;

QTableWidgetItem* NewItem(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

}  // namespace

MoveListPanel::MoveListPanel(QWidget* parent)
    : QTableWidget(0, 1 + kPlyColumns, parent),
      m_copyAction(new QAction(tr("&Copy Game as PGN"), this)),
      m_continueAction(new QAction(tr("Continue from &Here"), this)) {
    // The numbers keep their width, so that "16." never loses a digit; the
    // moves share the rest, and nothing scrolls sideways.
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    horizontalHeader()->setSectionResizeMode(kNumberColumn, QHeaderView::ResizeToContents);
    horizontalHeader()->hide();
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    verticalHeader()->hide();
    setShowGrid(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFocusPolicy(Qt::ClickFocus);
    connect(m_copyAction, &QAction::triggered, this, &MoveListPanel::CopyGameRequested);
    connect(m_continueAction, &QAction::triggered, this, &MoveListPanel::ContinueRequested);
    connect(this, &QTableWidget::cellClicked, this, [this](int row, int column) {
        if (const auto ply = PlyAt(row, column)) emit PlyChosen(*ply);
    });
    SetScale(1);
}

void MoveListPanel::SetScale(qreal scale) {
    QFont scaled = font();
    scaled.setPixelSize(std::max(1, qRound(kFontPixelSize * scale)));
    setFont(scaled);
    verticalHeader()->setDefaultSectionSize(qRound(QFontMetrics(scaled).height() * kRowShare));
}

void MoveListPanel::ShowMoves(std::span<const MoveEntry> moves) {
    const std::vector<std::string> sanMoves = SanMoves(moves);
    const int plies = static_cast<int>(sanMoves.size());
    clearContents();
    setRowCount((plies + 1) / kPlyColumns);
    for (int ply = 0; ply < plies; ++ply) {
        const int row = ply / kPlyColumns;
        if (ply % kPlyColumns == 0)
            setItem(row, kNumberColumn, NewItem(QStringLiteral("%1.").arg(row + 1)));
        setItem(row, 1 + ply % kPlyColumns, NewItem(QString::fromStdString(sanMoves[ply])));
    }
    m_plies = plies;
    SelectPly(plies);
}

void MoveListPanel::SelectPly(int ply) {
    m_shownPly = ply;
    QTableWidgetItem* move =
        ply > 0 ? item((ply - 1) / kPlyColumns, 1 + (ply - 1) % kPlyColumns) : nullptr;
    if (!move) {
        clearSelection();
        return;
    }
    setCurrentItem(move);
    scrollToItem(move);
}

std::optional<int> MoveListPanel::PlyAt(int row, int column) const {
    const int ply = row * kPlyColumns + std::max(column, 1);
    if (row < 0 || ply > m_plies) return std::nullopt;
    return ply;
}

void MoveListPanel::keyPressEvent(QKeyEvent* event) {
    int ply = m_shownPly;
    switch (event->key()) {
        case Qt::Key_Left:
            ply -= 1;
            break;
        case Qt::Key_Right:
            ply += 1;
            break;
        case Qt::Key_Up:
            ply -= kPlyColumns;
            break;
        case Qt::Key_Down:
            ply += kPlyColumns;
            break;
        case Qt::Key_Home:
            ply = 0;
            break;
        case Qt::Key_End:
            ply = m_plies;
            break;
        default:
            QTableWidget::keyPressEvent(event);
            return;
    }
    emit PlyChosen(std::clamp(ply, 0, m_plies));
}

QString MoveListPanel::MoveText() const {
    QStringList parts;
    for (int row = 0; row < rowCount(); ++row) {
        for (int column = 0; column <= kPlyColumns; ++column) {
            if (const QTableWidgetItem* cell = item(row, column)) parts.append(cell->text());
        }
    }
    return parts.join(QLatin1Char(' '));
}

void MoveListPanel::SetCopyEnabled(bool enabled) { m_copyAction->setEnabled(enabled); }

void MoveListPanel::SetContinueEnabled(bool enabled) { m_continueAction->setEnabled(enabled); }

// The menu is about the move under the pointer: its position is shown first.
void MoveListPanel::contextMenuEvent(QContextMenuEvent* event) {
    const QModelIndex index = indexAt(viewport()->mapFromGlobal(event->globalPos()));
    if (const auto ply = index.isValid() ? PlyAt(index.row(), index.column()) : std::nullopt) {
        emit PlyChosen(*ply);
    }
    QMenu menu(this);
    menu.addAction(m_continueAction);
    menu.addAction(m_copyAction);
    menu.exec(event->globalPos());
}
