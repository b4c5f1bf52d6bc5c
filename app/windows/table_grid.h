// The draw grid SG_tombage shown by a QTableWidget: row 0 of the grid is the table's horizontal
// header (so that screen readers announce it as the column headers), data row r is table row
// r - 1. Each cell keeps its Windows-1252 bytes (item data) and shows them as Unicode.
#pragma once

#include <QTableWidget>

#include "app/logic/draw_grid.h"

namespace app {

class TableGrid final : public DrawGrid {
  public:
    explicit TableGrid(QTableWidget& table) : table_(table) {}

    int RowCount() const override;
    void SetRowCount(int rows) override;
    std::string Cell(int column, int row) const override;
    void SetCell(int column, int row, const std::string& text) override;
    void ScrollDownOneLine() override;

  private:
    QTableWidget& table_;
};

}  // namespace app
