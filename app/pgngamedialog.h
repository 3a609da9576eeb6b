#pragma once

#include <QDialog>
#include <optional>
#include <vector>

#include "document/pgnimport.h"

class QTableWidget;

// Lists the games of a PGN file, one a row (number, White, Black, Result,
// Event), for the user to pick the one to open.
class PgnGameDialog : public QDialog {
    Q_OBJECT
public:
    PgnGameDialog(const std::vector<PgnGameSummary>& games, QWidget* parent = nullptr);

    // The index of the game picked, empty when the user cancelled.
    static std::optional<std::size_t> Choose(const std::vector<PgnGameSummary>& games,
                                             QWidget* parent);

    QTableWidget* Table() const { return m_table; }

private:
    QTableWidget* m_table;
};
