#include "report/core/model/property_object.h"

#include "report/core/base/engine_strings.h"
#include "report/core/base/text.h"

namespace report {

const std::vector<PropertyInfo>& PropertyObject::Properties() const {
    if (!registered_) RefreshProperties();
    return properties_;
}

void PropertyObject::RefreshProperties() const {
    properties_.clear();
    RegisterProperties(properties_);
    registered_ = true;
}

const PropertyInfo* PropertyObject::FindProperty(std::string_view name) const {
    for (const PropertyInfo& info : Properties()) {
        if (SameText(info.name, name)) return &info;
    }
    return nullptr;
}

Variant PropertyObject::GetPropertyValue(std::string_view name) const {
    const StoredField* field = StoredFields().FindProperty(name);
    return field != nullptr ? field->Get(*this) : Variant();
}

void PropertyObject::SetPropertyValue(std::string_view name, const Variant& value) {
    if (const StoredField* field = StoredFields().FindProperty(name)) field->Set(*this, value);
}

const FieldTable& PropertyObject::StoredFields() const {
    static const FieldTable none;
    return none;
}

void PropertyObject::RegisterProperties(std::vector<PropertyInfo>& list) const {
    for (const StoredField& field : StoredFields()) {
        if (field.property.empty()) continue;
        if (field.enumNamesKey.empty()) {
            AddProperty(list, std::string(field.property), field.propertyType);
        } else {
            AddEnumProperty(list, std::string(field.property), field.enumNamesKey,
                            {field.enumValues.begin(), field.enumValues.end()});
        }
    }
}

void PropertyObject::AddProperty(std::vector<PropertyInfo>& list, std::string name, uint16_t type) {
    list.push_back(PropertyInfo{std::move(name), type, {}, {}});
}

void PropertyObject::AddEnumProperty(std::vector<PropertyInfo>& list, std::string name,
                                     std::string_view namesTextKey, std::vector<int32_t> values) {
    PropertyInfo info{std::move(name), prop_type::kEnum, {}, std::move(values)};
    const std::string& names = EngineText(namesTextKey);
    size_t start = 0;
    while (start <= names.size()) {
        const size_t end = names.find(';', start);
        info.enumNames.push_back(
            names.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    list.push_back(std::move(info));
}

}  // namespace report
