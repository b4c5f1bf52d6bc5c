// The database-backed data source: walks a data set (table or query) of the data-access layer.
#pragma once

#include <optional>

#include "report/core/data/data_access.h"
#include "report/core/data/dataset.h"

namespace report {

class DBDataset : public Dataset {
  public:
    using Dataset::Dataset;

    // Setting one clears the other.
    void SetDataSet(DataAccess* dataSet);
    void SetDataSource(DataAccessLink* dataSource);
    DataAccess* DataSetProperty() const { return dataSet_; }
    DataAccessLink* DataSourceProperty() const { return dataSource_; }

    bool openDataSource = true;
    bool closeDataSource = false;
    NotifyEvent onOpen;
    NotifyEvent onClose;

    // The data set of DataSource when it has one, else DataSet; EngineError
    // "Unable to open dataset <name>" with neither.
    DataAccess& GetDataSet() const;

    void Init() override;
    void Exit() override;
    void First() override;
    void Next() override;
    void Prior() override;
    bool Eof() override;

  private:
    DataAccess* dataSet_ = nullptr;
    DataAccessLink* dataSource_ = nullptr;
    std::optional<DataAccess::Bookmark> bookmark_;
    bool eof_ = false;
};

}  // namespace report
