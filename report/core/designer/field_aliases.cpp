#include "report/core/designer/field_aliases.h"

#include "report/core/base/engine_strings.h"
#include "report/core/base/errors.h"
#include "report/core/base/text.h"
#include "report/core/data/data_dictionary.h"

namespace report {

std::vector<FieldAlias> ReadFieldAliases(const DataDictionary& dictionary) {
    std::vector<FieldAlias> aliases;
    const Variables& list = dictionary.fieldAliases;
    for (int i = 0; i < list.Count(); ++i)
        aliases.push_back(FieldAlias{list.NameAt(i), list.ValueAt(i).ToText()});
    return aliases;
}

Variables FieldAliasList(const std::vector<FieldAlias>& aliases) {
    Variables list;
    for (const FieldAlias& entry : aliases) {
        const std::string name = Trim(entry.name);
        if (name.empty()) throw EngineError(EngineText("designer.alias_name_empty"));
        if (list.Contains(name))
            throw EngineError(FormatMessage(EngineText("designer.alias_name_taken"), {name}));
        list.Set(name, Variant::String(Trim(entry.alias)));
    }
    return list;
}

}  // namespace report
