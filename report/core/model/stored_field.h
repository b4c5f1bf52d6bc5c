// One description per stored field of a report object or page: its by-name property, its
// member in the JSON form of a template, and how to reach it. By-name access, the designer's
// property list and the JSON form all read these tables, so that a field is named once.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <variant>
#include <vector>

#include "report/core/base/engine_stream.h"
#include "report/core/value/variant.h"

namespace report {

class PropertyObject;

// How a field is read and written by name and in the JSON form.
enum class StoredFieldKind : uint8_t {
    Integer,      // any integer width; by name an integer, keeping only `bits` when non-zero
    Color,        // int32 colour; JSON "0x00BBGGRR" or a number
    Float,        // float; by name a floating-point number
    Text,         // Windows-1252 text; UTF-8 in JSON
    Lines,        // list of lines; by name one text with CR LF line breaks
    Switch,       // integer holding `bits` for true and 0 for false; by name a boolean
    Flag,         // the bit `bits` of an integer (Flags); by name a boolean
    BandType,     // a band type; JSON its name (a number is accepted)
    GraphicKind,  // a picture's kind, through get/set as an integer; JSON "none", "bitmap" ...
    Bytes,        // bytes, through get/set as a string; JSON Base64
};

// The stored field itself.
using FieldRef = std::variant<int32_t*, uint32_t*, int16_t*, uint16_t*, uint8_t*, float*,
                              std::string*, StringList*>;
using FieldAccess = FieldRef (*)(PropertyObject&);
using FieldGetter = Variant (*)(const PropertyObject&);
using FieldSetter = void (*)(PropertyObject&, const Variant&);

struct StoredField {
    std::string_view property;   // by-name property; empty: none
    uint16_t propertyType = 0;   // prop_type bits of the designer's list
    std::string_view json;       // member of the JSON form; empty: none
    std::string_view jsonGroup;  // the JSON sub-object that holds it ("font"); empty: none
    StoredFieldKind kind = StoredFieldKind::Integer;
    FieldAccess field = nullptr;    // the stored field, or else ...
    FieldGetter get = nullptr;      // ... a get/set pair (a null setter: read only). With
    FieldSetter set = nullptr;      // neither, the property is only listed (designer editors).
    uint32_t bits = 0;              // see StoredFieldKind
    bool templateOnly = false;      // absent from the compact record of prepared pages
    std::string_view enumNamesKey;  // enumerations: engine text of the ';'-separated names
    std::span<const int32_t> enumValues;

    StoredField InJson(std::string_view member, StoredFieldKind form) const;
    StoredField InGroup(std::string_view group) const;
    StoredField OnlyInTemplates() const;
    StoredField Masked(uint32_t mask) const;            // Integer: by name, only these bits
    StoredField StoringWhenTrue(uint32_t value) const;  // Switch: the stored true
    StoredField Enumerated(std::string_view namesKey, std::span<const int32_t> values) const;

    // By-name access: empty for a listed-only property; setting one, or a read-only one, does
    // nothing.
    Variant Get(const PropertyObject& owner) const;
    void Set(PropertyObject& owner, const Variant& value) const;
};

// A field stored in the object, and a property or JSON member computed from it.
StoredField Stored(std::string_view property, uint16_t propertyType, std::string_view json,
                   StoredFieldKind kind, FieldAccess field);
StoredField Computed(std::string_view property, uint16_t propertyType, FieldGetter get,
                     FieldSetter set = nullptr);
// A property in the designer's list that the object does not answer by name.
StoredField Listed(std::string_view property, uint16_t propertyType);

namespace stored_field_detail {
template <typename T>
struct MemberOf;
template <typename Owner, typename Field>
struct MemberOf<Field Owner::*> {
    using OwnerType = Owner;
};
}  // namespace stored_field_detail

// Accessors of `&Class::field` and of `&Class::part` then `&Part::field`, for the table of
// Class or of a class derived from it.
template <auto Member>
FieldRef MemberRef(PropertyObject& object) {
    using Owner = typename stored_field_detail::MemberOf<decltype(Member)>::OwnerType;
    return &(static_cast<Owner&>(object).*Member);
}
template <auto Part, auto Member>
FieldRef NestedRef(PropertyObject& object) {
    using Owner = typename stored_field_detail::MemberOf<decltype(Part)>::OwnerType;
    return &((static_cast<Owner&>(object).*Part).*Member);
}

// The stored fields of one class, in the order of the JSON form (the fields of one JSON group
// stand together); property names are unique without regard to case.
class FieldTable {
  public:
    FieldTable() = default;
    FieldTable(std::initializer_list<StoredField> fields);

    // This table with the field of property `property` replaced in place.
    FieldTable Replacing(std::string_view property, const StoredField& replacement) const;
    // This table followed by `fields`.
    FieldTable Adding(std::initializer_list<StoredField> fields) const;

    const StoredField* FindProperty(std::string_view name) const;
    auto begin() const { return fields_.begin(); }
    auto end() const { return fields_.end(); }

  private:
    void Index();

    std::vector<StoredField> fields_;
    std::unordered_map<std::string, size_t> byUpperName_;
};

}  // namespace report
