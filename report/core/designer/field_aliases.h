// The dictionary's field aliases as the designer edits them: the name the designer's lists
// show for a data source or a data field ("source" or "source.field"), an empty alias leaving
// the name out of those lists.
//
// Texts are Windows-1252.
#pragma once

#include <string>
#include <vector>

#include "report/core/value/variables.h"

namespace report {

class DataDictionary;

struct FieldAlias {
    std::string name;   // "source" or "source.field"
    std::string alias;  // empty: not offered by the designer
};

std::vector<FieldAlias> ReadFieldAliases(const DataDictionary& dictionary);

// The list the dictionary stores, names and aliases trimmed. EngineError with the French
// message when a name is empty or given twice (without regard to case).
Variables FieldAliasList(const std::vector<FieldAlias>& aliases);

}  // namespace report
