#include "app/pgngamedialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>
#include <array>

namespace {

enum Column {
    kNumberColumn,
    kWhiteColumn,
    kBlackColumn,
    kResultColumn,
    kEventColumn,
    kEcoColumn,
    kOpeningColumn,
    kMovesColumn,
    kColumnCount
};
constexpr QSize kDialogSize(900, 480);
// Rows one line high, so that many games show at once.
constexpr int kRowPadding = 6;
// A long name is cut to this width; the row's tool tip shows the opening and
// the moves whole.
constexpr int kMaxColumnWidth = 260;

std::array<QString, kColumnCount> RowTexts(const PgnGameSummary& game, std::size_t index) {
    const auto text = [](const std::string& value) { return QString::fromStdString(value); };
    return {QString::number(index + 1), text(game.white),     text(game.black),
            text(game.result),          text(game.event),     text(game.eco),
            text(game.opening),         text(game.firstMoves)};
}

}  // namespace

PgnGameDialog::PgnGameDialog(const std::vector<PgnGameSummary>& games, QWidget* parent)
    : QDialog(parent),
      m_model(new QStandardItemModel(static_cast<int>(games.size()), kColumnCount, this)),
      m_rows(new QSortFilterProxyModel(this)),
      m_filter(new QLineEdit(this)),
      m_table(new QTableView(this)) {
    setWindowTitle(tr("Choose a Game"));
    resize(kDialogSize);
    FillModel(games);
    m_rows->setSourceModel(m_model);
    m_rows->setFilterKeyColumn(-1);
    m_rows->setFilterCaseSensitivity(Qt::CaseInsensitive);

    m_filter->setPlaceholderText(tr("Filter: type a name, an opening, a move..."));
    m_filter->setClearButtonEnabled(true);
    connect(m_filter, &QLineEdit::textChanged, this, &PgnGameDialog::ApplyFilter);

    m_table->setModel(m_rows);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(fontMetrics().lineSpacing() + kRowPadding);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setWordWrap(false);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->horizontalHeader()->setMaximumSectionSize(kMaxColumnWidth);
    HideEmptyColumns();
    m_table->resizeColumnsToContents();
    connect(m_table, &QTableView::doubleClicked, this, &QDialog::accept);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Open | QDialogButtonBox::Cancel, this);
    m_open = buttons->button(QDialogButtonBox::Open);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { m_open->setEnabled(SelectedGame().has_value()); });
    m_table->selectRow(0);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_filter);
    layout->addWidget(m_table);
    layout->addWidget(buttons);
    m_filter->setFocus();
}

void PgnGameDialog::FillModel(const std::vector<PgnGameSummary>& games) {
    m_model->setHorizontalHeaderLabels({tr("Number"), tr("White"), tr("Black"), tr("Result"),
                                        tr("Event"), tr("ECO"), tr("Opening"), tr("Moves")});
    for (std::size_t index = 0; index < games.size(); ++index) {
        const std::array<QString, kColumnCount> texts = RowTexts(games[index], index);
        const QString tip = texts[kOpeningColumn] + '\n' + texts[kMovesColumn];
        for (int column = 0; column < kColumnCount; ++column) {
            auto* item = new QStandardItem(texts[static_cast<std::size_t>(column)]);
            item->setToolTip(tip.trimmed());
            m_model->setItem(static_cast<int>(index), column, item);
        }
    }
}

// A file without players or openings, such as an opening book, shows no
// empty columns for them.
void PgnGameDialog::HideEmptyColumns() {
    for (int column = kWhiteColumn; column < kColumnCount; ++column) {
        bool empty = true;
        for (int row = 0; empty && row < m_model->rowCount(); ++row) {
            empty = m_model->item(row, column)->text().isEmpty();
        }
        m_table->setColumnHidden(column, empty);
    }
}

void PgnGameDialog::ApplyFilter(const QString& text) {
    m_rows->setFilterFixedString(text);
    if (!SelectedGame() && m_rows->rowCount() > 0) m_table->selectRow(0);
    m_open->setEnabled(SelectedGame().has_value());
    // The game picked stays in sight as the list shrinks and grows.
    if (SelectedGame()) m_table->scrollTo(m_table->selectionModel()->selectedRows().constFirst());
}

std::optional<std::size_t> PgnGameDialog::SelectedGame() const {
    const QModelIndexList rows = m_table->selectionModel()->selectedRows();
    if (rows.isEmpty()) return std::nullopt;
    return static_cast<std::size_t>(m_rows->mapToSource(rows.constFirst()).row());
}

std::optional<std::size_t> PgnGameDialog::Choose(const std::vector<PgnGameSummary>& games,
                                                 QWidget* parent) {
    if (games.size() == 1) return 0;
    PgnGameDialog dialog(games, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.SelectedGame();
}
