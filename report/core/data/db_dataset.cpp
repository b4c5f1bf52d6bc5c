#include "report/core/data/db_dataset.h"

#include "report/core/base/engine_strings.h"
#include "report/core/base/errors.h"
#include "report/core/base/text.h"
#include "report/core/data/data_texts.h"

namespace report {

void DBDataset::SetDataSet(DataAccess* dataSet) {
    dataSet_ = dataSet;
    if (dataSet != nullptr) dataSource_ = nullptr;
}

void DBDataset::SetDataSource(DataAccessLink* dataSource) {
    dataSource_ = dataSource;
    if (dataSource != nullptr) dataSet_ = nullptr;
}

DataAccess& DBDataset::GetDataSet() const {
    if (dataSource_ != nullptr && dataSource_->dataSet != nullptr) return *dataSource_->dataSet;
    if (dataSet_ != nullptr) return *dataSet_;
    throw EngineError(FormatMessage(EngineText(data_text::kOpenFailed), {Name()}));
}

void DBDataset::Init() {
    DataAccess& data = GetDataSet();
    if (openDataSource && !data.IsActive()) data.Open();
    if (onOpen) onOpen(*this);
    bookmark_ = data.GetBookmark();
    eof_ = false;
}

void DBDataset::Exit() {
    if (bookmark_) {
        if (rangeBegin == RangeBegin::rbCurrent || rangeEnd == RangeEnd::reCurrent) {
            GetDataSet().GotoBookmark(*bookmark_);
        }
        bookmark_.reset();
    }
    if (onClose) onClose(*this);
    if (closeDataSource) GetDataSet().Close();
}

void DBDataset::First() {
    DataAccess& data = GetDataSet();
    if (rangeBegin == RangeBegin::rbFirst) {
        data.First();
    } else if (bookmark_) {
        data.GotoBookmark(*bookmark_);
    }
    eof_ = false;
    Dataset::First();
}

void DBDataset::Next() {
    DataAccess& data = GetDataSet();
    if (rangeEnd == RangeEnd::reCurrent) {
        if (bookmark_ && data.GetBookmark() == *bookmark_) eof_ = true;
        return;
    }
    data.Next();
    Dataset::Next();
}

void DBDataset::Prior() {
    GetDataSet().Prior();
    Dataset::Prior();
}

bool DBDataset::Eof() {
    return Dataset::Eof() || GetDataSet().Eof() || eof_;
}

}  // namespace report
