#include "report/core/file/field_json.h"

#include <cstdio>
#include <cstdlib>
#include <limits>
#include <stdexcept>
#include <type_traits>

#include "report/core/base/band_type.h"
#include "report/core/base/base64.h"
#include "report/core/base/text.h"
#include "report/core/file/file_texts.h"
#include "report/core/file/json_members.h"

namespace report {
namespace {

constexpr const char* kBandTypeNames[kBandTypeCount] = {"ReportTitle",
                                                        "ReportSummary",
                                                        "PageHeader",
                                                        "PageFooter",
                                                        "MasterHeader",
                                                        "MasterData",
                                                        "MasterFooter",
                                                        "DetailHeader",
                                                        "DetailData",
                                                        "DetailFooter",
                                                        "SubDetailHeader",
                                                        "SubDetailData",
                                                        "SubDetailFooter",
                                                        "Overlay",
                                                        "ColumnHeader",
                                                        "ColumnFooter",
                                                        "GroupHeader",
                                                        "GroupFooter",
                                                        "CrossHeader",
                                                        "CrossData",
                                                        "CrossFooter",
                                                        "Child",
                                                        "None"};
constexpr const char* kGraphicKinds[] = {"none", "bitmap", "metafile", "icon"};

int64_t IntegerOf(FieldRef value) {
    return std::visit(
        [](auto* stored) -> int64_t {
            using T = std::remove_pointer_t<decltype(stored)>;
            if constexpr (std::is_integral_v<T>) {
                return *stored;
            } else {
                throw std::logic_error("integer field of another type");
            }
        },
        value);
}

// Reads a number into an integer field of any width, within that width's range.
void ReadInteger(const JsonValue& json, const std::string& where, FieldRef value) {
    std::visit(
        [&](auto* stored) {
            using T = std::remove_pointer_t<decltype(stored)>;
            if constexpr (std::is_integral_v<T>) {
                *stored = static_cast<T>(json.AsInt(where, std::numeric_limits<T>::min(),
                                                    std::numeric_limits<T>::max()));
            } else {
                throw std::logic_error("integer field of another type");
            }
        },
        value);
}

JsonValue ColorToJson(int32_t color) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08X", static_cast<uint32_t>(color));
    return JsonValue::String(buffer);
}

int32_t ColorFromJson(const JsonValue& json, const std::string& where) {
    if (json.GetKind() == JsonValue::Kind::Number)
        return static_cast<int32_t>(json.AsInt(where, INT32_MIN, UINT32_MAX));
    const std::string& text = json.AsString(where);
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    char* end = nullptr;
    const unsigned long long value = hex ? std::strtoull(text.c_str() + 2, &end, 16) : 0;
    if (!hex || end == nullptr || *end != '\0' || value > UINT32_MAX)
        RefuseJson(file_text::kJsonBadColor, where, text);
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}

JsonValue LinesToJson(const StringList& lines) {
    JsonValue array = JsonValue::Array();
    for (const std::string& line : lines)
        array.Push(JsonValue::String(Cp1252ToUtf8(line)));
    return array;
}

StringList LinesFromJson(const JsonValue& json, const std::string& where) {
    StringList lines;
    for (const JsonValue& line : json.AsArray(where))
        lines.push_back(Utf8ToCp1252(line.AsString(where)));
    return lines;
}

JsonValue BandTypeToJson(int64_t type) {
    if (type >= 0 && type < kBandTypeCount) return JsonValue::String(kBandTypeNames[type]);
    return JsonValue::Number(type);
}

void BandTypeFromJson(const JsonValue& json, const std::string& where, FieldRef value) {
    if (json.GetKind() == JsonValue::Kind::Number) {
        ReadInteger(json, where, value);
        return;
    }
    const std::string& name = json.AsString(where);
    for (int type = 0; type < kBandTypeCount; ++type) {
        if (SameText(name, kBandTypeNames[type])) {
            ReadInteger(JsonValue::Number(static_cast<int64_t>(type)), where, value);
            return;
        }
    }
    RefuseJson(file_text::kJsonUnknownBandType, where, name);
}

}  // namespace

JsonValue ValueToJson(StoredFieldKind kind, FieldRef value) {
    switch (kind) {
        case StoredFieldKind::Color:
            return ColorToJson(*std::get<int32_t*>(value));
        case StoredFieldKind::Float:
            return JsonValue::Number(*std::get<float*>(value));
        case StoredFieldKind::Text:
            return JsonValue::String(Cp1252ToUtf8(*std::get<std::string*>(value)));
        case StoredFieldKind::Lines:
            return LinesToJson(*std::get<StringList*>(value));
        case StoredFieldKind::BandType:
            return BandTypeToJson(IntegerOf(value));
        default:
            return JsonValue::Number(IntegerOf(value));
    }
}

void ValueFromJson(StoredFieldKind kind, const JsonValue& json, const std::string& where,
                   FieldRef value) {
    switch (kind) {
        case StoredFieldKind::Color:
            *std::get<int32_t*>(value) = ColorFromJson(json, where);
            break;
        case StoredFieldKind::Float:
            *std::get<float*>(value) = json.AsFloat(where);
            break;
        case StoredFieldKind::Text:
            *std::get<std::string*>(value) = Utf8ToCp1252(json.AsString(where));
            break;
        case StoredFieldKind::Lines:
            *std::get<StringList*>(value) = LinesFromJson(json, where);
            break;
        case StoredFieldKind::BandType:
            BandTypeFromJson(json, where, value);
            break;
        default:
            ReadInteger(json, where, value);
    }
}

JsonValue FieldToJson(const StoredField& field, const PropertyObject& owner) {
    if (field.field != nullptr) {
        // The accessor serves reads and writes alike; this one only reads.
        return ValueToJson(field.kind, field.field(const_cast<PropertyObject&>(owner)));
    }
    const Variant value = field.get(owner);
    if (field.kind == StoredFieldKind::GraphicKind)
        return JsonValue::String(kGraphicKinds[value.ToInt() & 3]);
    return JsonValue::String(EncodeBase64(value.StringValue()));
}

void FieldFromJson(const StoredField& field, const JsonValue& value, const std::string& where,
                   PropertyObject& owner) {
    if (field.kind == StoredFieldKind::Switch && value.GetKind() == JsonValue::Kind::Boolean) {
        field.Set(owner, Variant::Boolean(value.AsBool(where)));
        return;
    }
    if (field.field != nullptr) {
        ValueFromJson(field.kind, value, where, field.field(owner));
        return;
    }
    const std::string& text = value.AsString(where);
    if (field.kind == StoredFieldKind::GraphicKind) {
        for (int kind = 0; kind < 4; ++kind) {
            if (text == kGraphicKinds[kind]) {
                field.set(owner, Variant::Int32(kind));
                return;
            }
        }
        RefuseJson(file_text::kJsonBadGraphicKind, where);
    }
    std::optional<std::string> bytes = DecodeBase64(text);
    if (!bytes) RefuseJson(file_text::kJsonBadBase64, where);
    field.set(owner, Variant::String(std::move(*bytes)));
}

}  // namespace report
