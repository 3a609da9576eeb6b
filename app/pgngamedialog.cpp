#include "app/pgngamedialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

enum Column {
    kNumberColumn,
    kWhiteColumn,
    kBlackColumn,
    kResultColumn,
    kEventColumn,
    kColumnCount
};
constexpr QSize kDialogSize(560, 360);

QTableWidgetItem* Cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

QTableWidgetItem* Cell(const std::string& text) { return Cell(QString::fromStdString(text)); }

}  // namespace

PgnGameDialog::PgnGameDialog(const std::vector<PgnGameSummary>& games, QWidget* parent)
    : QDialog(parent),
      m_table(new QTableWidget(static_cast<int>(games.size()), kColumnCount, this)) {
    setWindowTitle(tr("Choose a Game"));
    resize(kDialogSize);
    m_table->setHorizontalHeaderLabels(
        {tr("Number"), tr("White"), tr("Black"), tr("Result"), tr("Event")});
    m_table->verticalHeader()->hide();
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->horizontalHeader()->setStretchLastSection(true);
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const PgnGameSummary& game = games[static_cast<std::size_t>(row)];
        m_table->setItem(row, kNumberColumn, Cell(QString::number(row + 1)));
        m_table->setItem(row, kWhiteColumn, Cell(game.white));
        m_table->setItem(row, kBlackColumn, Cell(game.black));
        m_table->setItem(row, kResultColumn, Cell(game.result));
        m_table->setItem(row, kEventColumn, Cell(game.event));
    }
    m_table->resizeColumnsToContents();
    m_table->selectRow(0);
    connect(m_table, &QTableWidget::cellDoubleClicked, this, &QDialog::accept);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Open | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addWidget(buttons);
}

std::optional<std::size_t> PgnGameDialog::Choose(const std::vector<PgnGameSummary>& games,
                                                 QWidget* parent) {
    if (games.size() == 1) return 0;
    PgnGameDialog dialog(games, parent);
    if (dialog.exec() != QDialog::Accepted || dialog.Table()->currentRow() < 0) return std::nullopt;
    return static_cast<std::size_t>(dialog.Table()->currentRow());
}
