#include "report/core/model/stored_field.h"

#include <stdexcept>
#include <type_traits>

#include "report/core/base/split_lines.h"
#include "report/core/base/text.h"

namespace report {
namespace {

std::string JoinLines(const StringList& lines) {
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += "\r\n";
        text += lines[i];
    }
    return text;
}

Variant IntegerValue(const StoredField& field, FieldRef ref) {
    return std::visit(
        [&](auto* stored) -> Variant {
            using T = std::remove_pointer_t<decltype(stored)>;
            if constexpr (std::is_integral_v<T>) {
                const int32_t value = static_cast<int32_t>(*stored);
                switch (field.kind) {
                    case StoredFieldKind::Switch:
                        return Variant::Boolean(value != 0);
                    case StoredFieldKind::Flag:
                        return Variant::Boolean((static_cast<uint32_t>(value) & field.bits) != 0);
                    default:
                        return Variant::Int32(
                            field.bits != 0 ? static_cast<int32_t>(value & field.bits) : value);
                }
            } else {
                throw std::logic_error("integer field of another type");
            }
        },
        ref);
}

void SetInteger(const StoredField& field, FieldRef ref, const Variant& value) {
    std::visit(
        [&](auto* stored) {
            using T = std::remove_pointer_t<decltype(stored)>;
            if constexpr (std::is_integral_v<T>) {
                switch (field.kind) {
                    case StoredFieldKind::Switch:
                        *stored = static_cast<T>(value.ToBool() ? field.bits : 0);
                        break;
                    case StoredFieldKind::Flag: {
                        const auto bit = static_cast<T>(field.bits);
                        *stored = static_cast<T>(value.ToBool() ? *stored | bit : *stored & ~bit);
                        break;
                    }
                    default: {
                        const int32_t number = value.ToInt();
                        *stored = static_cast<T>(
                            field.bits != 0 ? static_cast<int32_t>(number & field.bits) : number);
                    }
                }
            } else {
                throw std::logic_error("integer field of another type");
            }
        },
        ref);
}

}  // namespace

StoredField StoredField::InJson(std::string_view member, StoredFieldKind form) const {
    StoredField copy = *this;
    copy.json = member;
    copy.kind = form;
    return copy;
}

StoredField StoredField::InGroup(std::string_view group) const {
    StoredField copy = *this;
    copy.jsonGroup = group;
    return copy;
}

StoredField StoredField::OnlyInTemplates() const {
    StoredField copy = *this;
    copy.templateOnly = true;
    return copy;
}

StoredField StoredField::Masked(uint32_t mask) const {
    StoredField copy = *this;
    copy.bits = mask;
    return copy;
}

StoredField StoredField::StoringWhenTrue(uint32_t value) const {
    return Masked(value);
}

StoredField StoredField::Enumerated(std::string_view namesKey,
                                    std::span<const int32_t> values) const {
    StoredField copy = *this;
    copy.enumNamesKey = namesKey;
    copy.enumValues = values;
    return copy;
}

Variant StoredField::Get(const PropertyObject& owner) const {
    if (get != nullptr) return get(owner);
    if (field == nullptr) return Variant();
    // The accessor serves reads and writes alike; this one only reads.
    const FieldRef ref = field(const_cast<PropertyObject&>(owner));
    switch (kind) {
        case StoredFieldKind::Float:
            return Variant::Double(*std::get<float*>(ref));
        case StoredFieldKind::Text:
            return Variant::String(*std::get<std::string*>(ref));
        case StoredFieldKind::Lines:
            return Variant::String(JoinLines(*std::get<StringList*>(ref)));
        default:
            return IntegerValue(*this, ref);
    }
}

void StoredField::Set(PropertyObject& owner, const Variant& value) const {
    if (get != nullptr) {
        if (set != nullptr) set(owner, value);
        return;
    }
    if (field == nullptr) return;
    const FieldRef ref = field(owner);
    switch (kind) {
        case StoredFieldKind::Float:
            *std::get<float*>(ref) = static_cast<float>(value.ToReal());
            break;
        case StoredFieldKind::Text:
            *std::get<std::string*>(ref) = value.ToText();
            break;
        case StoredFieldKind::Lines:
            *std::get<StringList*>(ref) = SplitLines(value.ToText());
            break;
        default:
            SetInteger(*this, ref, value);
    }
}

StoredField Stored(std::string_view property, uint16_t propertyType, std::string_view json,
                   StoredFieldKind kind, FieldAccess field) {
    StoredField stored;
    stored.property = property;
    stored.propertyType = propertyType;
    stored.json = json;
    stored.kind = kind;
    stored.field = field;
    return stored;
}

StoredField Computed(std::string_view property, uint16_t propertyType, FieldGetter get,
                     FieldSetter set) {
    StoredField computed;
    computed.property = property;
    computed.propertyType = propertyType;
    computed.get = get;
    computed.set = set;
    return computed;
}

StoredField Listed(std::string_view property, uint16_t propertyType) {
    StoredField listed;
    listed.property = property;
    listed.propertyType = propertyType;
    return listed;
}

FieldTable::FieldTable(std::initializer_list<StoredField> fields) : fields_(fields) {
    Index();
}

FieldTable FieldTable::Replacing(std::string_view property, const StoredField& replacement) const {
    FieldTable table = *this;
    auto it = byUpperName_.find(UpperCase(property));
    if (it == byUpperName_.end()) throw std::logic_error("no field to replace");
    table.fields_[it->second] = replacement;
    table.Index();
    return table;
}

FieldTable FieldTable::Adding(std::initializer_list<StoredField> fields) const {
    FieldTable table = *this;
    table.fields_.insert(table.fields_.end(), fields);
    table.Index();
    return table;
}

const StoredField* FieldTable::FindProperty(std::string_view name) const {
    auto it = byUpperName_.find(UpperCase(name));
    return it == byUpperName_.end() ? nullptr : &fields_[it->second];
}

void FieldTable::Index() {
    byUpperName_.clear();
    for (size_t i = 0; i < fields_.size(); ++i) {
        if (fields_[i].property.empty()) continue;
        if (!byUpperName_.emplace(UpperCase(fields_[i].property), i).second)
            throw std::logic_error("property described twice");
    }
}

}  // namespace report
