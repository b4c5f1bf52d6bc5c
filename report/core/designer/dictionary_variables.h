// The dictionary editor's logic: the report's variables grouped by category, read as one
// record and written back as one undo step once every name and expression has been checked.
//
// Texts are Windows-1252. In the dictionary a category is a header entry (its name after a
// space) followed by its variables; variables placed before any header form a category with
// an empty name, written back without a header.
#pragma once

#include <string>
#include <vector>

#include "report/core/designer/field_aliases.h"

namespace report {

class DataDictionary;
class DesignDocument;

struct DictionaryVariable {
    std::string name;
    std::string expression;  // an expression, or a data field reference (source."field")
};

struct DictionaryCategory {
    std::string name;
    std::vector<DictionaryVariable> variables;
};

std::vector<DictionaryCategory> ReadDictionaryCategories(const DataDictionary& dictionary);

// Replaces the report's variables by `categories` and commits one step. EngineError with the
// French message and the dictionary unchanged when: a category after the first has no name;
// two categories or two variables share a name (without regard to case); a variable has no
// name or one that begins with a space; an expression is refused by the parser. Names are
// trimmed. Returns whether anything changed.
bool ApplyDictionaryCategories(DesignDocument& document,
                               const std::vector<DictionaryCategory>& categories);
// The same, and the field aliases (FieldAliasList's refusals) in the same step.
bool ApplyDictionaryCategories(DesignDocument& document,
                               const std::vector<DictionaryCategory>& categories,
                               const std::vector<FieldAlias>& fieldAliases);

}  // namespace report
