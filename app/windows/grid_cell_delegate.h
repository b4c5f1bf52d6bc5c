// Draws the grid's cell texts as the referee's grid always showed them: left-aligned two pixels
// from the cell's edge and clipped, never elided, so that a label such as "01A" stays whole in
// its 40-pixel column.
#pragma once

#include <QStyledItemDelegate>

namespace app {

class GridCellDelegate final : public QStyledItemDelegate {
    Q_OBJECT
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

}  // namespace app
