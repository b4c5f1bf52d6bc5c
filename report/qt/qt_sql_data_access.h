// A query over a Qt SQL connection (SQLite in this program) as the data set of a database data
// source. The query's rows are held by Qt (a scrollable result), so bookmarks are row numbers.
#pragma once

#include <QSqlQuery>
#include <QString>
#include <map>
#include <optional>
#include <string>

#include "report/core/data/data_access.h"

namespace report {

class QtSqlDataAccess : public DataAccess {
  public:
    // `connection`: the name of an open QSqlDatabase connection; `sql`: the query (UTF-8 in Qt).
    QtSqlDataAccess(std::string name, QString connection, QString sql);
    ~QtSqlDataAccess() override;

    // Declares a field's kind when the column type does not say it (SQLite keeps dates as text).
    void SetFieldKind(const std::string& field, FieldKind kind) { declaredKinds_[field] = kind; }

    bool IsActive() const override { return active_; }
    // EngineError with the driver's message when the query fails.
    void Open() override;
    void Close() override;
    void First() override;
    void Next() override;
    void Prior() override;
    bool Eof() const override { return !active_ || eof_; }
    Bookmark GetBookmark() const override;
    void GotoBookmark(Bookmark bookmark) override;
    std::vector<std::string> FieldNames() const override;
    FieldKind KindOf(std::string_view field) const override;
    std::string DisplayText(std::string_view field) const override;
    Variant RawValue(std::string_view field) const override;

  private:
    QVariant Value(std::string_view field) const;

    QString connection_;
    QString sql_;
    std::optional<QSqlQuery> query_;
    std::map<std::string, FieldKind> declaredKinds_;
    bool active_ = false;
    bool eof_ = true;
};

}  // namespace report
