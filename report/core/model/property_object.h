// Root of pages and report objects: the list of by-name properties that the designer shows and
// that scripts and expressions reach through the PropertyAccess interface, both taken from the
// class's table of stored fields.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "report/core/language/property_access.h"
#include "report/core/model/stored_field.h"

namespace report {

// Type code bits of a property record. 0 marks a property that scripts use but the designer
// does not list.
namespace prop_type {
inline constexpr uint16_t kHidden = 0;
inline constexpr uint16_t kText = 1;
inline constexpr uint16_t kInteger = 2;
inline constexpr uint16_t kFloat = 4;
inline constexpr uint16_t kBoolean = 8;
inline constexpr uint16_t kColor = 16;
inline constexpr uint16_t kEnum = 32;
inline constexpr uint16_t kEditor = 64;
inline constexpr uint16_t kPosition = 128;  // design pixels, shown in the designer's unit
inline constexpr uint16_t kSpecial =
    256;  // with kText or kEditor on Name, Tag, Memo, DataField, page events
}  // namespace prop_type

struct PropertyInfo {
    std::string name;  // at most 32 characters
    uint16_t type = 0;
    std::vector<std::string> enumNames;  // enumerations: value names ...
    std::vector<int32_t> enumValues;     // ... and their values
};

class PropertyObject : public PropertyAccess {
  public:
    PropertyObject() = default;
    PropertyObject(const PropertyObject&) = delete;
    PropertyObject& operator=(const PropertyObject&) = delete;

    // The property list, built on first use by RegisterProperties.
    const std::vector<PropertyInfo>& Properties() const;
    // Rebuilds the list (after a change that alters which properties apply, e.g. page type).
    void RefreshProperties() const;
    const PropertyInfo* FindProperty(std::string_view name) const;

    bool HasProperty(std::string_view name) const override { return FindProperty(name) != nullptr; }
    // Through the field table; unknown names give an empty value, and setting one does nothing.
    Variant GetPropertyValue(std::string_view name) const override;
    void SetPropertyValue(std::string_view name, const Variant& value) override;

    // The class's stored fields, in the order of the JSON form.
    virtual const FieldTable& StoredFields() const;

  protected:
    // Fills `list` with the properties of the field table, in its order.
    virtual void RegisterProperties(std::vector<PropertyInfo>& list) const;

    static void AddProperty(std::vector<PropertyInfo>& list, std::string name, uint16_t type);
    // An enumeration whose names are a ';'-separated engine text and values the given ones.
    static void AddEnumProperty(std::vector<PropertyInfo>& list, std::string name,
                                std::string_view namesTextKey, std::vector<int32_t> values);

  private:
    mutable std::vector<PropertyInfo> properties_;
    mutable bool registered_ = false;
};

}  // namespace report
