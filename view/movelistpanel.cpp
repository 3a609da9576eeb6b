#include "view/movelistpanel.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <string>
#include <vector>

#include "document/pgnexport.h"

namespace {

constexpr int kNumberColumn = 0;
constexpr int kPlyColumns = 2;  // White's move, Black's move
constexpr int kPanelWidth = 190;
constexpr int kNumberWidth = 40;
constexpr int kMoveWidth = 70;

QTableWidgetItem* NewItem(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

}  // namespace

MoveListPanel::MoveListPanel(QWidget* parent)
    : QTableWidget(0, 1 + kPlyColumns, parent),
      m_copyAction(new QAction(tr("&Copy Game as PGN"), this)) {
    setFixedWidth(kPanelWidth);
    setColumnWidth(kNumberColumn, kNumberWidth);
    setColumnWidth(1, kMoveWidth);
    setColumnWidth(2, kMoveWidth);
    horizontalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);
    verticalHeader()->hide();
    setShowGrid(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFocusPolicy(Qt::ClickFocus);
    connect(m_copyAction, &QAction::triggered, this, &MoveListPanel::CopyGameRequested);
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
    if (plies == 0) {
        clearSelection();
        return;
    }
    QTableWidgetItem* last = item((plies - 1) / kPlyColumns, 1 + (plies - 1) % kPlyColumns);
    setCurrentItem(last);
    scrollToItem(last);
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

void MoveListPanel::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction(m_copyAction);
    menu.exec(event->globalPos());
}
