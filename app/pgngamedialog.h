#pragma once

#include <QDialog>
#include <optional>
#include <vector>

#include "document/pgnimport.h"

class QLineEdit;
class QPushButton;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTableView;

// Lists the games of a PGN file, one a row (number, White, Black, Result,
// Event, ECO, opening and first moves; columns no game fills are left out),
// for the user to pick the one to open. Typing in the filter box keeps the
// rows that hold the text in any column.
class PgnGameDialog : public QDialog {
    Q_OBJECT
public:
    PgnGameDialog(const std::vector<PgnGameSummary>& games, QWidget* parent = nullptr);

    // The index of the game picked, empty when the user cancelled.
    static std::optional<std::size_t> Choose(const std::vector<PgnGameSummary>& games,
                                             QWidget* parent);

    // The index in the file of the game selected, empty when none is.
    std::optional<std::size_t> SelectedGame() const;
    QLineEdit* FilterBox() const { return m_filter; }
    QTableView* Table() const { return m_table; }

private:
    void FillModel(const std::vector<PgnGameSummary>& games);
    void HideEmptyColumns();
    void ApplyFilter(const QString& text);

    QStandardItemModel* m_model;
    QSortFilterProxyModel* m_rows;
    QLineEdit* m_filter;
    QTableView* m_table;
    QPushButton* m_open;
};
