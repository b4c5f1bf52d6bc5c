// By-name access to the published properties and methods of an engine object.
//
// Expressions reach objects as `Name.Property` and scripts assign `Name.Property := value`;
// report objects implement this interface and the value resolution calls it.
#pragma once

#include <string_view>

#include "report/core/value/variant.h"

namespace report {

class PropertyAccess {
  public:
    virtual ~PropertyAccess() = default;

    // Property names are compared without regard to case.
    virtual bool HasProperty(std::string_view name) const = 0;
    // The value of a property; a name the object lacks gives an empty Variant.
    virtual Variant GetPropertyValue(std::string_view name) const = 0;
    // Sets a property; a name the object lacks is ignored.
    virtual void SetPropertyValue(std::string_view name, const Variant& value) = 0;
    // Calls a method with up to three arguments; false when the object has no such method.
    virtual bool CallMethod(std::string_view name, const Variant& p1, const Variant& p2,
                            const Variant& p3, Variant& result) = 0;
};

}  // namespace report
