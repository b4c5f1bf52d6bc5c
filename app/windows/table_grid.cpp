#include "app/windows/table_grid.h"

#include <QScrollBar>

#include "report/qt/qt_text.h"

namespace app {
namespace {

constexpr int kBytesRole = Qt::UserRole;

std::string BytesOf(const QTableWidgetItem* item) {
    if (item == nullptr) return {};
    const QByteArray bytes = item->data(kBytesRole).toByteArray();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

void Store(QTableWidgetItem& item, const std::string& text) {
    item.setData(kBytesRole, QByteArray(text.data(), static_cast<qsizetype>(text.size())));
    item.setText(report::ToQString(text));
}

}  // namespace

int TableGrid::RowCount() const {
    return table_.rowCount() + 1;
}

void TableGrid::SetRowCount(int rows) {
    table_.setRowCount(rows > 1 ? rows - 1 : 0);
}

std::string TableGrid::Cell(int column, int row) const {
    if (column < 0 || column >= table_.columnCount() || row < 0 || row >= RowCount()) return {};
    if (row == 0) return BytesOf(table_.horizontalHeaderItem(column));
    return BytesOf(table_.item(row - 1, column));
}

void TableGrid::SetCell(int column, int row, const std::string& text) {
    if (column < 0 || column >= table_.columnCount() || row < 0 || row >= RowCount()) return;
    if (row == 0) {
        auto* header = table_.horizontalHeaderItem(column);
        if (header == nullptr) {
            header = new QTableWidgetItem;
            table_.setHorizontalHeaderItem(column, header);  // the table owns it
        }
        Store(*header, text);
        return;
    }
    auto* item = table_.item(row - 1, column);
    if (item == nullptr) {
        item = new QTableWidgetItem;
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        Store(*item, text);
        table_.setItem(row - 1, column, item);  // the table owns it
        return;
    }
    Store(*item, text);
}

void TableGrid::ScrollDownOneLine() {
    table_.verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
}

}  // namespace app
