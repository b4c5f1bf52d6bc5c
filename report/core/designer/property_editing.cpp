#include "report/core/designer/property_editing.h"

#include <cmath>
#include <cstdio>
#include <optional>

#include "report/core/base/engine_strings.h"
#include "report/core/base/errors.h"
#include "report/core/base/text.h"
#include "report/core/model/page.h"
#include "report/core/model/property_object.h"
#include "report/core/model/report.h"
#include "report/core/model/view.h"

namespace report {

namespace {

bool Has(uint16_t type, uint16_t bit) {
    return (type & bit) != 0;
}

// Whether the object's restrictions leave the property to the user.
bool MayChange(const PropertyObject& object, const std::string& name) {
    const auto* view = dynamic_cast<const View*>(&object);
    if (view == nullptr) return true;
    const uint16_t r = view->restrictions;
    if (SameText(name, "Restrictions")) return true;
    if (r & restriction::kNotModifiable) return false;
    if ((r & restriction::kNotMovable) && (SameText(name, "Left") || SameText(name, "Top")))
        return false;
    if ((r & restriction::kNotResizable) && (SameText(name, "Width") || SameText(name, "Height")))
        return false;
    if ((r & (restriction::kMemoLocked | restriction::kContentsLocked)) &&
        (SameText(name, "Memo") || SameText(name, "DataField")))
        return false;
    if ((r & restriction::kScriptLocked) && SameText(name, "Script")) return false;
    return true;
}

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::optional<int64_t> ParseInteger(const std::string& text, int base) {
    if (text.empty()) return std::nullopt;
    size_t i = 0;
    bool negative = false;
    if (base == 10 && (text[0] == '-' || text[0] == '+')) negative = text[0] == '-', i = 1;
    if (i == text.size() || text.size() - i > 18) return std::nullopt;
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        int digit = -1;
        if (c >= '0' && c <= '9') digit = c - '0';
        if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        if (digit < 0) return std::nullopt;
        value = value * base + digit;
    }
    return negative ? -value : value;
}

std::optional<double> ParseReal(std::string text) {
    for (char& c : text)
        if (c == ',') c = '.';
    if (text.empty()) return std::nullopt;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end == nullptr || *end != '\0' || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::string RealText(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.1f", value);
    std::string text = buffer;
    if (text.size() > 2 && text.compare(text.size() - 2, 2, ".0") == 0)
        text.resize(text.size() - 2);
    for (char& c : text)
        if (c == '.') c = ',';
    return text;
}

std::string ColorText(int32_t color) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08X", static_cast<uint32_t>(color));
    return buffer;
}

std::string ValueText(const PropertyObject& object, const PropertyInfo& info,
                      const UnitScale& scale) {
    const Variant value = object.GetPropertyValue(info.name);
    if (value.IsNull() || value.IsEmpty()) return {};
    if (Has(info.type, prop_type::kEnum)) {
        const int32_t code = value.ToInt();
        for (size_t i = 0; i < info.enumValues.size() && i < info.enumNames.size(); ++i)
            if (info.enumValues[i] == code) return info.enumNames[i];
        return std::to_string(code);
    }
    if (Has(info.type, prop_type::kBoolean)) return value.ToBool() ? kTrueText : kFalseText;
    if (Has(info.type, prop_type::kColor)) return ColorText(value.ToInt());
    if (Has(info.type, prop_type::kPosition)) {
        if (scale.unit == DesignUnit::Millimetres)
            return RealText(value.ToInt() / scale.pixelsPerMillimetre);
        return std::to_string(value.ToInt());
    }
    if (Has(info.type, prop_type::kFloat)) return RealText(value.ToReal());
    return value.ToText();
}

// The value typed, as the property's type wants it; the engine's conversion errors otherwise.
Variant ParseValue(const PropertyInfo& info, const std::string& typed, const UnitScale& scale) {
    const std::string text = Trimmed(typed);
    if (Has(info.type, prop_type::kEnum)) {
        for (size_t i = 0; i < info.enumNames.size() && i < info.enumValues.size(); ++i)
            if (SameText(info.enumNames[i], text)) return Variant::Int32(info.enumValues[i]);
        const auto number = ParseInteger(text, 10);
        for (int32_t value : info.enumValues)
            if (number && *number == value) return Variant::Int32(value);
        throw ConvertError::NotInteger(typed);
    }
    if (Has(info.type, prop_type::kBoolean)) {
        if (SameText(text, kTrueText) || SameText(text, "True") || text == "1")
            return Variant::Boolean(true);
        if (SameText(text, kFalseText) || SameText(text, "False") || text == "0")
            return Variant::Boolean(false);
        throw VariantConversionError();
    }
    if (Has(info.type, prop_type::kColor)) {
        std::optional<int64_t> value;
        if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
            value = ParseInteger(text.substr(2), 16);
        else if (!text.empty() && text[0] == '$')
            value = ParseInteger(text.substr(1), 16);
        else
            value = ParseInteger(text, 10);
        if (!value || *value < INT32_MIN || *value > UINT32_MAX)
            throw ConvertError::NotInteger(typed);
        return Variant::Int32(static_cast<int32_t>(static_cast<uint32_t>(*value)));
    }
    if (Has(info.type, prop_type::kPosition)) {
        const auto value = ParseReal(text);
        if (!value) throw ConvertError::NotFloat(typed);
        const double pixels =
            scale.unit == DesignUnit::Millimetres ? *value * scale.pixelsPerMillimetre : *value;
        if (std::fabs(pixels) > 1e7) throw ConvertError::NotInteger(typed);
        return Variant::Int32(static_cast<int32_t>(std::lround(pixels)));
    }
    if (Has(info.type, prop_type::kInteger)) {
        const auto value = ParseInteger(text, 10);
        if (!value || *value < INT32_MIN || *value > INT32_MAX)
            throw ConvertError::NotInteger(typed);
        return Variant::Int32(static_cast<int32_t>(*value));
    }
    if (Has(info.type, prop_type::kFloat)) {
        const auto value = ParseReal(text);
        if (!value) throw ConvertError::NotFloat(typed);
        return Variant::Double(*value);
    }
    return Variant::String(typed);
}

bool Settable(const PropertyObject& object, const std::string& name) {
    const StoredField* field = object.StoredFields().FindProperty(name);
    return field != nullptr && (field->field != nullptr || field->set != nullptr);
}

}  // namespace

