// The three-column grid of the draw as the logic sees it. Row 0 is the header row; data rows
// start at 1. Cell texts are Windows-1252. The main window implements it over its table widget;
// tests use a plain in-memory grid.
#pragma once

#include <string>

namespace app {

// Column meanings.
inline constexpr int kReceivingColumn = 0;
inline constexpr int kVisitingColumn = 1;
inline constexpr int kLabelColumn = 2;
inline constexpr int kGridColumnCount = 3;

class DrawGrid {
  public:
    virtual ~DrawGrid() = default;

    // Number of rows, the header row included.
    virtual int RowCount() const = 0;
    // New rows are empty; rows beyond the count are dropped. The header row always stays.
    virtual void SetRowCount(int rows) = 0;

    // Cells outside the grid read as empty and are not written.
    virtual std::string Cell(int column, int row) const = 0;
    virtual void SetCell(int column, int row, const std::string& text) = 0;

    // Scrolls the view down by one line, as one click on the scroll bar's down arrow.
    virtual void ScrollDownOneLine() = 0;
};

}  // namespace app
