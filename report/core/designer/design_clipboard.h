// Objects on the clipboard in the JSON form of templates, so that copied objects read well in
// a text editor and JSON text written in one pastes as objects.
#pragma once

#include <cstddef>
#include <string>

namespace report {

class DesignDocument;

// The selected objects, UTF-8: {"objects": [ ... ]} with each object as the JSON form writes it.
std::string SelectionToJson(const DesignDocument& document);

// Adds the objects of a JSON text (UTF-8): {"objects": [...]}, an array of objects or one
// object. They keep their names unless the report already uses them, and are selected; when
// the first lands exactly on an object of the same kind (pasting beside what was copied), all
// move by `offset` design pixels. JsonError saying where, and nothing added, on bad text.
// Returns how many were added.
size_t PasteJson(DesignDocument& document, const std::string& text, int32_t offset);

}  // namespace report
