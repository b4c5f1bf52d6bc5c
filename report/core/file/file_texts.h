// Keys of the engine texts used by the template file.
#pragma once

namespace report::file_text {

inline constexpr const char* kUnsupportedFormat =
    "template.unsupported";                                         // "Format ETF non supporté"
inline constexpr const char* kNotPlugged = "template.not_plugged";  // %s: class names + CR each

// The JSON form: %s the place in the file (pages[0].objects[2].left), then what was found.
inline constexpr const char* kJsonRoot = "template.json.root";  // "modèle"
inline constexpr const char* kJsonDuplicateMember = "template.json.duplicate_member";
inline constexpr const char* kJsonUnknownMember = "template.json.unknown_member";
inline constexpr const char* kJsonMissingClass = "template.json.missing_class";
inline constexpr const char* kJsonUnknownClass = "template.json.unknown_class";
inline constexpr const char* kJsonBadColor = "template.json.bad_color";
inline constexpr const char* kJsonUnknownBandType = "template.json.unknown_band_type";
inline constexpr const char* kJsonBadGraphicKind = "template.json.bad_graphic_kind";
inline constexpr const char* kJsonBadBase64 = "template.json.bad_base64";
inline constexpr const char* kJsonBadPairs = "template.json.bad_pairs";

}  // namespace report::file_text
