#include "app/windows/grid_cell_delegate.h"

#include <QApplication>
#include <QPainter>

namespace app {
namespace {

constexpr int kTextInset = 2;

}  // namespace

void GridCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const QString text = cell.text;
    cell.text.clear();
    const QWidget* widget = cell.widget;
    QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);  // background, selection

    painter->save();
    painter->setFont(cell.font);
    const bool selected = (cell.state & QStyle::State_Selected) != 0;
    painter->setPen(cell.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    const QRect area = cell.rect.adjusted(kTextInset, 0, -1, 0);
    painter->setClipRect(area);
    painter->drawText(area, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    painter->restore();
}

}  // namespace app
