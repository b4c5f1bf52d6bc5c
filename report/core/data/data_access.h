// The data-access layer under database-backed data sources: a table or query component with a
// cursor, bookmarks and typed fields. The Qt SQL implementation lives in report/qt.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "report/core/data/component.h"
#include "report/core/value/variant.h"

namespace report {

// Kinds of database fields, as far as value reading distinguishes them.
enum class FieldKind {
    SmallInt,  // 16-bit integer
    Integer,
    Word,  // 16-bit unsigned
    Float,
    Currency,
    String,
    Boolean,
    Date,
    Time,
    DateTime,
    LargeInt,  // 64-bit integer
    Other,     // blobs and the rest
};

class DataAccess : public Component {
  public:
    using Component::Component;
    using Bookmark = int64_t;

    virtual bool IsActive() const = 0;
    virtual void Open() = 0;
    virtual void Close() = 0;

    virtual void First() = 0;
    virtual void Next() = 0;  // stays on the last record and raises Eof past it
    virtual void Prior() = 0;
    virtual bool Eof() const = 0;

    virtual Bookmark GetBookmark() const = 0;
    virtual void GotoBookmark(Bookmark bookmark) = 0;

    virtual std::vector<std::string> FieldNames() const = 0;
    virtual bool HasField(std::string_view field) const;  // exact name
    virtual FieldKind KindOf(std::string_view field) const = 0;
    // True when the field has a display-text handler; DisplayText then gives its text.
    virtual bool HasDisplayText(std::string_view) const { return false; }
    virtual std::string DisplayText(std::string_view field) const = 0;
    // The native value of the current record's field; Null for a null value.
    virtual Variant RawValue(std::string_view field) const = 0;
};

// A data-source component: links to a data set (used instead of a DBDataset's own one).
class DataAccessLink : public Component {
  public:
    using Component::Component;
    DataAccess* dataSet = nullptr;  // not owned
};

// The value of a field of the current record: the data set is opened when closed; a field
// with a display-text handler gives its text, date and date-time fields a date-time, 64-bit
// integers their text, others their native value. Null becomes 0 for numeric kinds, "" for
// strings and False for booleans.
Variant ReadFieldValue(DataAccess& dataSet, std::string_view field);

}  // namespace report
