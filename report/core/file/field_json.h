// The JSON form of one stored field, by its kind: integers as numbers, colours as
// "0x00BBGGRR", texts in UTF-8, memos as lists of lines, band types and picture kinds by name,
// picture bytes in Base64.
#pragma once

#include <string>

#include "report/core/base/json.h"
#include "report/core/model/stored_field.h"

namespace report {

JsonValue FieldToJson(const StoredField& field, const PropertyObject& owner);
// Raises JsonError naming `where` (UTF-8) for a value of the wrong kind or out of range.
void FieldFromJson(const StoredField& field, const JsonValue& value, const std::string& where,
                   PropertyObject& owner);

// The same for a value that no field table describes (the report header).
JsonValue ValueToJson(StoredFieldKind kind, FieldRef value);
void ValueFromJson(StoredFieldKind kind, const JsonValue& json, const std::string& where,
                   FieldRef value);

}  // namespace report
