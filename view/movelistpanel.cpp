#include "view/movelistpanel.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QHeaderView>
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
      m_copyAction(new QAction(tr("&Copy Game as PGN"), this)) {
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
