// A report's data dictionary: named variables in categories, display aliases of data fields and
// data sources, hidden sources, and the cache of names resolved to database fields. The first
// three lists are stored in the template (after the byte 254) and in dictionary files (.etd).
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "report/core/base/engine_stream.h"
#include "report/core/value/variables.h"

namespace report {

class Component;
class ComponentRegistry;
class DataAccess;

// A data field found by ResolveField.
struct FieldReference {
    DataAccess* dataSet = nullptr;
    std::string field;
};

class DataDictionary {
  public:
    // In memory a category header is a name that begins with a space; the entries after it, up
    // to the next header or an empty name, are its variables. Values are text: an expression or
    // a data field reference (source."field").
    Variables variables;
    Variables fieldAliases;       // source or source.field -> display alias ("" = hidden)
    Variables bandSourceAliases;  // source -> display alias
    std::vector<std::string> hiddenSources;            // "Name" or "Prefix*", compared without case
    std::map<std::string, FieldReference> fieldCache;  // upper-cased name -> field

    // What the dictionary needs from the rest of the engine; unset hooks mean "nothing".
    struct Hooks {
        // Evaluates an expression text (the shared parser).
        std::function<Variant(const std::string& expression)> evaluate;
        // Script variables, which win over dictionary variables of the same name.
        const Variables* globalVariables = nullptr;
        // A component by name, as the report's owner and the application's forms see it.
        std::function<Component*(std::string_view name)> findComponent;
        // The data set of the data band belonging to the band being printed.
        std::function<DataAccess*()> defaultDataSet;
    } hooks;

    void ClearDictionary();

    // A cached field's value; else a dictionary variable's (global variable first, else its
    // text evaluated when non-empty); else Null.
    Variant GetValue(std::string_view name);
    // True for cached fields, dictionary variables and names that resolve to a database field
    // (which then enter the cache).
    bool IsVariable(std::string_view name);

    std::string RealSourceName(std::string_view alias) const;
    std::string RealBandSourceName(std::string_view alias) const;
    std::string AliasOf(std::string_view name) const;
    std::vector<std::string> Categories() const;
    std::vector<std::string> VariablesOf(std::string_view category) const;
    bool IsHiddenSource(std::string_view name) const;

    // Text -> data set and field: "field" (default data set), "source.field",
    // "form.source.field", "form.frame.source.field"; the field may be double-quoted.
    // The designer's lists: the data sources (Dataset components) or the data sets of the
    // registered forms, without hidden ones; when the matching alias list (band source aliases,
    // field aliases) is not empty, only names that have an entry, shown by their aliases.
    // Sorted without case.
    std::vector<std::string> DataSourceList(const ComponentRegistry& registry) const;
    std::vector<std::string> DataSetList(const ComponentRegistry& registry) const;

    std::optional<FieldReference> ResolveField(std::string_view text,
                                               DataAccess* defaultDataSet) const;

    // The dictionary section after the byte 254: marker -2 (-1 accepted) and the three lists,
    // or the old layout, converted. Strings use the current encoding whatever `version` says,
    // except the old layout's memo. Raises StreamReadError when the old layout's entry count
    // is cut short.
    void LoadDictionary(EngineStream& s, int version);
    void SaveDictionary(EngineStream& s) const;

    // Dictionary files (.etd): a version byte, then the section.
    void LoadDictionaryFile(const std::string& path);
    void SaveDictionaryFile(const std::string& path) const;

  private:
    std::vector<std::string> ListOf(const ComponentRegistry& registry, bool dataSources) const;
    DataAccess* FindDataSet(std::string_view sourceName) const;
};

}  // namespace report
