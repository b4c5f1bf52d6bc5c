// The side panel's list of page thumbnails. A thumbnail is drawn the first time the list asks
// for it (when it scrolls into view) and kept until the pages change.
#pragma once

#include <QAbstractListModel>
#include <QImage>
#include <map>

#include "report/core/render/page_drawing.h"

namespace report {

class PreparedPages;

class PreviewThumbnails : public QAbstractListModel {
    Q_OBJECT
  public:
    static constexpr int kWidth = 110;  // screen pixels

    explicit PreviewThumbnails(QObject* parent = nullptr) : QAbstractListModel(parent) {}

    // Not owned; null for none. Drops the thumbnails drawn so far.
    void SetPages(PreparedPages* pages, const PageDrawOptions& options);
    int RenderedCount() const { return static_cast<int>(cache_.size()); }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

  private:
    PreparedPages* pages_ = nullptr;
    PageDrawOptions options_;
    mutable std::map<int, QImage> cache_;
};

}  // namespace report
