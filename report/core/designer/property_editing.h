// The inspector's rows: the by-name properties that every selected object (or the page, when
// none is selected) lists, from the one description per field of each class, with their
// common value as text; and the edit of one of them on all at once.
//
// Texts are Windows-1252. Positions and sizes (kPosition) show in the designer's unit.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace report {

class PropertyObject;

enum class DesignUnit { Pixels, Millimetres };

struct UnitScale {
    DesignUnit unit = DesignUnit::Pixels;
    double pixelsPerMillimetre = 96.0 / 25.4;
};

struct PropertyRow {
    std::string name;
    uint16_t type = 0;  // prop_type bits
    std::string value;  // the common value; empty when `mixed`
    bool mixed = false;
    bool readOnly = false;             // no by-name setter, or restrictions forbid it
    std::vector<std::string> choices;  // enumerations: the value names
};

// The rows of the properties the first object lists and every other one lists too, in the
// first one's order; properties scripts alone use (type 0) are left out.
std::vector<PropertyRow> SharedProperties(const std::vector<PropertyObject*>& objects,
                                          const UnitScale& scale);

// Sets the property on every object that may change from the text typed. The text is checked
// first, against the property's type: ConvertError (or the engine's conversion error) with the
// engine's message, and nothing changes. Booleans read "Vrai"/"Faux" (also 1/0, True/False),
// colours 0x00BBGGRR or a number, enumerations one of their value names, positions a number
// in the unit. A Name must stay unique in its report: EngineError otherwise. Returns whether
// any object changed.
bool SetSharedProperty(const std::vector<PropertyObject*>& objects, const std::string& name,
                       const std::string& text, const UnitScale& scale);

// The texts of a boolean.
inline constexpr const char* kTrueText = "Vrai";
inline constexpr const char* kFalseText = "Faux";

}  // namespace report
