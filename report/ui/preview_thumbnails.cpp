#include "report/ui/preview_thumbnails.h"

#include "report/core/base/engine_strings.h"
#include "report/core/prepared/prepared_pages.h"
#include "report/qt/qt_text.h"
#include "report/ui/preview_pdf_export.h"

namespace report {

void PreviewThumbnails::SetPages(PreparedPages* pages, const PageDrawOptions& options) {
    beginResetModel();
    pages_ = pages;
    options_ = options;
    cache_.clear();
    endResetModel();
}

int PreviewThumbnails::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || pages_ == nullptr ? 0 : pages_->PageCount();
}

QVariant PreviewThumbnails::data(const QModelIndex& index, int role) const {
    if (pages_ == nullptr || !index.isValid() || index.row() >= pages_->PageCount()) return {};
    const int row = index.row();
    switch (role) {
        case Qt::DisplayRole:
            return QString::number(row + 1);
        case Qt::DecorationRole: {
            auto it = cache_.find(row);
            if (it == cache_.end())
                it = cache_.emplace(row, RenderPageImage(*pages_, row, kWidth, options_)).first;
            return it->second;
        }
        case Qt::AccessibleTextRole:  // "Page 3", not a bare number
            return ToQString(EngineText("preview.page")) + " " + QString::number(row + 1);
        default:
            return {};
    }
}

}  // namespace report
