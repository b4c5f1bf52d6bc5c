#include "report/core/data/data_access.h"

namespace report {

bool DataAccess::HasField(std::string_view field) const {
    for (const std::string& name : FieldNames()) {
        if (name == field) return true;
    }
    return false;
}

Variant ReadFieldValue(DataAccess& dataSet, std::string_view field) {
    if (!dataSet.IsActive()) dataSet.Open();
    if (dataSet.HasDisplayText(field)) return Variant::String(dataSet.DisplayText(field));
    const FieldKind kind = dataSet.KindOf(field);
    Variant value = dataSet.RawValue(field);
    if (value.IsNull()) {
        switch (kind) {
            case FieldKind::SmallInt:
            case FieldKind::Integer:
            case FieldKind::Word:
            case FieldKind::Float:
            case FieldKind::Currency:
                return Variant::Int32(0);
            case FieldKind::String:
                return Variant::String({});
            case FieldKind::Boolean:
                return Variant::Boolean(false);
            default:
                return value;
        }
    }
    switch (kind) {
        case FieldKind::Date:
        case FieldKind::DateTime:
            return Variant::DateTime(value.ToDateTime());
        case FieldKind::LargeInt:
            return Variant::String(dataSet.DisplayText(field));
        default:
            return value;
    }
}

}  // namespace report