std::vector<PropertyRow> SharedProperties(const std::vector<PropertyObject*>& objects,
                                          const UnitScale& scale) {
    std::vector<PropertyRow> rows;
    if (objects.empty()) return rows;
    for (const PropertyInfo& info : objects.front()->Properties()) {
        if (info.type == prop_type::kHidden) continue;
        PropertyRow row{info.name, info.type, ValueText(*objects.front(), info, scale),
                        false,     false,     info.enumNames};
        bool everywhere = true;
        for (const PropertyObject* object : objects) {
            const PropertyInfo* other = object->FindProperty(info.name);
            if (other == nullptr || other->type != info.type) {
                everywhere = false;
                break;
            }
            if (!row.mixed && ValueText(*object, *other, scale) != row.value) row.mixed = true;
            if (!Settable(*object, info.name) || !MayChange(*object, info.name))
                row.readOnly = true;
        }
        if (!everywhere) continue;
        // Names are one per object.
        if (objects.size() > 1 && SameText(info.name, "Name")) row.readOnly = true;
        if (row.mixed) row.value.clear();
        rows.push_back(std::move(row));
    }
    return rows;
}

bool SetSharedProperty(const std::vector<PropertyObject*>& objects, const std::string& name,
                       const std::string& text, const UnitScale& scale) {
    if (objects.empty()) return false;
    const PropertyInfo* info = objects.front()->FindProperty(name);
    if (info == nullptr) return false;
    const Variant value = ParseValue(*info, text, scale);
    if (SameText(name, "Name")) {
        const auto* view = dynamic_cast<const View*>(objects.front());
        const Report* report = view != nullptr ? view->OwnerReport() : nullptr;
        const View* holder = report != nullptr ? report->FindObject(value.ToText()) : nullptr;
        if (objects.size() > 1 || value.ToText().empty() || (holder != nullptr && holder != view))
            throw EngineError(FormatMessage(EngineText("designer.name_taken"), {value.ToText()}));
    }
    bool changed = false;
    for (PropertyObject* object : objects) {
        if (!Settable(*object, name) || !MayChange(*object, name)) continue;
        const std::string before = object->GetPropertyValue(name).ToText();
        object->SetPropertyValue(name, value);
        changed = changed || object->GetPropertyValue(name).ToText() != before;
    }
    return changed;
}

}  // namespace report
