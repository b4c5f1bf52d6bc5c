// The page data of a prepared page: the version byte, then one entry per object in drawing
// order (type code, class name for add-in objects, compact record).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "report/core/base/engine_stream.h"
#include "report/core/model/view.h"

namespace report {

class ViewFactory;

// Page data holding no object yet: the version byte 24.
std::string EmptyPageData();

// Appends one object's entry (its compact record; the object's InPreparedPage flag is restored
// afterwards). The object's ExpandedMemo is what is stored as its text.
void WritePageObject(EngineStream& pageData, View& view);

// Re-creates the objects of page data, read by the rules of its version byte, each with its
// finished text in ExpandedMemo and in Memo. Raises PreparedFileError for a record that does not
// read back whole, an unknown type code or an add-in class the factory cannot create;
// `pageNumber` (from 1) is named in the message. Empty page data holds no object.
std::vector<std::unique_ptr<View>> ReadPageObjects(const std::string& pageData,
                                                   ViewFactory& factory, int pageNumber);

}  // namespace report
